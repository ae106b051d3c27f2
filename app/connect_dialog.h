// The connection dialog "データベース接続　": user name, password and
// service of the login, and how the new diagram is laid out (pages across,
// shown columns).
//
// The dialog is created once and reused; Execute runs it modally. The
// connection list connect.inf is read when the dialog is created, from the
// current directory and then from ~/.config/tabulorix/; its user names and
// services are offered as completions in the two edits.
#pragma once

#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "catalogue/connection_record.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace tabulorix {

class TSetDlg;

class TConnectDlg final : public QDialog {
    Q_OBJECT
public:
    // Pages across are accepted in this range.
    static constexpr int kMinPagesAcross = 1;
    static constexpr int kMaxPagesAcross = 100;

    explicit TConnectDlg(QWidget* parent = nullptr);

    // Empties the password, puts the focus in the user name and runs the
    // dialog modally. Cancel: false, the settings untouched. OK: the
    // settings go back to their start values, then take the pages across
    // (PaperX) and the shown columns (TableItem); true.
    bool Execute(TSetDlg& settings);

    // What was entered: user and service without surrounding blanks (the
    // driver upper-cases them), the password exactly as typed (Oracle
    // passwords are case-sensitive).
    std::string UserName() const;
    std::string Password() const;
    std::string ServiceName() const;
    // Valid after OK.
    int PagesAcross() const { return pagesAcross_; }
    // 0 keys and indexed columns, 1 all columns, 2 table name only.
    int TableItem() const;

    // The records of connect.inf in file order (current directory first).
    const std::vector<MGUserInfo>& ConnectionList() const { return connectionList_; }
    // The files connect.inf is read from, in order.
    static std::vector<QString> ConnectInfPaths();

    // OK: refuses a pages-across text that is not a whole number in range
    // with a message and keeps the dialog open.
    void accept() override;

private:
    void ReadConnectionList();
    void OfferCompletions();

    QLineEdit* UserName_;
    QLineEdit* Password_;
    QLineEdit* ServiceName_;
    QLineEdit* PaperXCountEdit;
    QButtonGroup* SelectField;
    QPushButton* ConnectButton;
    QPushButton* CancelButton;
    std::vector<MGUserInfo> connectionList_;
    int pagesAcross_ = 1;
};

}  // namespace tabulorix
