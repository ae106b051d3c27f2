#include "support/recording_ports.h"

using namespace tabulorix;

namespace tabulorix::testing {

RecordingPorts::RecordingPorts() : scope_(UiPorts{this, this, this, this}) {}
RecordingPorts::~RecordingPorts() = default;

void RecordingPorts::ShowMessage(const std::string& text) {
    messages.push_back(text);
}

Answer RecordingPorts::Confirm(const std::string& text) {
    questions.push_back(text);
    if (answers.empty()) return Answer::Cancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingPorts::Reset() {
    statusLog.push_back("Reset");
}
void RecordingPorts::Show(bool cancelEnabled) {
    statusLog.push_back(std::string("Show:") + (cancelEnabled ? "1" : "0"));
}
void RecordingPorts::SetMaximum(int maximum) {
    statusLog.push_back("Maximum:" + std::to_string(maximum));
}
void RecordingPorts::SetMainLine(const std::string& text) {
    statusLog.push_back("Main:" + text);
}
void RecordingPorts::SetDetailLine(const std::string& text) {
    statusLog.push_back("Detail:" + text);
}
void RecordingPorts::SetPosition(int position) {
    statusLog.push_back("Position:" + std::to_string(position));
    ++positions_;
    if (cancelAfterPositions >= 0 && positions_ >= cancelAfterPositions) cancel = true;
}
void RecordingPorts::Close() {
    statusLog.push_back("Close");
}
bool RecordingPorts::CancelRequested() const {
    return cancel;
}

std::optional<std::string> RecordingPorts::AskOpenFileName(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    if (fileNames.empty()) return std::nullopt;
    auto name = fileNames.front();
    fileNames.pop_front();
    return name;
}

std::optional<std::string> RecordingPorts::AskSaveFileName(const FileDialogRequest& request) {
    return AskOpenFileName(request);
}

}  // namespace tabulorix::testing
