// A list view's model over a row table: the header row gives the column
// captions, each data row one item. Texts are read from the rows when the
// view asks for them, so a table of any length is shown at once; the
// repeated leading key values are blanked by comparing a row with the one
// before it, as filling the list row by row would.
#pragma once

#include <QAbstractTableModel>
#include <QFontMetrics>
#include <vector>

#include "catalogue/lazy_list_texts.h"

namespace tabulorix {

class ZMGCell;

class RowTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    struct Options {
        bool checkBoxes;  // the first column shows the rows' detail flag
        int columnLimit;  // shown columns at most (0: all)
    };

    // The table shown (none: an empty list). The table outlives its showing;
    // the model never changes it.
    void SetTable(const ZMGCell* table, Options options);
    void SetTable(const ZMGCell* table) { SetTable(table, Options{false, 0}); }
    const ZMGCell* Table() const { return texts_.Table(); }
    // The rows changed their detail flags or values (data rows, from 0).
    void RowsChanged(int first, int last);

    // Width of each shown column: the widest of the caption and the texts
    // of the first rows (at most rowsMeasured), plus 32 pixels for the first
    // column (room for its picture) and 16 for the others.
    std::vector<int> ColumnWidths(const QFontMetrics& metrics, int rowsMeasured = 1000) const;
    // The displayed text of a data row (from 0) in a shown column.
    QString DisplayText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A check box ticked or unticked by the user; the model reports it and
    // leaves the change to whoever listens (checkToggled).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    void checkToggled(int row, bool checked);

private:
    MGLazyListTexts texts_;
    Options options_{false, 0};
};

}  // namespace tabulorix
