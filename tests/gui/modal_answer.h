// Answering the modal dialogs a test opens: a timer waits for the next
// modal QMessageBox or QFileDialog to become the active modal widget and
// answers it like a user would. Queue the answer before the call that
// opens the dialog; several answers may be queued at once (a file dialog
// and the overwrite question it asks).
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <memory>

namespace tabulorix::testing {

// What the answered dialog showed. `answered` stays false when no such
// dialog came within the time limit or it had no such button; a message
// box without the button is closed with Escape so the test does not hang.
struct ModalSeen {
    bool answered = false;
    QString title;
    QString text;             // message box text
    QStringList buttons;      // message box button texts, with their '&'
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString fileName;         // file dialog: the name field before answering
    QString nameFilters;      // file dialog: filters joined with ";;"
};

// Clicks the button of the next message box whose text, without '&', is
// `buttonText` without '&'.
std::shared_ptr<const ModalSeen> AnswerNextMessageBox(const QString& buttonText);
// Clicks the button of the next message box with this standard role.
std::shared_ptr<const ModalSeen> AnswerNextMessageBox(QMessageBox::StandardButton button);

// Next file dialog: types `fileName` (relative to the dialog's folder, or
// absolute) and accepts; an empty name accepts what the dialog proposes.
// A null `fileName` cancels it.
std::shared_ptr<const ModalSeen> AnswerNextFileDialog(const QString& fileName);

// Drops every answer still waiting (for a dialog that did not come).
void ForgetPendingAnswers();

}  // namespace tabulorix::testing
