#include "core/results/resultsgrid.h"

#include "core/common/text.h"

#include <algorithm>
#include <stdexcept>

namespace quiz
{

void ResultsGrid::setRows(int rows)
{
    rows = std::max(rows, 0);
    cells_.resize(static_cast<std::size_t>(rows) * cols_);
    rowHeight_.resize(rows, gridDefaultRowTwips);
    rows_ = rows;
}

void ResultsGrid::setCols(int cols)
{
    cols = std::max(cols, 0);
    if (cols != cols_ && rows_ > 0) {
        std::vector<GridCell> moved(static_cast<std::size_t>(rows_) * cols);
        const int keep = std::min(cols, cols_);
        for (int r = 0; r < rows_; ++r)
            std::copy_n(cells_.begin() + static_cast<std::ptrdiff_t>(r) * cols_, keep,
                        moved.begin() + static_cast<std::ptrdiff_t>(r) * cols);
        cells_ = std::move(moved);
    }
    colAlign_.resize(cols, CellAlign::General);
    colWidth_.resize(cols, gridDefaultColumnTwips);
    cols_ = cols;
}

void ResultsGrid::removeRows(int first, int count)
{
    first = std::clamp(first, 0, rows_);
    count = std::clamp(count, 0, rows_ - first);
    const auto at = [this](int r) { return cells_.begin() + static_cast<std::ptrdiff_t>(r) * cols_; };
    cells_.erase(at(first), at(first + count));
    rowHeight_.erase(rowHeight_.begin() + first, rowHeight_.begin() + first + count);
    rows_ -= count;
}

void ResultsGrid::removeCol(int c)
{
    if (c < 0 || c >= cols_)
        return;
    colAlign_.erase(colAlign_.begin() + c);
    colWidth_.erase(colWidth_.begin() + c);
    std::vector<GridCell> kept;
    kept.reserve(static_cast<std::size_t>(rows_) * (cols_ - 1));
    for (int r = 0; r < rows_; ++r)
        for (int k = 0; k < cols_; ++k)
            if (k != c)
                kept.push_back(cell(r, k));
    cells_ = std::move(kept);
    --cols_;
}

std::uint32_t ResultsGrid::intern(std::string_view text)
{
    if (text.empty())
        return 0;
    std::uint32_t *slot = nullptr;
    if (text.size() <= 2) {
        if (shortIds_.empty())
            shortIds_.assign(256 + 65536, 0);
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
        slot = &shortIds_[text.size() == 1 ? byte(0) : 256 + byte(0) * 256 + byte(1)];
        if (*slot)
            return *slot;
    }
    std::uint32_t id;
    if (const auto it = index_.find(text); it != index_.end()) {
        id = it->second;
    } else {
        if (pool_.size() >= GridCell::maxTexts)
            throw std::length_error("a results grid holds at most 16,777,216 different texts");
        id = static_cast<std::uint32_t>(pool_.size());
        pool_.emplace_back(text);
        index_.emplace(pool_.back(), id);
    }
    if (slot)
        *slot = id;
    return id;
}

void ResultsGrid::setText(int r, int c, std::string_view text)
{
    cell(r, c).text = intern(text);
}

CellAlign ResultsGrid::align(int r, int c) const
{
    const std::uint32_t a = cell(r, c).align;
    return a == GridCell::columnAlign ? colAlign_[c] : static_cast<CellAlign>(a);
}

int ResultsGrid::FindColumnByHeader(std::string_view text) const
{
    for (int c = 1; c < cols_ && rows_ > 0; ++c)
        if (contains(this->text(0, c), text))
            return c;
    return 0;
}

} // namespace quiz
