// Runs the real programs that consume our files (LibreOffice, poppler,
// librsvg) from tests, with a time limit and a private home directory.
#pragma once

#include <QStringList>
#include <optional>
#include <string>

namespace tabulorix::testing {

struct ToolResult {
    bool started = false;
    bool timedOut = false;
    int exitCode = -1;
    std::string output;  // standard output and error, merged
    bool Succeeded() const { return started && !timedOut && exitCode == 0; }
};

// Full path of a program on the PATH (or an absolute path that exists), if any.
std::optional<std::string> FindTool(const std::string& name);

// Runs the program with the arguments, killing it after timeoutSeconds.
// HOME is set to homeDir when it is not empty (LibreOffice writes its
// profile there).
ToolResult RunTool(const std::string& program, const QStringList& arguments, int timeoutSeconds,
                   const std::string& homeDir = {});

}  // namespace tabulorix::testing
