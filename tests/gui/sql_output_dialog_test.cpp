// The SQL output dialog driven through its controls: the check boxes'
// dependencies, the flags they give, generation with cancel, and the saved
// file against the command line's with the same choices.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_window.h"
#include "app/output_dialogs.h"
#include "app/script_memo.h"
#include "app/sql_output_dialog.h"
#include "catalogue/connection_record.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

namespace fs = std::filesystem;

const std::string kSampleDesign = TABULORIX_SOURCE_DIR "/examples/sample.tlx";

// The script flags of the generator, named as the dialog's table names them.
constexpr std::uint32_t kPrimary = 0x01, kUnique = 0x02, kCondition = 0x04, kForeign = 0x08,
                        kViewSource = 0x10, kField = 0x20, kIndex = 0x80, kComment = 0x100,
                        kPrivilege = 0x200, kAlter = 0x400, kCreateTable = 0x800, kTable = 0x10000,
                        kView = 0x20000, kHeaders = 0x40000, kCreation = 0x200000, kRemoval = 0x400400;
constexpr std::uint32_t kTableKinds = kField | kIndex | kPrimary | kUnique | kForeign | kCondition;

template <typename Widget = QAbstractButton>
Widget* Control(QWidget& dialog, const QString& name) {
    auto* widget = dialog.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

std::string FileBytes(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// The controls a click may untick or disable, by bit (1 << index).
const char* const kBoxes[] = {"CheckBoxField",       "CheckBoxIndex",      "CheckBoxConstraint",
                              "CheckBoxPrimary",     "CheckBoxUnique",     "CheckBoxForeign",
                              "CheckBoxCondition",   "CheckBoxViewSource", "CheckBoxDiscardBlank",
                              "RadioGroupConstraint"};

TEST(SqlOutputDialog, ClicksFollowTheDependenciesBetweenTheBoxes) {
    // 生成用SQL, ALTER TABLE, 内容説明コメント付加 and every kind box ticked;
    // 表単位 and スキーマ名付加 not.
    const std::uint32_t start =
        kCreation | kAlter | kHeaders | kTable | kView | kViewSource | kComment | kPrivilege | kTableKinds;
    EXPECT_EQ(start, 0x2707BFu);
    EXPECT_EQ(ScriptFlagsOf(TOutputCreateSqlFileDlg().Choice()), start);
    const struct {
        const char* clicks;  // controls clicked in order
        int unticked, disabled;
        std::uint32_t set, clear;  // flags that must be set, and clear
    } cases[] = {
        {"CheckBoxOutTable", 0x7f, 0x7f, kView, kTable | kTableKinds},
        {"CheckBoxOutTable CheckBoxOutTable", 0, 0, kTable | kTableKinds, 0},
        {"CheckBoxConstraint", 0x7c, 0x78, kField | kIndex, kPrimary | kUnique | kForeign | kCondition},
        {"RadioGroupConstraintCreate RadioGroupGenerationTypeDrop", 0, 0x200, kRemoval,
         kCreation | kCreateTable},
        {"RadioGroupGenerationTypeDrop RadioGroupGenerationTypeCreate", 0, 0, kCreation | kAlter,
         kCreateTable},
        {"CheckBoxOutView", 0x80, 0x180, kTable, kView | kViewSource},
        {"CheckBoxViewSource", 0x80, 0x100, kView, kViewSource},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clicks);
        TOutputCreateSqlFileDlg dialog;
        for (const QString& name : QString::fromLatin1(c.clicks).split(u' ')) Control(dialog, name)->click();
        for (int i = 0; i < 10; ++i) {
            SCOPED_TRACE(kBoxes[i]);
            EXPECT_TRUE(i == 9 ||
                        Control<QCheckBox>(dialog, kBoxes[i])->isChecked() == !(c.unticked >> i & 1));
            EXPECT_EQ(Control<QWidget>(dialog, kBoxes[i])->isEnabled(), !(c.disabled >> i & 1));
        }
        const std::uint32_t flags = ScriptFlagsOf(dialog.Choice());
        EXPECT_EQ(flags & c.set, c.set);
        EXPECT_EQ(flags & c.clear, 0u);
    }
}

// Cancels at the first progress line of the display ("%d行").
class CancelWhileDisplaying final : public StatusPort {
public:
    void Reset() override {}
    void Show(bool) override { cancel = false; }
    void SetMaximum(int) override {}
    void SetMainLine(const std::string&) override {}
    void SetDetailLine(const std::string& text) override { cancel = cancel || text.ends_with("行"); }
    void SetPosition(int) override {}
    void Close() override {}
    bool CancelRequested() const override { return cancel; }
    bool cancel = false;
};

class SqlDialogWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window_.OpenDesignPath(QString::fromStdString(kSampleDesign)));
        dialog_.Prepare(window_.Document().Manager());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    ScriptMemo& Memo() { return *Control<ScriptMemo>(dialog_, "MemoSQL"); }
    bool SaveEnabled() { return Control<QPushButton>(dialog_, "OKBtn")->isEnabled(); }

    testing::RecordingPorts ports_;
    TForm1 window_{"-DEBUG"};
    TOutputCreateSqlFileDlg& dialog_ = window_.Outputs().Sql();
    fs::path dir_ = fs::temp_directory_path() / ("tabulorix-sql-dialog-" + std::to_string(::getpid()));
};

