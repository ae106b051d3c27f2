// tabulorix-cli run as a user runs it: argument parsing, --help, exit
// statuses, messages on stderr, and one run of every command over the
// sample snapshot.
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
using namespace tabulorix::testing;

namespace {

namespace fs = std::filesystem;

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs tabulorix-cli with stdin closed (not a terminal), without a display
// and without QT_QPA_PLATFORM, so the command line has to choose the
// platform itself; a password given is passed in TABULORIX_PASSWORD. The
// arguments are words separated by blanks.
CliResult RunCli(const std::string& line, const QString& password = {}) {
    QStringList args;
    for (const std::string& word : Words(line)) args << QString::fromStdString(word);
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
        ADD_FAILURE() << "tabulorix-cli did not finish: " << line;
        return result;
    }
    if (process.exitStatus() == QProcess::NormalExit) result.status = process.exitCode();
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

const std::string kSample = TABULORIX_SOURCE_DIR "/examples/sample.sqlite";

// Without arguments the commands are listed as a usage error; each has its
// own help.
TEST(CliUsage, EveryCommandIsListedAndHasItsOwnHelp) {
    const CliResult usage = RunCli("");
    EXPECT_EQ(usage.status, 2);
    EXPECT_TRUE(usage.out.empty());
    for (const std::string command : {"reverse", "sql", "csv", "picture", "print", "word", "snapshot"}) {
        EXPECT_TRUE(Contains(usage.err, "  " + command)) << command << "\n" << usage.err;
        const CliResult r = RunCli(command + " --help");
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_TRUE(r.out.starts_with("Usage: tabulorix-cli " + command)) << r.out;
        EXPECT_TRUE(Contains(r.out, "Exit status: 0 success, 1 failure, 2 wrong command line.")) << r.out;
    }
    // Help wins over missing or wrong arguments, and "help COMMAND" is the same text.
    EXPECT_EQ(RunCli("picture --format gif -h").status, 0);
    EXPECT_EQ(RunCli("help word").out, RunCli("word --help").out);
    // What the help promises about questions and passwords.
    EXPECT_TRUE(Contains(RunCli("csv --help").out, "(the default)"));
    EXPECT_TRUE(Contains(RunCli("reverse --help").out, "TABULORIX_PASSWORD"));
}

TEST(CliUsage, WrongCommandLinesNameWhatIsWrongAndExitWithTwo) {
    for (const Fields& c : DataCases("cli/usage_errors.txt")) {
        const CliResult r = RunCli(c[0]);
        EXPECT_EQ(r.status, 2) << c[0] << "\n" << r.err;
        EXPECT_TRUE(Contains(r.err, c[1])) << c[0] << "\n" << r.err;
    }
}

// The main job over the sample snapshot: one design file read by every
// command that takes one.
class CliRunTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = (fs::temp_directory_path() / ("tabulorix-cli-run-" + std::to_string(::getpid()))).string();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        reverse_ =
            RunCli("reverse --service " + kSample + " --user sales --pages-across 2 -o " + File("sales.tlx"),
                   QStringLiteral("tiger"));
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }
    static std::string File(const std::string& name) { return dir_ + "/" + name; }
    static std::string Bytes(const std::string& name) { return ReadFileBytes(File(name)); }
    void SetUp() override { ASSERT_EQ(reverse_.status, 0) << reverse_.err; }

    static inline std::string dir_;
    static inline CliResult reverse_;
};

TEST_F(CliRunTest, ReverseWritesADesignWithTheGivenPages) {
    const std::string design = Bytes("sales.tlx");
    EXPECT_TRUE(design.starts_with("[VERSION]\r\n"));
    EXPECT_TRUE(Contains(design, "\"IPAPGothic\",\"9\"\r\n"));
    EXPECT_TRUE(Contains(design, "[SET ITEM]\r\nPaperX 2\r\n")) << design.substr(design.find("[SET ITEM]"));
    EXPECT_TRUE(Contains(design, "TableItem 0\r\n"));
}

// Commands that cannot do their job fail with the reason on stderr, never
// show the password given, and leave no output file behind.
TEST_F(CliRunTest, FailuresNameTheReasonAndWriteNothing) {
    for (const Fields& c : DataCases("cli/failures.txt")) {
        SCOPED_TRACE(c[0]);
        std::string line = c[0];
        for (const auto& [from, to] : {std::pair{std::string("{sample}"), kSample}, {"{dir}", dir_}})
            for (auto at = line.find(from); at != std::string::npos; at = line.find(from))
                line.replace(at, from.size(), to);
        const CliResult r = RunCli(line);
        EXPECT_EQ(r.status, std::stoi(c[1])) << r.err;
        EXPECT_TRUE(Contains(r.err, c[2])) << r.err;
        EXPECT_FALSE(Contains(r.err, "Secret-42"));
        EXPECT_FALSE(fs::exists(File(c[3])));
    }
}

