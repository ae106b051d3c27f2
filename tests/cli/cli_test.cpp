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
#include "support/data_cases.h"
#include "support/row_values.h"
#include "support/zip_reader.h"

using namespace tabulorix;
using tabulorix::testing::Contains;
using tabulorix::testing::DataCases;
using tabulorix::testing::Fields;
using tabulorix::testing::Words;

namespace {

namespace fs = std::filesystem;

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs tabulorix-cli with stdin closed (not a terminal), without a display
// and without QT_QPA_PLATFORM, so the command line has to choose the
// platform itself; a password given is passed in TABULORIX_PASSWORD.
CliResult RunCli(const QStringList& args, const QString& password = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "TABULORIX_PASSWORD"})
        environment.remove(QString::fromLatin1(name));
    if (!password.isEmpty()) environment.insert(QStringLiteral("TABULORIX_PASSWORD"), password);
    process.setProcessEnvironment(environment);
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

// The words of a command line written with blanks between them.
QStringList Arguments(const std::string& line) {
    QStringList args;
    for (const std::string& word : Words(line)) args << QString::fromStdString(word);
    return args;
}

const QString kSample = QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.sqlite");

// Without arguments the commands are listed as a usage error; each has its
// own help.
TEST(CliUsage, EveryCommandIsListedAndHasItsOwnHelp) {
    const CliResult usage = RunCli({});
    EXPECT_EQ(usage.status, 2);
    EXPECT_TRUE(usage.out.empty());
    for (const char* command : {"reverse", "sql", "csv", "picture", "print", "word", "snapshot"}) {
        EXPECT_TRUE(Contains(usage.err, std::string("  ") + command)) << command << "\n" << usage.err;
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
    for (const Fields& c : DataCases("cli/usage_errors.txt")) {
        const CliResult r = RunCli(Arguments(c[0]));
        EXPECT_EQ(r.status, 2) << c[0] << "\n" << r.err;
        EXPECT_TRUE(Contains(r.err, c[1])) << c[0] << "\n" << r.err;
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
        reverse_ = RunCli({"reverse", "--service", kSample, "--user", "sales", "--pages-across", "2", "-o",
                           Path("sales.tlx")},
                          QStringLiteral("tiger"));
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
    for (const Fields& c : DataCases("cli/failures.txt")) {
        SCOPED_TRACE(c[0]);
        QStringList args = Arguments(c[0]);
        args.replaceInStrings(QStringLiteral("{sample}"), kSample);
        args.replaceInStrings(QStringLiteral("{dir}"), QString::fromStdString(dir_.string()));
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.status, std::stoi(c[1])) << r.err;
        EXPECT_TRUE(Contains(r.err, c[2])) << r.err;
        EXPECT_FALSE(Contains(r.err, "Secret-42"));
        EXPECT_FALSE(fs::exists(dir_ / c[3]));
    }
}

TEST_F(CliRunTest, ASnapshotCopyReadsBackToTheSameDesignAndHoldsNoPassword) {
    const QString password = QStringLiteral("tiger");
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

// From page 2 of the 2 × 1 grid: one sheet.
TEST_F(CliRunTest, PrintWritesTheChosenPages) {
    const CliResult r = RunCli({"print", Path("sales.tlx"), "--from", "2", "-o", Path("page2.pdf")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string pdf = tabulorix::ReadFileBytes((dir_ / "page2.pdf").string());
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    const std::regex page("/Type\\s*/Page[^s]");
    EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()), 1);
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
