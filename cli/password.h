// The database password of the commands that connect: --password, else the
// environment variable TABULORIX_PASSWORD, else asked on the terminal
// without echo. It is never printed.
#pragma once

#include <optional>
#include <string>

namespace tabulorix::cli {

inline constexpr const char* kPasswordVariable = "TABULORIX_PASSWORD";

// Nothing when no password was given and there is no terminal to ask on
// (or the terminal was closed at the prompt).
std::optional<std::string> ResolvePassword(const std::optional<std::string>& option, const std::string& user);

// Reads one line from the terminal with echo switched off, the prompt on
// stderr. Nothing when stdin is not a terminal.
std::optional<std::string> AskPasswordOnTerminal(const std::string& prompt);

}  // namespace tabulorix::cli
