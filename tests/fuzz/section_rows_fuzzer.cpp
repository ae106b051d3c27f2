// The section rows of a schema block: every section read from the same
// lines under its continuation rule, and the field splitting of each line.
#include <array>
#include <cstdlib>

#include "designfile/design_sections.h"
#include "fuzz/fuzz_support.h"
#include "base/file_io.h"

using namespace tabulorix;

namespace {

constexpr std::array<const char*, 10> kSections = {
    "[TABLE]",     "[COLUMN]", "[PRIMARY KEY]",      "[UNIQUE]", "[FOREIGN KEY]",
    "[CONDITION]", "[INDEX]",  "[OBJECT PRIVILEGE]", "[VIEW]",   "[TEXT]"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = tabulorix::SplitLines(tabulorix::fuzzing::AsText(data, size));
    for (const char* section : kSections) {
        ZMGCell rows;
        ReadSectionRows(lines, section, rows);
        // Every row read comes from at least one line of the input.
        if (rows.RowCount() > static_cast<int>(lines.size()) + 1) std::abort();
    }
    for (const std::string& line : lines) {
        const std::vector<std::string> fields = ParseSectionFields(line);
        if (fields.empty()) std::abort();  // even an empty text is one empty field
        std::size_t total = 0;
        for (const std::string& field : fields) total += field.size();
        if (total > line.size()) std::abort();  // fields never hold more than the text
    }
    return 0;
}
