// The commands of tabulorix-cli. Each command lives in its own file
// (command_<name>.cpp) and provides its declaration and its run function.
#pragma once

#include <string>
#include <vector>

#include "cli/options.h"

namespace tabulorix::cli {

struct Command {
    CommandSpec syntax;
    // Runs the parsed command; returns the exit status.
    int (*run)(const ParsedOptions& options);
};

Command ReverseCommand();
Command SqlCommand();
Command CsvCommand();
Command PictureCommand();
Command PrintCommand();
Command WordCommand();
Command SnapshotCommand();

// All commands in the order the overall help lists them.
const std::vector<Command>& AllCommands();

// Runs "tabulorix-cli ARGS...": dispatch, --help, usage errors (status 2)
// and failures (status 1) reported on stderr.
int RunCommandLine(const std::vector<std::string>& args);

// The message of a command whose core is not part of this build.
inline constexpr const char* kNotAvailable = "not available in this build";

// Shared option declarations.
OptionSpec OutputOption(const std::string& valueName, const std::string& help);
OptionSpec OverwriteOption();
OptionSpec NoOverwriteOption();

// Reports a failure on stderr ("tabulorix-cli: COMMAND: TEXT") and gives status 1.
int Fail(const std::string& command, const std::string& text);

// Whether stderr is a terminal (progress is shown only then).
bool ProgressWanted();

}  // namespace tabulorix::cli
