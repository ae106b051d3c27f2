// Reading row tables back in tests: the values of a row, of a table's rows
// and of one column, plus small text helpers the catalogue and design tests
// share.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/row_table.h"
#include "platform/database.h"

namespace tabulorix::testing {

using Strings = std::vector<std::string>;

inline Strings Values(const ZMGRowBase& row) {
    Strings values;
    for (int i = 0; i < row.ItemCount(); ++i) values.push_back(row.Item(i));
    return values;
}

// The rows of a table from row `from` on (1 skips the header).
inline std::vector<Strings> Rows(const ZMGCell& table, int from = 0) {
    std::vector<Strings> rows;
    for (int r = from; !table.IsPastEnd(r); ++r) rows.push_back(Values(table.GetRow(r)));
    return rows;
}

// One column of the rows after the header.
inline Strings Column(const ZMGCell& table, int column) {
    Strings values;
    for (int r = 1; !table.IsPastEnd(r); ++r) values.push_back(table.GetRow(r).Item(column));
    return values;
}

inline std::unique_ptr<ZMGRowExt> RowOf(const Strings& values) {
    auto row = std::make_unique<ZMGRowExt>();
    for (const std::string& value : values) row->AddItem(value);
    return row;
}

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

inline std::string JoinedLines(const Strings& texts) {
    std::string all;
    for (const std::string& text : texts) all += text + "\n";
    return all;
}

// The text of the DatabaseError the action throws, or "(no error)".
inline std::string DatabaseErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const DatabaseError& error) {
        return error.what();
    }
    return "(no error)";
}

// The main progress lines among logged status calls ("Main:text").
inline Strings MainLines(const Strings& statusLog) {
    Strings lines;
    for (const std::string& entry : statusLog) {
        if (entry.rfind("Main:", 0) == 0) lines.push_back(entry.substr(5));
    }
    return lines;
}

}  // namespace tabulorix::testing
