// The Qt ports: filter conversion, the default extension, the message and
// question boxes and the file dialogs, and Qt's Japanese catalogue.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/qt_ports.h"
#include "modal_answer.h"
#include "qt_printers.h"

namespace tabulorix {
namespace {

using testing::AnswerNextFileDialog;
using testing::AnswerNextMessageBox;
using testing::ForgetPendingAnswers;

TEST(QtFilterFromPipes, ConvertsCaptionPatternPairs) {
    const struct {
        const char* pipes;
        const char* qt;
    } cases[] = {
        {"", ""},
        {"デザインファイル (*.tlx)|*.tlx|すべて (*.*)|*.*", "デザインファイル (*.tlx);;すべて (*.*)"},
        {"Text (*.a;*.b)|*.a;*.b", "Text (*.a *.b)"},
        {"Pictures|*.png; *.jpg", "Pictures (*.png *.jpg)"},
        {"Pictures (PNG)|*.png", "Pictures (PNG) (*.png)"},
        {"CSV (*.csv)|*.csv|", "CSV (*.csv)"},
        {"SQL (*.sql)", "SQL (*.sql)"},
        {"すべて", "すべて (*)"},
        {"|*.emf", "*.emf"},
        {"|", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pipes);
        EXPECT_EQ(QtFilterFromPipes(c.pipes), QString::fromUtf8(c.qt));
    }
}

TEST(WithDefaultExtension, AppendsOnlyToANameWithoutOne) {
    const struct {
        const char* path;
        const char* extension;
        const char* result;
    } cases[] = {
        {"/tmp/design", "tlx", "/tmp/design.tlx"},
        {"/tmp/design.sql", "tlx", "/tmp/design.sql"},
        {"/tmp/v1.2/design", "tlx", "/tmp/v1.2/design.tlx"},
        {"/tmp/.hidden", "tlx", "/tmp/.hidden.tlx"},
        {"/tmp/design.", "tlx", "/tmp/design.tlx"},
        {"design", "", "design"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(WithDefaultExtension(c.path, c.extension), c.result);
    }
}

TEST(QtPorts, MessagesShowTheirTextAndTheKnownFailuresAsAbortWarnings) {
    const struct {
        const char* text;
        QMessageBox::Icon icon;
        const char* onlyButton;  // null: Qt's own OK
    } cases[] = {
        {"ファイルを保存しました <b>1</b>", QMessageBox::Information, nullptr},
        {"このデザインファイルは処理できません", QMessageBox::Warning, "中止"},
        {"このデザインファイルは処理できません\n/tmp/x.tlx", QMessageBox::Warning, "中止"},
    };
    QtPorts ports;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto seen = c.onlyButton ? AnswerNextMessageBox(QString::fromUtf8(c.onlyButton))
                                       : AnswerNextMessageBox(QMessageBox::Ok);
        ports.ShowMessage(c.text);
        ASSERT_TRUE(seen->answered);
        EXPECT_EQ(seen->text, QString::fromUtf8(c.text));
        EXPECT_EQ(seen->icon, c.icon);
        ASSERT_EQ(seen->buttons.size(), 1);
        if (c.onlyButton) {
            EXPECT_EQ(seen->buttons[0], QString::fromUtf8(c.onlyButton));
        }
    }
}

TEST(QtPorts, ConfirmAnswersByTheButtonClicked) {
    const struct {
        const char* button;
        Answer answer;
    } cases[] = {{"はい(&Y)", Answer::Yes}, {"いいえ(&N)", Answer::No}, {"キャンセル", Answer::Cancel}};
    QtPorts ports;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        const auto seen = AnswerNextMessageBox(QString::fromUtf8(c.button));
        EXPECT_EQ(ports.Confirm("保存しますか?"), c.answer);
        ASSERT_TRUE(seen->answered);
        EXPECT_EQ(seen->text, QStringLiteral("保存しますか?"));
        QStringList buttons = seen->buttons;
        buttons.sort();
        QStringList expected{QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)"), QStringLiteral("キャンセル")};
        expected.sort();
        EXPECT_EQ(buttons, expected);
    }
}

TEST(QtPorts, SaveDialogProposesTheNameAddsTheExtensionAndAsksBeforeOverwriting) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path();
    {
        QFile existing(folder + QStringLiteral("/exists.tlx"));
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    }
    FileDialogRequest request{"名前を付けて保存", "tlx", "デザインファイル (*.tlx)|*.tlx|すべて (*.*)|*.*",
                              (folder + QStringLiteral("/proposed.tlx")).toStdString()};
    const struct {
        const char* typed;   // null: cancel
        bool overwriteAsked;
        const char* result;  // null: nothing chosen
    } cases[] = {
        {"", false, "proposed.tlx"},
        {"second", false, "second.tlx"},
        {"third.sql", false, "third.sql"},
        {"exists", true, "exists.tlx"},
        {nullptr, false, nullptr},
    };
    QtPorts ports;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "<cancel>");
        const auto seen = AnswerNextFileDialog(c.typed ? QString::fromUtf8(c.typed) : QString());
        const auto overwrite = AnswerNextMessageBox(QMessageBox::Yes);
        const auto chosen = ports.AskSaveFileName(request);
        ASSERT_TRUE(seen->answered);
        EXPECT_EQ(seen->title, QStringLiteral("名前を付けて保存"));
        EXPECT_EQ(seen->fileName, QStringLiteral("proposed.tlx"));
        EXPECT_EQ(seen->nameFilters, QStringLiteral("デザインファイル (*.tlx);;すべて (*.*)"));
        EXPECT_EQ(overwrite->answered, c.overwriteAsked);
        if (c.result) {
            ASSERT_TRUE(chosen.has_value());
            EXPECT_EQ(QString::fromStdString(*chosen), folder + QLatin1Char('/') + QString::fromUtf8(c.result));
        } else {
            EXPECT_FALSE(chosen.has_value());
        }
        ForgetPendingAnswers();
    }
}

}  // namespace
}  // namespace tabulorix
