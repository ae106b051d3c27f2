// The connection dialog: its controls and captions, the pages-across check
// on OK, the password as typed, and what OK does to the settings.
#include <gtest/gtest.h>

#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/connect_dialog.h"
#include "diagram/settings.h"
#include "qt_printers.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

template <typename T = QLineEdit>
T* Child(const TConnectDlg& dialog, const char* name) {
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

// The start state (the captions are checked by the language walk: a changed
// Japanese text has no English one).
TEST(ConnectDialog, StartsEmptyWithOnePageTheFirstChoiceAndConnectAsTheDefault) {
    const TConnectDlg dialog;
    for (const char* edit : {"UserName", "Password", "ServiceName"})
        EXPECT_EQ(Child(dialog, edit)->text(), "") << edit;
    EXPECT_EQ(Child(dialog, "PaperXCountEdit")->text(), "1");
    EXPECT_TRUE(Child<QRadioButton>(dialog, "SelectField0")->isChecked());
    EXPECT_TRUE(Child<QPushButton>(dialog, "ConnectButton")->isDefault());
    EXPECT_EQ(dialog.TableItem(), 0);
}

TEST(ConnectDialog, OkTakesOnlyAWholeNumberFromOneToHundredForThePagesAcross) {
    const std::pair<const char*, bool> cases[] = {{"1", true},    {"100", true},  {" 12 ", true},
                                                  {"0", false},   {"101", false}, {"-3", false},
                                                  {"abc", false}, {"1.5", false}, {"", false}};
    for (const auto& [text, accepted] : cases) {
        SCOPED_TRACE(text);
        testing::RecordingPorts ports;
        TConnectDlg dialog;
        // Settings that differ from the start values everywhere, paper included.
        TSetDlg settings;
        settings.StoreValues({.PaperX = 7,
                              .PaperY = 5,
                              .Notation = 1,
                              .Shadow = 0,
                              .TableItem = 1,
                              .ForeignName = 1,
                              .PageSize = 9,
                              .PageOrientation = 2});
        const TSetDlg::Values before = settings.StoredValues();
        bool stillOpen = false;
        QTimer::singleShot(0, &dialog, [&, text = text] {
            QTest::keyClicks(Child(dialog, "UserName"), QStringLiteral("scott"));
            Child(dialog, "PaperXCountEdit")->setText(QString::fromUtf8(text));
            auto* radio = Child<QRadioButton>(dialog, "SelectField2");
            QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));  // on the indicator
            QTest::mouseClick(Child<QPushButton>(dialog, "ConnectButton"), Qt::LeftButton);
            stillOpen = dialog.isVisible();
            if (stillOpen) QTest::mouseClick(Child<QPushButton>(dialog, "CancelButton"), Qt::LeftButton);
        });
        EXPECT_EQ(dialog.Execute(settings), accepted);
        EXPECT_EQ(stillOpen, !accepted);
        if (accepted) {
            EXPECT_TRUE(ports.messages.empty());
            // The start values, except the paper, which is kept.
            const TSetDlg::Values expected{
                .PaperX = std::stoi(text), .TableItem = 2, .PageSize = 9, .PageOrientation = 2};
            EXPECT_EQ(settings.StoredValues(), expected);
            EXPECT_EQ(dialog.PagesAcross(), expected.PaperX);
        } else {
            EXPECT_EQ(ports.messages,
                      std::vector<std::string>{
                          std::string("用紙横方向枚数には 1 から 100 までの整数を入力してください: \"") +
                          text + "\""});
            EXPECT_EQ(settings.StoredValues(), before);
        }
    }
}

TEST(ConnectDialog, ExecuteStartsWithAnEmptyPasswordAndKeepsTheTypedCase) {
    testing::RecordingPorts ports;
    TConnectDlg dialog;
    TSetDlg settings;
    auto* password = Child(dialog, "Password");
    password->setText(QStringLiteral("left over"));
    QStringList atStart;  // the password, the focus, the password as shown
    QTimer::singleShot(0, &dialog, [&] {
        atStart << password->text() << dialog.focusWidget()->objectName();
        QTest::keyClicks(Child(dialog, "UserName"), QStringLiteral(" scott "));
        QTest::keyClicks(password, QStringLiteral(" Tiger#1"));
        QTest::keyClicks(Child(dialog, "ServiceName"), QStringLiteral("dbhost:1521:orcl"));
        atStart << password->displayText();
        QTest::keyClick(password, Qt::Key_Return);  // the default button
    });
    ASSERT_TRUE(dialog.Execute(settings));
    EXPECT_EQ(atStart, (QStringList{"", "UserName", "********"}));
    EXPECT_EQ(dialog.UserName(), "scott");
    EXPECT_EQ(dialog.Password(), " Tiger#1");
    EXPECT_EQ(dialog.ServiceName(), "dbhost:1521:orcl");
    EXPECT_EQ(dialog.TableItem(), 0);
}

TEST(ConnectDialog, ReadsConnectInfHereThenInTheConfigFolderAndOffersItsNames) {
    // The tests run with Qt's test locations, so the configuration folder is
    // a private one.
    QTemporaryDir here;
    ASSERT_TRUE(here.isValid());
    const QString configFile = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                               QStringLiteral("/tabulorix/connect.inf");
    for (const auto& [path, bytes] :
         {std::pair{here.filePath(QStringLiteral("connect.inf")), "local scott Tiger orcl\n"},
          std::pair{configFile, "remote hr Secret dbhost:1521:xe\nagain scott x orcl\n"}}) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    const QString previousDir = QDir::currentPath();
    QDir::setCurrent(here.path());
    const TConnectDlg dialog;
    QDir::setCurrent(previousDir);
    QFile::remove(configFile);

    std::vector<std::string> names;
    for (const MGUserInfo& record : dialog.ConnectionList()) names.push_back(record.displayName);
    EXPECT_EQ(names, (std::vector<std::string>{"local", "remote", "again"}));
    const auto completions = [&dialog](const char* edit) {
        const QCompleter* completer = Child(dialog, edit)->completer();
        return completer ? qobject_cast<const QStringListModel*>(completer->model())->stringList()
                         : QStringList();
    };
    EXPECT_EQ(completions("UserName"), (QStringList{"SCOTT", "HR"}));
    EXPECT_EQ(completions("ServiceName"), (QStringList{"ORCL", "DBHOST:1521:XE"}));
    EXPECT_TRUE(completions("Password").isEmpty());
}

}  // namespace
}  // namespace tabulorix
