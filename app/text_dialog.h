// The text dialog "テキスト入力": a free text of the diagram with its font,
// size and style, previewed as typed.
#pragma once

#include <QDialog>

#include "diagram/interaction.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tabulorix {

class TTextDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TTextDlg(QWidget* parent = nullptr);

    // Shows the entry, runs the dialog and takes what was entered; false
    // when cancelled. A size that is not a whole number keeps the entry's.
    bool Execute(MGTextEntry& entry);

private:
    void Load(const MGTextEntry& entry);
    int StyleBits() const;
    void Preview();

    QLineEdit* edit_;
    QLabel* preview_;
    QComboBox* fontName_;
    QComboBox* fontSize_;
    QToolButton* bold_;
    QToolButton* italic_;
    QToolButton* underline_;
    QPushButton* ok_;
};

}  // namespace tabulorix
