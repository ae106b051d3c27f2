#include "app/connect_dialog.h"

#include <QButtonGroup>
#include <QCompleter>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <optional>

#include "app/table_item_choice.h"
#include "app/ui_language.h"
#include "base/ui_ports.h"
#include "diagram/settings.h"

namespace tabulorix {

namespace {

// The password edit shows one "*" per character whatever the desktop style
// would use.
class StarPasswordStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QLineEdit* NamedEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// A whole number in range, surrounding blanks allowed; nothing otherwise.
std::optional<int> PagesFromText(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < TConnectDlg::kMinPagesAcross || value > TConnectDlg::kMaxPagesAcross) return std::nullopt;
    return value;
}

}  // namespace

TConnectDlg::TConnectDlg(QWidget* parent)
    : QDialog(parent),
      UserName_(NamedEdit("UserName", this)),
      Password_(NamedEdit("Password", this)),
      ServiceName_(NamedEdit("ServiceName", this)),
      PaperXCountEdit(NamedEdit("PaperXCountEdit", this)),
      SelectField(new QButtonGroup(this)),
      ConnectButton(new QPushButton(UiText::tr("接　続"), this)),
      CancelButton(new QPushButton(UiText::tr("キャンセル"), this)) {
    setObjectName(QStringLiteral("ConnectDlg"));
    setWindowTitle(UiText::tr("データベース接続　"));
    Password_->setEchoMode(QLineEdit::Password);
    auto* star = new StarPasswordStyle;
    star->setParent(Password_);
    Password_->setStyle(star);
    PaperXCountEdit->setText(QStringLiteral("1"));
    PaperXCountEdit->setMaximumWidth(60);

    auto* login = new QGroupBox(UiText::tr("接続"), this);
    login->setObjectName(QStringLiteral("GroupConnect"));
    auto* loginGrid = new QGridLayout(login);
    loginGrid->addWidget(NamedLabel("LabelUserName", UiText::tr("ユーザ名称"), this), 0, 0);
    loginGrid->addWidget(UserName_, 0, 1);
    loginGrid->addWidget(NamedLabel("LabelPassword", UiText::tr("パスワード"), this), 1, 0);
    loginGrid->addWidget(Password_, 1, 1);
    loginGrid->addWidget(NamedLabel("LabelService", UiText::tr("サービス名 または"), this), 2, 0);
    loginGrid->addWidget(ServiceName_, 2, 1, 2, 1, Qt::AlignVCenter);
    loginGrid->addWidget(NamedLabel("LabelHostPortSid", QStringLiteral("Host(IP):Port:SID"), this), 3, 0);
    loginGrid->setColumnMinimumWidth(1, 220);

    QGroupBox* fields = MakeTableItemChoice(this, *SelectField);
    SelectField->button(0)->setChecked(true);

    auto* placement = new QGroupBox(UiText::tr("表配置"), this);
    placement->setObjectName(QStringLiteral("GroupPlacement"));
    auto* layoutGrid = new QGridLayout(placement);
    layoutGrid->addWidget(NamedLabel("LabelPaperX", UiText::tr("用紙横方向枚数"), this), 0, 0);
    layoutGrid->addWidget(PaperXCountEdit, 0, 1, Qt::AlignLeft);
    layoutGrid->addWidget(fields, 1, 0, 1, 2);

    ConnectButton->setObjectName(QStringLiteral("ConnectButton"));
    ConnectButton->setDefault(true);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(ConnectButton, &QPushButton::clicked, this, &TConnectDlg::accept);
    connect(CancelButton, &QPushButton::clicked, this, &TConnectDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ConnectButton);
    buttons->addWidget(CancelButton);

    auto* column = new QVBoxLayout(this);
    column->addWidget(login);
    column->addWidget(placement);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);

    ReadConnectionList();
    OfferCompletions();
}

std::vector<QString> TConnectDlg::ConnectInfPaths() {
    const QString local = QStringLiteral("connect.inf");
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/tabulorix/connect.inf");
    // The current directory may be the configuration directory itself.
    if (QFileInfo(local).absoluteFilePath() == QFileInfo(config).absoluteFilePath()) return {local};
    return {local, config};
}

void TConnectDlg::ReadConnectionList() {
    for (const QString& path : ConnectInfPaths()) {
        auto records = ReadConnectInf(path.toStdString());
        connectionList_.insert(connectionList_.end(), records.begin(), records.end());
    }
}

// The user names and services of connect.inf, each once, as completions.
void TConnectDlg::OfferCompletions() {
    QStringList users;
    QStringList services;
    for (const MGUserInfo& record : connectionList_) {
        users.append(QString::fromStdString(record.userName));
        services.append(QString::fromStdString(record.server));
    }
    const auto offer = [this](QLineEdit* edit, QStringList names) {
        names.removeAll(QString());
        names.removeDuplicates();
        if (names.isEmpty()) return;
        auto* completer = new QCompleter(names, edit);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        edit->setCompleter(completer);
    };
    offer(UserName_, users);
    offer(ServiceName_, services);
}

bool TConnectDlg::Execute(TSetDlg& settings) {
    Password_->clear();
    UserName_->setFocus();
    if (exec() != QDialog::Accepted) return false;
    settings.ResetToStartValues();
    TSetDlg::Values values = settings.StoredValues();
    values.PaperX = pagesAcross_;
    values.TableItem = TableItem();
    settings.StoreValues(values);
    return true;
}

void TConnectDlg::accept() {
    const QString text = PaperXCountEdit->text();
    const std::optional<int> pages = PagesFromText(text);
    if (!pages) {
        ShowMessage(UiText::tr("用紙横方向枚数には %1 から %2 までの整数を入力してください: \"%3\"")
                        .arg(kMinPagesAcross)
                        .arg(kMaxPagesAcross)
                        .arg(text)
                        .toStdString());
        PaperXCountEdit->setFocus();
        PaperXCountEdit->selectAll();
        return;
    }
    pagesAcross_ = *pages;
    QDialog::accept();
}

// Blanks around a name are typing slips, never part of an Oracle name; the
// password is taken exactly as typed.
std::string TConnectDlg::UserName() const { return UserName_->text().trimmed().toStdString(); }

std::string TConnectDlg::Password() const { return Password_->text().toStdString(); }

std::string TConnectDlg::ServiceName() const { return ServiceName_->text().trimmed().toStdString(); }

int TConnectDlg::TableItem() const { return SelectField->checkedId(); }

}  // namespace tabulorix
