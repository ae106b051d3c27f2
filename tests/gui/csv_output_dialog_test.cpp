// The CSV dialogs with the sample: the list in the grid, the save dialog's
// proposed names and overwrite question, and a cancelled grid fill.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/csv_output_dialog.h"
#include "app/csv_save_all_dialog.h"
#include "app/main_window.h"
#include "app/output_dialogs.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

namespace fs = std::filesystem;

class CsvDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window_.OpenDesignPath(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx")));
        fs::create_directories(dir_);
        dialog_.Prepare(window_.Document().Manager());
    }
    void TearDown() override { fs::remove_all(dir_); }

    testing::RecordingPorts ports_;
    TForm1 window_{"-DEBUG"};
    TOutputCSVFileDlg& dialog_ = window_.Outputs().Csv();
    fs::path dir_ = fs::temp_directory_path() / ("tabulorix-csv-dialog-" + std::to_string(::getpid()));
};

TEST_F(CsvDialogTest, TheColumnListWithSuppressIsShownFirstAndGoesWithAnotherDesign) {
    for (const char* ticked : {"RadioGroupTarget1", "CheckBoxSuppress", "CheckBoxDispOn"})
        EXPECT_TRUE(dialog_.findChild<QAbstractButton*>(ticked)->isChecked()) << ticked;
    const RowTableModel& grid = dialog_.Grid();
    QAbstractItemModelTester tester(const_cast<RowTableModel*>(&grid),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    dialog_.findChild<QPushButton*>("ButtonView")->click();
    ASSERT_NE(dialog_.List(), nullptr);
    QStringList captions;
    for (int c = 0; c < grid.columnCount(); ++c) captions << grid.headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(captions, (QStringList{"タイプ", "物理表名", "物理列名", "キー", "型", "桁数", "NULL可",
                                     "省略時値", "コメント"}));
    ASSERT_GT(grid.rowCount(), 1);
    // The second column of a table's second row repeats the first: blanked.
    EXPECT_FALSE(grid.index(0, 1).data().toString().isEmpty());
    EXPECT_TRUE(grid.index(1, 1).data().toString().isEmpty());
    ASSERT_TRUE(window_.OpenDesignPath(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx")));
    EXPECT_EQ(dialog_.List(), nullptr);
    EXPECT_EQ(grid.columnCount() + grid.rowCount(), 0);
}

TEST_F(CsvDialogTest, NoForAnExistingFileKeepsItAndTheOtherListsAreWritten) {
    TOutputCSVFileDlg dialog(nullptr, [] { return MGDate{2026, 12, 5}; });
    dialog.Prepare(window_.Document().Manager());
    const fs::path existing = dir_ / "SALES_2026_12_05__Column.csv";
    std::ofstream(existing, std::ios::binary) << "kept\r\n";
    ports_.answers = {Answer::No};
    QStringList proposed;
    QTimer::singleShot(0, [&] {
        TSaveCsvAllDlg& save = dialog.SaveDialog();
        for (int i = 1; i <= kCsvListCount; ++i)
            proposed << save.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(i))->text();
        save.findChild<QLineEdit*>("DirectoryEdit")->setText(QString::fromStdString(dir_.string()));
        save.findChild<QPushButton*>("OKBtn")->click();
    });
    dialog.findChild<QPushButton*>("SaveAllButton")->click();
    ASSERT_EQ(proposed.size(), kCsvListCount);
    EXPECT_EQ(proposed.mid(0, 2),
              (QStringList{"SALES_2026_12_05__Table.csv", "SALES_2026_12_05__Column.csv"}));
    EXPECT_EQ(ports_.questions,
              std::vector<std::string>{existing.string() + "は存在しますファイルを上書きしますか?"});
    std::ifstream kept(existing, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "kept\r\n");
    for (const QString& name : proposed)
        EXPECT_TRUE(fs::exists(dir_ / name.toStdString())) << name.toStdString();
}

// Cancels as soon as the walk making the column list has shown its progress.
class CancelWhileFilling final : public StatusPort {
public:
    void Reset() override {}
    void Show(bool) override { cancel = false; }
    void SetMaximum(int) override { cancel = cancel || filling; }
    void SetMainLine(const std::string& text) override { filling = text == "列定義一覧"; }
    void SetDetailLine(const std::string&) override {}
    void SetPosition(int) override {}
    void Close() override {}
    bool CancelRequested() const override { return cancel; }
    bool cancel = false, filling = false;
};

TEST_F(CsvDialogTest, CancellingTheListLeavesNoListAndAnEmptyGrid) {
    CancelWhileFilling cancelling;
    const ScopedPorts withCancel(UiPorts{&ports_, &ports_, &cancelling, &ports_});
    dialog_.ViewList();
    EXPECT_TRUE(cancelling.cancel);
    EXPECT_EQ(dialog_.List(), nullptr);
    EXPECT_EQ(dialog_.Grid().columnCount(), 0);
}

}  // namespace
}  // namespace tabulorix
