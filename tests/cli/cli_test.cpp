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

TEST(CliUsage, AMissingDesignFileIsAFailureNamingIt) {
    const CliResult r = RunCli({"word", "/nonexistent/design.tlx", "-o", "/tmp/x.docx"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "/nonexistent/design.tlx")) << r.err;
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

TEST_F(CliRunTest, ReverseWritesADesignWithTheGivenPagesAndNeverPrintsThePassword) {
    const std::string design = tabulorix::ReadFileBytes((dir_ / "sales.tlx").string());
    EXPECT_EQ(design.rfind("[VERSION]\r\n", 0), 0u);
    EXPECT_TRUE(Contains(design, "\"IPAPGothic\",\"9\"\r\n"));
    EXPECT_TRUE(Contains(design, "[SET ITEM]\r\nPaperX 2\r\n")) << design.substr(design.find("[SET ITEM]"));
    EXPECT_TRUE(Contains(design, "TableItem 0\r\n"));
    EXPECT_FALSE(Contains(reverse_.err, "tiger"));
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

    const CliResult refused = RunCli({"snapshot", "--service", kSample, "--user", "sales", "--password", "x",
                                      "-o", Path("refused.sqlite")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(Contains(refused.err, "ORA-01017")) << refused.err;
    EXPECT_FALSE(fs::exists(dir_ / "refused.sqlite"));
}

TEST_F(CliRunTest, AWrongPasswordFailsWithTheDatabaseMessageAndWritesNothing) {
    const CliResult r = RunCli({"reverse", "--service", kSample, "--user", "SALES", "--password", "Secret-42",
                                "--columns", "all", "-o", Path("refused.tlx")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "ORA-01017")) << r.err;
    EXPECT_FALSE(Contains(r.err, "Secret-42"));
    EXPECT_FALSE(fs::exists(dir_ / "refused.tlx"));
}

TEST_F(CliRunTest, WithoutAPasswordAndWithoutATerminalTheUserIsToldHowToGiveOne) {
    const CliResult r = RunCli({"reverse", "--service", kSample, "--user", "SALES", "-o", Path("none.tlx")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "TABULORIX_PASSWORD")) << r.err;
}

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
        EXPECT_EQ(tabulorix::testing::CountOccurrences(document, "<wp:inline"), 2);  // 2 × 1 pages
        // The sample's printer paper is A4 portrait.
        EXPECT_EQ(Contains(document, R"(<w:pgSz w:w="16838" w:h="11906" w:orient="landscape"/>)"),
                  name == "landscape");
        if (name == "sales") {
            EXPECT_FALSE(Contains(document, "landscape"));
        }
    }
}

TEST_F(CliRunTest, PrintWritesTheChosenPagesWithTheirNumbers) {
    const CliResult r = RunCli({"print", Path("sales.tlx"), "--from", "2", "-o", Path("page2.pdf")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string pdf = tabulorix::ReadFileBytes((dir_ / "page2.pdf").string());
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_EQ(tabulorix::testing::CountOccurrences(pdf, "/Type /Page\n") +
                  tabulorix::testing::CountOccurrences(pdf, "/Type /Page\r") +
                  tabulorix::testing::CountOccurrences(pdf, "/Type /Page "),
              1)
        << "one sheet";
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), Path("page2.pdf"), QStringLiteral("-")});
    if (text.waitForFinished(60000) && text.exitCode() == 0) {
        const std::string printed = text.readAllStandardOutput().toStdString();
        EXPECT_TRUE(Contains(printed, "- 2 -")) << printed;
        EXPECT_FALSE(Contains(printed, "- 1 -")) << printed;
    }
    // A range past the grid prints nothing and says so; no file appears.
    const CliResult past = RunCli({"print", Path("sales.tlx"), "--from", "5", "-o", Path("none.pdf")});
    EXPECT_EQ(past.status, 1);
    EXPECT_TRUE(Contains(past.err, "nothing was printed")) << past.err;
    EXPECT_FALSE(fs::exists(dir_ / "none.pdf"));
}

