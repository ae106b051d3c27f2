// The settings dialog, printing, printer set-up and Word from the window:
// real widgets and a PDF printer, the file names answered by the recording
// ports and the print range and the document opener scripted.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_window.h"
#include "app/paper_actions.h"
#include "app/settings_dialog.h"
#include "app/window_actions.h"
#include "app/window_surfaces.h"
#include "designfile/design_save.h"
#include "platform/qt_printer.h"
#include "support/external_tool.h"
#include "support/recording_host.h"
#include "support/zip_reader.h"

namespace tabulorix {
namespace {

namespace fs = std::filesystem;

// Counts the paint events a widget receives.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

class PaperActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir_);
        window_.Printer().Printer().setOutputFormat(QPrinter::PdfFormat);
        window_.Printer().SetOutputFileName(File("printed.pdf"));
        ASSERT_TRUE(window_.OpenDesignPath(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx")));
    }
    void TearDown() override { fs::remove_all(dir_); }
    // The window shown with its diagram tab in front.
    PaintBoxWidget& ShowDiagram() {
        window_.findChild<QTabWidget*>("PageControlTop")->setCurrentIndex(1);
        window_.show();
        QTest::qWait(30);
        return *window_.findChild<PaintBoxWidget*>("PaintBox");
    }
    std::string File(const char* name) const { return (dir_ / name).string(); }
    QLineEdit& Edit(const char* name) {
        return *window_.Paper().SettingsDialog().findChild<QLineEdit*>(name);
    }
    // Runs the settings dialog, sets the page counts (when given) and the
    // notation (when not negative) and presses OK or Cancel.
    void RunSettings(const char* across, const char* down, bool ok, int notation = -1) {
        QTimer::singleShot(0, [&, across, down, ok, notation] {
            TSetDlgForm& dialog = window_.Paper().SettingsDialog();
            if (across) Edit("PaperXCountEdit").setText(QString::fromLatin1(across));
            if (down) Edit("PaperYCountEdit").setText(QString::fromLatin1(down));
            if (notation >= 0) dialog.findChild<QComboBox*>("ComboBoxNotation")->setCurrentIndex(notation);
            ok ? dialog.accept() : dialog.reject();
        });
        WindowAction(window_, "ActionOption")->trigger();
    }
    TSetDlg& Settings() { return window_.Document().Settings(); }
    void Trigger(const char* action) { WindowAction(window_, action)->trigger(); }

    testing::RecordingPorts ports_;
    fs::path dir_ = fs::temp_directory_path() / ("tabulorix-paper-" + std::to_string(::getpid()));
    TForm1 window_{"-DEBUG"};
};

TEST_F(PaperActionsTest, SettingsRaiseTooFewPagesShowThemNextTimeAndCancelRestoresTheControls) {
    const PageGrid needed = window_.Document().PagesNeeded();
    ASSERT_GE(needed.across * needed.down, 2);  // the sample spreads over pages
    RunSettings("1", "1", true);
    EXPECT_EQ(Settings().StoredValues().PaperX, needed.across);
    EXPECT_EQ(Settings().StoredValues().PaperY, needed.down);
    RunSettings(nullptr, nullptr, false);
    EXPECT_EQ(Edit("PaperXCountEdit").text(), QString::number(needed.across));
    EXPECT_EQ(Edit("PaperYCountEdit").text(), QString::number(needed.down));
    const TSetDlg::Values stored = Settings().StoredValues();
    RunSettings("9", "9", false, 0);
    EXPECT_EQ(Settings().StoredValues(), stored);
    EXPECT_EQ(Settings().ControlValues().PaperXCountEdit, std::to_string(stored.PaperX));
    EXPECT_EQ(Settings().ControlValues().ComboBoxNotation, stored.Notation);
    RunSettings(nullptr, nullptr, true, 3);  // the last notation: key and index marks without IDEF1X
    EXPECT_EQ(Settings().DisplayFlags() & 0x700, 0x600);
}

TEST_F(PaperActionsTest, OkWithoutAChangeNeitherModifiesNorRepaints) {
    PaintCounter counter(ShowDiagram());
    RunSettings(nullptr, nullptr, true);
    QTest::qWait(30);
    EXPECT_EQ(counter.paints, 0);
    EXPECT_FALSE(Settings().IsModified());
    RunSettings(nullptr, nullptr, true, 0);  // a change repaints and modifies
    QTest::qWait(30);
    EXPECT_GT(counter.paints, 0);
    EXPECT_TRUE(Settings().IsModified());
}

TEST_F(PaperActionsTest, PrintingPagesTwoToThreeOfATwoByTwoGridGivesTwoNumberedSheetsAtZoom100) {
    const auto pdftotext = testing::FindTool("pdftotext");
    ASSERT_TRUE(pdftotext) << "pdftotext (poppler-utils) is needed";
    RunSettings("2", "2", true);
    Trigger("ZoomUp");
    ASSERT_EQ(window_.Document().WindowZoom(), 150);
    int askedPages = 0;
    window_.Paper().SetPrintRangeAsker([&](int pages) {
        askedPages = pages;
        return std::optional<std::pair<int, int>>({2, 3});
    });
    Trigger("ActionPrint");
    EXPECT_EQ(askedPages, 4);
    EXPECT_EQ(window_.Document().WindowZoom(), 100);
    const testing::ToolResult text =
        testing::RunTool(*pdftotext, {QString::fromStdString(File("printed.pdf")), QStringLiteral("-")}, 30);
    ASSERT_TRUE(text.Succeeded()) << text.output;
    EXPECT_EQ(testing::CountOccurrences(text.output, "\f"), 2);  // one form feed per page
    // The numbers "- n -" are small; the text extraction may drop their blanks.
    std::string compact = text.output;
    std::erase(compact, ' ');
    EXPECT_NE(compact.find("-3-"), std::string::npos);
    EXPECT_LT(compact.find("-2-"), compact.find('\f'));  // on the first sheet
    EXPECT_EQ(compact.find("-1-"), std::string::npos);
    EXPECT_EQ(compact.find("-4-"), std::string::npos);
}

TEST_F(PaperActionsTest, APrinterThatFailsShowsItsMessageAndTheDiagramComesBack) {
    PaintBoxWidget& box = ShowDiagram();
    window_.Printer().SetOutputFileName(File("missing-folder/printed.pdf"));
    window_.Paper().SetPrintRangeAsker([](int pages) {
        return std::optional<std::pair<int, int>>({1, pages});
    });
    Trigger("ActionPrint");
    EXPECT_EQ(ports_.messages.size(), 1u);
    EXPECT_TRUE(box.isVisible());
    EXPECT_FALSE(fs::exists(File("missing-folder/printed.pdf")));
}

TEST_F(PaperActionsTest, AnOrientationChangedInThePrinterSetUpAfterASaveModifiesTheDesign) {
    ports_.fileNames = {File("saved.tlx")};
    window_.SaveDesignAs();
    ASSERT_FALSE(IsModified(window_.Document().Context()));
    QPrinter& printer = window_.Printer().Printer();
    const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    printer.setPageOrientation(landscape ? QPageLayout::Portrait : QPageLayout::Landscape);
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
    });
    Trigger("SetPrint");
    EXPECT_TRUE(IsModified(window_.Document().Context()));
}

