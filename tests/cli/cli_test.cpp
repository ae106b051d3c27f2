// tabulorix-cli run as a user runs it: argument parsing, --help, exit
// statuses, messages on stderr, and the commands over the sample snapshot.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>
#include <regex>
#include <string>

#include "base/file_io.h"
#include "support/external_tool.h"
#include "support/zip_reader.h"

using namespace tabulorix;

namespace {

namespace fs = std::filesystem;

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs tabulorix-cli with stdin closed (not a terminal), without a display
// and without QT_QPA_PLATFORM, so the command line has to choose the
// platform itself. extra adds environment variables.
CliResult RunCli(const QStringList& args, const QProcessEnvironment& extra = {}, const fs::path& dir = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "TABULORIX_PASSWORD"})
        environment.remove(QString::fromLatin1(name));
    for (const QString& key : extra.keys()) environment.insert(key, extra.value(key));
    process.setProcessEnvironment(environment);
    if (!dir.empty()) process.setWorkingDirectory(QString::fromStdString(dir.string()));
    process.start(QStringLiteral(TABULORIX_CLI), args);
    process.closeWriteChannel();
    CliResult result;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "tabulorix-cli did not finish: " << args.join(' ').toStdString();
        return result;
    }
    if (process.exitStatus() == QProcess::NormalExit) result.status = process.exitCode();
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const QString kSample = QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.sqlite");

TEST(CliUsage, WithoutArgumentsListsTheCommandsAndFailsAsAUsageError) {
    const CliResult r = RunCli({});
    EXPECT_EQ(r.status, 2);
    for (const char* command : {"reverse", "sql", "csv", "picture", "print", "word", "snapshot"})
        EXPECT_TRUE(Contains(r.err, std::string("  ") + command)) << command << "\n" << r.err;
    EXPECT_TRUE(r.out.empty());
}

TEST(CliUsage, EveryCommandHasItsOwnHelp) {
    for (const char* command : {"reverse", "sql", "csv", "picture", "print", "word", "snapshot"}) {
        const CliResult r = RunCli({command, "--help"});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_EQ(r.out.rfind(std::string("Usage: tabulorix-cli ") + command, 0), 0u) << r.out;
        EXPECT_TRUE(Contains(r.out, "Exit status: 0 success, 1 failure, 2 wrong command line.")) << r.out;
    }
    // Help wins over missing or wrong arguments, and "help COMMAND" is the same text.
    EXPECT_EQ(RunCli({"picture", "--format", "gif", "-h"}).status, 0);
    EXPECT_EQ(RunCli({"help", "word"}).out, RunCli({"word", "--help"}).out);
    // What the help promises about questions and passwords.
    EXPECT_TRUE(Contains(RunCli({"csv", "--help"}).out, "(the default)"));
    EXPECT_TRUE(Contains(RunCli({"reverse", "--help"}).out, "TABULORIX_PASSWORD"));
}

TEST(CliUsage, WrongCommandLinesNameWhatIsWrongAndExitWithTwo) {
    struct Case {
        QStringList args;
        std::string named;
    };
    const std::vector<Case> cases{
        {{"draw"}, "unknown command \"draw\""},
        {{"word", "design.tlx"}, "word needs --output"},
        {{"word", "-o", "out.docx"}, "word needs DESIGN.tlx"},
        {{"word", "a.tlx", "b.tlx", "-o", "x"}, "not also \"b.tlx\""},
        {{"word", "a.tlx", "--colour", "-o", "x"}, "unknown option --colour"},
        {{"picture", "a.tlx", "--format", "gif", "-o", "x"}, "--format wants one of emf, svg, png, pdf"},
        {{"picture", "a.tlx", "--format", "emf", "--page", "two", "-o", "x"}, "--page wants a whole number"},
        {{"picture", "a.tlx", "--format", "emf", "--page", "-1", "-o", "x"}, "--page wants a whole number"},
        {{"print", "a.tlx", "--from", "3", "--to", "2", "-o", "x"}, "--to 2 is below --from 3"},
        {{"sql", "a.tlx", "--flags", "0x12G", "-o", "x"}, "--flags wants a hexadecimal number"},
        {{"sql", "a.tlx", "--flags", "0x10", "--drop", "-o", "x"},
         "--flags and --drop cannot be used together"},
        {{"sql", "a.tlx", "--alter", "--inline", "-o", "x"}, "--alter and --inline cannot be used together"},
        {{"csv", "a.tlx", "-d", ".", "--list", "9"}, "--list wants a whole number from 0 to 8"},
        {{"csv", "a.tlx", "-d", ".", "--overwrite", "--no-overwrite"}, "cannot be used together"},
        {{"reverse", "--service", "S", "--user", "U", "--pages-across", "0", "-o", "x"}, "--pages-across"},
        {{"reverse", "--user", "U", "-o", "x"}, "reverse needs --service"},
        {{"word", "a.tlx", "--output"}, "--output needs a value"},
    };
    for (const Case& c : cases) {
        const CliResult r = RunCli(c.args);
        EXPECT_EQ(r.status, 2) << c.args.join(' ').toStdString() << "\n" << r.err;
        EXPECT_TRUE(Contains(r.err, c.named)) << c.args.join(' ').toStdString() << "\n" << r.err;
    }
}

