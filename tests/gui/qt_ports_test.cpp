// The Qt ports: filter conversion, the default extension, the message and
// question boxes and the file dialogs, and Qt's Japanese catalogue.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "app/qt_ports.h"
#include "qt_printers.h"

namespace tabulorix {
namespace {

TEST(QtFilterFromPipes, ConvertsCaptionPatternPairs) {
    const struct {
        const char *pipes, *qt;
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
    for (const auto& c : cases) EXPECT_EQ(QtFilterFromPipes(c.pipes), QString::fromUtf8(c.qt)) << c.pipes;
}

TEST(WithDefaultExtension, AppendsOnlyToANameWithoutOne) {
    const struct {
        const char *path, *extension, *result;
    } cases[] = {
        {"/tmp/design", "tlx", "/tmp/design.tlx"},           {"/tmp/design.sql", "tlx", "/tmp/design.sql"},
        {"/tmp/v1.2/design", "tlx", "/tmp/v1.2/design.tlx"}, {"/tmp/.hidden", "tlx", "/tmp/.hidden.tlx"},
        {"/tmp/design.", "tlx", "/tmp/design.tlx"},          {"design", "", "design"},
    };
    for (const auto& c : cases) EXPECT_EQ(WithDefaultExtension(c.path, c.extension), c.result) << c.path;
}

// What a message box showed.
struct SeenBox {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;  // with their '&'
    bool answered = false;
};

class QtPortsTest : public ::testing::Test {
protected:
    // Runs `answer` on the next modal D once it is the active modal widget
    // (polled: the port's call runs its own loop, and answering may open a
    // nested one). Another modal widget still up after ten seconds is closed
    // so that the test fails instead of hanging; answers not taken end with
    // the test.
    template <typename D, typename F>
    void WhenModal(F answer) {
        auto* timer = new QTimer(&scope_);
        auto ticks = std::make_shared<int>(0);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, ticks, answer] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<D*>(modal)) {
                timer->stop();
                answer(*dialog);
            } else if (++*ticks > 1000 && modal != nullptr) {
                modal->close();
            }
        });
        timer->start(10);
    }
    // The next message box, answered with the button of this text (without
    // '&') or else of this standard role.
    std::shared_ptr<const SeenBox> AnswerBox(const QString& text, QMessageBox::StandardButton role = {}) {
        auto seen = std::make_shared<SeenBox>();
        WhenModal<QMessageBox>([seen, text, role](QMessageBox& box) {
            seen->text = box.text();
            seen->icon = box.icon();
            QAbstractButton* chosen = box.button(role);
            for (QAbstractButton* button : box.buttons()) {
                seen->buttons << button->text();
                if (!text.isEmpty() && QString(button->text()).remove(u'&') == QString(text).remove(u'&'))
                    chosen = button;
            }
            seen->answered = chosen != nullptr;
            chosen != nullptr ? chosen->click() : box.reject();
        });
        return seen;
    }

    QObject scope_;
    QtPorts ports_;
};

TEST_F(QtPortsTest, MessagesShowTheirTextAndTheKnownFailuresAsAbortWarnings) {
    const struct {
        const char* text;
        QMessageBox::Icon icon;
        const char* onlyButton;  // null: Qt's own OK
    } cases[] = {
        {"ファイルを保存しました <b>1</b>", QMessageBox::Information, nullptr},
        {"このデザインファイルは処理できません", QMessageBox::Warning, "中止"},
        {"このデザインファイルは処理できません\n/tmp/x.tlx", QMessageBox::Warning, "中止"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto seen = AnswerBox(QString::fromUtf8(c.onlyButton), QMessageBox::Ok);
        ports_.ShowMessage(c.text);
        ASSERT_TRUE(seen->answered);
        EXPECT_EQ(seen->text, QString::fromUtf8(c.text));
        EXPECT_EQ(seen->icon, c.icon);
        ASSERT_EQ(seen->buttons.size(), 1);
        EXPECT_TRUE(!c.onlyButton || seen->buttons[0] == QString::fromUtf8(c.onlyButton));
    }
}

TEST_F(QtPortsTest, ConfirmAnswersByTheButtonClicked) {
    const std::pair<const char*, Answer> cases[] = {
        {"はい(&Y)", Answer::Yes}, {"いいえ(&N)", Answer::No}, {"キャンセル", Answer::Cancel}};
    for (const auto& [button, answer] : cases) {
        SCOPED_TRACE(button);
        const auto seen = AnswerBox(QString::fromUtf8(button));
        EXPECT_EQ(ports_.Confirm("保存しますか?"), answer);
        ASSERT_TRUE(seen->answered);
        EXPECT_EQ(seen->text, QStringLiteral("保存しますか?"));
        QStringList buttons = seen->buttons;
        buttons.sort();
        EXPECT_EQ(buttons, (QStringList{"いいえ(&N)", "はい(&Y)", "キャンセル"}));  // sorted
    }
}

TEST_F(QtPortsTest, SaveDialogProposesTheNameAddsTheExtensionAndAsksBeforeOverwriting) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QFile(dir.filePath(QStringLiteral("exists.tlx"))).open(QIODevice::WriteOnly));
    const FileDialogRequest request{"名前を付けて保存", "tlx",
                                    "デザインファイル (*.tlx)|*.tlx|すべて (*.*)|*.*",
                                    dir.filePath(QStringLiteral("proposed.tlx")).toStdString()};
    const struct {
        const char* typed;  // null: cancel
        bool overwriteAsked;
        const char* result;  // null: nothing chosen
    } cases[] = {
        {"", false, "proposed.tlx"},    {"second", false, "second.tlx"}, {"third.sql", false, "third.sql"},
        {"exists", true, "exists.tlx"}, {nullptr, false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "<cancel>");
        QStringList seen;  // title, proposed name, filters
        WhenModal<QFileDialog>([&seen, typed = c.typed](QFileDialog& dialog) {
            auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            seen << dialog.windowTitle() << edit->text() << dialog.nameFilters().join(QStringLiteral(";;"));
            if (typed == nullptr) return dialog.reject();
            // Typed as a user types it; selectFile would ignore a new name.
            if (*typed != '\0') edit->setText(QString::fromUtf8(typed));
            static_cast<QDialog&>(dialog).accept();  // QFileDialog's checks, through QDialog's public accept
        });
        const auto overwrite = AnswerBox({}, QMessageBox::Yes);
        const auto chosen = ports_.AskSaveFileName(request);
        EXPECT_EQ(seen, (QStringList{"名前を付けて保存", "proposed.tlx",
                                     "デザインファイル (*.tlx);;すべて (*.*)"}));
        EXPECT_EQ(overwrite->answered, c.overwriteAsked);
        EXPECT_EQ(chosen.value_or(""),
                  c.result ? dir.filePath(QString::fromUtf8(c.result)).toStdString() : "");
        qDeleteAll(scope_.children());  // the overwrite answer not taken
    }
}

}  // namespace
}  // namespace tabulorix
