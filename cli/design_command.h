// What the commands that read a design file share: the terminal ports and
// the headless document with the design loaded.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/options.h"
#include "cli/terminal_ports.h"
#include "session/headless_document.h"

namespace tabulorix::cli {

struct OpenedDesign {
    std::unique_ptr<TerminalPorts> ports;
    std::unique_ptr<HeadlessDocument> document;
};

// Starts the Qt application, installs the terminal ports and loads the
// design. Nothing when it could not be loaded or holds no diagram (the
// reason has been written to stderr).
std::optional<OpenedDesign> OpenDesign(const std::string& command, const std::string& path,
                                       QuestionAnswers answers = {}, const std::string& printerPdf = {});

// The overwrite answer chosen by --overwrite / --no-overwrite.
QuestionAnswers AnswersFrom(const ParsedOptions& options);

}  // namespace tabulorix::cli
