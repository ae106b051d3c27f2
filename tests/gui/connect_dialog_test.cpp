// The connection dialog: its controls and captions, the pages-across check
// on OK, the password as typed, and what OK does to the settings.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringListModel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "app/connect_dialog.h"
#include "diagram/settings.h"
#include "qt_printers.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

QString TextOf(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) return group->title();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
    return QStringLiteral("<no text>");
}

template <typename T = QWidget>
T* Child(const TConnectDlg& dialog, const char* name) {
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

TEST(ConnectDialog, ShowsTheControlsWithTheirCaptions) {
    const TConnectDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("データベース接続\u3000"));
    const struct {
        const char* name;
        const char* text;
    } cases[] = {
        {"GroupConnect", "接続"},
        {"LabelUserName", "ユーザ名称"},
        {"UserName", ""},
        {"LabelPassword", "パスワード"},
        {"Password", ""},
        {"LabelService", "サービス名 または"},
        {"LabelHostPortSid", "Host(IP):Port:SID"},
        {"ServiceName", ""},
        {"GroupPlacement", "表配置"},
        {"LabelPaperX", "用紙横方向枚数"},
        {"PaperXCountEdit", "1"},
        {"SelectField", "表の表示項目"},
        {"SelectField0", "表名とキー/索引列"},
        {"SelectField1", "表名とすべての列"},
        {"SelectField2", "表名のみ"},
        {"ConnectButton", "接\u3000続"},
        {"CancelButton", "キャンセル"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QWidget* widget = Child(dialog, c.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(TextOf(widget), QString::fromUtf8(c.text));
    }
    EXPECT_TRUE(Child<QRadioButton>(dialog, "SelectField0")->isChecked());
    EXPECT_TRUE(Child<QPushButton>(dialog, "ConnectButton")->isDefault());
    EXPECT_EQ(dialog.TableItem(), 0);
}

// Settings that differ from the start values everywhere, paper included.
TSetDlg ChangedSettings() {
    TSetDlg settings;
    TSetDlg::Values values;
    values.PaperX = 7;
    values.PaperY = 5;
    values.Notation = 1;
    values.Shadow = 0;
    values.TableItem = 1;
    values.ForeignName = 1;
    values.PageSize = 9;
    values.PageOrientation = 2;
    settings.StoreValues(values);
    return settings;
}

struct PagesCase {
    const char* text;
    bool accepted;
};

class ConnectPages : public ::testing::TestWithParam<PagesCase> {};

TEST_P(ConnectPages, OkTakesOnlyAWholeNumberFromOneToHundred) {
    const PagesCase c = GetParam();
    testing::RecordingPorts ports;
    TConnectDlg dialog;
    TSetDlg settings = ChangedSettings();
    const TSetDlg::Values before = settings.StoredValues();
    bool stillOpen = false;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClicks(Child<QLineEdit>(dialog, "UserName"), QStringLiteral("scott"));
        Child<QLineEdit>(dialog, "PaperXCountEdit")->setText(QString::fromUtf8(c.text));
        auto* radio = Child<QRadioButton>(dialog, "SelectField2");
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));  // on the indicator
        QTest::mouseClick(Child<QPushButton>(dialog, "ConnectButton"), Qt::LeftButton);
        stillOpen = dialog.isVisible();
        if (stillOpen) QTest::mouseClick(Child<QPushButton>(dialog, "CancelButton"), Qt::LeftButton);
    });
    const bool result = dialog.Execute(settings);

    EXPECT_EQ(result, c.accepted);
    EXPECT_EQ(stillOpen, !c.accepted);
    if (c.accepted) {
        EXPECT_TRUE(ports.messages.empty());
        TSetDlg::Values expected;  // the start values ...
        expected.PaperX = std::stoi(c.text);
        expected.TableItem = 2;
        expected.PageSize = 9;  // ... except the paper, which is kept
        expected.PageOrientation = 2;
        EXPECT_EQ(settings.StoredValues(), expected);
        EXPECT_EQ(dialog.PagesAcross(), expected.PaperX);
    } else {
        ASSERT_EQ(ports.messages.size(), 1u);
        EXPECT_EQ(ports.messages[0], std::string("用紙横方向枚数には 1 から 100 までの整数を入力してください: \"") +
                                         c.text + "\"");
        EXPECT_EQ(settings.StoredValues(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ConnectPages,
                         ::testing::Values(PagesCase{"1", true}, PagesCase{"100", true}, PagesCase{" 12 ", true},
                                           PagesCase{"0", false}, PagesCase{"101", false}, PagesCase{"-3", false},
                                           PagesCase{"abc", false}, PagesCase{"1.5", false}, PagesCase{"", false}));

TEST(ConnectDialog, ExecuteStartsWithAnEmptyPasswordAndKeepsTheTypedCase) {
    testing::RecordingPorts ports;
    TConnectDlg dialog;
    TSetDlg settings;
    auto* password = Child<QLineEdit>(dialog, "Password");
    password->setText(QStringLiteral("left over"));
    QString passwordAtStart = QStringLiteral("<not run>");
    QWidget* focusAtStart = nullptr;
    QString shown;
    QTimer::singleShot(0, &dialog, [&] {
        passwordAtStart = password->text();
        focusAtStart = dialog.focusWidget();
        QTest::keyClicks(Child<QLineEdit>(dialog, "UserName"), QStringLiteral(" scott "));
        QTest::keyClicks(password, QStringLiteral(" Tiger#1"));
        QTest::keyClicks(Child<QLineEdit>(dialog, "ServiceName"), QStringLiteral("dbhost:1521:orcl"));
        shown = password->displayText();
        QTest::keyClick(password, Qt::Key_Return);  // the default button
    });
    ASSERT_TRUE(dialog.Execute(settings));
    EXPECT_TRUE(passwordAtStart.isEmpty());
    EXPECT_EQ(focusAtStart, Child(dialog, "UserName"));
    EXPECT_EQ(shown, QStringLiteral("********"));
    EXPECT_EQ(dialog.UserName(), "scott");
    EXPECT_EQ(dialog.Password(), " Tiger#1");
    EXPECT_EQ(dialog.ServiceName(), "dbhost:1521:orcl");
    EXPECT_EQ(dialog.TableItem(), 0);
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList Completions(const TConnectDlg& dialog, const char* edit) {
    const QCompleter* completer = Child<QLineEdit>(dialog, edit)->completer();
    if (completer == nullptr) return {};
    return qobject_cast<const QStringListModel*>(completer->model())->stringList();
}

TEST(ConnectDialog, ReadsConnectInfHereThenInTheConfigFolderAndOffersItsNames) {
    // The tests run with Qt's test locations, so the configuration folder is
    // a private one.
    QTemporaryDir here;
    ASSERT_TRUE(here.isValid());
    const QString configFile = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                               QStringLiteral("/tabulorix/connect.inf");
    WriteFile(here.filePath(QStringLiteral("connect.inf")), "local scott Tiger orcl\n");
    WriteFile(configFile, "remote hr Secret dbhost:1521:xe\nagain scott x orcl\n");
    const QString previousDir = QDir::currentPath();
    QDir::setCurrent(here.path());
    const TConnectDlg dialog;
    QDir::setCurrent(previousDir);
    QFile::remove(configFile);

    std::vector<std::string> names;
    for (const MGUserInfo& record : dialog.ConnectionList()) names.push_back(record.displayName);
    EXPECT_EQ(names, (std::vector<std::string>{"local", "remote", "again"}));
    EXPECT_EQ(Completions(dialog, "UserName"), (QStringList{QStringLiteral("SCOTT"), QStringLiteral("HR")}));
    EXPECT_EQ(Completions(dialog, "ServiceName"),
              (QStringList{QStringLiteral("ORCL"), QStringLiteral("DBHOST:1521:XE")}));
    EXPECT_TRUE(Completions(dialog, "Password").isEmpty());
}

}  // namespace
}  // namespace tabulorix