// The copy holds no password, and SALES with the owners its foreign keys
// reach, so reading it gives the very design the original gives.
TEST_F(CliRunTest, ASnapshotCopyReadsBackToTheSameDesignAndHoldsNoPassword) {
    const CliResult copy = RunCli("snapshot --service " + kSample + " --user sales -o " + File("copy.sqlite"),
                                  QStringLiteral("tiger"));
    ASSERT_EQ(copy.status, 0) << copy.err;
    EXPECT_FALSE(Contains(Bytes("copy.sqlite"), "tiger"));
    EXPECT_FALSE(Contains(Bytes("copy.sqlite"), "SNAPSHOT_USERS"));
    const CliResult reverse = RunCli("reverse --service " + File("copy.sqlite") +
                                         " --user sales --pages-across 2 -o " + File("from-copy.tlx"),
                                     QStringLiteral("tiger"));
    ASSERT_EQ(reverse.status, 0) << reverse.err;
    EXPECT_EQ(Bytes("from-copy.tlx"), Bytes("sales.tlx"));
}

// One picture per page of the 2 × 1 grid, on the paper orientation the
// design file names (the sample's printer paper is A4).
TEST_F(CliRunTest, WordWritesOnePicturePerPageOnTheDesignsPaperOrientation) {
    std::string design = Bytes("sales.tlx");
    const std::size_t at = design.find("PageOrientation 1\r\n");
    ASSERT_NE(at, std::string::npos);
    WriteFileAtomically(File("landscape.tlx"), design.replace(at, 17, "PageOrientation 2"));
    for (const std::string name : {"sales", "landscape"}) {
        const CliResult r = RunCli("word " + File(name + ".tlx") + " -o " + File(name + ".docx"));
        ASSERT_EQ(r.status, 0) << r.err;
        const auto zip = ReadZip(Bytes(name + ".docx"));
        ASSERT_TRUE(zip);
        const std::string document = *zip->Find("word/document.xml");
        EXPECT_EQ(CountOccurrences(document, "<wp:inline"), 2);
        EXPECT_EQ(Contains(document, R"(<w:pgSz w:w="16838" w:h="11906" w:orient="landscape"/>)"),
                  name == "landscape");
        EXPECT_EQ(Contains(document, "landscape"), name == "landscape");
    }
}

// Printing from page 2 of the 2 × 1 grid gives one sheet; every picture
// format is written.
TEST_F(CliRunTest, PrintAndPictureWriteTheChosenPages) {
    const CliResult r = RunCli("print " + File("sales.tlx") + " --from 2 -o " + File("page2.pdf"));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string pdf = Bytes("page2.pdf");
    EXPECT_TRUE(pdf.starts_with("%PDF"));
    const std::regex page("/Type\\s*/Page[^s]");
    EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()), 1);
    for (const std::string format : {"emf", "svg", "png", "pdf"}) {
        const CliResult p = RunCli("picture " + File("sales.tlx") + " --format " + format + " --page 1 -o " +
                                   File("page1." + format));
        EXPECT_EQ(p.status, 0) << format << ": " << p.err;
        EXPECT_GT(Bytes("page1." + format).size(), 100u) << format;
    }
    EXPECT_EQ(Bytes("page1.emf").substr(40, 4), " EMF");
}

TEST_F(CliRunTest, SqlWritesTheScriptInCp932WithCrLf) {
    for (const std::string option : {"", "--drop"}) {
        const CliResult r = RunCli("sql " + File("sales.tlx") + " " + option + " -o " + File("out.sql"));
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string script = Bytes("out.sql");
        EXPECT_EQ(Contains(script, "CREATE TABLE"), option.empty()) << script.substr(0, 400);
        EXPECT_EQ(Contains(script, "DROP"), !option.empty()) << script.substr(0, 400);
        EXPECT_FALSE(std::regex_search(script, std::regex("[^\r]\n")));
    }
}

TEST_F(CliRunTest, CsvKeepsExistingFilesUnlessTold) {
    const std::string csv = File("csv");
    fs::create_directories(csv);
    ASSERT_EQ(RunCli("csv " + File("sales.tlx") + " --list 0 -d " + csv).status, 0);
    ASSERT_EQ(std::distance(fs::directory_iterator(csv), fs::directory_iterator()), 1);
    const std::string file = fs::directory_iterator(csv)->path().string();
    for (const bool overwrite : {false, true}) {
        WriteFileAtomically(file, "mine");
        const CliResult r = RunCli("csv " + File("sales.tlx") + " --list 0" +
                                   (overwrite ? " --overwrite" : "") + " -d " + csv);
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(Contains(r.err, overwrite ? "-> Yes" : "は存在しますファイルを上書きしますか? -> No")) << r.err;
        EXPECT_EQ(ReadFileBytes(file) == "mine", !overwrite);
    }
}

}  // namespace
