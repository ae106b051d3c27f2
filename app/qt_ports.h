// The ports of the core (messages, questions, file names) as Qt dialogs
// speaking the user's language.
#pragma once

#include <QString>
#include <string>

#include "base/ui_ports.h"

class QWidget;

namespace tabulorix {

// The program's title: the caption of its message boxes.
inline constexpr const char* kProgramTitle = "Tabulorix for Oracle Version 3.0.0";

// Qt's file dialog filter from the form the dialogs are written with:
// "caption (*.x)|*.x|caption2 (*.*)|*.*" becomes
// "caption (*.x);;caption2 (*.*)". The patterns after each "|" are what
// counts: a caption that does not already end in them gets them in
// parentheses (Qt reads the patterns from there); "*.a;*.b" becomes
// "*.a *.b". A caption without a pattern keeps its own parenthesised
// patterns, or matches everything. Empty entries are dropped.
QString QtFilterFromPipes(const std::string& filter);

// The path with "." + extension appended when its file name has none (a
// trailing dot counts as none). An empty extension leaves it alone.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

// Messages, confirmation questions and file dialogs, each box over
// `window` (may be null).
class QtPorts final : public MessagePort, public QuestionPort, public FileNamePort {
public:
    explicit QtPorts(QWidget* window = nullptr) : window_(window) {}

    void SetWindow(QWidget* window) { window_ = window; }

    // An information box with the text exactly; the texts that end an
    // operation the user cannot go on with (IsAbortWarning) are shown as
    // ShowAbortWarning shows them.
    void ShowMessage(const std::string& text) override;
    // A warning box with the single button "中止" (print failures, a design
    // file of the wrong kind).
    void ShowAbortWarning(const std::string& text) override;
    static bool IsAbortWarning(const std::string& text);

    // Yes "はい(&Y)", No "いいえ(&N)", Cancel "キャンセル"; closing the box
    // counts as Cancel.
    Answer Confirm(const std::string& text) override;

    // Title, filter and proposed name of the request; the save dialog adds
    // the default extension to a name without one and asks before
    // overwriting.
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;

    // The ports to install, with the progress dialog beside these.
    UiPorts AsUiPorts(StatusPort* status) { return UiPorts{this, this, status, this}; }

private:
    std::optional<std::string> AskFileName(const FileDialogRequest& request, bool save);

    QWidget* window_;
};

}  // namespace tabulorix
