// The find box of the diagram (Ctrl+F): as the user types, the tables and
// views whose name holds the text are listed, then those with such a column,
// with their schema, without moving the view; Enter or a double click
// chooses one.
#pragma once

#include <QDialog>
#include <QStringListModel>
#include <functional>
#include <vector>

#include "session/box_finder.h"

class QLineEdit;
class QListView;

namespace tabulorix {

class TFindDlg final : public QDialog {
    Q_OBJECT
public:
    // chosen: the box picked from the list.
    TFindDlg(QWidget* parent, std::function<void(MGShapeTable&)> chosen);

    // Shows the box with the text selected, ready for typing.
    void Open();
    // The boxes listed for the text typed so far.
    const std::vector<MGFoundBox>& Found() const { return found_; }

private:
    void Search(const QString& text);
    void Choose(int row);

    QLineEdit* text_;
    QListView* list_;
    QStringListModel model_;
    std::vector<MGFoundBox> found_;
    std::function<void(MGShapeTable&)> chosen_;
};

}  // namespace tabulorix
