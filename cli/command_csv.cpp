// tabulorix-cli csv: the CSV lists of a schema of a design, into a directory.
#include <filesystem>

#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "cli/commands.h"
#include "cli/design_command.h"
#include "outputs/csv_export.h"
#include "session/csv_names.h"

namespace tabulorix::cli {
namespace {

// The lists chosen by --list: one index, or all nine.
std::array<bool, kCsvListCount> ChosenLists(const ParsedOptions& options) {
    std::array<bool, kCsvListCount> selected{};
    const std::string list = options.ValueOr("list", "all");
    if (list == "all") {
        selected.fill(true);
    } else {
        selected[std::size_t(*options.IntValue("list", 0, kCsvListCount - 1))] = true;
    }
    return selected;
}

int RunCsv(const ParsedOptions& options) {
    const std::array<bool, kCsvListCount> selected = ChosenLists(options);
    const QuestionAnswers answers = AnswersFrom(options);
    const std::string directory = *options.Value("directory");
    if (!std::filesystem::is_directory(directory))
        return Fail("csv", "directory " + directory + " does not exist");
    auto design = OpenDesign("csv", options.Positional(), answers);
    if (!design) return kExitFailure;
    const MGSchemaMng& manager = design->document->Manager();
    MGCsvListChoice choice;
    choice.owner = options.ValueOr("schema", manager.GetSchema(0)->OwnerName());
    if (manager.FindSchema(choice.owner) == nullptr)
        return Fail("csv", "the design has no schema " + choice.owner);
    choice.suppress = !options.Has("no-suppress");
    choice.visibleOnly = !options.Has("all-boxes");

    MGCsvSaveRequest request;
    request.directory = directory;
    request.selected = selected;
    request.fileNames = ProposedCsvNames(choice.owner, Today());
    return SaveCsvLists(manager, choice, request) ? kExitOk : kExitFailure;
}

std::string ListKindsNote() {
    std::string note = "Lists (--list):";
    for (int kind = 0; kind < kCsvListCount; ++kind) {
        note += "\n  " + std::to_string(kind) + "  " + CsvListKinds()[std::size_t(kind)].caption +
                "  (OWNER_yyyy_mm_dd_" + CsvListKinds()[std::size_t(kind)].suffix + ")";
    }
    return note;
}

}  // namespace

Command CsvCommand() {
    return Command{
        CommandSpec{"csv",
                    "Write the CSV lists of a schema of a design file into a directory.",
                    "DESIGN.tlx",
                    {OptionSpec{"schema", 0, "OWNER", "Schema to list (default: the first schema)."},
                     OptionSpec{"list", 0, "0..8|all", "One list by its number, or all nine (default)."},
                     OptionSpec{"no-suppress", 0, "", "Repeat the group columns on every row."},
                     OptionSpec{"all-boxes", 0, "", "Also tables shown as titles only."},
                     OptionSpec{"directory", 'd', "DIR", "Directory the files are written to.", true},
                     OverwriteOption(), NoOverwriteOption()},
                    {ListKindsNote(),
                     "Files are named by owner, date and list, CP932 with CR LF. An existing file\n"
                     "is kept (the list is skipped) unless --overwrite is given."}},
        &RunCsv};
}

}  // namespace tabulorix::cli
