// The picture dialog "表関連図出力": all pages or one page of the page
// grid, copied to the clipboard or saved as an EMF file.
#pragma once

#include <QDialog>
#include <string>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace tabulorix {

class TEMFOutDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TEMFOutDlg(QWidget* parent = nullptr);

    // Shows the page grid and runs the dialog modally. The result: 0 all
    // pages, a page number, or -1 when the dialog was closed with "終了".
    // After a result of 0 or more FileName() is the chosen EMF file, empty
    // for the clipboard.
    int Execute(int pagesX, int pagesY);
    const std::string& FileName() const { return fileName_; }

    // The tool buttons' step: copy (to the clipboard) or save (to a file).
    void Output(bool save);
    // Prepares the controls as Execute does, without running the dialog.
    void Prepare(int pagesX, int pagesY);
    int Result() const { return result_; }

private:
    void RadioGroupTargetClick();

    QToolButton* ToolButtonCopy;
    QToolButton* ToolButtonSaveFile;
    QLineEdit* EditPageX;
    QLineEdit* EditPageY;
    QGroupBox* RadioGroupTarget;
    QRadioButton* TargetAll;
    QRadioButton* TargetPage;
    QGroupBox* GroupBoxPageNo;
    QLabel* LabelPageNo;
    QLineEdit* EditPageNo;
    QLabel* LabelValidValue;
    QPushButton* CancelBtn;

    int pageCount_ = 1;
    int result_ = -1;
    std::string fileName_;
};

}  // namespace tabulorix
