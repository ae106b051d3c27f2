#include "cli/terminal_ports.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

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

// Columns of the terminal behind the stream; 80 when unknown.
int TerminalColumns(std::FILE* stream) {
    winsize size{};
    if (::ioctl(::fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return 80;
}

// The text cut to fit the columns (one line), counting a non-ASCII character
// as two columns (the Japanese texts are full width).
std::string FitColumns(const std::string& text, int columns) {
    int used = 0;
    std::size_t end = 0;
    while (end < text.size()) {
        const auto lead = static_cast<unsigned char>(text[end]);
        const int width = lead < 0x80 ? 1 : 2;
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (used + width > columns) break;
        used += width;
        end += length;
    }
    return text.substr(0, std::min(end, text.size()));
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
    std::string text = mainLine_;
    if (!detailLine_.empty()) text += (text.empty() ? "" : " ") + detailLine_;
    // A long run redraws the line at most ten times a second, and always
    // when its text (not only the position) changed.
    const auto now = std::chrono::steady_clock::now();
    if (progressShown_ && text == lastText_ && now - lastDraw_ < std::chrono::milliseconds(100)) return;
    lastDraw_ = now;
    lastText_ = text;
    if (maximum_ > 0) text += " [" + std::to_string(position_) + "/" + std::to_string(maximum_) + "]";
    std::fprintf(err_, "\r%s\x1b[K", FitColumns(text, TerminalColumns(err_) - 1).c_str());
    std::fflush(err_);
    progressShown_ = true;
}

void TerminalPorts::ClearProgress() {
    if (!progressShown_) return;
    std::fprintf(err_, "\r\x1b[K");
    std::fflush(err_);
    progressShown_ = false;
    lastText_.clear();
}

}  // namespace tabulorix::cli
