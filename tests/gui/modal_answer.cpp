#include "modal_answer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <functional>

namespace tabulorix::testing {

namespace {

constexpr int kPollMs = 10;
constexpr qint64 kGiveUpMs = 10000;
const QString kTimerName = QStringLiteral("ModalAnswer");

QString WithoutAmpersand(QString text) { return text.remove(QLatin1Char('&')); }

// Polls for the active modal widget until `answer` takes it (returns true)
// or time runs out; then a modal widget still up is closed so that the test
// fails instead of hanging. The timer is stopped before answering, since
// answering may open a nested modal loop.
void WhenModal(std::function<bool(QWidget*)> answer) {
    auto* timer = new QTimer(qApp);
    timer->setObjectName(kTimerName);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool timedOut = clock->elapsed() > kGiveUpMs;
        if (modal != nullptr) {
            timer->stop();
            if (answer(modal)) {
                timer->deleteLater();
                return;
            }
            // Not the kind of dialog this answer is for: keep waiting.
            if (!timedOut) {
                timer->start(kPollMs);
                return;
            }
        }
        if (!timedOut) return;
        timer->stop();
        timer->deleteLater();
        if (modal != nullptr) modal->close();
    });
    timer->start(kPollMs);
}

std::shared_ptr<const ModalSeen> AnswerMessageBox(std::function<QAbstractButton*(QMessageBox*)> pick) {
    auto seen = std::make_shared<ModalSeen>();
    WhenModal([seen, pick = std::move(pick)](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) return false;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        for (QAbstractButton* button : box->buttons()) seen->buttons.append(button->text());
        if (QAbstractButton* button = pick(box)) {
            seen->answered = true;
            button->click();
        } else {
            box->reject();
        }
        return true;
    });
    return seen;
}

}  // namespace

void ForgetPendingAnswers() {
    for (QTimer* timer : qApp->findChildren<QTimer*>(kTimerName, Qt::FindDirectChildrenOnly)) {
        timer->stop();
        timer->deleteLater();
    }
}

std::shared_ptr<const ModalSeen> AnswerNextMessageBox(const QString& buttonText) {
    return AnswerMessageBox([wanted = WithoutAmpersand(buttonText)](QMessageBox* box) -> QAbstractButton* {
        for (QAbstractButton* button : box->buttons()) {
            if (WithoutAmpersand(button->text()) == wanted) return button;
        }
        return nullptr;
    });
}

std::shared_ptr<const ModalSeen> AnswerNextMessageBox(QMessageBox::StandardButton which) {
    return AnswerMessageBox([which](QMessageBox* box) -> QAbstractButton* { return box->button(which); });
}

std::shared_ptr<const ModalSeen> AnswerNextFileDialog(const QString& fileName) {
    auto seen = std::make_shared<ModalSeen>();
    WhenModal([seen, fileName](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr) return false;
        seen->title = dialog->windowTitle();
        seen->nameFilters = dialog->nameFilters().join(QStringLiteral(";;"));
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (edit != nullptr) seen->fileName = edit->text();
        seen->answered = true;
        if (fileName.isNull()) {
            dialog->reject();
        } else {
            // Typed as a user types it; selectFile would ignore a name that
            // does not exist yet.
            if (!fileName.isEmpty() && edit != nullptr) edit->setText(fileName);
            if (!fileName.isEmpty() && edit == nullptr) dialog->selectFile(fileName);
            // QFileDialog's accept (name checks, overwrite question) is
            // reached through QDialog's public one.
            static_cast<QDialog*>(dialog)->accept();
        }
        return true;
    });
    return seen;
}

}  // namespace tabulorix::testing
