// The boxes' own part of the SQL DDL script: column definitions, comment
// headers and view sources, shared by the table and view boxes' statements.
#pragma once

#include <cstdint>
#include <string>

namespace tabulorix {

class MGShapeTable;
class ZMGRowExt;

// One column of CREATE TABLE: name, type, length, default and NOT NULL.
// Types that take no length are followed by a blank; a length is added in
// parentheses only when there is one and the type does not carry its own
// parentheses already (TIMESTAMP(6), INTERVAL DAY(2) TO SECOND(6)).
std::string ColumnDefinition(const ZMGRowExt& column);

// "\n/* 表 : NAME の label */\n" when the flags ask for comment headers.
void AppendCommentHeader(const MGShapeTable& box, std::uint32_t scriptFlags, const std::string& label,
                         std::string& out);

// The view source without its empty lines: a line feed is kept only when
// some other character came after the previous kept one.
std::string RemoveBlankLines(const std::string& source);

}  // namespace tabulorix
