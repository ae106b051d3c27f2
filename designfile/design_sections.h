// Reading a schema block of a design file: the section rows and the steps
// that turn them into the schema's row tables and the diagram's boxes.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/column_index.h"
#include "catalogue/row_table.h"
#include "reading/detail_distribution.h"

namespace tabulorix {

class MGSchema;

// What reading the schema blocks of one design one after another carries
// from one schema to the next: the prints of the boxes' column names (also
// for the later steps of building the diagram) and the largest key number
// handed out so far.
class MGDesignReading {
public:
    MGDesignReading() = default;
    MGDesignReading(const MGDesignReading&) = delete;
    MGDesignReading& operator=(const MGDesignReading&) = delete;

    // Hands the schema's detail rows to its boxes (built by now): the kinds
    // on both threads, joined before it returns.
    void HandOutDetails(MGSchema& schema);

    const MGColumnPrintBook& Book() const { return book_; }

private:
    MGColumnPrintBook book_;
    std::optional<int> largestKeyNumber_;
};

// How a value that was written with line breaks continues on the next lines.
enum class SectionContinuation {
    JoinUntilQuoteAtEnd,  // "[TABLE]", "[COLUMN]": a line not ending in a quote
                          // is joined with the next line, after a line feed
                          // when a quoted value is open
    JoinWithLineFeed,     // "[CONDITION]", "[VIEW]", "[TEXT]": an open quoted field
                          // continues on the next line after a line feed
    OneLinePerRow,        // the other sections
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
// The schema is complete on return; the reading of a whole design carries
// what the next schema continues.
void ReadSchemaFromDesignLines(MGSchema& schema, std::span<const std::string> lines,
                               MGDesignReading* reading = nullptr);

}  // namespace tabulorix
