#include "app/row_table_model.h"

#include <algorithm>

#include "app/key_state_icons.h"
#include "app/ui_language.h"
#include "catalogue/row_table.h"

namespace tabulorix {

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

void RowTableModel::SetTable(const ZMGCell* table, Options options) {
    beginResetModel();
    texts_ = MGLazyListTexts(table, options.columnLimit);
    options_ = options;
    endResetModel();
}

void RowTableModel::RowsChanged(int first, int last) {
    if (texts_.ColumnCount() == 0) return;
    Q_EMIT dataChanged(index(first, 0), index(last, columnCount() - 1));
}

int RowTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : texts_.RowCount(); }

int RowTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : texts_.ColumnCount();
}

QString RowTableModel::DisplayText(int row, int column) const { return Text(texts_.Text(row, column)); }

QVariant RowTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const ZMGRowExt& row = texts_.Row(index.row());
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
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= texts_.ColumnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return TranslatedCoreText(texts_.Caption(section));
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
    if (checked == texts_.Row(index.row()).Detail()) return false;
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