// The main job over the sample snapshot: one design file read by every
// command that takes one.
class CliRunTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("tabulorix-cli-run-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        QProcessEnvironment password;
        password.insert(QStringLiteral("TABULORIX_PASSWORD"), QStringLiteral("tiger"));
        reverse_ = RunCli({"reverse", "--service", kSample, "--user", "sales", "--pages-across", "2", "-o",
                           Path("sales.tlx")},
                          password);
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }
    static QString Path(const std::string& name) { return QString::fromStdString((dir_ / name).string()); }
    void SetUp() override {
        ASSERT_EQ(reverse_.status, 0) << reverse_.err;
        ASSERT_TRUE(fs::exists(dir_ / "sales.tlx"));
    }

    static inline fs::path dir_;
    static inline CliResult reverse_;
};

TEST_F(CliRunTest, ReverseWritesADesignWithTheGivenPages) {
    const std::string design = tabulorix::ReadFileBytes((dir_ / "sales.tlx").string());
    EXPECT_EQ(design.rfind("[VERSION]\r\n", 0), 0u);
    EXPECT_TRUE(Contains(design, "\"IPAPGothic\",\"9\"\r\n"));
    EXPECT_TRUE(Contains(design, "[SET ITEM]\r\nPaperX 2\r\n")) << design.substr(design.find("[SET ITEM]"));
    EXPECT_TRUE(Contains(design, "TableItem 0\r\n"));
    EXPECT_FALSE(Contains(reverse_.err, "tiger"));
}

