#include "cli/terminal_ports.h"

namespace tabulorix::cli {
namespace {

constexpr const char* kOverwriteQuestionEnd = "は存在しますファイルを上書きしますか?";

const char* AnswerName(Answer answer) {
    switch (answer) {
        case Answer::Yes:
            return "Yes";
        case Answer::No:
            return "No";
        case Answer::Cancel:
            break;
    }
    return "Cancel";
}

}  // namespace

TerminalPorts::TerminalPorts(std::FILE* err, bool showProgress, QuestionAnswers answers)
    : err_(err), showProgress_(showProgress), answers_(answers), scope_(UiPorts{this, this, this, this}) {}

TerminalPorts::~TerminalPorts() {
    ClearProgress();
}

void TerminalPorts::ShowMessage(const std::string& text) {
    ClearProgress();
    ++messages_;
    std::fprintf(err_, "tabulorix-cli: %s\n", text.c_str());
    std::fflush(err_);
}

bool TerminalPorts::IsOverwriteQuestion(const std::string& text) {
    const std::string end = kOverwriteQuestionEnd;
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

Answer TerminalPorts::Confirm(const std::string& text) {
    const Answer answer = IsOverwriteQuestion(text) ? answers_.overwrite : answers_.other;
    ClearProgress();
    std::fprintf(err_, "tabulorix-cli: %s -> %s\n", text.c_str(), AnswerName(answer));
    std::fflush(err_);
    return answer;
}

void TerminalPorts::Reset() {
    mainLine_.clear();
    detailLine_.clear();
    maximum_ = 0;
    position_ = 0;
}

void TerminalPorts::Show(bool) {
    DrawProgress();
}

void TerminalPorts::SetMaximum(int maximum) {
    maximum_ = maximum;
    DrawProgress();
}

void TerminalPorts::SetMainLine(const std::string& text) {
    mainLine_ = text;
    DrawProgress();
}

void TerminalPorts::SetDetailLine(const std::string& text) {
    detailLine_ = text;
    DrawProgress();
}

void TerminalPorts::SetPosition(int position) {
    position_ = position;
    DrawProgress();
}

void TerminalPorts::Close() {
    ClearProgress();
}

std::optional<std::string> TerminalPorts::AskOpenFileName(const FileDialogRequest&) {
    return std::nullopt;
}

std::optional<std::string> TerminalPorts::AskSaveFileName(const FileDialogRequest&) {
    return std::nullopt;
}

// One line, redrawn in place: main line, detail line and position of maximum.
void TerminalPorts::DrawProgress() {
    if (!showProgress_) return;
    std::string line = mainLine_;
    if (!detailLine_.empty()) line += (line.empty() ? "" : " ") + detailLine_;
    if (maximum_ > 0) line += " [" + std::to_string(position_) + "/" + std::to_string(maximum_) + "]";
    std::fprintf(err_, "\r%s\x1b[K", line.c_str());
    std::fflush(err_);
    progressShown_ = true;
}

void TerminalPorts::ClearProgress() {
    if (!progressShown_) return;
    std::fprintf(err_, "\r\x1b[K");
    std::fflush(err_);
    progressShown_ = false;
}

}  // namespace tabulorix::cli
