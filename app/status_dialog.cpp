#include "app/status_dialog.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/ui_language.h"

namespace tabulorix {

namespace {

QLineEdit* ReadOnlyLine(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setMinimumWidth(420);
    return edit;
}

}  // namespace

TStatusDlg::TStatusDlg(QWidget* parent, std::function<bool()> busy)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      EditStatusMain(ReadOnlyLine("EditStatusMain", this)),
      EditStatusSub(ReadOnlyLine("EditStatusSub", this)),
      ProgressBarStatus(new QProgressBar(this)),
      ButtonCancel(new QPushButton(UiText::tr("キャンセル"), this)),
      busy_(std::move(busy)) {
    setObjectName(QStringLiteral("StatusDlg"));
    setWindowTitle(UiText::tr("処理中..."));
    setWindowModality(Qt::ApplicationModal);
    ProgressBarStatus->setObjectName(QStringLiteral("ProgressBarStatus"));
    ProgressBarStatus->setRange(0, 100);
    ProgressBarStatus->setValue(0);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    ButtonCancel->setAutoDefault(false);
    connect(ButtonCancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });

    auto* lines = new QGridLayout;
    lines->addWidget(new QLabel(UiText::tr("処理概要"), this), 0, 0);
    lines->addWidget(EditStatusMain, 0, 1);
    lines->addWidget(new QLabel(UiText::tr("処理詳細"), this), 1, 0);
    lines->addWidget(EditStatusSub, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lines);
    layout->addWidget(ProgressBarStatus);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

void TStatusDlg::Reset() {
    EditStatusMain->clear();
    EditStatusSub->clear();
    ProgressBarStatus->setValue(0);
}

void TStatusDlg::Show(bool cancelEnabled) {
    cancelRequested_ = false;
    ButtonCancel->setEnabled(cancelEnabled);
    show();
    raise();
}

void TStatusDlg::SetMaximum(int maximum) { ProgressBarStatus->setMaximum(maximum); }

void TStatusDlg::SetMainLine(const std::string& text) {
    EditStatusMain->setText(TranslatedCoreText(text));
    ProcessEvents();
}

void TStatusDlg::SetDetailLine(const std::string& text) {
    EditStatusSub->setText(TranslatedCoreText(text));
    ProcessEvents();
}

// A position beyond the maximum is ignored by the bar; callers set the
// maximum to their row count first.
void TStatusDlg::SetPosition(int position) { ProgressBarStatus->setValue(position); }

void TStatusDlg::Close() { hide(); }

void TStatusDlg::ProcessEvents() {
    if (busy_ && busy_()) return;
    QCoreApplication::processEvents();
}

void TStatusDlg::reject() {
    if (ButtonCancel->isEnabled()) ButtonCancel->click();
}

void TStatusDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen, not on the window.
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TStatusDlg::ButtonCancelClick() { cancelRequested_ = true; }

}  // namespace tabulorix
