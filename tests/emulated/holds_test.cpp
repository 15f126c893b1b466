// Files in use: what a hold forbids, how it follows its file, and that it
// ends with its holder.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "files_fixture.h"
#include "platform/emulated/machine/machine.h"
#include "platform/errors.h"
#include "platform/files.h"

namespace {

using namespace platform;

class HoldTest : public BareMachineTest {
 protected:
  void SetUp() override {
    BareMachineTest::SetUp();
    MakeHostFile("app/Pictavo.exe", "program");
    MakeHostFile("app/other.txt", "other");
  }

  int HoldFilesOnDisk() const {
    int count = 0;
    if (DIR* dir = opendir((machine_ + "/holds").c_str())) {
      while (dirent* entry = readdir(dir)) count += entry->d_name[0] != '.';
      closedir(dir);
    }
    return count;
  }
};

TEST_F(HoldTest, OpenFilesCantChangeAndRunningProgramsCanOnlyMove) {
  // The error each operation meets while the file is held open, and while it is a running program's.
  struct Operation {
    const char* what;
    std::function<bool()> call;
    std::uint32_t whileOpen;
    std::uint32_t whileRunning;  // kErrNone: allowed
  };
  const Operation operations[] = {
      {"delete", [] { return DeleteFileAt("C:\\app\\pictavo.exe"); }, kErrSharingViolation, kErrAccessDenied},
      {"copy onto", [] { return CopyFileTo("C:\\app\\other.txt", "C:\\APP\\Pictavo.exe", false); },
       kErrSharingViolation, kErrSharingViolation},
      {"write", [] { return WriteWholeFile("C:\\app\\Pictavo.exe", "new"); }, kErrSharingViolation,
       kErrSharingViolation},
      {"append", [] { return AppendToFile("C:\\app\\Pictavo.exe", "more"); }, kErrSharingViolation,
       kErrSharingViolation},
      {"move", [] { return MoveFileTo("C:\\app\\Pictavo.exe", "C:\\app\\Moved.exe"); }, kErrSharingViolation,
       kErrNone},
  };
  for (emu::HoldKind kind : {emu::HoldKind::Open, emu::HoldKind::Running}) {
    emu::FileHold hold = emu::HoldFile("c:\\App\\PICTAVO.EXE", kind);
    ASSERT_TRUE(hold.Held());
    emu::HoldKind found;
    ASSERT_TRUE(emu::FindHold(Host("app/Pictavo.exe"), found));
    EXPECT_EQ(kind, found);
    EXPECT_FALSE(emu::FindHold(Host("app/other.txt"), found));
    for (const Operation& op : operations) {
      std::uint32_t expected = kind == emu::HoldKind::Open ? op.whileOpen : op.whileRunning;
      SetLastError(kErrNone);
      bool done = op.call();
      if (expected == kErrNone) {
        EXPECT_TRUE(done) << op.what;
        ASSERT_TRUE(MoveFileTo("C:\\app\\Moved.exe", "C:\\app\\Pictavo.exe"));
        continue;
      }
      EXPECT_FALSE(done) << op.what;
      EXPECT_EQ(expected, LastError()) << op.what;
    }
    EXPECT_EQ("program", HostContent(Host("app/Pictavo.exe")));
    // Reading stays allowed.
    std::string content;
    EXPECT_TRUE(ReadWholeFile("C:\\app\\Pictavo.exe", content));
  }
  EXPECT_EQ(0, HoldFilesOnDisk());
  EXPECT_TRUE(DeleteFileAt("C:\\app\\Pictavo.exe"));
}

TEST_F(HoldTest, ARunningProgramMovedAwayIsStillHeld) {
  emu::FileHold hold = emu::HoldFile("C:\\app\\Pictavo.exe", emu::HoldKind::Running);
  ASSERT_TRUE(hold.Held());
  ASSERT_TRUE(CreateFolder("C:\\trash"));
  ASSERT_TRUE(MoveFileTo("C:\\app\\Pictavo.exe", "C:\\trash\\x.tmp"));
  EXPECT_FALSE(DeleteFileAt("C:\\trash\\x.tmp"));
  EXPECT_EQ(kErrAccessDenied, LastError());
  // A new file under the old name is not held.
  ASSERT_TRUE(WriteWholeFile("C:\\app\\Pictavo.exe", "new"));
  EXPECT_TRUE(DeleteFileAt("C:\\app\\Pictavo.exe"));

  emu::FileHold moved = std::move(hold);
  EXPECT_FALSE(hold.Held());
  EXPECT_TRUE(moved.Held());
  moved.Release();
  EXPECT_TRUE(DeleteFileAt("C:\\trash\\x.tmp"));
}

// Across file systems a move is a copy and a delete, so a file that can't
// be deleted can't be moved there either, and no copy is left behind.
TEST_F(HoldTest, AFileInUseCantMoveToAnotherFileSystem) {
  char pattern[] = "/dev/shm/ptv-elsewhere-XXXXXX";
  if (mkdtemp(pattern) == nullptr) GTEST_SKIP() << "no /dev/shm";
  const std::string elsewhere = pattern;
  struct stat there;
  struct stat here;
  ASSERT_EQ(0, stat(elsewhere.c_str(), &there));
  ASSERT_EQ(0, stat(Host("app").c_str(), &here));
  if (there.st_dev == here.st_dev) {
    rmdir(elsewhere.c_str());
    GTEST_SKIP() << "/dev/shm is on the machine's file system";
  }
  const std::string target = emu::ToWindowsPath(elsewhere + "/Pictavo.exe");
  const struct {
    emu::HoldKind kind;
    std::uint32_t error;
  } holds[] = {{emu::HoldKind::Open, kErrSharingViolation}, {emu::HoldKind::Running, kErrAccessDenied}};
  for (const auto& held : holds) {
    emu::FileHold hold = emu::HoldFile("C:\\app\\Pictavo.exe", held.kind);
    ASSERT_TRUE(hold.Held());
    SetLastError(kErrNone);
    EXPECT_FALSE(MoveFileTo("C:\\app\\Pictavo.exe", target));
    EXPECT_EQ(held.error, LastError());
    EXPECT_FALSE(HostExists(elsewhere + "/Pictavo.exe"));
    EXPECT_EQ("program", HostContent(Host("app/Pictavo.exe")));
  }
  EXPECT_TRUE(MoveFileTo("C:\\app\\Pictavo.exe", target));
  EXPECT_EQ("program", HostContent(elsewhere + "/Pictavo.exe"));
  EXPECT_FALSE(HostExists(Host("app/Pictavo.exe")));
  std::error_code ignored;
  std::filesystem::remove_all(elsewhere, ignored);
}

TEST_F(HoldTest, HoldDescriptorsAreClosedOnExec) {
  emu::FileHold hold = emu::HoldFile("C:\\app\\Pictavo.exe", emu::HoldKind::Open);
  ASSERT_TRUE(hold.Held());
  int holdDescriptors = 0;
  DIR* dir = opendir("/proc/self/fd");
  ASSERT_NE(nullptr, dir);
  while (dirent* entry = readdir(dir)) {
    char target[4096];
    std::string link = std::string("/proc/self/fd/") + entry->d_name;
    ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
    if (n <= 0 || std::string(target, n).find(machine_ + "/holds/") != 0) continue;
    ++holdDescriptors;
    EXPECT_TRUE(fcntl(std::atoi(entry->d_name), F_GETFD) & FD_CLOEXEC);
  }
  closedir(dir);
  EXPECT_EQ(1, holdDescriptors);
}

TEST_F(HoldTest, AHolderThatEndsReleasesTheFile) {
  int toChild[2];
  int toParent[2];
  ASSERT_EQ(0, pipe(toChild));
  ASSERT_EQ(0, pipe(toParent));
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    emu::FileHold hold = emu::HoldFile("C:\\app\\Pictavo.exe", emu::HoldKind::Open);
    char c = hold.Held() ? 'y' : 'n';
    if (write(toParent[1], &c, 1) != 1) _exit(2);
    if (read(toChild[0], &c, 1) < 0) _exit(3);
    _exit(0);  // ends without releasing
  }
  char reply = 0;
  ASSERT_EQ(1, read(toParent[0], &reply, 1));
  ASSERT_EQ('y', reply);
  EXPECT_FALSE(DeleteFileAt("C:\\app\\Pictavo.exe"));
  EXPECT_EQ(kErrSharingViolation, LastError());

