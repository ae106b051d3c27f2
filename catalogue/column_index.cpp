#include "catalogue/column_index.h"
#include "catalogue/row_items.h"

#include <algorithm>
#include <cstring>

namespace tabulorix {

namespace {

// Up to 8 bytes of a text from `from`, zero-padded.
std::uint64_t Load8(std::string_view text, std::size_t from) {
    std::uint64_t value = 0;
    if (from < text.size())
        std::memcpy(&value, text.data() + from, std::min<std::size_t>(8, text.size() - from));
    return value;
}

std::size_t DataRows(const ZMGCell& columns) {
    return static_cast<std::size_t>(std::max(columns.RowCount() - 1, 0));
}

// Appends the prints of the table's names in row order.
void AppendPrints(const ZMGCell& columns, std::vector<MGColumnPrint>& prints) {
    for (int r = 1; !columns.IsPastEnd(r); ++r)
        prints.push_back(MGColumnPrint::Of(columns.GetRow(r).ItemOrEmpty(column_row::kColumnNameP)));
}

}  // namespace

MGColumnPrint MGColumnPrint::Of(std::string_view name) {
    // The first and the last 8 bytes cover a text of up to 16 bytes whole.
    const std::size_t tail = name.size() > 8 ? name.size() - 8 : 0;
    return MGColumnPrint{name.size(), Load8(name, 0), Load8(name, tail)};
}

void MGColumnPrintBook::Add(std::span<const ZMGCell* const> tables) {
    std::size_t total = 0;
    for (const ZMGCell* columns : tables) {
        if (columns->RowCount() <= MGColumnIndex::kScannedRows) total += DataRows(*columns);
    }
    // Sized once: the spans handed out point into the batch.
    std::vector<MGColumnPrint>& batch = batches_.emplace_back();
    batch.reserve(total);
    tables_.reserve(tables_.size() + tables.size());
    for (const ZMGCell* columns : tables) {
        if (columns->RowCount() > MGColumnIndex::kScannedRows) continue;
        const std::size_t first = batch.size();
        AppendPrints(*columns, batch);
        tables_.insert_or_assign(columns, std::span<const MGColumnPrint>(batch).subspan(first));
    }
}

std::optional<std::span<const MGColumnPrint>> MGColumnPrintBook::Find(const ZMGCell& columns) const {
    const auto found = tables_.find(&columns);
    if (found == tables_.end() || found->second.size() != DataRows(columns)) return std::nullopt;
    return found->second;
}

int MGColumnIndex::Find(const ZMGCell& columns, std::string_view name) {
    if (columns.RowCount() <= kScannedRows) return Scan(columns, name);
    auto [entry, added] = wide_.try_emplace(&columns);
    if (added) {
        for (int r = 1; !columns.IsPastEnd(r); ++r)
            entry->second.emplace(columns.GetRow(r).ItemOrEmpty(column_row::kColumnNameP), r);
    }
    const auto found = entry->second.find(name);
    return found == entry->second.end() ? 0 : found->second;
}

std::span<const MGColumnPrint> MGColumnIndex::PrintsOf(const ZMGCell& columns) {
    const std::size_t rows = DataRows(columns);
    for (const Printed& table : printed_) {
        if (table.columns == &columns && table.prints.size() == rows) return table.prints;
    }
    Printed& table = printed_[nextPrinted_];
    nextPrinted_ = (nextPrinted_ + 1) % kPrintedTables;
    table.columns = &columns;
    if (book_ != nullptr) {
        if (const auto kept = book_->Find(columns)) return table.prints = *kept;
    }
    table.taken.clear();
    AppendPrints(columns, table.taken);
    return table.prints = table.taken;
}

// Callers look up several names of one table in a row: the names' prints
// are taken once per table (or once per build, by the book) and the scan
// compares those.
int MGColumnIndex::Scan(const ZMGCell& columns, std::string_view name) {
    const std::span<const MGColumnPrint> prints = PrintsOf(columns);
    const MGColumnPrint wanted = MGColumnPrint::Of(name);
    for (std::size_t k = 0; k < prints.size(); ++k) {
        if (!(prints[k] == wanted)) continue;
        const int r = static_cast<int>(k) + 1;
        if (name.size() <= 16 || columns.GetRow(r).ItemOrEmpty(column_row::kColumnNameP) == name) return r;
    }
    return 0;
}

}  // namespace tabulorix
