#include "support/recording_host.h"

using namespace tabulorix;

namespace tabulorix::testing {

Answer RecordingPorts::Confirm(const std::string& text) {
    questions.push_back(text);
    if (answers.empty()) return Answer::Cancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingPorts::SetPosition(int position) {
    statusLog.push_back("Position:" + std::to_string(position));
    if (cancelAfterPositions >= 0 && ++positions_ >= cancelAfterPositions) cancel = true;
}

std::optional<std::string> RecordingPorts::AskOpenFileName(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    if (fileNames.empty()) return std::nullopt;
    auto name = fileNames.front();
    fileNames.pop_front();
    return name;
}

PaperSettingsResult RecordingPrinter::WritePaperSettings(int paperSize, int orientation) {
    if (settings.status != PaperSettingsResult::Status::Ok) return settings;
    settings.paperSize = paperSize;
    settings.orientation = orientation;
    if ((orientation == kOrientationLandscape) != (pageWidth > pageHeight)) std::swap(pageWidth, pageHeight);
    return settings;
}

}  // namespace tabulorix::testing
