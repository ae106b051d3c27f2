// The SQL output dialog "SQLスクリプト出力": the schema, the kind of script
// and the statement kinds; "確認" generates the script and shows it in the
// read-only memo, "保存" writes what the memo holds. The check boxes' rules are
// those of MGSqlChoice, shared with the command line.
#pragma once

#include <QDialog>
#include <string>

#include "session/sql_choice.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace tabulorix {

class MGSchemaMng;
class ScriptMemo;

class TOutputCreateSqlFileDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TOutputCreateSqlFileDlg(QWidget* parent = nullptr);

    // Lists the owners of the manager's schemas, shows the first and runs
    // the dialog modally. The manager outlives the call.
    void Execute(MGSchemaMng& manager);
    // Back to "nothing generated": the memo empty, "保存" disabled (another
    // design was opened or read).
    void Reset();

    // The buttons' steps, also for tests: "確認" and "保存".
    void Generate();
    void Save();

    // The check boxes and radio buttons as choices, and back.
    MGSqlChoice Choice() const;
    void ShowChoice(const MGSqlChoice& choice);
    bool Generated() const { return generated_; }
    // Fills the schema combo from the manager without running the dialog.
    void Prepare(MGSchemaMng& manager);

private:
    void BuildControls();
    QWidget* BuildTableGroup();
    QWidget* BuildViewGroup();
    void BuildMemo();
    void SetGenerated(bool generated);

    QComboBox* ComboBoxSelectSchema;
    QRadioButton* GenerationCreate;
    QRadioButton* GenerationDrop;
    QCheckBox* CheckBoxPackTable;
    QCheckBox* CheckBoxAddSchema;
    QCheckBox* CheckBoxSQLComment;
    QCheckBox* CheckBoxDispOn;
    QCheckBox* CheckBoxOutTable;
    QCheckBox* CheckBoxField;
    QCheckBox* CheckBoxIndex;
    QCheckBox* CheckBoxConstraint;
    QCheckBox* CheckBoxPrimary;
    QCheckBox* CheckBoxUnique;
    QCheckBox* CheckBoxForeign;
    QCheckBox* CheckBoxCondition;
    QGroupBox* RadioGroupConstraint;
    QRadioButton* ConstraintAlter;
    QRadioButton* ConstraintCreate;
    QCheckBox* CheckBoxOutView;
    QCheckBox* CheckBoxViewSource;
    QCheckBox* CheckBoxDiscardBlank;
    QCheckBox* CheckBoxComment;
    QCheckBox* CheckBoxPrivilege;
    QPushButton* Button1;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    ScriptMemo* MemoSQL;

    MGSchemaMng* manager_ = nullptr;
    bool generated_ = false;
};

}  // namespace tabulorix
