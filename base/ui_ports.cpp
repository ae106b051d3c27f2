#include "base/ui_ports.h"

#include <iostream>

#include "base/main_thread.h"

namespace tabulorix {

namespace {

class StderrMessages final : public MessagePort {
public:
    void ShowMessage(const std::string& text) override { std::cerr << text << '\n'; }
};

class CancelQuestions final : public QuestionPort {
public:
    Answer Confirm(const std::string&) override { return Answer::Cancel; }
};

class SilentStatus final : public StatusPort {
public:
    void Reset() override {}
    void Show(bool) override {}
    void SetMaximum(int) override {}
    void SetMainLine(const std::string&) override {}
    void SetDetailLine(const std::string&) override {}
    void SetPosition(int) override {}
    void Close() override {}
    bool CancelRequested() const override { return false; }
};

class CancelFileNames final : public FileNamePort {
public:
    std::optional<std::string> AskOpenFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> AskSaveFileName(const FileDialogRequest&) override { return std::nullopt; }
};

UiPorts& Installed() {
    static UiPorts ports;
    return ports;
}

UiPorts& Defaults() {
    static StderrMessages messages;
    static CancelQuestions questions;
    static SilentStatus status;
    static CancelFileNames files;
    static UiPorts ports{&messages, &questions, &status, &files};
    return ports;
}

}  // namespace

const UiPorts& CurrentPorts() {
    TABULORIX_ASSERT_MAIN_THREAD();
    static UiPorts merged;
    const UiPorts& set = Installed();
    const UiPorts& fallback = Defaults();
    merged.messages = set.messages ? set.messages : fallback.messages;
    merged.questions = set.questions ? set.questions : fallback.questions;
    merged.status = set.status ? set.status : fallback.status;
    merged.files = set.files ? set.files : fallback.files;
    return merged;
}

void InstallPorts(const UiPorts& ports) {
    Installed() = ports;
}

void ShowMessage(const std::string& text) {
    CurrentPorts().messages->ShowMessage(text);
}

void ShowAbortWarning(const std::string& text) {
    CurrentPorts().messages->ShowAbortWarning(text);
}
Answer Confirm(const std::string& text) {
    return CurrentPorts().questions->Confirm(text);
}
StatusPort& Status() {
    return *CurrentPorts().status;
}
FileNamePort& FileNames() {
    return *CurrentPorts().files;
}

ScopedPorts::ScopedPorts(const UiPorts& ports) : previous_(Installed()) {
    InstallPorts(ports);
}
ScopedPorts::~ScopedPorts() {
    InstallPorts(previous_);
}

}  // namespace tabulorix
