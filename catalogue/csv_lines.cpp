#include "catalogue/csv_lines.h"

#include <algorithm>

#include "catalogue/row_table.h"

namespace tabulorix {

void AppendCsvField(std::string& line, const std::string& value) {
    line.push_back('"');
    for (std::size_t start = 0;;) {
        const std::size_t quote = value.find('"', start);
        if (quote == std::string::npos) {
            line.append(value, start);
            break;
        }
        line.append(value, start, quote + 1 - start);
        line.push_back('"');
        start = quote + 1;
    }
    line.push_back('"');
}

std::string QuoteCsvField(const std::string& value) {
    std::string quoted;
    quoted.reserve(value.size() + 2);
    AppendCsvField(quoted, value);
    return quoted;
}

void WriteCsvLines(const ZMGCell& table, std::vector<std::string>& target, int fromRow) {
    const int columns = table.ColumnCount();
    const ZMGRowExt* previous = nullptr;
    for (int r = std::max(fromRow, 0); !table.IsPastEnd(r); ++r) {
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
            if (!repeated) AppendCsvField(line, value);
        }
        target.push_back(std::move(line));
        previous = &row;
    }
}

}  // namespace tabulorix
