#include "app/sql_output_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/script_memo.h"
#include "app/ui_language.h"
#include "base/file_io.h"
#include "base/ui_ports.h"
#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "session/sql_output.h"

namespace tabulorix {

namespace {

constexpr const char* kSqlFilter = QT_TRANSLATE_NOOP("UiText", "SQLファイル (*.sql)|*.sql|すべて (*.*)|*.*");

QCheckBox* MakeBox(QWidget* parent, const char* name, const char* caption, bool ticked = true) {
    auto* box = new QCheckBox(UiText::tr(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(ticked);
    return box;
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, const char* caption) {
    auto* radio = new QRadioButton(UiText::tr(caption), parent);
    radio->setObjectName(QString::fromLatin1(name));
    return radio;
}

void SetBox(QCheckBox* box, bool ticked, bool enabled) {
    box->setChecked(ticked);
    box->setEnabled(enabled);
}

}  // namespace

TOutputCreateSqlFileDlg::TOutputCreateSqlFileDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OutputCreateSqlFileDlg"));
    setWindowTitle(UiText::tr("SQLスクリプト出力"));
    BuildControls();
    ShowChoice(MGSqlChoice{});
    SetGenerated(false);
    resize(900, 620);
}

void TOutputCreateSqlFileDlg::BuildControls() {
    auto* options = new QWidget(this);
    auto* column = new QVBoxLayout(options);
    column->setContentsMargins(0, 0, 0, 0);
    auto* schemaLabel = new QLabel(UiText::tr("出力スキーマ"), options);
    ComboBoxSelectSchema = new QComboBox(options);
    ComboBoxSelectSchema->setObjectName(QStringLiteral("ComboBoxSelectSchema"));
    schemaLabel->setBuddy(ComboBoxSelectSchema);
    column->addWidget(schemaLabel);
    column->addWidget(ComboBoxSelectSchema);

    auto* generation = new QGroupBox(options);
    generation->setObjectName(QStringLiteral("RadioGroupGenerationType"));
    auto* generationRow = new QHBoxLayout(generation);
    GenerationCreate = MakeRadio(generation, "RadioGroupGenerationTypeCreate", QT_TRANSLATE_NOOP("UiText", "生成用SQL"));
    GenerationDrop = MakeRadio(generation, "RadioGroupGenerationTypeDrop", QT_TRANSLATE_NOOP("UiText", "削除用SQL"));
    generationRow->addWidget(GenerationCreate);
    generationRow->addWidget(GenerationDrop);
    column->addWidget(generation);

    CheckBoxPackTable = MakeBox(options, "CheckBoxPackTable", QT_TRANSLATE_NOOP("UiText", "表単位"), false);
    CheckBoxAddSchema = MakeBox(options, "CheckBoxAddSchema", QT_TRANSLATE_NOOP("UiText", "スキーマ名付加"), false);
    CheckBoxSQLComment = MakeBox(options, "CheckBoxSQLComment", QT_TRANSLATE_NOOP("UiText", "内容説明コメント付加"));
    CheckBoxDispOn = MakeBox(options, "CheckBoxDispOn", QT_TRANSLATE_NOOP("UiText", "表示対象のみ出力"));
    for (QCheckBox* box : {CheckBoxPackTable, CheckBoxAddSchema, CheckBoxSQLComment, CheckBoxDispOn})
        column->addWidget(box);
    column->addWidget(BuildTableGroup());
    column->addWidget(BuildViewGroup());
    CheckBoxComment = MakeBox(options, "CheckBoxComment", QT_TRANSLATE_NOOP("UiText", "コメント"));
    CheckBoxPrivilege = MakeBox(options, "CheckBoxPrivilege", QT_TRANSLATE_NOOP("UiText", "OBJECT権限"));
    column->addWidget(CheckBoxComment);
    column->addWidget(CheckBoxPrivilege);
    column->addStretch(1);

    auto* buttons = new QHBoxLayout;
    Button1 = new QPushButton(UiText::tr("確認"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    OKBtn = new QPushButton(UiText::tr("保存"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    CancelBtn = new QPushButton(UiText::tr("終了"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    for (QPushButton* button : {Button1, OKBtn, CancelBtn}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    column->addLayout(buttons);

    BuildMemo();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(options);
    layout->addWidget(MemoSQL, 1);

    const auto refresh = [this] { ShowChoice(Choice()); };
    connect(GenerationCreate, &QRadioButton::clicked, this, refresh);
    connect(GenerationDrop, &QRadioButton::clicked, this, refresh);
    connect(CheckBoxViewSource, &QCheckBox::clicked, this, refresh);
    connect(CheckBoxOutTable, &QCheckBox::clicked, this, [this](bool ticked) {
        MGSqlChoice choice = Choice();
        ClickTables(choice, ticked);
        ShowChoice(choice);
    });
    connect(CheckBoxConstraint, &QCheckBox::clicked, this, [this](bool ticked) {
        MGSqlChoice choice = Choice();
        ClickConstraints(choice, ticked);
        ShowChoice(choice);
    });
    connect(CheckBoxOutView, &QCheckBox::clicked, this, [this](bool ticked) {
        MGSqlChoice choice = Choice();
        ClickViews(choice, ticked);
        ShowChoice(choice);
    });
    connect(Button1, &QPushButton::clicked, this, &TOutputCreateSqlFileDlg::Generate);
    connect(OKBtn, &QPushButton::clicked, this, &TOutputCreateSqlFileDlg::Save);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* TOutputCreateSqlFileDlg::BuildTableGroup() {
    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    CheckBoxOutTable = MakeBox(group, "CheckBoxOutTable", QT_TRANSLATE_NOOP("UiText", "表"));
    CheckBoxField = MakeBox(group, "CheckBoxField", QT_TRANSLATE_NOOP("UiText", "列定義"));
    CheckBoxIndex = MakeBox(group, "CheckBoxIndex", QT_TRANSLATE_NOOP("UiText", "索引"));
    CheckBoxConstraint = MakeBox(group, "CheckBoxConstraint", QT_TRANSLATE_NOOP("UiText", "制約"));
    CheckBoxPrimary = MakeBox(group, "CheckBoxPrimary", QT_TRANSLATE_NOOP("UiText", "主キー"));
    CheckBoxUnique = MakeBox(group, "CheckBoxUnique", QT_TRANSLATE_NOOP("UiText", "一意キー"));
    CheckBoxForeign = MakeBox(group, "CheckBoxForeign", QT_TRANSLATE_NOOP("UiText", "外部キー"));
    CheckBoxCondition = MakeBox(group, "CheckBoxCondition", QT_TRANSLATE_NOOP("UiText", "条件"));
    RadioGroupConstraint = new QGroupBox(UiText::tr("制約出力形式"), group);
    RadioGroupConstraint->setObjectName(QStringLiteral("RadioGroupConstraint"));
    auto* form = new QVBoxLayout(RadioGroupConstraint);
    ConstraintAlter = MakeRadio(RadioGroupConstraint, "RadioGroupConstraintAlter", "ALTER TABLE");
    ConstraintCreate = MakeRadio(RadioGroupConstraint, "RadioGroupConstraintCreate", "CREATE TABLE");
    form->addWidget(ConstraintAlter);
    form->addWidget(ConstraintCreate);
    grid->addWidget(CheckBoxOutTable, 0, 0, 1, 3);
    grid->addWidget(CheckBoxField, 1, 1, 1, 2);
    grid->addWidget(CheckBoxIndex, 2, 1, 1, 2);
    grid->addWidget(CheckBoxConstraint, 3, 1, 1, 2);
    int row = 4;
    for (QCheckBox* kind : {CheckBoxPrimary, CheckBoxUnique, CheckBoxForeign, CheckBoxCondition})
        grid->addWidget(kind, row++, 2);
    grid->addWidget(RadioGroupConstraint, 4, 3, 4, 1);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnMinimumWidth(1, 16);
    return group;
}

QWidget* TOutputCreateSqlFileDlg::BuildViewGroup() {
    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    CheckBoxOutView = MakeBox(group, "CheckBoxOutView", QT_TRANSLATE_NOOP("UiText", "ビュー"));
    CheckBoxViewSource = MakeBox(group, "CheckBoxViewSource", QT_TRANSLATE_NOOP("UiText", "ソース"));
    CheckBoxDiscardBlank = MakeBox(group, "CheckBoxDiscardBlank", QT_TRANSLATE_NOOP("UiText", "空行削除"));
    grid->addWidget(CheckBoxOutView, 0, 0, 1, 2);
    grid->addWidget(CheckBoxViewSource, 1, 1);
    grid->addWidget(CheckBoxDiscardBlank, 1, 2);
    grid->setColumnMinimumWidth(0, 16);
    return group;
}

void TOutputCreateSqlFileDlg::BuildMemo() {
    MemoSQL = new ScriptMemo(this);
    MemoSQL->setObjectName(QStringLiteral("MemoSQL"));
}

MGSqlChoice TOutputCreateSqlFileDlg::Choice() const {
    MGSqlChoice c;
    c.removal = GenerationDrop->isChecked();
    c.inlineConstraints = ConstraintCreate->isChecked();
    c.boxByBox = CheckBoxPackTable->isChecked();
    c.ownerPrefix = CheckBoxAddSchema->isChecked();
    c.headers = CheckBoxSQLComment->isChecked();
    c.visibleOnly = CheckBoxDispOn->isChecked();
    c.tables = CheckBoxOutTable->isChecked();
    c.columns = CheckBoxField->isChecked();
    c.indexes = CheckBoxIndex->isChecked();
    c.constraints = CheckBoxConstraint->isChecked();
    c.primaryKeys = CheckBoxPrimary->isChecked();
    c.uniqueKeys = CheckBoxUnique->isChecked();
    c.foreignKeys = CheckBoxForeign->isChecked();
    c.conditions = CheckBoxCondition->isChecked();
    c.views = CheckBoxOutView->isChecked();
    c.viewSource = CheckBoxViewSource->isChecked();
    c.blankLineRemoval = CheckBoxDiscardBlank->isChecked();
    c.comments = CheckBoxComment->isChecked();
    c.privileges = CheckBoxPrivilege->isChecked();
    return c;
}

void TOutputCreateSqlFileDlg::ShowChoice(const MGSqlChoice& c) {
    const MGSqlChoiceEnabled enabled = EnabledControls(c);
    (c.removal ? GenerationDrop : GenerationCreate)->setChecked(true);
    (c.inlineConstraints ? ConstraintCreate : ConstraintAlter)->setChecked(true);
    RadioGroupConstraint->setEnabled(enabled.constraintForm);
    CheckBoxPackTable->setChecked(c.boxByBox);
    CheckBoxAddSchema->setChecked(c.ownerPrefix);
    CheckBoxSQLComment->setChecked(c.headers);
    CheckBoxDispOn->setChecked(c.visibleOnly);
    CheckBoxOutTable->setChecked(c.tables);
    SetBox(CheckBoxField, c.columns, enabled.tableKinds);
    SetBox(CheckBoxIndex, c.indexes, enabled.tableKinds);
    SetBox(CheckBoxConstraint, c.constraints, enabled.tableKinds);
    SetBox(CheckBoxPrimary, c.primaryKeys, enabled.constraintKinds);
    SetBox(CheckBoxUnique, c.uniqueKeys, enabled.constraintKinds);
    SetBox(CheckBoxForeign, c.foreignKeys, enabled.constraintKinds);
    SetBox(CheckBoxCondition, c.conditions, enabled.constraintKinds);
    CheckBoxOutView->setChecked(c.views);
    SetBox(CheckBoxViewSource, c.viewSource, enabled.viewSource);
    SetBox(CheckBoxDiscardBlank, c.blankLineRemoval, enabled.blankLineRemoval);
    CheckBoxComment->setChecked(c.comments);
    CheckBoxPrivilege->setChecked(c.privileges);
}

void TOutputCreateSqlFileDlg::Prepare(MGSchemaMng& manager) {
    manager_ = &manager;
    ComboBoxSelectSchema->clear();
    for (int i = 0; i < manager.SchemaCount(); ++i)
        ComboBoxSelectSchema->addItem(QString::fromStdString(manager.GetSchema(i)->OwnerName()));
    ComboBoxSelectSchema->setCurrentIndex(manager.SchemaCount() > 0 ? 0 : -1);
}

void TOutputCreateSqlFileDlg::Execute(MGSchemaMng& manager) {
    Prepare(manager);
    exec();
}

void TOutputCreateSqlFileDlg::Reset() {
    SetGenerated(false);
    MemoSQL->Clear();
}

void TOutputCreateSqlFileDlg::SetGenerated(bool generated) {
    generated_ = generated;
    OKBtn->setEnabled(generated);
}

void TOutputCreateSqlFileDlg::Generate() {
    if (manager_ == nullptr) return;
    Reset();
    StatusPort& status = Status();
    status.Reset();
    status.Show(true);
    const std::string owner = ComboBoxSelectSchema->currentText().toStdString();
    bool complete = false;
    {
        std::string script;
        complete = GenerateSqlScript(*manager_, SqlRequestOf(owner, Choice()), true, script);
        if (complete) {
            status.SetMainLine(QT_TRANSLATE_NOOP("UiText", "表示領域に展開中..."));
            complete =
                DisplayScriptLines(script, [this](std::string_view block) { MemoSQL->AppendText(block); });
        }
    }
    if (!complete) MemoSQL->Clear();
    SetGenerated(complete);
    status.Close();
}

void TOutputCreateSqlFileDlg::Save() {
    if (!generated_) return;
    const std::optional<std::string> path =
        FileNames().AskSaveFileName({"名前を付けて保存", "sql", kSqlFilter, ""});
    if (!path) return;
    try {
        SaveSqlScript(*path, MemoSQL->Text());
    } catch (const FileError& failure) {
        ShowMessage(failure.what());
    }
}

}  // namespace tabulorix
