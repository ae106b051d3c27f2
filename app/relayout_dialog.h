// The relayout dialog "再配置": pages across and the columns the boxes show;
// OK lays the whole diagram out again over them.
#pragma once

#include <QDialog>
#include <optional>

#include "session/design_document.h"

class QButtonGroup;
class QLineEdit;

namespace tabulorix {

class TRelayoutDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TRelayoutDlg(QWidget* parent = nullptr);

    // Shows the settings' pages across and shown columns; the choice on OK,
    // nothing on Cancel.
    std::optional<MGRelayoutChoice> Execute(const TSetDlg& settings);

private:
    QLineEdit* pagesAcross_;
    QButtonGroup* selectField_;
};

}  // namespace tabulorix
