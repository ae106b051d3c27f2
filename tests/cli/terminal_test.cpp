// tabulorix-cli on a terminal: the password is asked without echo and the
// progress is one line on stderr, redrawn in place and cleared at the end.
// A pseudo-terminal is opened by /usr/bin/python3's pty module.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// Runs the command line on a pseudo-terminal, types the answer when the
// prompt appears, and prints everything the terminal showed, then
// "exit=STATUS".
constexpr const char* kTerminalDriver = R"(
import os, pty, select, sys, time
prompt, answer = sys.argv[1].encode(), sys.argv[2].encode()
pid, fd = pty.fork()
if pid == 0:
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "TABULORIX_PASSWORD")}
    os.execve(sys.argv[3], sys.argv[3:], env)
seen, sent, deadline = b"", False, time.time() + 90
while time.time() < deadline:
    if select.select([fd], [], [], 0.5)[0]:
        try:
            chunk = os.read(fd, 65536)
        except OSError:
            break
        if not chunk:
            break
        seen += chunk
        if not sent and prompt in seen:
            os.write(fd, answer + b"\n")
            sent = True
if time.time() >= deadline:
    os.kill(pid, 9)
_, status = os.waitpid(pid, 0)
sys.stdout.buffer.write(seen + b"\nexit=%d\n" % os.waitstatus_to_exitcode(status))
)";

TEST(CliTerminal, AsksThePasswordWithoutEchoAndDrawsProgressOnOneLine) {
    if (!fs::exists("/usr/bin/python3")) GTEST_SKIP() << "/usr/bin/python3 is not installed";
    const fs::path out =
        fs::temp_directory_path() / ("tabulorix-cli-terminal-" + std::to_string(::getpid()) + ".tlx");
    fs::remove(out);
    QProcess process;
    process.start(QStringLiteral("/usr/bin/python3"),
                  {QStringLiteral("-c"), QString::fromUtf8(kTerminalDriver),
                   QStringLiteral("Password for SALES: "), QStringLiteral("tiger"),
                   QStringLiteral(TABULORIX_CLI), QStringLiteral("reverse"), QStringLiteral("--service"),
                   QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.sqlite"), QStringLiteral("--user"),
                   QStringLiteral("sales"), QStringLiteral("-o"), QString::fromStdString(out.string())});
    if (!process.waitForFinished(120000)) process.kill(), process.waitForFinished();
    const std::string shown = process.readAllStandardOutput().toStdString();
    ASSERT_NE(shown.find("exit=0"), std::string::npos) << shown.substr(0, 2000);
    EXPECT_EQ(shown.rfind("Password for SALES: ", 0), 0u) << shown.substr(0, 200);
    EXPECT_EQ(shown.find("tiger"), std::string::npos) << "the password was echoed";
    // The progress line is redrawn in place (carriage return, erase to the
    // end of the line) and shows the steps of the run.
    EXPECT_NE(shown.find("\r\x1b[K"), std::string::npos);
    EXPECT_NE(shown.find("テーブル間の関係解析中..."), std::string::npos);
    // No line of its own is left behind: the last thing drawn erases it.
    const std::size_t exitAt = shown.rfind("\nexit=");
    EXPECT_EQ(shown.substr(exitAt - 4, 4), "\r\x1b[K");
    EXPECT_TRUE(fs::exists(out));
    fs::remove(out);
}

}  // namespace
