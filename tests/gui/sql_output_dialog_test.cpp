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
#include <algorithm>
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

using testing::RecordingPorts;
namespace fs = std::filesystem;

const std::string kSampleDesign = TABULORIX_SOURCE_DIR "/examples/sample.tlx";

// The script flags of the generator, named as the dialog's table names them.
enum : std::uint32_t {
    kPrimary = 0x01,
    kUnique = 0x02,
    kCondition = 0x04,
    kForeign = 0x08,
    kViewSource = 0x10,
    kField = 0x20,
    kIndex = 0x80,
    kComment = 0x100,
    kPrivilege = 0x200,
    kAlter = 0x400,
    kCreateTable = 0x800,
    kTable = 0x10000,
    kView = 0x20000,
    kHeaders = 0x40000,
    kCreation = 0x200000,
    kRemoval = 0x400400,
};

template <typename Widget = QCheckBox>
Widget* Control(QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(SqlOutputDialog, TheStartStateGivesTheFlagsOfTheTicksItStartsWith) {
    const TOutputCreateSqlFileDlg dialog;
    // 生成用SQL, ALTER TABLE, 内容説明コメント付加 and every kind box ticked;
    // 表単位 and スキーマ名付加 not.
    const std::uint32_t expected = kCreation | kAlter | kHeaders | kTable | kField | kIndex | kPrimary |
                                   kUnique | kForeign | kCondition | kView | kViewSource | kComment |
                                   kPrivilege;
    EXPECT_EQ(expected, 0x2707BFu);
    EXPECT_EQ(ScriptFlagsOf(dialog.Choice()), expected);
}

struct ClickCase {
    const char* name;
    std::vector<const char*> clicks;    // controls clicked in order
    std::vector<const char*> unticked;  // check boxes unticked afterwards
    std::vector<const char*> disabled;  // controls disabled afterwards
    std::uint32_t set;                  // flags that must be set
    std::uint32_t clear;                // flags that must be clear
};

class SqlDialogClicks : public ::testing::TestWithParam<ClickCase> {};

TEST_P(SqlDialogClicks, FollowTheDependenciesBetweenTheBoxes) {
    const ClickCase& c = GetParam();
    TOutputCreateSqlFileDlg dialog;
    for (const char* name : c.clicks) Control<QAbstractButton>(dialog, name)->click();
    const char* const all[] = {"CheckBoxField",     "CheckBoxIndex",      "CheckBoxConstraint",
                               "CheckBoxPrimary",   "CheckBoxUnique",     "CheckBoxForeign",
                               "CheckBoxCondition", "CheckBoxViewSource", "CheckBoxDiscardBlank"};
    for (const char* name : all) {
        const bool unticked =
            std::find(c.unticked.begin(), c.unticked.end(), std::string_view(name)) != c.unticked.end();
        EXPECT_EQ(Control(dialog, name)->isChecked(), !unticked) << name;
    }
    for (const char* name : all) {
        const bool disabled =
            std::find(c.disabled.begin(), c.disabled.end(), std::string_view(name)) != c.disabled.end();
        EXPECT_EQ(Control(dialog, name)->isEnabled(), !disabled) << name;
    }
    const bool formDisabled = std::find(c.disabled.begin(), c.disabled.end(),
                                        std::string_view("RadioGroupConstraint")) != c.disabled.end();
    EXPECT_EQ(Control<QGroupBox>(dialog, "RadioGroupConstraint")->isEnabled(), !formDisabled);
    const std::uint32_t flags = ScriptFlagsOf(dialog.Choice());
    EXPECT_EQ(flags & c.set, c.set);
    EXPECT_EQ(flags & c.clear, 0u);
}

const char* const kSix[] = {"CheckBoxField",  "CheckBoxIndex",   "CheckBoxConstraint", "CheckBoxPrimary",
                            "CheckBoxUnique", "CheckBoxForeign", "CheckBoxCondition"};

INSTANTIATE_TEST_SUITE_P(
    Cases, SqlDialogClicks,
    ::testing::Values(ClickCase{"TableOff",
                                {"CheckBoxOutTable"},
                                {std::begin(kSix), std::end(kSix)},
                                {std::begin(kSix), std::end(kSix)},
                                kView,
                                kTable | kField | kIndex | kPrimary | kUnique | kForeign | kCondition},
                      ClickCase{"TableOffAndOn",
                                {"CheckBoxOutTable", "CheckBoxOutTable"},
                                {},
                                {},
                                kTable | kField | kIndex | kPrimary | kUnique | kForeign | kCondition,
                                0},
                      ClickCase{"ConstraintOff",
                                {"CheckBoxConstraint"},
                                {"CheckBoxConstraint", "CheckBoxPrimary", "CheckBoxUnique", "CheckBoxForeign",
                                 "CheckBoxCondition"},
                                {"CheckBoxPrimary", "CheckBoxUnique", "CheckBoxForeign", "CheckBoxCondition"},
                                kField | kIndex,
                                kPrimary | kUnique | kForeign | kCondition},
                      ClickCase{"Removal",
                                {"RadioGroupConstraintCreate", "RadioGroupGenerationTypeDrop"},
                                {},
                                {"RadioGroupConstraint"},
                                kRemoval,
                                kCreation | kCreateTable},
                      ClickCase{"RemovalAndBack",
                                {"RadioGroupGenerationTypeDrop", "RadioGroupGenerationTypeCreate"},
                                {},
                                {},
                                kCreation | kAlter,
                                kCreateTable},
                      ClickCase{"ViewOff",
                                {"CheckBoxOutView"},
                                {"CheckBoxViewSource"},
                                {"CheckBoxViewSource", "CheckBoxDiscardBlank"},
                                kTable,
                                kView | kViewSource},
                      ClickCase{"SourceOff",
                                {"CheckBoxViewSource"},
                                {"CheckBoxViewSource"},
                                {"CheckBoxDiscardBlank"},
                                kView,
                                kViewSource}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

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

    RecordingPorts ports_;
    TForm1 window_{"-DEBUG"};
    TOutputCreateSqlFileDlg& dialog_ = window_.Outputs().Sql();
    fs::path dir_ = fs::temp_directory_path() / ("tabulorix-sql-dialog-" + std::to_string(::getpid()));
};

TEST_F(SqlDialogWindowTest, CancellingTheDisplayLeavesTheMemoEmptyAndSaveDisabled) {
    CancelWhileDisplaying cancelling;
    {
        const ScopedPorts withCancel(UiPorts{&ports_, &ports_, &cancelling, &ports_});
        dialog_.Generate();
    }
    EXPECT_TRUE(cancelling.cancel);  // the script had lines to display
    EXPECT_TRUE(Control<ScriptMemo>(dialog_, "MemoSQL")->Text().empty());
    EXPECT_FALSE(Control<QPushButton>(dialog_, "OKBtn")->isEnabled());
    dialog_.Save();
    EXPECT_TRUE(ports_.fileRequests.empty());
}

TEST_F(SqlDialogWindowTest, OpeningOrReadingAnotherDesignEmptiesTheMemoAndDisablesSave) {
    dialog_.Generate();
    ASSERT_TRUE(dialog_.Generated());
    ScriptMemo* memo = Control<ScriptMemo>(dialog_, "MemoSQL");
    ASSERT_FALSE(memo->Text().empty());
    // The pop-up's "すべてを選択" and "コピー" put the whole script on the clipboard.
    memo->SelectAllAction()->trigger();
    memo->CopyAction()->trigger();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              memo->Text().substr(0, memo->Text().size() - 1));
    ASSERT_TRUE(window_.OpenDesignPath(QString::fromStdString(kSampleDesign)));
    EXPECT_TRUE(Control<ScriptMemo>(dialog_, "MemoSQL")->Text().empty());
    EXPECT_FALSE(Control<QPushButton>(dialog_, "OKBtn")->isEnabled());

    dialog_.Generate();
    ASSERT_TRUE(dialog_.Generated());
    window_.SetConnectionAsker([] {
        return std::optional<MGReverseRequest>(MGReverseRequest{
            MakeUserInfo("sales", "tiger", TABULORIX_SOURCE_DIR "/examples/sample.sqlite"), 0, 2, 0});
    });
    window_.ReverseDatabase();
    ASSERT_EQ(window_.Document().Manager().SchemaCount(), 3);
    EXPECT_TRUE(memo->Text().empty());
    EXPECT_FALSE(dialog_.Generated());
}

struct SaveCase {
    const char* name;
    int schemaIndex;
    std::vector<const char*> clicks;
    QStringList cliOptions;
};

class SqlDialogSaves : public SqlDialogWindowTest, public ::testing::WithParamInterface<SaveCase> {};

// The dialog's file equals, byte for byte, the command line's script with
// the options that name the same choices.
TEST_P(SqlDialogSaves, TheSameBytesAsTheCommandLine) {
    const SaveCase& c = GetParam();
    Control<QComboBox>(dialog_, "ComboBoxSelectSchema")->setCurrentIndex(c.schemaIndex);
    for (const char* name : c.clicks) Control<QAbstractButton>(dialog_, name)->click();
    dialog_.Generate();
    ASSERT_TRUE(dialog_.Generated());
    const std::string saved = (dir_ / "dialog.sql").string();
    ports_.fileNames = {saved};
    dialog_.Save();
    ASSERT_EQ(ports_.fileRequests.size(), 1u);
    EXPECT_EQ(ports_.fileRequests[0].defaultExtension, "sql");
    EXPECT_EQ(ports_.fileRequests[0].filter, "SQLファイル (*.sql)|*.sql|すべて (*.*)|*.*");

    const std::string cli = (dir_ / "cli.sql").string();
    QProcess process;
    process.start(QStringLiteral(TABULORIX_BINARY_DIR "/tabulorix-cli"),
                  QStringList{"sql", QString::fromStdString(kSampleDesign), "--schema",
                              Control<QComboBox>(dialog_, "ComboBoxSelectSchema")->currentText(), "-o",
                              QString::fromStdString(cli)} +
                      c.cliOptions);
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const std::string bytes = FileBytes(saved);
    EXPECT_NE(bytes.find("\r\n"), std::string::npos);
    EXPECT_EQ(bytes, FileBytes(cli));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SqlDialogSaves,
    ::testing::Values(SaveCase{"StartState", 0, {}, {"--headers", "--visible-only", "--blank-removal"}},
                      SaveCase{"RemovalBoxByBoxWithOwner",
                               0,
                               {"RadioGroupGenerationTypeDrop", "CheckBoxPackTable", "CheckBoxAddSchema"},
                               {"--drop", "--per-table", "--owner-prefix", "--headers", "--visible-only",
                                "--blank-removal"}},
                      SaveCase{"InlineEveryBoxNoViewsNoHeaders",
                               1,
                               {"RadioGroupConstraintCreate", "CheckBoxDispOn", "CheckBoxOutView",
                                "CheckBoxSQLComment"},
                               {"--inline", "--no-views"}}),
    [](const ::testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tabulorix
