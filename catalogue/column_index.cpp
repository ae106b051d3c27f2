#include "catalogue/column_index.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kColumnNameP = 1;
constexpr int kScannedRows = 64;

// Up to 8 bytes of a text from `from`, zero-padded.
std::uint64_t Load8(std::string_view text, std::size_t from) {
    std::uint64_t value = 0;
    if (from < text.size()) std::memcpy(&value, text.data() + from, std::min<std::size_t>(8, text.size() - from));
    return value;
}

}  // namespace

MGColumnIndex::Print MGColumnIndex::PrintOf(std::string_view name) {
    // The first and the last 8 bytes cover a text of up to 16 bytes whole.
    const std::size_t tail = name.size() > 8 ? name.size() - 8 : 0;
    return Print{name.size(), Load8(name, 0), Load8(name, tail)};
}

int MGColumnIndex::Find(const ZMGCell& columns, std::string_view name) {
    if (columns.RowCount() <= kScannedRows) return Scan(columns, name);
    auto [entry, added] = wide_.try_emplace(&columns);
    if (added) {
        for (int r = 1; !columns.IsPastEnd(r); ++r)
            entry->second.emplace(columns.GetRow(r).ItemOrEmpty(kColumnNameP), r);
    }
    const auto found = entry->second.find(name);
    return found == entry->second.end() ? 0 : found->second;
}

const std::vector<MGColumnIndex::Print>& MGColumnIndex::PrintsOf(const ZMGCell& columns) {
    const auto rows = static_cast<std::size_t>(std::max(columns.RowCount() - 1, 0));
    for (const Printed& table : printed_) {
        if (table.columns == &columns && table.prints.size() == rows) return table.prints;
    }
    Printed& table = printed_[nextPrinted_];
    nextPrinted_ = (nextPrinted_ + 1) % kPrintedTables;
    table.columns = &columns;
    table.prints.clear();
    for (int r = 1; !columns.IsPastEnd(r); ++r)
        table.prints.push_back(PrintOf(columns.GetRow(r).ItemOrEmpty(kColumnNameP)));
    return table.prints;
}

// Callers look up several names of one table in a row: the names' prints
// are taken once per table and the scan compares those.
int MGColumnIndex::Scan(const ZMGCell& columns, std::string_view name) {
    const std::vector<Print>& prints = PrintsOf(columns);
    const Print wanted = PrintOf(name);
    for (std::size_t k = 0; k < prints.size(); ++k) {
        if (!(prints[k] == wanted)) continue;
        const int r = static_cast<int>(k) + 1;
        if (name.size() <= 16 || columns.GetRow(r).ItemOrEmpty(kColumnNameP) == name) return r;
    }
    return 0;
}
