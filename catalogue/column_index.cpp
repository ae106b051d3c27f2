#include "catalogue/column_index.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr int kColumnNameP = 1;
constexpr int kScannedRows = 64;

std::uint64_t Load8(const char* p) {
    std::uint64_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

// Equality of two texts, without a call for the usual names: texts of 8 to
// 16 bytes are compared as their first and last 8 bytes (the scan compares
// each name with every column of a table, and most have the same length as
// many others).
bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (a.size() < 8 || a.size() > 16) return a == b;
    const std::size_t tail = a.size() - 8;
    return Load8(a.data()) == Load8(b.data()) && Load8(a.data() + tail) == Load8(b.data() + tail);
}

}  // namespace

int MGColumnIndex::Find(const ZMGCell& columns, std::string_view name) {
    if (columns.RowCount() <= kScannedRows) {
        for (int r = 1; !columns.IsPastEnd(r); ++r) {
            if (SameText(columns.GetRow(r).ItemOrEmpty(kColumnNameP), name)) return r;
        }
        return 0;
    }
    auto [entry, added] = wide_.try_emplace(&columns);
    if (added) {
        for (int r = 1; !columns.IsPastEnd(r); ++r) entry->second.emplace(columns.GetRow(r).ItemOrEmpty(kColumnNameP), r);
    }
    const auto found = entry->second.find(name);
    return found == entry->second.end() ? 0 : found->second;
}
