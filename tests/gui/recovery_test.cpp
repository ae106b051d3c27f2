// Recovery copies across a crash: a child process (this test program
// started again) opens a design, moves a box and waits until its copy is
// written; the test kills it with SIGKILL and a new window is offered the
// copy. The copies live in a folder of the test's own.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "app/main_window.h"
#include "app/recovery_copies.h"
#include "designfile/design_save.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_table.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

using testing::RecordingPorts;

constexpr int kMoveX = 4321;
const char* const kChildVariable = "TABULORIX_RECOVERY_CHILD_DESIGN";
const char* const kRestoreVariable = "TABULORIX_RECOVERY_CHILD_RESTORE";

QByteArray Digest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

MGShapeRect& FirstTableBox() {
    const ZMGObjectList& boxes = MGDrawTableList::Current()->Boxes();
    for (int i = 0; i < boxes.Count(); ++i)
        if (auto* table = dynamic_cast<MGShapeTable*>(boxes.Items(i))) return *table;
    throw std::runtime_error("no table box");
}

// The child: runs only when started by the test below.
TEST(RecoveryChild, MovesABoxAndWaitsWithItsCopy) {
    const QString design = qEnvironmentVariable(kChildVariable);
    if (design.isEmpty()) GTEST_SKIP() << "started by RecoveryTest only";
    RecordingPorts ports;
    TForm1 window("-DEBUG");
    ASSERT_TRUE(window.OpenDesignPath(design));
    MGShapeRect& box = FirstTableBox();
    Rect moved = box.Position();
    moved.right += kMoveX - moved.left;
    moved.left = kMoveX;
    box.SetPosition(moved);
    MGDrawTableList::Current()->SetModified(true);
    QSignalSpy written(&window.Recovery(), &RecoveryKeeper::copyWritten);
    window.Recovery().SetInterval(std::chrono::milliseconds(50));
    ASSERT_TRUE(written.wait(20'000));
    std::printf("copy written\n");
    std::fflush(stdout);
    QTest::qWait(60'000);  // killed long before
}

// The next start: offered the copy, answers Yes and reports what it opened.
TEST(RecoveryChild, RestoresAtTheNextStart) {
    if (qEnvironmentVariable(kRestoreVariable).isEmpty()) GTEST_SKIP() << "started by RecoveryTest only";
    RecordingPorts ports;
    ports.answers = {Answer::Yes};
    TForm1 window("-DEBUG");
    window.OpenArgumentOnce();
    ASSERT_EQ(ports.questions.size(), 1u);
    std::printf("offered: %s\n", ports.questions[0].c_str());
    std::printf("design: %s\n", window.Document().Manager().DesignPath().c_str());
    std::printf("modified: %d\n", IsModified(window.Document().Context()) ? 1 : 0);
    std::printf("left: %d\n", FirstTableBox().Position().left);
    std::fflush(stdout);
}

class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.filePath(QStringLiteral("recovery"));
        design_ = dir_.filePath(QStringLiteral("mine.tlx"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx"), design_));
        previous_ = qgetenv("TABULORIX_RECOVERY_DIR");
        qputenv("TABULORIX_RECOVERY_DIR", folder_.toLocal8Bit());
    }
    void TearDown() override { qputenv("TABULORIX_RECOVERY_DIR", previous_); }

    // Starts the child on the design and kills it once its copy is written.
    void CrashAChild() {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(kChildVariable), design_);
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=RecoveryChild.*")});
        ASSERT_TRUE(child.waitForStarted());
        QByteArray output;
        while (!output.contains("copy written") && child.waitForReadyRead(20'000)) output += child.readAll();
        ASSERT_TRUE(output.contains("copy written")) << output.toStdString();
        {
            // Another window meanwhile is not offered the copy of a running one.
            TForm1 other("-DEBUG");
            EXPECT_TRUE(other.Recovery().OrphanCopies().empty());
        }
        child.kill();  // SIGKILL: nothing of the child runs any more
        ASSERT_TRUE(child.waitForFinished());
    }

    // Starts this program again as the next start of the window and returns
    // what it printed.
    QByteArray StartAgain() {
        QProcess next;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(kRestoreVariable), QStringLiteral("1"));
        next.setProcessEnvironment(environment);
        next.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=RecoveryChild.Restores*")});
        EXPECT_TRUE(next.waitForFinished(60'000));
        EXPECT_EQ(next.exitCode(), 0);
        return next.readAllStandardOutput();
    }

    QTemporaryDir dir_;
    QString folder_;
    QString design_;
    QByteArray previous_;
    RecordingPorts ports_;
};

TEST_F(RecoveryTest, AKilledWindowsCopyIsOfferedAndRestoresTheMovedBoxUnderItsName) {
    const QByteArray before = Digest(design_);
    const QDateTime modified = QFileInfo(design_).lastModified();
    CrashAChild();

    const QByteArray report = StartAgain();
    EXPECT_TRUE(report.contains("offered: 前回、保存されていない変更があります。復元しますか?")) << report.toStdString();
    EXPECT_TRUE(report.contains("design: " + design_.toUtf8() + "\n")) << report.toStdString();
    EXPECT_TRUE(report.contains("modified: 1\n"));
    EXPECT_TRUE(report.contains("left: " + QByteArray::number(kMoveX) + "\n"));
    // The user's own file is not touched by recovery; the restoring window
    // ended cleanly, so no copy is left behind.
    EXPECT_EQ(Digest(design_), before);
    EXPECT_EQ(QFileInfo(design_).lastModified(), modified);
    EXPECT_TRUE(QDir(folder_).entryList({QStringLiteral("*.tlx")}, QDir::Files).isEmpty());

    // In this process too: restored, adopted, and removed by a save.
    CrashAChild();
    ports_.answers = {Answer::Yes};
    TForm1 window("-DEBUG");
    window.OpenArgumentOnce();
    EXPECT_EQ(FirstTableBox().Position().left, kMoveX);
    EXPECT_TRUE(window.Recovery().OrphanCopies().empty());
    window.SaveDesignQuietly();
    EXPECT_TRUE(QDir(folder_).entryList({QStringLiteral("*.tlx")}, QDir::Files).isEmpty());
}

TEST_F(RecoveryTest, NoKeepsTheCopyCancelMovesItAsideAndADamagedCopyIsReportedAndKept) {
    CrashAChild();
    {
        ports_.answers = {Answer::No};
        TForm1 window("-DEBUG");
        window.OpenArgumentOnce();
        EXPECT_EQ(window.Document().Manager().SchemaCount(), 0);
    }
    const QStringList copies = QDir(folder_).entryList({QStringLiteral("*.tlx")}, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    // Cut the copy short: it is refused, moved to "damaged" and reported.
    const QString copy = QDir(folder_).filePath(copies[0]);
    QFile::resize(copy, QFileInfo(copy).size() / 2);
    {
        ports_.answers = {Answer::Yes};
        TForm1 window("-DEBUG");
        window.OpenArgumentOnce();
        EXPECT_EQ(window.Document().Manager().SchemaCount(), 0);
    }
    EXPECT_EQ(QDir(folder_ + "/damaged").entryList({QStringLiteral("*.tlx")}, QDir::Files).size(), 1);
    ASSERT_FALSE(ports_.messages.empty());
    EXPECT_NE(ports_.messages.back().find("damaged"), std::string::npos);

    CrashAChild();
    ports_.answers = {Answer::Cancel};
    TForm1 window("-DEBUG");
    window.OpenArgumentOnce();
    EXPECT_EQ(QDir(folder_ + "/discarded").entryList({QStringLiteral("*.tlx")}, QDir::Files).size(), 1);
    EXPECT_TRUE(window.Recovery().OrphanCopies().empty());
}

}  // namespace
}  // namespace tabulorix
