// Recording implementations of the user-interface ports for tests: every
// message and status call is logged, questions are answered from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "base/ui_ports.h"

namespace tabulorix::testing {

class RecordingPorts final : public MessagePort, public QuestionPort, public StatusPort, public FileNamePort {
public:
    RecordingPorts();
    ~RecordingPorts() override;

    // MessagePort
    void ShowMessage(const std::string& text) override;
    // QuestionPort: answers in the order queued; Cancel when the queue is empty.
    Answer Confirm(const std::string& text) override;
    // StatusPort: every call is logged as "name" or "name:argument".
    void Reset() override;
    void Show(bool cancelEnabled) override;
    void SetMaximum(int maximum) override;
    void SetMainLine(const std::string& text) override;
    void SetDetailLine(const std::string& text) override;
    void SetPosition(int position) override;
    void Close() override;
    bool CancelRequested() const override;
    // FileNamePort: names in the order queued; cancelled when empty.
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> statusLog;
    std::vector<FileDialogRequest> fileRequests;
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> fileNames;
    bool cancel = false;
    // Set the cancel flag once this many status position calls have been made.
    int cancelAfterPositions = -1;

private:
    int positions_ = 0;
    ScopedPorts scope_;
};

}  // namespace tabulorix::testing
