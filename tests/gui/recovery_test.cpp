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

constexpr int kMoveX = 4321;
const char* const kChildVariable = "TABULORIX_RECOVERY_CHILD";  // "crash" or "restore"

MGShapeRect& FirstTableBox() {
    const ZMGObjectList& boxes = MGDrawTableList::Current()->Boxes();
    for (int i = 0; i < boxes.Count(); ++i)
        if (auto* table = dynamic_cast<MGShapeTable*>(boxes.Items(i))) return *table;
    throw std::runtime_error("no table box");
}

// The child, started by the tests below only: the design named after
// "crash:" is opened, a box moved, and the child waits with its copy
// written; "restore" is the next start, offered the copy, answering Yes and
// reporting what it opened.
TEST(RecoveryChild, CrashesWithACopyOrRestoresAtTheNextStart) {
    const QString role = qEnvironmentVariable(kChildVariable);
    if (role.isEmpty()) GTEST_SKIP() << "started by RecoveryTest only";
    testing::RecordingPorts ports;
    ports.answers = {Answer::Yes};
    TForm1 window("-DEBUG");
    if (role == QStringLiteral("restore")) {
        window.OpenArgumentOnce();
        ASSERT_EQ(ports.questions.size(), 1u);
        std::printf("offered: %s\ndesign: %s\nmodified: %d\nleft: %d\n", ports.questions[0].c_str(),
                    window.Document().Manager().DesignPath().c_str(),
                    IsModified(window.Document().Context()) ? 1 : 0, FirstTableBox().Position().left);
        std::fflush(stdout);
        return;
    }
    ASSERT_TRUE(window.OpenDesignPath(role.mid(6)));
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

class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QFile::copy(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx"), design_));
        qputenv("TABULORIX_RECOVERY_DIR", folder_.toLocal8Bit());
    }
    void TearDown() override { qputenv("TABULORIX_RECOVERY_DIR", previous_); }

    // This program again as the child in the role; started, not waited for.
    void StartChild(QProcess& child, const QString& role) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(kChildVariable), role);
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=RecoveryChild.*")});
        ASSERT_TRUE(child.waitForStarted());
    }
    // Starts the child on the design and kills it once its copy is written.
    void CrashAChild() {
        QProcess child;
        StartChild(child, QStringLiteral("crash:") + design_);
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
    int Copies(const char* subfolder = "") {
        return QDir(folder_ + subfolder).entryList({QStringLiteral("*.tlx")}, QDir::Files).size();
    }
    // A window of this process offered the copy, answering so.
    void OfferedAndAnswered(Answer answer, int schemasAfter) {
        ports_.answers = {answer};
        TForm1 window("-DEBUG");
        window.OpenArgumentOnce();
        EXPECT_EQ(window.Document().Manager().SchemaCount(), schemasAfter);
        EXPECT_TRUE(answer == Answer::No || window.Recovery().OrphanCopies().empty());
    }

    QTemporaryDir dir_;
    QString folder_ = dir_.filePath(QStringLiteral("recovery"));
    QString design_ = dir_.filePath(QStringLiteral("mine.tlx"));
    QByteArray previous_ = qgetenv("TABULORIX_RECOVERY_DIR");
    testing::RecordingPorts ports_;
};

TEST_F(RecoveryTest, AKilledWindowsCopyIsOfferedAndRestoresTheMovedBoxUnderItsName) {
    QFile original(design_);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = QCryptographicHash::hash(original.readAll(), QCryptographicHash::Sha256);
    original.close();
    const QDateTime modified = QFileInfo(design_).lastModified();
    CrashAChild();

    QProcess next;
    StartChild(next, QStringLiteral("restore"));
    EXPECT_TRUE(next.waitForFinished(60'000));
    EXPECT_EQ(next.exitCode(), 0);
    const QByteArray report = next.readAllStandardOutput();
    EXPECT_TRUE(report.contains("offered: 前回、保存されていない変更があります。復元しますか?"))
        << report.toStdString();
    EXPECT_TRUE(report.contains("design: " + design_.toUtf8() +
                                "\nmodified: 1\nleft: " + QByteArray::number(kMoveX)));
    // The user's own file is not touched by recovery; the restoring window
    // ended cleanly, so no copy is left behind.
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(QCryptographicHash::hash(original.readAll(), QCryptographicHash::Sha256), before);
    EXPECT_EQ(QFileInfo(design_).lastModified(), modified);
    EXPECT_EQ(Copies(), 0);

    // In this process too: restored, adopted, and removed by a save.
    CrashAChild();
    ports_.answers = {Answer::Yes};
    TForm1 window("-DEBUG");
    window.OpenArgumentOnce();
    EXPECT_EQ(FirstTableBox().Position().left, kMoveX);
    EXPECT_TRUE(window.Recovery().OrphanCopies().empty());
    window.SaveDesignQuietly();
    EXPECT_EQ(Copies(), 0);
}

TEST_F(RecoveryTest, NoKeepsTheCopyCancelMovesItAsideAndADamagedCopyIsReportedAndKept) {
    CrashAChild();
    OfferedAndAnswered(Answer::No, 0);
    const QStringList copies = QDir(folder_).entryList({QStringLiteral("*.tlx")}, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    // Cut the copy short: it is refused, moved to "damaged" and reported.
    const QString copy = QDir(folder_).filePath(copies[0]);
    QFile::resize(copy, QFileInfo(copy).size() / 2);
    OfferedAndAnswered(Answer::Yes, 0);
    EXPECT_EQ(Copies("/damaged"), 1);
    ASSERT_FALSE(ports_.messages.empty());
    EXPECT_NE(ports_.messages.back().find("damaged"), std::string::npos);
    CrashAChild();
    OfferedAndAnswered(Answer::Cancel, 0);
    EXPECT_EQ(Copies("/discarded"), 1);
}

}  // namespace
}  // namespace tabulorix
