// The progress dialog "処理中..." of long operations (reading the
// dictionary, loading a design, filling large lists, writing CSV files).
//
// TStatusDlg is the GUI's StatusPort: two read-only text lines, a progress
// bar and a cancel button. Shown, it is application-modal but does not
// block: the operation goes on running on the same thread and lets the
// window handle pending events each time it sets a text, so the dialog
// repaints and its cancel button can be clicked, while every other window
// takes no input (no command can start inside a running one).
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "base/ui_ports.h"

class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tabulorix {

class TStatusDlg final : public QDialog, public StatusPort {
    Q_OBJECT
public:
    // `busy` tells whether the main window is busy (its selection is being
    // processed); while it answers true, pending events are not processed.
    // Without it events are always processed.
    explicit TStatusDlg(QWidget* parent = nullptr, std::function<bool()> busy = {});

    void SetBusyQuery(std::function<bool()> busy) { busy_ = std::move(busy); }

    // StatusPort.
    void Reset() override;
    void Show(bool cancelEnabled) override;
    void SetMaximum(int maximum) override;
    void SetMainLine(const std::string& text) override;
    void SetDetailLine(const std::string& text) override;
    void SetPosition(int position) override;
    void Close() override;
    // The cancel flag: set by the cancel button, cleared by Show.
    bool CancelRequested() const override { return cancelRequested_; }
    void ProcessEvents() override;

    // Escape acts as the cancel button while it is enabled and never hides
    // the dialog: only the operation closes it.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ButtonCancelClick();

    QLineEdit* EditStatusMain;
    QLineEdit* EditStatusSub;
    QProgressBar* ProgressBarStatus;
    QPushButton* ButtonCancel;
    std::function<bool()> busy_;
    bool cancelRequested_ = false;
};

}  // namespace tabulorix
