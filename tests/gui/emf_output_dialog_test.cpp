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

using testing::RecordingPorts;

const std::string kSampleDesign = TABULORIX_SOURCE_DIR "/examples/sample.tlx";

struct PageCase {
    const char* name;
    bool onePage;
    const char* text;
    int result;           // -1: refused
    const char* message;  // shown when refused
};

class EmfPageChecks : public ::testing::TestWithParam<PageCase> {};

// On a grid 2 pages across and 3 down.
TEST_P(EmfPageChecks, RefuseWhatIsNoPageOfTheGridAndKeepTheDialogOpen) {
    const PageCase& c = GetParam();
    RecordingPorts ports;
    TEMFOutDlg dialog;
    dialog.Prepare(2, 3);
    EXPECT_EQ(dialog.findChild<QLabel*>("LabelValidValue")->text(), QStringLiteral("指定範囲 1 - 6"));
    if (c.onePage) dialog.findChild<QRadioButton*>("RadioGroupTargetPage")->click();
    EXPECT_EQ(dialog.findChild<QLineEdit*>("EditPageNo")->isEnabled(), c.onePage);
    dialog.findChild<QLineEdit*>("EditPageNo")->setText(QString::fromUtf8(c.text));
    dialog.findChild<QToolButton*>("ToolButtonCopy")->click();
    EXPECT_EQ(dialog.Result(), c.result);
    if (c.result < 0) {
        EXPECT_EQ(ports.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(dialog.result(), QDialog::Rejected);  // not closed
    } else {
        EXPECT_TRUE(ports.messages.empty());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.FileName(), "");  // the clipboard
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EmfPageChecks,
    ::testing::Values(PageCase{"Letters", true, "abc", -1, "ページを数値で入力してください。"},
                      PageCase{"Empty", true, "", -1, "ページを数値で入力してください。"},
                      PageCase{"PastTheGrid", true, "7", -1, "ページ番号が範囲外です。"},
                      PageCase{"Zero", true, "0", -1, "ページ番号が範囲外です。"},
                      PageCase{"LastPage", true, "6", 6, ""},
                      PageCase{"AllPagesIgnoreTheEdit", false, "abc", 0, ""}),
    [](const ::testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

class EmfActionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window_.OpenDesignPath(QString::fromStdString(kSampleDesign))); }

    RecordingPorts ports_;
    TForm1 window_{"-DEBUG"};
};

TEST_F(EmfActionTest, ACopyOffersTheEmfOfThePageSizeWithPngAndSvgRenditions) {
    QApplication::clipboard()->clear();
    const int page = 1;
    ASSERT_TRUE(window_.Outputs().CopyPicture(page));
    const auto size = window_.Document().DrawBox().Console().PictureSize(page);
    ASSERT_TRUE(size);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QByteArray emf = data->data(QStringLiteral("image/x-emf"));
    const std::vector<std::uint8_t> bytes(emf.begin(), emf.end());
    const testing::EmfRecord header = testing::EmfRecords(bytes).at(0);
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
    QApplication::clipboard()->clear();
    QTimer::singleShot(
        0, [this] { window_.Outputs().Emf().findChild<QToolButton*>("ToolButtonCopy")->click(); });
    WindowAction(window_, "ActionOutputEMF")->trigger();
    EXPECT_EQ(window_.Document().WindowZoom(), 150);
    ASSERT_NE(QApplication::clipboard()->mimeData(), nullptr);
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("image/x-emf")));
}

TEST_F(EmfActionTest, ACancelledSaveDialogKeepsTheDialogOpenAndNothingIsOutput) {
    QApplication::clipboard()->clear();
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
    // "終了" after the cancelled save ends the action: nothing is copied either.
    const QMimeData* data = QApplication::clipboard()->mimeData();
    EXPECT_TRUE(data == nullptr || !data->hasFormat(QStringLiteral("image/x-emf")));
}

}  // namespace
}  // namespace tabulorix