// Into a folder that does not exist the failure is shown, nothing is opened
// and the zoom is back at 100; then one picture per page of a 2 × 2 grid.
TEST_F(PaperActionsTest, WordShowsAFailureOrWritesOnePicturePerPageAndHandsThePathToTheOpener) {
    Trigger("ZoomUp");
    QString opened;
    window_.Paper().SetDocumentOpener([&](const QString& path) {
        opened = path;
        return true;
    });
    ports_.fileNames = {File("missing-folder/sample.docx")};
    Trigger("ActionToWord");
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].rfind("Wordへの出力に失敗しました", 0), 0u);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(window_.Document().WindowZoom(), 100);

    RunSettings("2", "2", true);
    ports_.fileRequests.clear();
    ports_.messages.clear();
    ports_.fileNames = {File("sample.docx")};
    Trigger("ActionToWord");
    ASSERT_EQ(ports_.fileRequests.size(), 1u);
    EXPECT_EQ(ports_.fileRequests[0].initialName, TABULORIX_SOURCE_DIR "/examples/sample.docx");
    EXPECT_EQ(opened.toStdString(), File("sample.docx"));
    std::stringstream bytes;
    bytes << std::ifstream(File("sample.docx"), std::ios::binary).rdbuf();
    const auto zip = testing::ReadZip(bytes.str());
    ASSERT_TRUE(zip);
    EXPECT_EQ(std::ranges::count_if(zip->Names(),
                                    [](const std::string& name) { return name.starts_with("word/media/"); }),
              4);
    EXPECT_TRUE(ports_.messages.empty());
}

}  // namespace
}  // namespace tabulorix
