// The group "表の表示項目" (what a table box shows: its name with the key and
// index columns, with all columns, or alone), as the connection, settings
// and relayout dialogs offer it.
#pragma once

class QButtonGroup;
class QGroupBox;
class QWidget;

namespace tabulorix {

// A group box "SelectField" under `parent` with one radio button per choice
// ("SelectField0" …), each added to `choices` with its index as its id.
QGroupBox* MakeTableItemChoice(QWidget* parent, QButtonGroup& choices);

}  // namespace tabulorix
