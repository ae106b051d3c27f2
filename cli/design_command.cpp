#include "cli/design_command.h"

#include <filesystem>

#include "cli/commands.h"
#include "platform/gui_application.h"

namespace tabulorix::cli {

std::optional<OpenedDesign> OpenDesign(const std::string& command, const std::string& path,
                                       QuestionAnswers answers, const std::string& printerPdf) {
    if (!std::filesystem::is_regular_file(path)) {
        Fail(command, "design file " + path + " does not exist or is not a file");
        return std::nullopt;
    }
    EnsureGuiApplication();
    OpenedDesign opened;
    opened.ports = std::make_unique<TerminalPorts>(stderr, ProgressWanted(), answers);
    opened.document = std::make_unique<HeadlessDocument>(printerPdf.empty() ? "tabulorix.pdf" : printerPdf);
    if (!opened.document->LoadDesign(path)) {
        Fail(command, "design file " + path +
                          (opened.document->HasDiagram() ? " could not be read" : " holds no diagram"));
        return std::nullopt;
    }
    return opened;
}

QuestionAnswers AnswersFrom(const ParsedOptions& options) {
    options.RequireAtMostOne({"overwrite", "no-overwrite"});
    QuestionAnswers answers;
    answers.overwrite = options.Has("overwrite") ? Answer::Yes : Answer::No;
    return answers;
}

}  // namespace tabulorix::cli
