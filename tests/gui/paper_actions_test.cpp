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
using testing::RecordingPorts;

const QString kSampleDesign = QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx");

// Counts the paint events a widget receives.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

class PaperActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tabulorix-paper-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        window_ = std::make_unique<TForm1>("-DEBUG");
        window_->Printer().Printer().setOutputFormat(QPrinter::PdfFormat);
        window_->Printer().SetOutputFileName(File("printed.pdf"));
    }
    // The window shown with its diagram tab in front.
    void ShowDiagram() {
        window_->findChild<QTabWidget*>("PageControlTop")->setCurrentIndex(1);
        window_->show();
        QTest::qWait(30);
    }
    void TearDown() override {
        window_.reset();
        fs::remove_all(dir_);
    }
    std::string File(const char* name) const { return (dir_ / name).string(); }
    TSetDlgForm& Dialog() { return window_->Paper().SettingsDialog(); }
    // Runs the settings dialog, sets the page counts (when given) and
    // presses OK or Cancel.
    void RunSettings(const char* across, const char* down, bool ok, int notation = -1) {
        QTimer::singleShot(0, [&, across, down, ok, notation] {
            if (across) Dialog().findChild<QLineEdit*>("PaperXCountEdit")->setText(QString::fromLatin1(across));
            if (down) Dialog().findChild<QLineEdit*>("PaperYCountEdit")->setText(QString::fromLatin1(down));
            if (notation >= 0) Dialog().findChild<QComboBox*>("ComboBoxNotation")->setCurrentIndex(notation);
            ok ? Dialog().accept() : Dialog().reject();
        });
        WindowAction(*window_, "ActionOption")->trigger();
    }
    TSetDlg& Settings() { return window_->Document().Settings(); }

    RecordingPorts ports_;
    fs::path dir_;
    std::unique_ptr<TForm1> window_;
};

TEST_F(PaperActionsTest, SettingsRaiseTooFewPagesToWhatTheDiagramNeedsAndShowThemNextTime) {
    ASSERT_TRUE(window_->OpenDesignPath(kSampleDesign));
    const PageGrid needed = window_->Document().PagesNeeded();
    ASSERT_GE(needed.across * needed.down, 2);  // the sample spreads over pages
    RunSettings("1", "1", true);
    EXPECT_EQ(Settings().StoredValues().PaperX, needed.across);
    EXPECT_EQ(Settings().StoredValues().PaperY, needed.down);
    RunSettings(nullptr, nullptr, false);
    EXPECT_EQ(Dialog().findChild<QLineEdit*>("PaperXCountEdit")->text(), QString::number(needed.across));
    EXPECT_EQ(Dialog().findChild<QLineEdit*>("PaperYCountEdit")->text(), QString::number(needed.down));
}

TEST_F(PaperActionsTest, OkWithoutAChangeNeitherModifiesNorRepaints) {
    ASSERT_TRUE(window_->OpenDesignPath(kSampleDesign));
    ShowDiagram();
    PaintCounter counter(*window_->findChild<PaintBoxWidget*>("PaintBox"));
    RunSettings(nullptr, nullptr, true);
    QTest::qWait(30);
    EXPECT_EQ(counter.paints, 0);
    EXPECT_FALSE(Settings().IsModified());
    RunSettings(nullptr, nullptr, true, 0);  // a change repaints and modifies
    QTest::qWait(30);
    EXPECT_GT(counter.paints, 0);
    EXPECT_TRUE(Settings().IsModified());
}

TEST_F(PaperActionsTest, OkWithoutADiagramStoresNothingAndCancelRestoresTheControls) {
    RunSettings("7", "5", true);
    EXPECT_EQ(Settings().StoredValues().PaperX, 1);
    ASSERT_TRUE(window_->OpenDesignPath(kSampleDesign));
    const TSetDlg::Values stored = Settings().StoredValues();
    RunSettings("9", "9", false, 0);
    EXPECT_EQ(Settings().StoredValues(), stored);
    EXPECT_EQ(Settings().ControlValues().PaperXCountEdit, std::to_string(stored.PaperX));
    EXPECT_EQ(Settings().ControlValues().ComboBoxNotation, stored.Notation);
}

TEST_F(PaperActionsTest, TheLastNotationDrawsKeyAndIndexMarksWithoutIdef1x) {
    ASSERT_TRUE(window_->OpenDesignPath(kSampleDesign));
    RunSettings(nullptr, nullptr, true, 3);
    EXPECT_EQ(Settings().DisplayFlags() & 0x700, 0x600);
}

