#include "catalogue/lazy_list_texts.h"

#include "catalogue/row_table.h"

namespace tabulorix {

namespace {
const std::string kEmpty;
}  // namespace

MGLazyListTexts::MGLazyListTexts(const ZMGCell* table, int columnLimit)
    : table_(table != nullptr && table->RowCount() > 0 ? table : nullptr) {
    if (table_ == nullptr) return;
    const ZMGRowExt& header = table_->GetRow(0);
    int count = header.ItemCount();
    if (columnLimit > 0 && columnLimit < count) count = columnLimit;
    for (int c = 0; c < count; ++c)
        if (!table_->HasName(header.Item(c))) columns_.push_back(c);
}

int MGLazyListTexts::RowCount() const { return table_ == nullptr ? 0 : table_->RowCount() - 1; }

const std::string& MGLazyListTexts::Caption(int column) const {
    return table_->GetRow(0).ItemOrEmpty(columns_.at(static_cast<std::size_t>(column)));
}

const ZMGRowExt& MGLazyListTexts::Row(int row) const { return table_->GetRow(row + 1); }

const std::string& MGLazyListTexts::Text(int row, int column) const {
    const ZMGRowExt& current = table_->GetRow(row + 1);
    const ZMGRowExt* previous = row > 0 ? &table_->GetRow(row) : nullptr;
    for (int k = 0; k <= column; ++k) {
        const int c = columns_[static_cast<std::size_t>(k)];
        const std::string& value = current.ItemOrEmpty(c);
        const bool repeated = previous != nullptr ? previous->ItemOrEmpty(c) == value : value.empty();
        if (c >= table_->GroupColumns() || !repeated)
            return current.ItemOrEmpty(columns_[static_cast<std::size_t>(column)]);
    }
    return kEmpty;
}

}  // namespace tabulorix
