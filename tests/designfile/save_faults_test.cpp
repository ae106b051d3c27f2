// Saving a design where the file system says no: a full disk, a read-only
// directory, a device in place of a file, and a file another program holds
// open. A failed save shows the system's reason with the file name, leaves
// the previous file byte for byte as it was and no temporary beside it, and
// the design stays modified so that closing still asks to save.
//
// Full and read-only file systems are real mounts (a small tmpfs, a
// read-only bind mount) in a private mount namespace of the test process,
// which needs root; without it the nearest honest equivalents are used: a
// file size limit (RLIMIT_FSIZE, the write fails with EFBIG as on a full
// disk) and a directory without write permission.
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <filesystem>

#include "designfile/design_save.h"
#include "designfile/design_writer.h"
#include "base/file_io.h"
#include "support/catalogue_builder.h"
#include "support/recording_host.h"
#include "support/row_values.h"

using namespace tabulorix;
using namespace tabulorix::testing;
namespace fs = std::filesystem;

namespace {

// Mounts of this process only, gone when it ends; false without the right.
bool PrivateMounts() {
    static const bool available = ::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0 &&
                                  ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return available;
}

bool MountSmallTmpfs(const std::string& path) {
    return PrivateMounts() && ::mount("tmpfs", path.c_str(), "tmpfs", 0, "size=64k") == 0;
}

bool MakeReadOnlyMount(const std::string& path) {
    return PrivateMounts() && ::mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
           ::mount(nullptr, path.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

// Files lying in a directory, other than the given one.
std::vector<std::string> Strays(const std::string& directory, const std::string& keep) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(directory))
        if (entry.path().filename() != keep) found.push_back(entry.path().filename().string());
    return found;
}

class SaveFaults : public DesignTest {
protected:
    void TearDown() override {
        for (const std::string& mount : mounts_) ::umount2(mount.c_str(), MNT_DETACH);
    }

    // A design saved once to path (the previous file), then changed so that
    // it is modified and, with big set, far larger than 64 KiB.
    std::string SavedThenChanged(const std::string& path, bool big) {
        MGShapeTable& emp = AddTable(AddOwner(manager, "SCOTT"), "EMP", "社員", "社員表");
        AddColumn(emp, {"EMPNO", "NUMBER", "4", "N"});
        manager.SetDesignPath(path);
        EXPECT_EQ(SaveDesign(context, true, true), Answer::Yes);
        EXPECT_FALSE(IsModified(context));
        const std::string previous = ReadFileBytes(path);
        emp.SetComment(big ? std::string(200'000, 'x') : "changed");
        manager.SetModified();
        return previous;
    }

    // A failed save names the file and the reason, keeps the design modified
    // and, for a file, the previous bytes without a temporary beside them.
    void ExpectFailedSave(const std::string& path, const std::string& reason, const std::string* previous) {
        ports.messages.clear();
        EXPECT_EQ(SaveDesign(context, true, true), Answer::Cancel);
        ASSERT_EQ(ports.messages.size(), 1u);
        EXPECT_TRUE(Contains(ports.messages[0], path) && Contains(ports.messages[0], reason))
            << ports.messages[0];
        EXPECT_TRUE(IsModified(context));
        if (previous == nullptr) return;
        EXPECT_TRUE(ReadFileBytes(path) == *previous) << "the previous file changed";
        const fs::path file(path);
        EXPECT_EQ(Strays(file.parent_path().string(), file.filename().string()), std::vector<std::string>{});
    }

    std::vector<std::string> mounts_;
};

TEST_F(SaveFaults, AFullDiskKeepsThePreviousFileAndTheDesignModified) {
    const std::string full = dir.File("full");
    fs::create_directory(full);
    const std::string path = full + "/design.tlx";
    if (MountSmallTmpfs(full)) {
        mounts_.push_back(full);
        const std::string previous = SavedThenChanged(path, true);
        return ExpectFailedSave(path, "No space left on device", &previous);
    }
    // Without mounts: a file size limit below the new file's size.
    const std::string previous = SavedThenChanged(path, true);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old;
    limit.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    ExpectFailedSave(path, "File too large", &previous);
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, oldHandler);
}

TEST_F(SaveFaults, AReadOnlyDirectoryKeepsThePreviousFileAndTheDesignModified) {
    const std::string locked = dir.File("locked");
    fs::create_directory(locked);
    const std::string path = locked + "/design.tlx";
    const std::string previous = SavedThenChanged(path, false);
    if (MakeReadOnlyMount(locked)) {
        mounts_.push_back(locked);
        return ExpectFailedSave(path, "Read-only file system", &previous);
    }
    if (::geteuid() == 0) GTEST_SKIP() << "root without mounts: permissions do not stop root";
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    ExpectFailedSave(path, "Permission denied", &previous);
    fs::permissions(locked, fs::perms::owner_all);
}

TEST_F(SaveFaults, ADeviceInPlaceOfTheFileIsWrittenIntoNeverReplaced) {
    // /dev/full reports a full disk on every write; a save must fail with
    // that reason and leave the device where it is.
    SavedThenChanged(dir.File("first.tlx"), false);
    manager.SetDesignPath("/dev/full");
    ExpectFailedSave("/dev/full", "No space left on device", nullptr);
    ASSERT_FALSE(HasFatalFailure()) << "no other device is tried after a wrong save";
    // /dev/null takes the design; both stay devices.
    manager.SetDesignPath("/dev/null");
    EXPECT_EQ(SaveDesign(context, true, true), Answer::Yes);
    for (const char* device : {"/dev/full", "/dev/null"}) {
        struct stat st {};
        EXPECT_TRUE(::stat(device, &st) == 0 && S_ISCHR(st.st_mode)) << device;
    }
}

TEST_F(SaveFaults, AFileAnotherProgramHoldsOpenAndLockedIsReplacedWhileItKeepsItsCopy) {
    // On Linux an open (even locked) file does not stop a rename over it:
    // the save succeeds, the path holds the new design, and the program that
    // holds the old file still reads it complete through its descriptor.
    const std::string path = dir.File("held.tlx");
    const std::string previous = SavedThenChanged(path, false);
    QProcess holder;
    holder.start("/usr/bin/python3", {"-c",
                                      "import fcntl, sys\n"
                                      "f = open(sys.argv[1], 'rb')\n"
                                      "fcntl.lockf(f, fcntl.LOCK_SH)\n"
                                      "print('held', flush=True)\n"
                                      "sys.stdin.readline()\n"
                                      "f.seek(0)\n"
                                      "sys.stdout.write(str(len(f.read())))\n",
                                      QString::fromStdString(path)});
    ASSERT_TRUE(holder.waitForStarted(10000));
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    EXPECT_EQ(holder.readLine().trimmed().toStdString(), "held");

    EXPECT_EQ(SaveDesign(context, true, true), Answer::Yes);
    EXPECT_TRUE(ports.messages.empty());
    EXPECT_FALSE(IsModified(context));
    EXPECT_TRUE(Contains(ReadFileBytes(path), "changed"));

    holder.write("\n");
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(holder.readAll().trimmed().toStdString(), std::to_string(previous.size()));
    EXPECT_EQ(Strays(dir.path(), "held.tlx"), std::vector<std::string>{});
}

}  // namespace