// Commands that cannot do their job fail with the reason on stderr, never
// show the password given, and leave no output file behind.
TEST_F(CliRunTest, FailuresNameTheReasonAndWriteNothing) {
    const struct {
        QStringList args;
        int status;
        std::string reason;
        std::string output;  // must not exist afterwards
    } cases[] = {
        {{"reverse", "--service", kSample, "--user", "SALES", "--password", "Secret-42", "--columns", "all",
          "-o", Path("refused.tlx")},
         1,
         "ORA-01017",
         "refused.tlx"},
        {{"snapshot", "--service", kSample, "--user", "sales", "--password", "Secret-42", "-o",
          Path("refused.sqlite")},
         1,
         "ORA-01017",
         "refused.sqlite"},
        {{"reverse", "--service", kSample, "--user", "SALES", "-o", Path("none.tlx")},
         2,
         "TABULORIX_PASSWORD",
         "none.tlx"},
        {{"print", Path("sales.tlx"), "--from", "5", "-o", Path("none.pdf")},
         1,
         "nothing was printed",
         "none.pdf"},
        {{"picture", Path("sales.tlx"), "--format", "emf", "--page", "3", "-o", Path("page3.emf")},
         1,
         "ページ番号が範囲外です。",
         "page3.emf"},
        {{"sql", Path("sales.tlx"), "--schema", "NOBODY", "-o", Path("x.sql")}, 1, "NOBODY", "x.sql"},
        {{"csv", Path("sales.tlx"), "-d", Path("missing")}, 1, "missing", "missing"},
        {{"word", "/nonexistent/design.tlx", "-o", Path("x.docx")}, 1, "/nonexistent/design.tlx", "x.docx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliResult r = RunCli(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_TRUE(Contains(r.err, c.reason)) << r.err;
        EXPECT_FALSE(Contains(r.err, "Secret-42"));
        EXPECT_FALSE(fs::exists(dir_ / c.output));
    }
}

TEST_F(CliRunTest, ASnapshotCopyReadsBackToTheSameDesignAndHoldsNoPassword) {
    QProcessEnvironment password;
    password.insert(QStringLiteral("TABULORIX_PASSWORD"), QStringLiteral("tiger"));
    const CliResult copy =
        RunCli({"snapshot", "--service", kSample, "--user", "sales", "-o", Path("copy.sqlite")}, password);
    ASSERT_EQ(copy.status, 0) << copy.err;
    const std::string bytes = tabulorix::ReadFileBytes((dir_ / "copy.sqlite").string());
    EXPECT_FALSE(Contains(bytes, "tiger"));
    EXPECT_FALSE(Contains(bytes, "SNAPSHOT_USERS"));
    // The copy holds SALES and the owners its foreign keys reach, so reading
    // it gives the very design the original gives.
    const CliResult reverse = RunCli({"reverse", "--service", Path("copy.sqlite"), "--user", "sales",
                                      "--pages-across", "2", "-o", Path("from-copy.tlx")},
                                     password);
    ASSERT_EQ(reverse.status, 0) << reverse.err;
    EXPECT_EQ(tabulorix::ReadFileBytes((dir_ / "from-copy.tlx").string()),
              tabulorix::ReadFileBytes((dir_ / "sales.tlx").string()));
}

// One picture per page of the 2 × 1 grid, on the paper orientation the
// design file names (the sample's printer paper is A4).
TEST_F(CliRunTest, WordWritesOnePicturePerPageOnTheDesignsPaperOrientation) {
    std::string design = tabulorix::ReadFileBytes((dir_ / "sales.tlx").string());
    const std::size_t at = design.find("PageOrientation 1\r\n");
    ASSERT_NE(at, std::string::npos);
    design.replace(at, 17, "PageOrientation 2");
    tabulorix::WriteFileAtomically((dir_ / "landscape.tlx").string(), design);
    for (const std::string name : {"sales", "landscape"}) {
        const CliResult r = RunCli({"word", Path(name + ".tlx"), "-o", Path(name + ".docx")});
        ASSERT_EQ(r.status, 0) << r.err;
        const auto zip =
            tabulorix::testing::ReadZip(tabulorix::ReadFileBytes((dir_ / (name + ".docx")).string()));
        ASSERT_TRUE(zip);
        const std::string document = *zip->Find("word/document.xml");
        EXPECT_EQ(tabulorix::testing::CountOccurrences(document, "<wp:inline"), 2);
        EXPECT_EQ(Contains(document, R"(<w:pgSz w:w="16838" w:h="11906" w:orient="landscape"/>)"),
                  name == "landscape");
        EXPECT_EQ(Contains(document, "landscape"), name == "landscape");
    }
}

TEST_F(CliRunTest, PrintWritesTheChosenPagesWithTheirNumbers) {
    const CliResult r = RunCli({"print", Path("sales.tlx"), "--from", "2", "-o", Path("page2.pdf")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string pdf = tabulorix::ReadFileBytes((dir_ / "page2.pdf").string());
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    const std::regex page("/Type\\s*/Page[^s]");
    EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()), 1);
    // The page number is the printed text: poppler must be there to read it.
    const auto pdftotext = tabulorix::testing::FindTool("pdftotext");
    ASSERT_TRUE(pdftotext) << "pdftotext is missing (poppler-utils, scripts/install-deps)";
    const auto printed = tabulorix::testing::RunTool(*pdftotext, {"-raw", Path("page2.pdf"), "-"}, 60);
    ASSERT_TRUE(printed.Succeeded()) << printed.output;
    EXPECT_TRUE(Contains(printed.output, "- 2 -")) << printed.output;
    EXPECT_FALSE(Contains(printed.output, "- 1 -")) << printed.output;
}

TEST_F(CliRunTest, PictureWritesEachFormat) {
    for (const char* format : {"emf", "svg", "png", "pdf"}) {
        const std::string name = std::string("page1.") + format;
        const CliResult r =
            RunCli({"picture", Path("sales.tlx"), "--format", format, "--page", "1", "-o", Path(name)});
        EXPECT_EQ(r.status, 0) << format << ": " << r.err;
        EXPECT_GT(fs::file_size(dir_ / name), 100u) << format;
    }
    EXPECT_EQ(tabulorix::ReadFileBytes((dir_ / "page1.emf").string()).substr(40, 4), " EMF");
}

TEST_F(CliRunTest, SqlWritesTheScriptInCp932WithCrLf) {
    for (const bool drop : {false, true}) {
        const CliResult r = drop ? RunCli({"sql", Path("sales.tlx"), "--drop", "-o", Path("drop.sql")})
                                 : RunCli({"sql", Path("sales.tlx"), "-o", Path("sales.sql")});
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string script =
            tabulorix::ReadFileBytes((dir_ / (drop ? "drop.sql" : "sales.sql")).string());
        EXPECT_EQ(Contains(script, "CREATE TABLE"), !drop) << script.substr(0, 400);
        EXPECT_EQ(Contains(script, "DROP"), drop) << script.substr(0, 400);
        EXPECT_FALSE(std::regex_search(script, std::regex("[^\r]\n")));
    }
}

TEST_F(CliRunTest, CsvKeepsExistingFilesUnlessTold) {
    const fs::path csv = dir_ / "csv";
    fs::create_directories(csv);
    const QString directory = QString::fromStdString(csv.string());
    ASSERT_EQ(RunCli({"csv", Path("sales.tlx"), "--list", "0", "-d", directory}).status, 0);
    ASSERT_EQ(std::distance(fs::directory_iterator(csv), fs::directory_iterator()), 1);
    const fs::path file = fs::directory_iterator(csv)->path();
    for (const bool overwrite : {false, true}) {
        tabulorix::WriteFileAtomically(file.string(), "mine");
        const CliResult r =
            overwrite ? RunCli({"csv", Path("sales.tlx"), "--list", "0", "--overwrite", "-d", directory})
                      : RunCli({"csv", Path("sales.tlx"), "--list", "0", "-d", directory});
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(Contains(r.err, overwrite ? "-> Yes" : "は存在しますファイルを上書きしますか? -> No"))
            << r.err;
        EXPECT_EQ(tabulorix::ReadFileBytes(file.string()) == "mine", !overwrite);
    }
}

}  // namespace
