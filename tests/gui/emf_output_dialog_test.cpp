// The picture dialog's page checks and the picture action through the
// window: the clipboard's three forms, a cancelled save, the zoom after.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <array>

#include "app/emf_output_dialog.h"
#include "app/main_window.h"
#include "app/output_dialogs.h"
#include "app/window_actions.h"
#include "render/console.h"
#include "support/emf_records.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

// On a grid 2 pages across and 3 down: what is no page of the grid is
// refused with a message and the dialog stays open.
TEST(EmfOutputDialog, RefusesWhatIsNoPageOfTheGridAndKeepsTheDialogOpen) {
    const struct {
        bool onePage;
        const char* text;
        int result;           // -1: refused
        const char* message;  // shown when refused
    } cases[] = {
        {true, "abc", -1, "ページを数値で入力してください。"},
        {true, "", -1, "ページを数値で入力してください。"},
        {true, "7", -1, "ページ番号が範囲外です。"},
        {true, "0", -1, "ページ番号が範囲外です。"},
        {true, "6", 6, nullptr},
        {false, "abc", 0, nullptr},  // all pages: the edit is ignored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.onePage ? " one page" : " all pages"));
        testing::RecordingPorts ports;
        TEMFOutDlg dialog;
        dialog.Prepare(2, 3);
        EXPECT_EQ(dialog.findChild<QLabel*>("LabelValidValue")->text(), QStringLiteral("指定範囲 1 - 6"));
        if (c.onePage) dialog.findChild<QRadioButton*>("RadioGroupTargetPage")->click();
        EXPECT_EQ(dialog.findChild<QLineEdit*>("EditPageNo")->isEnabled(), c.onePage);
        dialog.findChild<QLineEdit*>("EditPageNo")->setText(QString::fromUtf8(c.text));
        dialog.findChild<QToolButton*>("ToolButtonCopy")->click();
        EXPECT_EQ(dialog.Result(), c.result);
        EXPECT_EQ(ports.messages,
                  c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        EXPECT_EQ(dialog.result(), c.message ? QDialog::Rejected : QDialog::Accepted);  // refused: not closed
        EXPECT_TRUE(c.message || dialog.FileName().empty());                            // the clipboard
    }
}

class EmfActionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window_.OpenDesignPath(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx")));
        QApplication::clipboard()->clear();
    }
    bool ClipboardHasEmf() {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        return data != nullptr && data->hasFormat(QStringLiteral("image/x-emf"));
    }

    testing::RecordingPorts ports_;
    TForm1 window_{"-DEBUG"};
};

TEST_F(EmfActionTest, ACopyOffersTheEmfOfThePageSizeWithPngAndSvgRenditions) {
    ASSERT_TRUE(window_.Outputs().CopyPicture(1));
    const auto size = window_.Document().DrawBox().Console().PictureSize(1);
    ASSERT_TRUE(size);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QByteArray emf = data->data(QStringLiteral("image/x-emf"));
    const testing::EmfRecord header =
        testing::EmfRecords(std::vector<std::uint8_t>(emf.begin(), emf.end())).at(0);
    EXPECT_EQ(header.type, testing::kEmrHeader);
    EXPECT_EQ((std::array{header.I32(8), header.I32(12), header.I32(16), header.I32(20)}),
              (std::array{0, 0, size->width - 1, size->height - 1}));
    QImage png;
    ASSERT_TRUE(png.loadFromData(data->data(QStringLiteral("image/png")), "PNG"));
    EXPECT_EQ(png.size(), QSize(size->width, size->height));
    const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(
        svg.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"").arg(size->width).arg(size->height).toUtf8()));
}

// The action runs the dialog modally; the timer clicks in it as a user would.
TEST_F(EmfActionTest, TheActionCopiesAndRestoresTheWindowsZoom) {
    WindowAction(window_, "ZoomUp")->trigger();
    ASSERT_EQ(window_.Document().WindowZoom(), 150);
    QTimer::singleShot(
        0, [this] { window_.Outputs().Emf().findChild<QToolButton*>("ToolButtonCopy")->click(); });
    WindowAction(window_, "ActionOutputEMF")->trigger();
    EXPECT_EQ(window_.Document().WindowZoom(), 150);
    EXPECT_TRUE(ClipboardHasEmf());
}

TEST_F(EmfActionTest, ACancelledSaveDialogKeepsTheDialogOpenAndNothingIsOutput) {
    TEMFOutDlg& dialog = window_.Outputs().Emf();
    bool openAfterCancel = false;
    QTimer::singleShot(0, [&] {
        dialog.findChild<QToolButton*>("ToolButtonSaveFile")->click();  // the file dialog is cancelled
        openAfterCancel = dialog.isVisible();
        dialog.findChild<QAbstractButton*>("CancelBtn")->click();
    });
    WindowAction(window_, "ActionOutputEMF")->trigger();
    EXPECT_TRUE(openAfterCancel);
    ASSERT_EQ(ports_.fileRequests.size(), 1u);
    EXPECT_EQ(ports_.fileRequests[0].filter, "拡張メタファイル (*.emf)|*.emf|すべて (*.*)|*.*");
    EXPECT_EQ(ports_.fileRequests[0].defaultExtension, "emf");
    EXPECT_FALSE(ClipboardHasEmf());  // "終了" after the cancelled save ends the action
}

}  // namespace
}  // namespace tabulorix
