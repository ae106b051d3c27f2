#include "cli/password.h"

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace tabulorix::cli {

std::optional<std::string> ResolvePassword(const std::optional<std::string>& option,
                                           const std::string& user) {
    if (option) return option;
    if (const char* value = std::getenv(kPasswordVariable)) return std::string(value);
    return AskPasswordOnTerminal("Password for " + user + ": ");
}

std::optional<std::string> AskPasswordOnTerminal(const std::string& prompt) {
    if (!::isatty(STDIN_FILENO)) return std::nullopt;
    termios saved{};
    const bool canHide = ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (canHide) {
        termios hidden = saved;
        hidden.c_lflag &= ~tcflag_t(ECHO);
        hidden.c_lflag |= ECHONL;
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden);
    }
    std::fputs(prompt.c_str(), stderr);
    std::fflush(stderr);
    std::string line;
    const bool read = static_cast<bool>(std::getline(std::cin, line));
    if (canHide) ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    if (!read) return std::nullopt;
    return line;
}

}  // namespace tabulorix::cli
