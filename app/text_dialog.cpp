#include "app/text_dialog.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui_language.h"

namespace tabulorix {

namespace {

constexpr int kSizes[] = {4, 8, 9, 10, 11, 12, 14, 16, 20, 22, 24, 26, 28, 36, 48, 76};

QToolButton* StyleButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setCheckable(true);
    return button;
}

}  // namespace

TTextDlg::TTextDlg(QWidget* parent)
    : QDialog(parent),
      edit_(new QLineEdit(this)),
      preview_(new QLabel(this)),
      fontName_(new QComboBox(this)),
      fontSize_(new QComboBox(this)),
      bold_(StyleButton("ToolButtonBold", QStringLiteral("B"), this)),
      italic_(StyleButton("ToolButtonItalic", QStringLiteral("I"), this)),
      underline_(StyleButton("ToolButtonUnderLine", QStringLiteral("U"), this)),
      ok_(new QPushButton(UiText::tr("登録"), this)) {
    setObjectName(QStringLiteral("TextDlg"));
    setWindowTitle(UiText::tr("テキスト入力"));
    edit_->setObjectName(QStringLiteral("Edit1"));
    preview_->setObjectName(QStringLiteral("Panel1"));
    preview_->setMinimumSize(320, 80);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::StyledPanel);
    fontName_->setObjectName(QStringLiteral("ComboBoxForFontName"));
    fontName_->addItems(QFontDatabase::families());
    fontName_->setEditable(true);
    fontSize_->setObjectName(QStringLiteral("ComboBoxForFontSize"));
    for (int size : kSizes) fontSize_->addItem(QString::number(size));
    fontSize_->setEditable(true);
    ok_->setObjectName(QStringLiteral("OKBtn"));
    ok_->setDefault(true);
    auto* cancel = new QPushButton(UiText::tr("取消"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));

    auto* fonts = new QHBoxLayout;
    fonts->addWidget(fontName_, 1);
    fonts->addWidget(fontSize_);
    fonts->addWidget(bold_);
    fonts->addWidget(italic_);
    fonts->addWidget(underline_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addLayout(fonts);
    layout->addWidget(preview_);
    layout->addLayout(buttons);

    connect(edit_, &QLineEdit::textChanged, this, [this] { Preview(); });
    connect(fontName_, &QComboBox::currentTextChanged, this, [this] { Preview(); });
    connect(fontSize_, &QComboBox::currentTextChanged, this, [this] { Preview(); });
    for (QToolButton* button : {bold_, italic_, underline_})
        connect(button, &QToolButton::toggled, this, [this] { Preview(); });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TTextDlg::Execute(MGTextEntry& entry) {
    Load(entry);
    edit_->setFocus();
    if (exec() != QDialog::Accepted) return false;
    entry.text = edit_->text().toStdString();
    entry.fontName = fontName_->currentText().toStdString();
    bool whole = false;
    const int size = fontSize_->currentText().toInt(&whole);
    if (whole && size > 0) entry.fontSize = size;
    entry.style = StyleBits();
    return true;
}

void TTextDlg::Load(const MGTextEntry& entry) {
    edit_->setText(QString::fromStdString(entry.text));
    fontName_->setCurrentText(QString::fromStdString(entry.fontName));
    fontSize_->setCurrentText(QString::number(entry.fontSize));
    bold_->setChecked((entry.style & 1) != 0);
    italic_->setChecked((entry.style & 2) != 0);
    underline_->setChecked((entry.style & 4) != 0);
    Preview();
}

int TTextDlg::StyleBits() const {
    return (bold_->isChecked() ? 1 : 0) | (italic_->isChecked() ? 2 : 0) | (underline_->isChecked() ? 4 : 0);
}

void TTextDlg::Preview() {
    QFont font(fontName_->currentText());
    font.setPointSize(std::max(1, fontSize_->currentText().toInt()));
    font.setBold(bold_->isChecked());
    font.setItalic(italic_->isChecked());
    font.setUnderline(underline_->isChecked());
    preview_->setFont(font);
    preview_->setText(edit_->text());
    ok_->setEnabled(!edit_->text().isEmpty());
}

}  // namespace tabulorix
