// The CSV save dialog "CSVファイル保存": which of the nine lists are
// written, under which file names, into which directory.
#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <string>

#include "outputs/csv_export.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tabulorix {

class TSaveCsvAllDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TSaveCsvAllDlg(QWidget* parent = nullptr);

    // Sets every file-name field to its proposed name and runs the dialog
    // modally; on "保存" the lists, names and directory chosen.
    std::optional<MGCsvSaveRequest> Execute(const std::array<std::string, kCsvListCount>& proposedNames);

    // The file-name fields as Execute sets them, without running the dialog.
    void Propose(const std::array<std::string, kCsvListCount>& proposedNames);
    MGCsvSaveRequest Request() const;

private:
    void ChooseDirectory();

    std::array<QCheckBox*, kCsvListCount> checkBoxes_{};  // CheckBox1 .. CheckBox9
    std::array<QLineEdit*, kCsvListCount> edits_{};       // Edit1 .. Edit9
    QLineEdit* DirectoryEdit;
    QPushButton* DirectoryButton;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

}  // namespace tabulorix
