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

namespace tabulorix {

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QComboBox* Combo(const char* name, const std::vector<std::string>& items, QWidget* parent) {
    auto* combo = Named(new QComboBox(parent), name);
    for (const std::string& item : items) combo->addItem(Text(item));
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
      shadow_(Named(new QCheckBox(QStringLiteral("表に影を付ける"), this), "CheckBoxShadow")),
      relationName_(Named(new QCheckBox(QStringLiteral("関連名称表示"), this), "CheckBoxRelationName")),
      selectField_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("SetDlg"));
    setWindowTitle(QStringLiteral("設定"));

    auto* print = Named(new QGroupBox(QStringLiteral("印刷"), this), "GroupPrint");
    auto* printForm = new QFormLayout(print);
    printForm->addRow(QStringLiteral("用紙横方向枚数"), paperX_);
    printForm->addRow(QStringLiteral("用紙縦方向枚数"), paperY_);
    printForm->addRow(QStringLiteral("頁印刷位置"), pagePosition_);
    printForm->addRow(QStringLiteral("頁形式"), pageNoForm_);

    auto* diagram = Named(new QGroupBox(QStringLiteral("表関連図"), this), "GroupDiagram");
    auto* diagramForm = new QFormLayout(diagram);
    diagramForm->addRow(QStringLiteral("表記法"), notation_);
    diagramForm->addRow(shadow_);
    diagramForm->addRow(relationName_);
    auto* radios = Named(new QGroupBox(QStringLiteral("表の表示項目"), diagram), "SelectField");
    auto* radioLayout = new QVBoxLayout(radios);
    const std::vector<std::string>& items = TSetDlg::TableItemItems();
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        auto* radio = new QRadioButton(Text(items[i]), radios);
        radio->setObjectName(QStringLiteral("SelectField%1").arg(i));
        selectField_->addButton(radio, i);
        radioLayout->addWidget(radio);
    }
    diagramForm->addRow(radios);

    auto* buttons = new QDialogButtonBox(this);
    Named(buttons->addButton(QStringLiteral("設定"), QDialogButtonBox::AcceptRole), "ButtonOk")->setDefault(true);
    Named(buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole), "ButtonCancel");
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
    paperX_->setText(Text(controls.PaperXCountEdit));
    paperY_->setText(Text(controls.PaperYCountEdit));
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