// A cancelled display, another design opened or read: the memo is empty
// and saving is off.
TEST_F(SqlDialogWindowTest, CancellingOrAnotherDesignEmptiesTheMemoAndDisablesSave) {
    CancelWhileDisplaying cancelling;
    {
        const ScopedPorts withCancel(UiPorts{&ports_, &ports_, &cancelling, &ports_});
        dialog_.Generate();
    }
    EXPECT_TRUE(cancelling.cancel);  // the script had lines to display
    EXPECT_TRUE(Memo().Text().empty());
    EXPECT_FALSE(SaveEnabled());
    dialog_.Save();
    EXPECT_TRUE(ports_.fileRequests.empty());

    dialog_.Generate();
    ASSERT_TRUE(dialog_.Generated());
    ASSERT_FALSE(Memo().Text().empty());
    // The pop-up's "すべてを選択" and "コピー" put the whole script on the clipboard.
    Memo().SelectAllAction()->trigger();
    Memo().CopyAction()->trigger();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              Memo().Text().substr(0, Memo().Text().size() - 1));
    ASSERT_TRUE(window_.OpenDesignPath(QString::fromStdString(kSampleDesign)));
    EXPECT_TRUE(Memo().Text().empty());
    EXPECT_FALSE(SaveEnabled());

    dialog_.Generate();
    ASSERT_TRUE(dialog_.Generated());
    window_.SetConnectionAsker([] {
        return std::optional<MGReverseRequest>(MGReverseRequest{
            MakeUserInfo("sales", "tiger", TABULORIX_SOURCE_DIR "/examples/sample.sqlite"), 0, 2, 0});
    });
    window_.ReverseDatabase();
    ASSERT_EQ(window_.Document().Manager().SchemaCount(), 3);
    EXPECT_TRUE(Memo().Text().empty());
    EXPECT_FALSE(dialog_.Generated());
}

// The dialog's file equals, byte for byte, the command line's script with
// the options that name the same choices.
TEST_F(SqlDialogWindowTest, SavesTheSameBytesAsTheCommandLine) {
    const struct {
        int schemaIndex;
        const char* clicks;
        const char* cliOptions;
    } cases[] = {
        {0, "", "--headers --visible-only --blank-removal"},
        {0, "RadioGroupGenerationTypeDrop CheckBoxPackTable CheckBoxAddSchema",
         "--drop --per-table --owner-prefix --headers --visible-only --blank-removal"},
        {1, "RadioGroupConstraintCreate CheckBoxDispOn CheckBoxOutView CheckBoxSQLComment",
         "--inline --no-views"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clicks);
        TOutputCreateSqlFileDlg dialog;
        dialog.Prepare(window_.Document().Manager());
        auto* schema = Control<QComboBox>(dialog, "ComboBoxSelectSchema");
        schema->setCurrentIndex(c.schemaIndex);
        for (const QString& name : QString::fromLatin1(c.clicks).split(u' ', Qt::SkipEmptyParts))
            Control(dialog, name)->click();
        dialog.Generate();
        ASSERT_TRUE(dialog.Generated());
        const std::string saved = (dir_ / "dialog.sql").string(), cli = (dir_ / "cli.sql").string();
        ports_.fileRequests.clear();
        ports_.fileNames = {saved};
        dialog.Save();
        ASSERT_EQ(ports_.fileRequests.size(), 1u);
        EXPECT_EQ(ports_.fileRequests[0].defaultExtension, "sql");
        EXPECT_EQ(ports_.fileRequests[0].filter, "SQLファイル (*.sql)|*.sql|すべて (*.*)|*.*");
        QProcess process;
        process.start(QStringLiteral(TABULORIX_BINARY_DIR "/tabulorix-cli"),
                      QStringList{"sql", QString::fromStdString(kSampleDesign), "--schema",
                                  schema->currentText(), "-o", QString::fromStdString(cli)} +
                          QString::fromLatin1(c.cliOptions).split(u' '));
        ASSERT_TRUE(process.waitForFinished(60000));
        ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        const std::string bytes = FileBytes(saved);
        EXPECT_NE(bytes.find("\r\n"), std::string::npos);
        EXPECT_EQ(bytes, FileBytes(cli));
    }
}

}  // namespace
}  // namespace tabulorix
