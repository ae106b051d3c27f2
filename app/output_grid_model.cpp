#include "app/output_grid_model.h"

#include <QFontMetrics>
#include <algorithm>

#include "app/ui_language.h"

namespace tabulorix {

namespace {

QString Text(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

void OutputGridModel::SetGrid(std::optional<MGListGrid> grid) {
    beginResetModel();
    grid_ = std::move(grid);
    endResetModel();
}

std::vector<int> OutputGridModel::ColumnWidths(const QFontMetrics& metrics, int rowsMeasured) const {
    std::vector<int> widths;
    if (!grid_) return widths;
    const int rows = std::min(rowsMeasured, grid_->RowCount());
    for (int c = 0; c < grid_->ColumnCount(); ++c) {
        int width = metrics.horizontalAdvance(Text(grid_->Caption(c)));
        for (int r = 0; r < rows; ++r)
            width = std::max(width, metrics.horizontalAdvance(Text(grid_->Text(r, c))));
        widths.push_back(width + (c == 0 ? 32 : 16));
    }
    return widths;
}

int OutputGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !grid_ ? 0 : grid_->RowCount();
}

int OutputGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !grid_ ? 0 : grid_->ColumnCount();
}

QVariant OutputGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !grid_ || !checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    return Text(grid_->Text(index.row(), index.column()));
}

QVariant OutputGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || !grid_) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section < 0 || section >= grid_->ColumnCount()) return {};
    return TranslatedCoreText(grid_->Caption(section));
}

}  // namespace tabulorix