TEST_F(CliRunTest, PictureWritesEachFormatAndRefusesAPageOutsideTheGrid) {
    for (const char* format : {"emf", "svg", "png", "pdf"}) {
        const std::string name = std::string("page1.") + format;
        const CliResult r =
            RunCli({"picture", Path("sales.tlx"), "--format", format, "--page", "1", "-o", Path(name)});
        EXPECT_EQ(r.status, 0) << format << ": " << r.err;
        EXPECT_GT(fs::file_size(dir_ / name), 100u) << format;
    }
    EXPECT_EQ(tabulorix::ReadFileBytes((dir_ / "page1.emf").string()).substr(40, 4), " EMF");
    const CliResult outside =
        RunCli({"picture", Path("sales.tlx"), "--format", "emf", "--page", "3", "-o", Path("page3.emf")});
    EXPECT_EQ(outside.status, 1);
    EXPECT_TRUE(Contains(outside.err, "ページ番号が範囲外です。")) << outside.err;
    EXPECT_FALSE(fs::exists(dir_ / "page3.emf"));
}

TEST_F(CliRunTest, SqlWritesTheScriptInCp932WithCrLf) {
    const CliResult r = RunCli({"sql", Path("sales.tlx"), "-o", Path("sales.sql")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string script = tabulorix::ReadFileBytes((dir_ / "sales.sql").string());
    EXPECT_TRUE(Contains(script, "CREATE TABLE")) << script.substr(0, 400);
    EXPECT_FALSE(std::regex_search(script, std::regex("[^\r]\n")));
    const CliResult drop = RunCli({"sql", Path("sales.tlx"), "--drop", "-o", Path("drop.sql")});
    ASSERT_EQ(drop.status, 0) << drop.err;
    const std::string removal = tabulorix::ReadFileBytes((dir_ / "drop.sql").string());
    EXPECT_TRUE(Contains(removal, "DROP")) << removal.substr(0, 400);
    EXPECT_FALSE(Contains(removal, "CREATE TABLE"));
    const CliResult unknown = RunCli({"sql", Path("sales.tlx"), "--schema", "NOBODY", "-o", Path("x.sql")});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_TRUE(Contains(unknown.err, "NOBODY")) << unknown.err;
}

TEST_F(CliRunTest, CsvKeepsExistingFilesUnlessTold) {
    const fs::path csv = dir_ / "csv";
    fs::create_directories(csv);
    const QString directory = QString::fromStdString(csv.string());
    ASSERT_EQ(RunCli({"csv", Path("sales.tlx"), "--list", "0", "-d", directory}).status, 0);
    ASSERT_EQ(std::distance(fs::directory_iterator(csv), fs::directory_iterator()), 1);
    const fs::path file = fs::directory_iterator(csv)->path();
    tabulorix::WriteFileAtomically(file.string(), "mine");

    const CliResult kept = RunCli({"csv", Path("sales.tlx"), "--list", "0", "-d", directory});
    EXPECT_EQ(kept.status, 0);
    EXPECT_TRUE(Contains(kept.err, "は存在しますファイルを上書きしますか? -> No")) << kept.err;
    EXPECT_EQ(tabulorix::ReadFileBytes(file.string()), "mine");

    const CliResult replaced =
        RunCli({"csv", Path("sales.tlx"), "--list", "0", "--overwrite", "-d", directory});
    EXPECT_EQ(replaced.status, 0);
    EXPECT_TRUE(Contains(replaced.err, "-> Yes")) << replaced.err;
    EXPECT_NE(tabulorix::ReadFileBytes(file.string()), "mine");

    EXPECT_EQ(RunCli({"csv", Path("sales.tlx"), "-d", Path("missing")}).status, 1);
}

}  // namespace
