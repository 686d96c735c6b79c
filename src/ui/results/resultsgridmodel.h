#pragma once

#include "core/results/resultsgrid.h"

#include <QAbstractTableModel>

namespace quiz
{

// A results grid as a Qt table: grid row 0 is the horizontal header, grid
// row r + 1 is table row r. Only what a view asks for is turned into Qt
// values, so large grids open at once.
class ResultsGridModel : public QAbstractTableModel
{
    Q_OBJECT
  public:
    explicit ResultsGridModel(const ResultsGrid &grid, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // After the grid changed its shape or content.
    void reload();

  private:
    QVariant cellData(int row, int col, int role) const;
    const ResultsGrid &grid_;
};

// The Qt alignment of a grid alignment code.
Qt::Alignment qtAlignment(CellAlign align);

} // namespace quiz
