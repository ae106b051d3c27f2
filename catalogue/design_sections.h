// Reading a schema block of a design file: the section rows and the steps
// that turn them into the schema's row tables and the diagram's boxes.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/row_table.h"

class MGColumnPrintBook;
class MGSchema;

// How a value that was written with line breaks continues on the next lines.
enum class SectionContinuation {
    JoinDirectly,      // "[TABLE]", "[COLUMN]": a line not ending in a quote is
                       // joined with the next line without a line break
    JoinWithLineFeed,  // "[CONDITION]", "[VIEW]", "[TEXT]": an open quoted field
                       // continues on the next line after a line feed
    OneLinePerRow,     // the other sections
};

SectionContinuation ContinuationOf(std::string_view section);

// The fields of one row text: separated by ","; a field that begins with a
// double quote runs to the next quote that is not doubled ("" stands for
// one); any other field runs to the next comma.
std::vector<std::string> ParseSectionFields(std::string_view text);

// Fixed header of the privileges table read from a design file.
inline constexpr const char* kPrivilegeHeader[4] = {"物理表名", "権限受領者", "権限付与者", "権限名"};

// The rows of a section: the lines after the line equal to the section
// line, up to the next line beginning with "["; empty lines are skipped. A
// section written more than once gives the rows of every occurrence in file
// order (a later occurrence's first row is dropped when it equals the first
// occurrence's header row). Rows continue over several lines by the section's rule; inside a
// value that continues, empty lines and lines beginning with "[" belong to
// the value, unless the line is itself a section line of a design file.
// "[OBJECT PRIVILEGE]" replaces its first row by the fixed header. Missing
// sections give no rows.
void ReadSectionRows(std::span<const std::string> lines, std::string_view section, ZMGCell& target);

// Fills the schema from the lines of its schema block and builds its boxes,
// texts included, with the same steps as the dictionary reader. A section
// that the block holds more than once is reported (all its rows are read).
// With a book, the column tables of the schema's boxes are added to it, for
// the later steps of building the diagram of a design of several schemas.
void ReadSchemaFromDesignLines(MGSchema& schema, std::span<const std::string> lines,
                               MGColumnPrintBook* book = nullptr);
