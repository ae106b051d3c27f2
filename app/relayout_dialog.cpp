#include "app/relayout_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/table_item_choice.h"
#include "app/ui_language.h"

namespace tabulorix {

TRelayoutDlg::TRelayoutDlg(QWidget* parent)
    : QDialog(parent), pagesAcross_(new QLineEdit(this)), selectField_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("RelayoutDlg"));
    setWindowTitle(UiText::tr("再配置"));
    pagesAcross_->setObjectName(QStringLiteral("PaperXCountEdit"));
    auto* group = new QGroupBox(UiText::tr("表配置"), this);
    group->setObjectName(QStringLiteral("GroupBox2"));
    auto* form = new QFormLayout(group);
    form->addRow(UiText::tr("用紙横方向枚数"), pagesAcross_);
    form->addRow(MakeTableItemChoice(group, *selectField_));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    buttons->addButton(UiText::tr("キャンセル"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

std::optional<MGRelayoutChoice> TRelayoutDlg::Execute(const TSetDlg& settings) {
    pagesAcross_->setText(QString::number(settings.StoredValues().PaperX));
    if (QAbstractButton* radio = selectField_->button(settings.ControlValues().SelectField)) radio->setChecked(true);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return MGRelayoutChoice{pagesAcross_->text().toStdString(), std::max(0, selectField_->checkedId())};
}

}  // namespace tabulorix
