#include "app/row_table_model.h"

#include <algorithm>

#include "app/key_state_icons.h"
#include "catalogue/row_table.h"

namespace tabulorix {

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

void RowTableModel::SetTable(const ZMGCell* table, Options options) {
    beginResetModel();
    table_ = table != nullptr && table->RowCount() > 0 ? table : nullptr;
    options_ = options;
    columns_.clear();
    if (table_ != nullptr) {
        const ZMGRowExt& header = table_->GetRow(0);
        int count = header.ItemCount();
        if (options.columnLimit > 0 && options.columnLimit < count) count = options.columnLimit;
        for (int c = 0; c < count; ++c)
            if (!table_->HasName(header.Item(c))) columns_.push_back(c);
    }
    endResetModel();
}

void RowTableModel::RowsChanged(int first, int last) {
    if (table_ == nullptr || columns_.empty()) return;
    Q_EMIT dataChanged(index(first, 0), index(last, columnCount() - 1));
}

int RowTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || table_ == nullptr) return 0;
    return table_->RowCount() - 1;
}

int RowTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QString RowTableModel::DisplayText(int row, int column) const {
    const int r = row + 1;
    const ZMGRowExt& current = table_->GetRow(r);
    const ZMGRowExt* previous = r > 1 ? &table_->GetRow(r - 1) : nullptr;
    // Blank while every shown column up to this one lies within the group
    // columns and repeats the previous row (the first row repeats "").
    bool blank = true;
    for (int k = 0; k <= column && blank; ++k) {
        const int c = columns_[static_cast<std::size_t>(k)];
        const std::string& value = current.ItemOrEmpty(c);
        const bool repeated = previous != nullptr ? previous->ItemOrEmpty(c) == value : value.empty();
        if (c >= table_->GroupColumns() || !repeated) blank = false;
    }
    return blank ? QString() : Text(current.ItemOrEmpty(columns_[static_cast<std::size_t>(column)]));
}

QVariant RowTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const ZMGRowExt& row = table_->GetRow(index.row() + 1);
    switch (role) {
        case Qt::DisplayRole: return DisplayText(index.row(), index.column());
        case Qt::CheckStateRole:
            if (options_.checkBoxes && index.column() == 0) return row.Detail() ? Qt::Checked : Qt::Unchecked;
            return {};
        case Qt::DecorationRole:
            if (!options_.checkBoxes && index.column() == 0) return KeyStateIcon(row.TestFlags());
            return {};
        default: return {};
    }
}

QVariant RowTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(columns_.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    return Text(table_->GetRow(0).ItemOrEmpty(columns_[static_cast<std::size_t>(section)]));
}

Qt::ItemFlags RowTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (options_.checkBoxes && index.column() == 0) flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool RowTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !options_.checkBoxes || index.column() != 0 ||
        !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    if (checked == table_->GetRow(index.row() + 1).Detail()) return false;
    Q_EMIT checkToggled(index.row(), checked);
    return true;
}

std::vector<int> RowTableModel::ColumnWidths(const QFontMetrics& metrics, int rowsMeasured) const {
    std::vector<int> widths;
    const int rows = std::min(rowCount(), rowsMeasured);
    for (int k = 0; k < columnCount(); ++k) {
        int width = metrics.horizontalAdvance(headerData(k, Qt::Horizontal).toString());
        for (int r = 0; r < rows; ++r) width = std::max(width, metrics.horizontalAdvance(DisplayText(r, k)));
        widths.push_back(width + (k == 0 ? 32 : 16));
    }
    return widths;
}

}  // namespace tabulorix
