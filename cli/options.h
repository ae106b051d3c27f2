// The command line's option parser: every command declares its options once;
// the same declaration parses the arguments and writes the command's --help.
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tabulorix::cli {

// Exit statuses of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// A wrong command line; the message names the option or argument.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OptionSpec {
    std::string name;       // long name without the dashes, e.g. "output"
    char shortName = 0;     // e.g. 'o', 0 for none
    std::string valueName;  // e.g. "FILE"; empty for a switch
    std::string help;
    bool required = false;
};

struct CommandSpec {
    std::string name;
    std::string summary;              // one line for the command list
    std::string positional;           // e.g. "DESIGN.tlx"; empty when the command takes none
    std::vector<OptionSpec> options;  // --help is added to every command
    std::vector<std::string> notes;   // paragraphs after the option list
};

class ParsedOptions {
public:
    bool Has(const std::string& name) const { return values_.count(name) != 0; }
    // The last value given for the option.
    std::optional<std::string> Value(const std::string& name) const;
    std::string ValueOr(const std::string& name, const std::string& fallback) const;
    const std::string& Positional() const { return positional_; }

    // A whole number between min and max; UsageError naming the option otherwise.
    std::optional<int> IntValue(const std::string& name, int min, int max) const;
    // One of the choices; UsageError listing them otherwise.
    std::optional<std::string> ChoiceValue(const std::string& name,
                                           const std::vector<std::string>& choices) const;
    // At most one of the options; UsageError naming both otherwise.
    void RequireAtMostOne(const std::vector<std::string>& names) const;

private:
    friend ParsedOptions Parse(const CommandSpec& syntax, const std::vector<std::string>& args);
    std::map<std::string, std::string> values_;  // a switch has an empty value
    std::string positional_;
    bool positionalGiven_ = false;
};

// Parses the arguments after the command name: --name VALUE, --name=VALUE,
// -x VALUE, switches, and the positional argument. "--help" must be checked
// before (WantsHelp). Throws UsageError.
ParsedOptions Parse(const CommandSpec& syntax, const std::vector<std::string>& args);

bool WantsHelp(const std::vector<std::string>& args);

// The text of "tabulorix-cli COMMAND --help".
std::string HelpText(const CommandSpec& syntax);

}  // namespace tabulorix::cli
