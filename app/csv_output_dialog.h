// The CSV dialog "CSV出力": one of the nine lists of a schema shown in a
// grid ("確認"), and the save dialog that writes any of them as CSV files
// ("保存"). The dialog owns the row table of the list it built last.
#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "app/row_table_model.h"
#include "outputs/csv_export.h"
#include "session/csv_names.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTableView;

namespace tabulorix {

class MGSchemaMng;
class TSaveCsvAllDlg;
class ZMGCell;

class TOutputCSVFileDlg final : public QDialog {
    Q_OBJECT
public:
    // clock: today's date for the proposed file names.
    explicit TOutputCSVFileDlg(QWidget* parent = nullptr, MGDateClock clock = Today);
    ~TOutputCSVFileDlg() override;

    // Lists the owners of the manager's schemas, shows the first and runs
    // the dialog modally. The manager outlives the call.
    void Execute(const MGSchemaMng& manager);
    // Fills the schema combo as Execute does, without running the dialog.
    void Prepare(const MGSchemaMng& manager);
    // The held list is destroyed and the grid loses its columns and rows
    // (another design was opened or read).
    void Reset();

    // "確認": the chosen list built and shown in the grid, with progress.
    void ViewList();
    // "保存": the save dialog with the proposed names; its "保存" writes.
    void SaveAll();

    MGCsvListChoice Choice() const;
    int ChosenKind() const;
    // The list last built, if any.
    const ZMGCell* List() const { return list_.get(); }
    TSaveCsvAllDlg& SaveDialog() { return *save_; }
    const RowTableModel& Grid() const { return model_; }

private:
    QGroupBox* BuildTargets();
    // Builds list kind; with show it goes into the grid (a cancelled fill
    // destroys it again).
    void BuildList(int kind, bool show);
    void ClearList();

    QComboBox* ComboBoxSelectSchema;
    QGroupBox* RadioGroupTarget;
    std::array<QRadioButton*, kCsvListCount> targets_{};
    QCheckBox* CheckBoxSuppress;
    QCheckBox* CheckBoxDispOn;
    QPushButton* ButtonView;
    QPushButton* SaveAllButton;
    QPushButton* CancelBtn;
    QTableView* ListViewForCSV;

    RowTableModel model_;
    TSaveCsvAllDlg* save_;
    MGDateClock clock_;
    const MGSchemaMng* manager_ = nullptr;
    std::unique_ptr<ZMGCell> list_;
};

}  // namespace tabulorix
