#include <unistd.h>

#include <cstdio>
#include <exception>
#include <iostream>

#include "cli/commands.h"

namespace tabulorix::cli {
namespace {

void PrintOverview(std::ostream& out) {
    out << "Usage: tabulorix-cli COMMAND [OPTIONS]\n\n"
           "Reads Oracle schemas and writes their diagram, DDL scripts, CSV lists,\n"
           "pictures, printed pages and Word documents without a window.\n\nCommands:\n";
    for (const Command& command : AllCommands()) {
        std::string name = "  " + command.syntax.name;
        name.resize(12, ' ');
        out << name << command.syntax.summary << '\n';
    }
    out << "\n\"tabulorix-cli COMMAND --help\" describes a command.\n"
           "Exit status: 0 success, 1 failure, 2 wrong command line.\n";
}

const Command* FindCommand(const std::string& name) {
    for (const Command& command : AllCommands()) {
        if (command.syntax.name == name) return &command;
    }
    return nullptr;
}

}  // namespace

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands{ReverseCommand(), SqlCommand(),   CsvCommand(),
                                               PictureCommand(), PrintCommand(), WordCommand(),
                                               SnapshotCommand()};
    return commands;
}

OptionSpec OutputOption(const std::string& valueName, const std::string& help) {
    return OptionSpec{"output", 'o', valueName, help, true};
}

OptionSpec OverwriteOption() {
    return OptionSpec{"overwrite", 0, "", "Answer Yes when asked whether to overwrite an existing file."};
}

OptionSpec NoOverwriteOption() {
    return OptionSpec{"no-overwrite", 0, "",
                      "Answer No when asked whether to overwrite an existing file (the default)."};
}

int Fail(const std::string& command, const std::string& text) {
    std::cerr << "tabulorix-cli: " << command << ": " << text << '\n';
    return kExitFailure;
}

bool ProgressWanted() {
    return ::isatty(STDERR_FILENO) != 0;
}

int RunCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) {
        PrintOverview(std::cerr);
        return kExitUsage;
    }
    const std::string& name = args[0];
    if (name == "--help" || name == "-h" || name == "help") {
        if (args.size() > 1) {
            if (const Command* command = FindCommand(args[1])) {
                std::cout << HelpText(command->syntax);
                return kExitOk;
            }
            std::cerr << "tabulorix-cli: unknown command \"" << args[1] << "\"\n";
            return kExitUsage;
        }
        PrintOverview(std::cout);
        return kExitOk;
    }
    const Command* command = FindCommand(name);
    if (command == nullptr) {
        std::cerr << "tabulorix-cli: unknown command \"" << name << "\" (see tabulorix-cli --help)\n";
        return kExitUsage;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (WantsHelp(rest)) {
        std::cout << HelpText(command->syntax);
        return kExitOk;
    }
    try {
        const ParsedOptions options = Parse(command->syntax, rest);
        return command->run(options);
    } catch (const UsageError& error) {
        std::cerr << "tabulorix-cli: " << name << ": " << error.what() << "\n(see tabulorix-cli " << name
                  << " --help)\n";
        return kExitUsage;
    } catch (const std::exception& error) {
        return Fail(name, error.what());
    }
}

}  // namespace tabulorix::cli
