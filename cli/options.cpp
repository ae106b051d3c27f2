#include "cli/options.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace tabulorix::cli {
namespace {

const OptionSpec* FindLong(const CommandSpec& syntax, const std::string& name) {
    for (const OptionSpec& option : syntax.options) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

const OptionSpec* FindShort(const CommandSpec& syntax, char name) {
    for (const OptionSpec& option : syntax.options) {
        if (option.shortName != 0 && option.shortName == name) return &option;
    }
    return nullptr;
}

std::string Display(const OptionSpec& option) {
    return "--" + option.name;
}

}  // namespace

std::optional<std::string> ParsedOptions::Value(const std::string& name) const {
    const auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

std::string ParsedOptions::ValueOr(const std::string& name, const std::string& fallback) const {
    return Value(name).value_or(fallback);
}

std::optional<int> ParsedOptions::IntValue(const std::string& name, int min, int max) const {
    const auto text = Value(name);
    if (!text) return std::nullopt;
    int value = 0;
    const char* end = text->data() + text->size();
    const auto [ptr, error] = std::from_chars(text->data(), end, value);
    if (text->empty() || error != std::errc() || ptr != end || value < min || value > max) {
        throw UsageError("--" + name + " wants a whole number from " + std::to_string(min) + " to " +
                         std::to_string(max) + ", not \"" + *text + "\"");
    }
    return value;
}

std::optional<std::string> ParsedOptions::ChoiceValue(const std::string& name,
                                                      const std::vector<std::string>& choices) const {
    const auto text = Value(name);
    if (!text) return std::nullopt;
    if (std::find(choices.begin(), choices.end(), *text) != choices.end()) return text;
    std::string list;
    for (const std::string& choice : choices) list += (list.empty() ? "" : ", ") + choice;
    throw UsageError("--" + name + " wants one of " + list + ", not \"" + *text + "\"");
}

void ParsedOptions::RequireAtMostOne(const std::vector<std::string>& names) const {
    std::vector<std::string> given;
    for (const std::string& name : names) {
        if (Has(name)) given.push_back("--" + name);
    }
    if (given.size() > 1) throw UsageError(given[0] + " and " + given[1] + " cannot be used together");
}

bool WantsHelp(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--") return false;
        if (arg == "--help" || arg == "-h") return true;
    }
    return false;
}

ParsedOptions Parse(const CommandSpec& syntax, const std::vector<std::string>& args) {
    ParsedOptions parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        const OptionSpec* option = nullptr;
        std::optional<std::string> inlineValue;
        if (!optionsEnded && arg.rfind("--", 0) == 0) {
            const std::size_t equals = arg.find('=');
            const std::string name =
                arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            option = FindLong(syntax, name);
            if (option == nullptr) throw UsageError("unknown option --" + name + " for " + syntax.name);
            if (equals != std::string::npos) inlineValue = arg.substr(equals + 1);
        } else if (!optionsEnded && arg.size() == 2 && arg[0] == '-' && arg[1] != '-') {
            option = FindShort(syntax, arg[1]);
            if (option == nullptr) throw UsageError("unknown option " + arg + " for " + syntax.name);
        }
        if (option == nullptr) {
            if (syntax.positional.empty())
                throw UsageError(syntax.name + " takes no argument \"" + arg + "\"");
            if (parsed.positionalGiven_)
                throw UsageError(syntax.name + " takes one " + syntax.positional + ", not also \"" + arg +
                                 "\"");
            parsed.positional_ = arg;
            parsed.positionalGiven_ = true;
            continue;
        }
        if (option->valueName.empty()) {
            if (inlineValue) throw UsageError(Display(*option) + " takes no value");
            parsed.values_[option->name] = "";
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= args.size())
                throw UsageError(Display(*option) + " needs a value " + option->valueName);
            inlineValue = args[++i];
        }
        parsed.values_[option->name] = *inlineValue;
    }
    if (!syntax.positional.empty() && !parsed.positionalGiven_)
        throw UsageError(syntax.name + " needs " + syntax.positional);
    for (const OptionSpec& option : syntax.options) {
        if (option.required && !parsed.Has(option.name))
            throw UsageError(syntax.name + " needs " + Display(option));
    }
    return parsed;
}

std::string HelpText(const CommandSpec& syntax) {
    std::ostringstream out;
    out << "Usage: tabulorix-cli " << syntax.name;
    if (!syntax.positional.empty()) out << ' ' << syntax.positional;
    for (const OptionSpec& option : syntax.options) {
        out << ' ' << (option.required ? "" : "[");
        out << "--" << option.name;
        if (!option.valueName.empty()) out << ' ' << option.valueName;
        out << (option.required ? "" : "]");
    }
    out << "\n\n" << syntax.summary << "\n\nOptions:\n";
    for (const OptionSpec& option : syntax.options) {
        std::string left = "  ";
        left += option.shortName != 0 ? std::string("-") + option.shortName + ", " : "    ";
        left += "--" + option.name;
        if (!option.valueName.empty()) left += ' ' + option.valueName;
        out << left;
        if (left.size() < 28) {
            out << std::string(28 - left.size(), ' ');
        } else {
            out << "\n" << std::string(28, ' ');
        }
        out << option.help << '\n';
    }
    out << "  -h, --help                Show this help and exit.\n";
    for (const std::string& note : syntax.notes) out << '\n' << note << '\n';
    out << "\nExit status: 0 success, 1 failure, 2 wrong command line.\n";
    return out.str();
}

}  // namespace tabulorix::cli
