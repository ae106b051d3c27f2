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
#include "catalogue/detail_distribution.h"
#include "catalogue/row_table.h"
#include "platform/worker_thread.h"

class MGSchema;

// What reading the schema blocks of one design one after another carries
// from one schema to the next: the prints of the boxes' column names (also
// for the later steps of building the diagram), the largest key number
// handed out so far, and the worker thread's part of handing out the last
// schema's details, which goes on while the next schema's boxes are built.
class MGDesignReading {
public:
    MGDesignReading() = default;
    MGDesignReading(const MGDesignReading&) = delete;
    MGDesignReading& operator=(const MGDesignReading&) = delete;
    // Unless finished, stops handing out and waits for the parts under way
    // (a failure is lost here: call Finish).
    ~MGDesignReading();

    // Hands the schema's detail rows to its boxes (built by now, and none
    // added, removed or renamed until Finish but boxes of later schemas):
    // primary and unique keys on this thread, indexes, foreign keys and
    // conditions shared with the worker thread, which may still be at them
    // on return (this thread takes what is left when the next schema's
    // details or Finish come). Each kind fills its own tables of the boxes;
    // all of them only read the boxes' column rows. Finishes the previous
    // schema's first.
    void HandOutDetails(MGSchema& schema);
    // Hands out here what the worker has not begun of the last schema's
    // details and waits for the rest; rethrows what handing them out threw.
    void Finish();

    const MGColumnPrintBook& Book() const { return book_; }

private:
    MGColumnPrintBook book_;
    std::optional<int> largestKeyNumber_;
    // The targets the shared kinds read, kept until they are done.
    std::unique_ptr<MGDetailTargets> pendingTargets_;
    std::unique_ptr<tabulorix::SharedWork> pending_;  // after what it reads
};

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
// Given the reading of a whole design, the worker thread may still be
// handing out the schema's details on return (see MGDesignReading);
// without, the schema is complete on return.
void ReadSchemaFromDesignLines(MGSchema& schema, std::span<const std::string> lines,
                               MGDesignReading* reading = nullptr);
