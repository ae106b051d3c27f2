// Ports through which the core reaches the user.
//
// The core (catalogue, designfile, diagram, outputs, render) never talks to a
// window. Messages, yes/no/cancel questions, the progress ("status") dialog
// and file-name questions go through these small interfaces; the GUI
// implements them with Qt Widgets, the command line with the terminal, and
// the tests with recording implementations (tests/support).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tabulorix {

// Answers of a confirmation box, with the numeric values the dialogs return.
enum class Answer : int { Yes = 6, No = 7, Cancel = 2 };

class MessagePort {
public:
    virtual ~MessagePort() = default;
    // A message box with the text exactly as given (UTF-8).
    virtual void ShowMessage(const std::string& text) = 0;
    // A failure that ends what the user started (a print job): a warning
    // with a single Abort button where the face has one.
    virtual void ShowAbortWarning(const std::string& text) { ShowMessage(text); }
};

class QuestionPort {
public:
    virtual ~QuestionPort() = default;
    // A confirmation box with the buttons Yes, No and Cancel.
    virtual Answer Confirm(const std::string& text) = 0;
};

// The progress dialog of long operations. Cancelling is a flag the dialog's
// button sets; long operations test it between steps.
class StatusPort {
public:
    virtual ~StatusPort() = default;
    virtual void Reset() = 0;
    virtual void Show(bool cancelEnabled) = 0;
    virtual void SetMaximum(int maximum) = 0;
    virtual void SetMainLine(const std::string& text) = 0;
    virtual void SetDetailLine(const std::string& text) = 0;
    virtual void SetPosition(int position) = 0;
    virtual void Close() = 0;
    virtual bool CancelRequested() const = 0;
    // Lets the user interface handle pending events (a no-op headless).
    virtual void ProcessEvents() {}
};

struct FileDialogRequest {
    std::string title;             // dialog caption
    std::string defaultExtension;  // without the dot, e.g. "tlx"
    std::string filter;            // "caption (*.ext)|*.ext|..." as the dialogs quote it
    std::string initialName;       // proposed file name, may be empty
};

class FileNamePort {
public:
    virtual ~FileNamePort() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) = 0;
};

// The ports in force. Pointers are not owned; whoever installs them keeps
// them alive while they are installed.
struct UiPorts {
    MessagePort* messages = nullptr;
    QuestionPort* questions = nullptr;
    StatusPort* status = nullptr;
    FileNamePort* files = nullptr;
};

// The process-wide ports. Before anything is installed, headless defaults are
// in force: messages go to stderr, questions are answered Cancel, the status
// dialog does nothing and file questions are cancelled.
const UiPorts& CurrentPorts();
void InstallPorts(const UiPorts& ports);

// Shorthands for the core.
void ShowMessage(const std::string& text);
void ShowAbortWarning(const std::string& text);
Answer Confirm(const std::string& text);
StatusPort& Status();
FileNamePort& FileNames();

// Installs ports for the lifetime of the object and restores the previous
// ones afterwards (used by the tests and by nested tools).
class ScopedPorts {
public:
    explicit ScopedPorts(const UiPorts& ports);
    ~ScopedPorts();
    ScopedPorts(const ScopedPorts&) = delete;
    ScopedPorts& operator=(const ScopedPorts&) = delete;

private:
    UiPorts previous_;
};

}  // namespace tabulorix
