// The progress dialog: the cancel flag and button, event processing under
// the busy flag, and application modality.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/status_dialog.h"

namespace tabulorix {
namespace {

QPushButton* CancelButtonOf(TStatusDlg& dialog) {
    return dialog.findChild<QPushButton*>(QStringLiteral("ButtonCancel"));
}

struct ShowCase {
    bool cancellable;
    bool cancelledBefore;  // an earlier operation was cancelled
};

class StatusShow : public ::testing::TestWithParam<ShowCase> {};

TEST_P(StatusShow, ClearsTheFlagAndEnablesCancelExactlyWhenCancellable) {
    const ShowCase c = GetParam();
    TStatusDlg dialog;
    if (c.cancelledBefore) {
        dialog.Show(true);
        QTest::mouseClick(CancelButtonOf(dialog), Qt::LeftButton);
        ASSERT_TRUE(dialog.CancelRequested());
        dialog.Close();
    }
    dialog.Show(c.cancellable);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.CancelRequested());
    EXPECT_EQ(CancelButtonOf(dialog)->isEnabled(), c.cancellable);
    // A click sets the flag only through an enabled button.
    QTest::mouseClick(CancelButtonOf(dialog), Qt::LeftButton);
    EXPECT_EQ(dialog.CancelRequested(), c.cancellable);
    dialog.Close();
    EXPECT_FALSE(dialog.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Cases, StatusShow,
                         ::testing::Values(ShowCase{true, false}, ShowCase{true, true}, ShowCase{false, true}));

struct BusyCase {
    const char* operation;
    bool busy;
};

class StatusEvents : public ::testing::TestWithParam<BusyCase> {};

TEST_P(StatusEvents, TextOperationsProcessPendingEventsOnlyWhenNotBusy) {
    const BusyCase c = GetParam();
    TStatusDlg dialog(nullptr, [busy = c.busy] { return busy; });
    dialog.Reset();
    auto ran = std::make_shared<bool>(false);
    QTimer::singleShot(0, qApp, [ran] { *ran = true; });
    const std::string operation = c.operation;
    if (operation == "main") dialog.SetMainLine("接続完了");
    if (operation == "detail") dialog.SetDetailLine("情報処理中...");
    if (operation == "events") dialog.ProcessEvents();
    EXPECT_EQ(*ran, !c.busy);
    QCoreApplication::processEvents();
    EXPECT_TRUE(*ran);
}

INSTANTIATE_TEST_SUITE_P(Cases, StatusEvents,
                         ::testing::Values(BusyCase{"main", false}, BusyCase{"main", true}, BusyCase{"detail", false},
                                           BusyCase{"detail", true}, BusyCase{"events", false},
                                           BusyCase{"events", true}));

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
