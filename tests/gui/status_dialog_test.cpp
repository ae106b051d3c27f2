// The progress dialog: the cancel flag and button, event processing under
// the busy flag, and application modality.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/status_dialog.h"

namespace tabulorix {
namespace {

void ClickCancel(TStatusDlg& dialog) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ButtonCancel")), Qt::LeftButton);
}

TEST(StatusDialog, ShowClearsTheFlagAndEnablesCancelExactlyWhenCancellable) {
    // cancellable, and whether an earlier operation was cancelled
    for (const auto& [cancellable, cancelledBefore] : {std::pair{true, false}, {true, true}, {false, true}}) {
        SCOPED_TRACE(std::to_string(cancellable) + std::to_string(cancelledBefore));
        TStatusDlg dialog;
        if (cancelledBefore) {
            dialog.Show(true);
            ClickCancel(dialog);
            ASSERT_TRUE(dialog.CancelRequested());
            dialog.Close();
        }
        dialog.Show(cancellable);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(dialog.CancelRequested());
        EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("ButtonCancel"))->isEnabled(), cancellable);
        ClickCancel(dialog);  // sets the flag only through an enabled button
        EXPECT_EQ(dialog.CancelRequested(), cancellable);
        dialog.Close();
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(StatusDialog, TextOperationsProcessPendingEventsOnlyWhenNotBusy) {
    const std::function<void(TStatusDlg&)> operations[] = {
        [](TStatusDlg& d) { d.SetMainLine("接続完了"); },
        [](TStatusDlg& d) { d.SetDetailLine("情報処理中..."); }, [](TStatusDlg& d) { d.ProcessEvents(); }};
    for (const auto& operation : operations) {
        for (const bool busy : {false, true}) {
            TStatusDlg dialog(nullptr, [busy] { return busy; });
            dialog.Reset();
            auto ran = std::make_shared<bool>(false);
            QTimer::singleShot(0, qApp, [ran] { *ran = true; });
            operation(dialog);
            EXPECT_EQ(*ran, !busy);
            QCoreApplication::processEvents();
            EXPECT_TRUE(*ran);
        }
    }
}

TEST(StatusDialog, WhileShownOtherWindowsTakeNoInputAndTheCallerRunsOn) {
    QPushButton other(QStringLiteral("other"));
    int clicks = 0;
    QObject::connect(&other, &QPushButton::clicked, [&clicks] { ++clicks; });
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    const auto clickOther = [&other] {
        QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, other.rect().center());
    };
    clickOther();
    ASSERT_EQ(clicks, 1);
    TStatusDlg dialog;
    dialog.Show(true);  // returns: the operation goes on
    EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
    clickOther();
    dialog.ProcessEvents();
    EXPECT_EQ(clicks, 1);
    dialog.Close();
    clickOther();
    EXPECT_EQ(clicks, 2);
}

}  // namespace
}  // namespace tabulorix
