#include "catalogue/csv_lines.h"

#include "catalogue/row_table.h"

std::string QuoteCsvField(const std::string& value) {
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted.push_back('"');
    for (const char c : value) {
        if (c == '"') quoted.push_back('"');
        quoted.push_back(c);
    }
    quoted.push_back('"');
    return quoted;
}

void WriteCsvLines(const ZMGCell& table, std::vector<std::string>& target) {
    const int columns = table.ColumnCount();
    const ZMGRowExt* previous = nullptr;
    for (int r = 0; !table.IsPastEnd(r); ++r) {
        const ZMGRowExt& row = table.GetRow(r);
        std::string line;
        for (int c = 0; c < columns; ++c) {
            // A short row contributes empty fields rather than stopping the output.
            const std::string& value = row.ItemOrEmpty(c);
            if (c > 0) line.push_back(',');
            // The first data row is never compared with the header row: a value
            // that happens to equal its column caption must still be written.
            const bool repeated =
                previous != nullptr && r > 1 && c < table.GroupColumns() && value == previous->ItemOrEmpty(c);
            if (!repeated) line += QuoteCsvField(value);
        }
        target.push_back(std::move(line));
        previous = &row;
    }
}
