#include "base/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/text_file_save.h"
#include "support/recording_host.h"
#include "support/snapshot_fixture.h"
#include "support/thrown.h"

using namespace tabulorix;
using tabulorix::testing::Thrown;
namespace fs = std::filesystem;

namespace {

class FileIoTest : public ::testing::Test {
protected:
    tabulorix::testing::TempDirectory tmp_;
    fs::path dir_{tmp_.path()};

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    static void WriteRaw(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // Names of everything in the directory, to see that no temporary is left.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

using Lines = std::vector<std::string>;

}  // namespace

// Reading a missing file, a directory or undecodable text, or saving into a
// missing directory, fails naming the path and the system's reason or the
// line (0 when there is none), and leaves nothing behind.
TEST_F(FileIoTest, FailuresNameThePathAndTheReason) {
    const struct {
        std::string path, content, reason;  // content is written first when given
        bool write;
        int line;
    } cases[] = {
        {PathOf("missing.tlx"), "", "No such file or directory", false, 0},
        {dir_.string(), "", "Is a directory", false, 0},
        {PathOf("no-such-dir/out.tlx"), "", "No such file or directory", true, 0},
        {PathOf("bad.tlx"), "one\r\ntwo\r\nth\x85\x40ree\r\n", "3 行目", false, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        if (!c.content.empty()) WriteRaw(c.path, c.content);
        const auto e = Thrown<FileError>([&] {
            if (c.write)
                WriteFileAtomically(c.path, "x");
            else
                ReadTextLines(c.path);
        });
        ASSERT_TRUE(e);
        EXPECT_EQ(e->path(), c.path);
        EXPECT_EQ(e->line(), c.line);
        EXPECT_NE(std::string(e->what()).find(c.path), std::string::npos) << e->what();
        EXPECT_NE(std::string(e->what()).find(c.reason), std::string::npos) << e->what();
        EXPECT_EQ(Entries().size(), c.content.empty() ? 0u : 1u);
    }
}

// Lines are written with CR LF after each, in CP932 when it holds them all,
// else in UTF-8 with a BOM and the first line it cannot hold named; reading
// the file gives them back with the encoding, whatever the line ends.
TEST_F(FileIoTest, WrittenLinesReadBackWithTheirEncoding) {
    const std::string path = PathOf("out.sql");
    const struct {
        Lines lines;
        std::string bytes;
        TextEncoding encoding;
        int firstNonCp932;
    } cases[] = {
        {{"表ｱ", "", "x"}, "\x95\x5C\xB1\r\n\r\nx\r\n", TextEncoding::Cp932, 0},
        {{"表", "波〜"}, "\xEF\xBB\xBF表\r\n波〜\r\n", TextEncoding::Utf8Bom, 2},
        {{}, "", TextEncoding::Cp932, 0},
    };
    for (const auto& c : cases) {
        const EncodedText written = WriteTextLines(path, c.lines);
        EXPECT_EQ(ReadFileBytes(path), c.bytes);
        EXPECT_EQ(std::pair(written.encoding, written.firstNonCp932 ? written.firstNonCp932->line : 0),
                  std::pair(c.encoding, c.firstNonCp932));
        const TextLines read = ReadTextLines(path);
        EXPECT_EQ(std::pair(read.encoding, read.lines), std::pair(c.encoding, c.lines));
    }
    WriteRaw(path, "\x95\x5C\x81\x60\r\nab\rc\n\x87\x40");
    EXPECT_EQ(ReadTextLines(path).lines, (Lines{"表～", "ab", "c", "①"}));
}

// Saved files of generated lines: every line and every line break inside a
// line (LF or CR LF) ends with CR LF; CP932 when it holds every line, else
// the whole file in UTF-8 with a BOM and the character named, wherever the
// first line CP932 cannot hold stands; text that is not UTF-8 is refused.
TEST_F(FileIoTest, SavedLinesEndWithCrLfInCp932OrElseTheWholeFileInUtf8) {
    struct Case {
        Lines lines;
        std::string bytes;
        bool message;
    };
    const Case cases[] = {
        {{"表ｱ", "a\nb", "c\r\nd", ""}, "\x95\x5C\xB1\r\na\r\nb\r\nc\r\nd\r\n\r\n", false},
        {{"表", "x\ny", "波〜", "z"}, "\xEF\xBB\xBF表\r\nx\r\ny\r\n波〜\r\nz\r\n", true},
        {{"〜"}, "\xEF\xBB\xBF〜\r\n", true},
        {{}, "", false},
    };
    const std::string path = PathOf("saved.csv");
    for (const Case& c : cases) {
        tabulorix::testing::RecordingPorts ports;
        SaveTextFile(path, c.lines);
        EXPECT_EQ(ReadFileBytes(path), c.bytes) << c.lines.size();
        ASSERT_EQ(ports.messages.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_NE(ports.messages[0].find("〜"), std::string::npos) << ports.messages[0];
        }
    }
    WriteRaw(path, "previous");
    // A byte no UTF-8 has, a surrogate's code point (U+DFFF) encoded.
    for (const std::string bad : {"bad \xFF", "bad \xED\xBF\xBF"}) {
        const auto refused = Thrown<FileError>([&] { SaveTextFile(path, {"ok", bad, "z"}); });
        ASSERT_TRUE(refused.has_value());
        EXPECT_EQ(refused->line(), 2) << refused->what();
        EXPECT_EQ(ReadFileBytes(path), "previous");
    }
}

// Replacing a file keeps its permissions, replaces the file a symbolic link
// names (the link stays) and leaves no temporary.
TEST_F(FileIoTest, ReplacingAFileKeepsItsPermissionsAndLinksAndLeavesNoTemporary) {
    const std::string real = PathOf("real.tlx"), link = PathOf("link.tlx");
    WriteRaw(real, "old");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    fs::create_symlink(real, link);
    WriteFileAtomically(link, "new content");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(real), "new content");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Entries(), (Lines{"link.tlx", "real.tlx"}));
}

TEST_F(FileIoTest, ADirectoryInPlaceOfTheTargetIsLeftAloneAndTheTemporaryRemoved) {
    // The temporary is written completely; only the final rename fails.
    const std::string path = PathOf("taken");
    fs::create_directory(path);
    WriteRaw(PathOf("taken/inside"), "keep");
    EXPECT_THROW(WriteFileAtomically(path, "x"), FileError);
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(ReadFileBytes(PathOf("taken/inside")), "keep");
    EXPECT_EQ(Entries(), Lines{"taken"});
}