TEST_F(PaperActionsTest, PrintingPagesTwoToThreeOfATwoByTwoGridGivesTwoNumberedSheetsAtZoom100) {
    const auto pdftotext = testing::FindTool("pdftotext");
    ASSERT_TRUE(pdftotext) << "pdftotext (poppler-utils) is needed";
    ASSERT_TRUE(window_->OpenDesignPath(kSampleDesign));
    RunSettings("2", "2", true);
    WindowAction(*window_, "ZoomUp")->trigger();
    ASSERT_EQ(window_->Document().WindowZoom(), 150);
    int askedPages = 0;
    window_->Paper().SetPrintRangeAsker([&](int pages) {
        askedPages = pages;
        return std::optional<std::pair<int, int>>({2, 3});
    });
    WindowAction(*window_, "ActionPrint")->trigger();
    EXPECT_EQ(askedPages, 4);
    EXPECT_EQ(window_->Document().WindowZoom(), 100);
    const testing::ToolResult text =
        testing::RunTool(*pdftotext, {QString::fromStdString(File("printed.pdf")), QStringLiteral("-")}, 30);
    ASSERT_TRUE(text.Succeeded()) << text.output;
    EXPECT_EQ(testing::CountOccurrences(text.output, "\f"), 2);  // one form feed per page
    // The numbers "- n -" are small; the text extraction may drop their blanks.
    std::string compact = text.output;
    std::erase(compact, ' ');
    const std::size_t second = compact.find("-2-");
    const std::size_t third = compact.find("-3-");
    EXPECT_NE(second, std::string::npos);
    EXPECT_NE(third, std::string::npos);
    EXPECT_LT(second, compact.find('\f'));  // on the first sheet
    EXPECT_EQ(compact.find("-1-"), std::string::npos);
    EXPECT_EQ(compact.find("-4-"), std::string::npos);
}

TEST_F(PaperActionsTest, APrinterThatFailsShowsItsMessageAndTheDiagramComesBack) {
    ASSERT_TRUE(window_->OpenDesignPath(kSampleDesign));
    ShowDiagram();
    window_->Printer().SetOutputFileName(File("missing-folder/printed.pdf"));
    window_->Paper().SetPrintRangeAsker([](int pages) { return std::optional<std::pair<int, int>>({1, pages}); });
    WindowAction(*window_, "ActionPrint")->trigger();
    EXPECT_EQ(ports_.messages.size(), 1u);
    EXPECT_TRUE(window_->findChild<PaintBoxWidget*>("PaintBox")->isVisible());
    EXPECT_FALSE(fs::exists(File("missing-folder/printed.pdf")));
}

TEST_F(PaperActionsTest, AnOrientationChangedInThePrinterSetUpAfterASaveModifiesTheDesign) {
    ASSERT_TRUE(window_->OpenDesignPath(kSampleDesign));
    ports_.fileNames = {File("saved.tlx")};
    window_->SaveDesignAs();
    ASSERT_FALSE(IsModified(window_->Document().Context()));
    QPrinter& printer = window_->Printer().Printer();
    const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    printer.setPageOrientation(landscape ? QPageLayout::Portrait : QPageLayout::Landscape);
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
    });
    WindowAction(*window_, "SetPrint")->trigger();
    EXPECT_TRUE(IsModified(window_->Document().Context()));
}

TEST_F(PaperActionsTest, WordWritesOnePicturePerPageAndHandsThePathToTheOpener) {
    ASSERT_TRUE(window_->OpenDesignPath(kSampleDesign));
    RunSettings("2", "2", true);
    QString opened;
    window_->Paper().SetDocumentOpener([&](const QString& path) {
        opened = path;
        return true;
    });
    ports_.fileNames = {File("sample.docx")};
    WindowAction(*window_, "ActionToWord")->trigger();
    ASSERT_EQ(ports_.fileRequests.size(), 1u);
    EXPECT_EQ(ports_.fileRequests[0].initialName, TABULORIX_SOURCE_DIR "/examples/sample.docx");
    EXPECT_EQ(opened.toStdString(), File("sample.docx"));
    std::ifstream in(File("sample.docx"), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const auto zip = testing::ReadZip(bytes.str());
    ASSERT_TRUE(zip);
    int pictures = 0;
    for (const std::string& name : zip->Names()) pictures += name.rfind("word/media/", 0) == 0 ? 1 : 0;
    EXPECT_EQ(pictures, 4);
    EXPECT_TRUE(ports_.messages.empty());
}

TEST_F(PaperActionsTest, WordIntoAnUnwritableFolderShowsTheFailureAndLeavesZoom100) {
    ASSERT_TRUE(window_->OpenDesignPath(kSampleDesign));
    WindowAction(*window_, "ZoomUp")->trigger();
    bool opened = false;
    window_->Paper().SetDocumentOpener([&](const QString&) { return opened = true; });
    ports_.fileNames = {File("missing-folder/sample.docx")};
    WindowAction(*window_, "ActionToWord")->trigger();
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0].rfind("Wordへの出力に失敗しました", 0), 0u);
    EXPECT_FALSE(opened);
    EXPECT_EQ(window_->Document().WindowZoom(), 100);
}

}  // namespace
}  // namespace tabulorix
