// Comma-separated lines of a row table, as written to design files and CSV
// files: every field double-quoted with inner quotes doubled, and the leading
// group columns left empty where they repeat the previous data row.
#pragma once

#include <string>
#include <vector>

namespace tabulorix {

class ZMGCell;

// v with every double quote doubled, wrapped in double quotes ("" for "").
std::string QuoteCsvField(const std::string& value);
// Appends QuoteCsvField(value) to line.
void AppendCsvField(std::string& line, const std::string& value);

// Appends one line per row of the table (header row included) to target,
// without line terminators. Rows before fromRow are neither written nor
// compared with (a caller writing a long table in pieces passes 1 after the
// first piece, whose header row it keeps).
void WriteCsvLines(const ZMGCell& table, std::vector<std::string>& target, int fromRow = 0);

}  // namespace tabulorix
