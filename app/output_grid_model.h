// The item model of an output dialog's list grid: the texts of an
// MGListGrid, read when the view asks for them (no item per row).
#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <vector>

#include "session/list_grid.h"

class QFontMetrics;

namespace tabulorix {

class OutputGridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The grid shown (nothing: no columns and no rows). The grid's table
    // outlives its showing.
    void SetGrid(std::optional<MGListGrid> grid);
    bool HasGrid() const { return grid_.has_value(); }

    // Width of each column: the widest of its caption and its texts in the
    // first rowsMeasured rows, plus 32 pixels for the first column and 16
    // for the others.
    std::vector<int> ColumnWidths(const QFontMetrics& metrics, int rowsMeasured = 1000) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::optional<MGListGrid> grid_;
};

}  // namespace tabulorix
