#include "app/csv_save_all_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui_language.h"

namespace tabulorix {

TSaveCsvAllDlg::TSaveCsvAllDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SaveCsvAllDlg"));
    setWindowTitle(UiText::tr("CSVファイル保存"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(UiText::tr("出力一覧選択"), this), 0, 0);
    grid->addWidget(new QLabel(UiText::tr("出力ファイル名"), this), 0, 1);
    for (int kind = 0; kind < kCsvListCount; ++kind) {
        const auto k = static_cast<std::size_t>(kind);
        checkBoxes_[k] = new QCheckBox(UiText::tr(CsvListKinds()[k].caption), this);
        checkBoxes_[k]->setObjectName(QStringLiteral("CheckBox%1").arg(kind + 1));
        checkBoxes_[k]->setChecked(true);
        edits_[k] = new QLineEdit(this);
        edits_[k]->setObjectName(QStringLiteral("Edit%1").arg(kind + 1));
        edits_[k]->setMinimumWidth(300);
        grid->addWidget(checkBoxes_[k], kind + 1, 0);
        grid->addWidget(edits_[k], kind + 1, 1);
    }
    layout->addLayout(grid);

    layout->addWidget(new QLabel(UiText::tr("出力ディレクトリ"), this));
    auto* directoryRow = new QHBoxLayout;
    DirectoryEdit = new QLineEdit(QDir::currentPath(), this);
    DirectoryEdit->setObjectName(QStringLiteral("DirectoryEdit"));
    DirectoryButton = new QPushButton(UiText::tr("参照..."), this);
    DirectoryButton->setObjectName(QStringLiteral("DirectoryButton"));
    DirectoryButton->setAutoDefault(false);
    directoryRow->addWidget(DirectoryEdit, 1);
    directoryRow->addWidget(DirectoryButton);
    layout->addLayout(directoryRow);

    auto* buttons = new QHBoxLayout;
    OKBtn = new QPushButton(UiText::tr("保存"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    CancelBtn = new QPushButton(UiText::tr("終了"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons);

    connect(DirectoryButton, &QPushButton::clicked, this, &TSaveCsvAllDlg::ChooseDirectory);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TSaveCsvAllDlg::ChooseDirectory() {
    const QString chosen =
        QFileDialog::getExistingDirectory(this, UiText::tr("出力ディレクトリ"), DirectoryEdit->text());
    if (!chosen.isEmpty()) DirectoryEdit->setText(chosen);
}

void TSaveCsvAllDlg::Propose(const std::array<std::string, kCsvListCount>& proposedNames) {
    for (std::size_t k = 0; k < proposedNames.size(); ++k)
        edits_[k]->setText(QString::fromStdString(proposedNames[k]));
}

MGCsvSaveRequest TSaveCsvAllDlg::Request() const {
    MGCsvSaveRequest request;
    request.directory = DirectoryEdit->text().toStdString();
    for (std::size_t k = 0; k < edits_.size(); ++k) {
        request.selected[k] = checkBoxes_[k]->isChecked();
        request.fileNames[k] = edits_[k]->text().toStdString();
    }
    return request;
}

std::optional<MGCsvSaveRequest> TSaveCsvAllDlg::Execute(
    const std::array<std::string, kCsvListCount>& proposedNames) {
    Propose(proposedNames);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return Request();
}

}  // namespace tabulorix
