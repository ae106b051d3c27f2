// tabulorix-cli print: the print action's page loop into a PDF file.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/commands.h"
#include "cli/design_command.h"

namespace tabulorix::cli {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxPage = 1000 * 1000;

int RunPrint(const ParsedOptions& options) {
    const fs::path out = *options.Value("output");
    const std::optional<int> from = options.IntValue("from", 1, kMaxPage);
    const std::optional<int> to = options.IntValue("to", 1, kMaxPage);
    if (from && to && *to < *from)
        throw UsageError("--to " + std::to_string(*to) + " is below --from " + std::to_string(*from));
    // The printer writes a temporary file beside the target, renamed over it
    // once the job has ended, so a failed job leaves an existing file alone.
    std::string hidden = ".";
    hidden += out.filename().string();
    hidden += ".printing";
    const fs::path temporary = out.parent_path() / hidden;
    auto design = OpenDesign("print", options.Positional(), {}, temporary.string());
    if (!design) return kExitFailure;
    HeadlessDocument& document = *design->document;
    const int pages = document.PageCount();
    const PrintOutcome outcome = document.Print(from, to);
    std::error_code error;
    if (!outcome.ok) {
        fs::remove(temporary, error);
        return kExitFailure;
    }
    if (outcome.sheets == 0) {
        return Fail("print", "no page of the range " + std::to_string(from.value_or(1)) + " - " +
                                 std::to_string(to.value_or(pages)) + " lies in the page grid of " +
                                 std::to_string(pages) + " pages; nothing was printed");
    }
    fs::rename(temporary, out, error);
    if (error) {
        fs::remove(temporary, error);
        return Fail("print", "cannot write " + out.string() + ": " + error.message());
    }
    return kExitOk;
}

}  // namespace

Command PrintCommand() {
    return Command{
        CommandSpec{"print",
                    "Print the diagram into a PDF file, one sheet per page of the page grid.",
                    "DESIGN.tlx",
                    {OptionSpec{"from", 0, "N", "First page to print (default 1)."},
                     OptionSpec{"to", 0, "M", "Last page to print (default: the last page of the grid)."},
                     OutputOption("OUT.pdf", "The PDF file to write.")},
                    {"Pages are numbered from 1 in rows of the page grid, left to right. Each sheet\n"
                     "carries its page number (\"- n -\") at the position stored in the design; the\n"
                     "paper is the one stored in the design. Printing stops at the first page past\n"
                     "the grid."}},
        &RunPrint};
}

}  // namespace tabulorix::cli
