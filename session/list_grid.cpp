#include "session/list_grid.h"

#include "base/ui_ports.h"
#include "catalogue/row_table.h"
#include "session/row_count_progress.h"

namespace tabulorix {

namespace {

constexpr int kProgressRows = 100;
const std::string kEmpty;

}  // namespace

std::optional<MGListGrid> MGListGrid::Fill(const ZMGCell& table, bool progress) {
    MGListGrid grid(table);
    if (table.RowCount() == 0) return grid;
    StatusPort& status = Status();
    if (progress) {
        status.SetPosition(0);
        status.Show(true);
        status.SetMaximum(table.RowCount());
    }
    const ZMGRowExt& header = table.GetRow(0);
    for (int c = 0; c < header.ItemCount(); ++c)
        if (!table.HasName(header.ItemOrEmpty(c))) grid.columns_.push_back(c);
    // The last value of each shown column; a column starts with "".
    std::vector<const std::string*> last(grid.columns_.size(), &kEmpty);
    MGRowCountProgress rowCount(status);
    grid.blanked_.reserve(static_cast<std::size_t>(table.RowCount() - 1));
    for (int r = 1; r < table.RowCount(); ++r) {
        if (status.CancelRequested()) return std::nullopt;
        if (progress && r % kProgressRows == 0) {
            rowCount.Offer(r);
            status.SetPosition(r);
        }
        const ZMGRowExt& row = table.GetRow(r);
        std::uint16_t blanked = 0;
        bool differed = false;
        for (std::size_t i = 0; i < grid.columns_.size(); ++i) {
            const int c = grid.columns_[i];
            const std::string& value = row.ItemOrEmpty(c);
            if (!differed && c < table.GroupColumns() && value == *last[i]) {
                ++blanked;
            } else {
                differed = true;
            }
            last[i] = &value;
        }
        grid.blanked_.push_back(blanked);
    }
    if (progress) status.Close();
    return grid;
}

const std::string& MGListGrid::Caption(int column) const {
    return table_->GetRow(0).ItemOrEmpty(columns_[static_cast<std::size_t>(column)]);
}

const std::string& MGListGrid::Text(int row, int column) const {
    if (column < blanked_[static_cast<std::size_t>(row)]) return kEmpty;
    return table_->GetRow(row + 1).ItemOrEmpty(columns_[static_cast<std::size_t>(column)]);
}

}  // namespace tabulorix
