#include "ui/results/resultsgridmodel.h"

#include <QApplication>
#include <QBrush>
#include <QPalette>

namespace quiz
{

Qt::Alignment qtAlignment(CellAlign align)
{
    const int code = static_cast<int>(align);
    if (code > 8)
        return Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment across[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    const Qt::Alignment down[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return across[code / 3] | down[code % 3];
}

ResultsGridModel::ResultsGridModel(const ResultsGrid &grid, QObject *parent)
    : QAbstractTableModel(parent), grid_(grid)
{
}

int ResultsGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(grid_.rows() - 1, 0);
}

int ResultsGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || grid_.rows() == 0 ? 0 : grid_.cols();
}

QVariant ResultsGridModel::cellData(int row, int col, int role) const
{
    switch (role) {
    case Qt::DisplayRole: {
        QString text = QString::fromStdString(grid_.text(row, col));
        text.remove(QLatin1Char('\r'));
        return text;
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(qtAlignment(grid_.align(row, col)));
    case Qt::BackgroundRole:
        if (grid_.marked(row, col, MarkGreen))
            return QBrush(QColor(0, 255, 0));
        if (grid_.marked(row, col, MarkButtonFace))
            return QApplication::palette().brush(QPalette::Button);
        return {};
    case Qt::ForegroundRole:
        if (grid_.marked(row, col, MarkBlue))
            return QBrush(QColor(0, 0, 255));
        return {};
    default:
        return {};
    }
}

QVariant ResultsGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() + 1 >= grid_.rows() || index.column() >= grid_.cols())
        return {};
    return cellData(index.row() + 1, index.column(), role);
}

QVariant ResultsGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical || section >= grid_.cols() || grid_.rows() == 0)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole || role == Qt::TextAlignmentRole)
        return cellData(0, section, role);
    return {};
}

void ResultsGridModel::reload()
{
    beginResetModel();
    endResetModel();
}

} // namespace quiz
