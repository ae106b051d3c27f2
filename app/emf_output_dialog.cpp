#include "app/emf_output_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui_language.h"
#include "base/ui_ports.h"
#include "session/emf_choice.h"

namespace tabulorix {

namespace {

constexpr const char* kEmfFilter = QT_TRANSLATE_NOOP("UiText", "拡張メタファイル (*.emf)|*.emf|すべて (*.*)|*.*");

QToolButton* MakeToolButton(QWidget* parent, const char* name, const char* hint,
                            QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(UiText::tr(hint));
    button->setText(UiText::tr(hint));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    return button;
}

QLineEdit* MakeCountEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setMaximumWidth(60);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

}  // namespace

TEMFOutDlg::TEMFOutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EMFOutDlg"));
    setWindowTitle(UiText::tr("表関連図出力"));
    auto* layout = new QVBoxLayout(this);

    auto* tools = new QHBoxLayout;
    ToolButtonCopy =
        MakeToolButton(this, "ToolButtonCopy", QT_TRANSLATE_NOOP("UiText", "クリップボードコピー"), QStyle::SP_FileDialogDetailedView);
    ToolButtonSaveFile =
        MakeToolButton(this, "ToolButtonSaveFile", QT_TRANSLATE_NOOP("UiText", "ファイル保存"), QStyle::SP_DialogSaveButton);
    tools->addWidget(ToolButtonCopy);
    tools->addWidget(ToolButtonSaveFile);
    tools->addStretch(1);
    layout->addLayout(tools);

    auto* counts = new QHBoxLayout;
    EditPageX = MakeCountEdit(this, "EditPageX");
    EditPageY = MakeCountEdit(this, "EditPageY");
    counts->addWidget(new QLabel(UiText::tr("用紙枚数   X方向"), this));
    counts->addWidget(EditPageX);
    counts->addWidget(new QLabel(UiText::tr("Y方向"), this));
    counts->addWidget(EditPageY);
    counts->addStretch(1);
    layout->addLayout(counts);

    RadioGroupTarget = new QGroupBox(this);
    RadioGroupTarget->setObjectName(QStringLiteral("RadioGroupTarget"));
    auto* targets = new QVBoxLayout(RadioGroupTarget);
    TargetAll = new QRadioButton(UiText::tr("すべてのページ"), RadioGroupTarget);
    TargetAll->setObjectName(QStringLiteral("RadioGroupTargetAll"));
    TargetPage = new QRadioButton(UiText::tr("指定ページ"), RadioGroupTarget);
    TargetPage->setObjectName(QStringLiteral("RadioGroupTargetPage"));
    TargetAll->setChecked(true);
    targets->addWidget(TargetAll);
    targets->addWidget(TargetPage);
    layout->addWidget(RadioGroupTarget);

    GroupBoxPageNo = new QGroupBox(this);
    GroupBoxPageNo->setObjectName(QStringLiteral("GroupBoxPageNo"));
    auto* pageRow = new QHBoxLayout(GroupBoxPageNo);
    LabelPageNo = new QLabel(UiText::tr("ページ番号"), GroupBoxPageNo);
    EditPageNo = new QLineEdit(GroupBoxPageNo);
    EditPageNo->setObjectName(QStringLiteral("EditPageNo"));
    EditPageNo->setMaximumWidth(80);
    LabelPageNo->setBuddy(EditPageNo);
    LabelValidValue = new QLabel(GroupBoxPageNo);
    LabelValidValue->setObjectName(QStringLiteral("LabelValidValue"));
    pageRow->addWidget(LabelPageNo);
    pageRow->addWidget(EditPageNo);
    pageRow->addWidget(LabelValidValue);
    pageRow->addStretch(1);
    layout->addWidget(GroupBoxPageNo);

    auto* bottom = new QHBoxLayout;
    CancelBtn = new QPushButton(UiText::tr("終了"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    bottom->addStretch(1);
    bottom->addWidget(CancelBtn);
    layout->addLayout(bottom);

    connect(TargetAll, &QRadioButton::clicked, this, &TEMFOutDlg::RadioGroupTargetClick);
    connect(TargetPage, &QRadioButton::clicked, this, &TEMFOutDlg::RadioGroupTargetClick);
    connect(ToolButtonCopy, &QToolButton::clicked, this, [this] { Output(false); });
    connect(ToolButtonSaveFile, &QToolButton::clicked, this, [this] { Output(true); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    RadioGroupTargetClick();
}

void TEMFOutDlg::RadioGroupTargetClick() {
    // The page edit looks like a button face while it cannot be used.
    const bool page = TargetPage->isChecked();
    for (QWidget* control : {static_cast<QWidget*>(GroupBoxPageNo), static_cast<QWidget*>(LabelPageNo),
                             static_cast<QWidget*>(EditPageNo), static_cast<QWidget*>(LabelValidValue)})
        control->setEnabled(page);
    EditPageNo->setBackgroundRole(page ? QPalette::Base : QPalette::Button);
    EditPageNo->setAutoFillBackground(!page);
}

void TEMFOutDlg::Prepare(int pagesX, int pagesY) {
    pageCount_ = pagesX * pagesY;
    EditPageX->setText(QString::number(pagesX));
    EditPageY->setText(QString::number(pagesY));
    LabelValidValue->setText(TranslatedCoreText(EmfPageRangeText(pageCount_)));
    result_ = -1;
    fileName_.clear();
}

int TEMFOutDlg::Execute(int pagesX, int pagesY) {
    Prepare(pagesX, pagesY);
    // "終了" ends the action even after a page was checked and the save
    // dialog cancelled: nothing is copied or written then.
    if (exec() != QDialog::Accepted) {
        fileName_.clear();
        result_ = -1;
    }
    return result_;
}

void TEMFOutDlg::Output(bool save) {
    const MGEmfPageCheck check =
        CheckEmfPage(TargetAll->isChecked(), EditPageNo->text().toStdString(), pageCount_);
    result_ = check.result;
    if (!check.message.empty()) {
        ShowMessage(check.message);
        return;
    }
    fileName_.clear();
    if (save) {
        const std::optional<std::string> path =
            FileNames().AskSaveFileName({"名前を付けて保存", "emf", kEmfFilter, ""});
        if (!path) return;
        fileName_ = *path;
    }
    accept();
}

}  // namespace tabulorix
