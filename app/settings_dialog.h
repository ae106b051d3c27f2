// The settings dialog "設定": the widgets over the settings model TSetDlg.
// The model keeps the stored values and the control values; this form shows
// the control values, hands edits back, and runs OK and Cancel as the model
// says: OK applies (only while a diagram exists), Cancel restores what the
// controls show.
#pragma once

#include <QDialog>

#include "diagram/settings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tabulorix {

class TSetDlgForm final : public QDialog {
    Q_OBJECT
public:
    explicit TSetDlgForm(TSetDlg& settings, QWidget* parent = nullptr);

    // Loads the controls from the stored values and runs the dialog. True
    // when OK stored the values (a page count the model refuses keeps the
    // dialog open with the model's message).
    bool Execute();

    void accept() override;
    void reject() override;

private:
    void LoadControls();
    void StoreControls();

    TSetDlg& settings_;
    QLineEdit* paperX_;
    QLineEdit* paperY_;
    QComboBox* pagePosition_;
    QComboBox* pageNoForm_;
    QComboBox* notation_;
    QCheckBox* shadow_;
    QCheckBox* relationName_;
    QButtonGroup* selectField_;
};

}  // namespace tabulorix
