#include "app/settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
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

namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QComboBox* Combo(const char* name, const std::vector<std::string>& items, QWidget* parent) {
    auto* combo = Named(new QComboBox(parent), name);
    for (const std::string& item : items) combo->addItem(TranslatedCoreText(item));
    return combo;
}

}  // namespace

TSetDlgForm::TSetDlgForm(TSetDlg& settings, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      paperX_(Named(new QLineEdit(this), "PaperXCountEdit")),
      paperY_(Named(new QLineEdit(this), "PaperYCountEdit")),
      pagePosition_(Combo("ComboBoxPagePos", TSetDlg::PagePositionItems(), this)),
      pageNoForm_(Combo("ComboBoxPageNoForm", TSetDlg::PageNoFormItems(), this)),
      notation_(Combo("ComboBoxNotation", TSetDlg::NotationItems(), this)),
      shadow_(Named(new QCheckBox(UiText::tr("表に影を付ける"), this), "CheckBoxShadow")),
      relationName_(Named(new QCheckBox(UiText::tr("関連名称表示"), this), "CheckBoxRelationName")),
      selectField_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("SetDlg"));
    setWindowTitle(UiText::tr("設定"));

    auto* print = Named(new QGroupBox(UiText::tr("印刷"), this), "GroupPrint");
    auto* printForm = new QFormLayout(print);
    printForm->addRow(UiText::tr("用紙横方向枚数"), paperX_);
    printForm->addRow(UiText::tr("用紙縦方向枚数"), paperY_);
    printForm->addRow(UiText::tr("頁印刷位置"), pagePosition_);
    printForm->addRow(UiText::tr("頁形式"), pageNoForm_);

    auto* diagram = Named(new QGroupBox(UiText::tr("表関連図"), this), "GroupDiagram");
    auto* diagramForm = new QFormLayout(diagram);
    diagramForm->addRow(UiText::tr("表記法"), notation_);
    diagramForm->addRow(shadow_);
    diagramForm->addRow(relationName_);
    diagramForm->addRow(MakeTableItemChoice(diagram, *selectField_));

    auto* buttons = new QDialogButtonBox(this);
    Named(buttons->addButton(UiText::tr("設定", "button applying the settings"), QDialogButtonBox::AcceptRole), "ButtonOk")->setDefault(true);
    Named(buttons->addButton(UiText::tr("キャンセル"), QDialogButtonBox::RejectRole), "ButtonCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(print);
    layout->addWidget(diagram);
    layout->addWidget(buttons);
}

bool TSetDlgForm::Execute() {
    settings_.Show();
    LoadControls();
    return exec() == QDialog::Accepted;
}

void TSetDlgForm::accept() {
    StoreControls();
    // Without a diagram the model stores nothing and the dialog closes.
    if (!settings_.Apply(false)) return;  // the message has been shown
    QDialog::accept();
}

void TSetDlgForm::reject() {
    settings_.Cancel();
    QDialog::reject();
}

void TSetDlgForm::LoadControls() {
    const TSetDlg::Controls& controls = settings_.ControlValues();
    paperX_->setText(QString::fromStdString(controls.PaperXCountEdit));
    paperY_->setText(QString::fromStdString(controls.PaperYCountEdit));
    pagePosition_->setCurrentIndex(controls.ComboBoxPagePos);
    pageNoForm_->setCurrentIndex(controls.ComboBoxPageNoForm);
    notation_->setCurrentIndex(controls.ComboBoxNotation);
    shadow_->setChecked(controls.CheckBoxShadow);
    relationName_->setChecked(controls.CheckBoxRelationName);
    if (QAbstractButton* radio = selectField_->button(controls.SelectField)) radio->setChecked(true);
}

void TSetDlgForm::StoreControls() {
    TSetDlg::Controls& controls = settings_.ControlValues();
    controls.PaperXCountEdit = paperX_->text().toStdString();
    controls.PaperYCountEdit = paperY_->text().toStdString();
    controls.ComboBoxPagePos = pagePosition_->currentIndex();
    controls.ComboBoxPageNoForm = pageNoForm_->currentIndex();
    controls.ComboBoxNotation = notation_->currentIndex();
    controls.CheckBoxShadow = shadow_->isChecked();
    controls.CheckBoxRelationName = relationName_->isChecked();
    controls.SelectField = selectField_->checkedId();
}

}  // namespace tabulorix
