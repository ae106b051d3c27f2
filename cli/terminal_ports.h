// The user-interface ports on a terminal: messages on stderr, questions
// answered by command-line options, the progress dialog as one line on
// stderr (only when stderr is a terminal), file-name questions cancelled.
#pragma once

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "base/ui_ports.h"

namespace tabulorix::cli {

// How the command line answers the questions the core asks.
struct QuestionAnswers {
    // "…は存在しますファイルを上書きしますか?": --overwrite gives Yes,
    // --no-overwrite and no option No.
    Answer overwrite = Answer::No;
    // Every other question (saving a design first): No, the command line
    // saves only the files it is told to write.
    Answer other = Answer::No;
};

class TerminalPorts final : public MessagePort, public QuestionPort, public StatusPort, public FileNamePort {
public:
    // err is where messages, answered questions and progress go; progress is
    // drawn only when showProgress is set (stderr is a terminal).
    TerminalPorts(std::FILE* err, bool showProgress, QuestionAnswers answers = {});
    ~TerminalPorts() override;
    TerminalPorts(const TerminalPorts&) = delete;
    TerminalPorts& operator=(const TerminalPorts&) = delete;

    void ShowMessage(const std::string& text) override;
    Answer Confirm(const std::string& text) override;

    void Reset() override;
    void Show(bool cancelEnabled) override;
    void SetMaximum(int maximum) override;
    void SetMainLine(const std::string& text) override;
    void SetDetailLine(const std::string& text) override;
    void SetPosition(int position) override;
    void Close() override;
    bool CancelRequested() const override { return false; }

    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;

    // Number of messages shown (the commands fail when the core reported one).
    int MessageCount() const { return messages_; }

    // Whether the text is an overwrite question.
    static bool IsOverwriteQuestion(const std::string& text);

private:
    void DrawProgress();
    void ClearProgress();

    std::FILE* err_;
    bool showProgress_;
    QuestionAnswers answers_;
    bool progressShown_ = false;
    std::string mainLine_;
    std::string detailLine_;
    int maximum_ = 0;
    int position_ = 0;
    int messages_ = 0;
    std::string lastText_;
    std::chrono::steady_clock::time_point lastDraw_;
    ScopedPorts scope_;
};

}  // namespace tabulorix::cli