  ASSERT_EQ(1, write(toChild[1], "x", 1));
  int status = 0;
  ASSERT_EQ(child, waitpid(child, &status, 0));
  EXPECT_EQ(1, HoldFilesOnDisk());
  EXPECT_TRUE(DeleteFileAt("C:\\app\\Pictavo.exe"));
  EXPECT_EQ(0, HoldFilesOnDisk());  // the dead holder's file is cleared away
  for (int fd : {toChild[0], toChild[1], toParent[0], toParent[1]}) close(fd);
}

TEST_F(HoldTest, RunningProgramsAreTheFilesHeldAsRunning) {
  EXPECT_TRUE(emu::RunningProgramFiles().empty());
  emu::FileHold open = emu::HoldFile("C:\\app\\other.txt", emu::HoldKind::Open);
  emu::FileHold running = emu::HoldFile("C:\\app\\Pictavo.exe", emu::HoldKind::Running);
  ASSERT_TRUE(open.Held() && running.Held());
  EXPECT_EQ(emu::RunningProgramFiles(), std::vector<std::string>{"C:\\app\\Pictavo.exe"});
  running.Release();
  EXPECT_TRUE(emu::RunningProgramFiles().empty());

  // A holder that has ended runs no more, whatever its hold file says.
  const pid_t child = fork();
  if (child == 0) {
    emu::FileHold held = emu::HoldFile("C:\\app\\Pictavo.exe", emu::HoldKind::Running);
    held.KeepAcrossExec();
    _exit(held.Held() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(emu::RunningProgramFiles().empty());
}

}  // namespace
