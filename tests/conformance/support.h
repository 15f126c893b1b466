#pragma once
// What the conformance cases need from the system they run on, set up the
// way each build can: the real Windows API (under Wine) or the emulated
// machine. The cases themselves only use the platform layer.
#include <memory>
#include <string>

namespace conformance {

// Runs before the test framework: a copy of this program started to keep
// its own file in use (see PutFileInUse) does that here and returns true
// with its exit status; the normal run returns false.
bool RunAsChildProgram(int argc, char** argv, int& exitStatus);

// Who a case runs as. The emulated machine gives a case the user it asks
// for; the real API runs as whoever runs the suite (under Wine, an
// administrator of 64-bit Windows), so cases ask RunsAsAdministrator().
enum class Account {
  Runner,                 // the emulated machine's default: an administrator of 32-bit Windows
  StandardUserOn64Bit,    // a standard user of 64-bit Windows, where the build can give one
};

// A fresh, empty folder for one case, removed with everything in it
// afterwards. Created before and destroyed after every other platform use
// of the case.
class Scratch {
 public:
  explicit Scratch(Account account = Account::Runner);
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  // The folder's Windows path, without a trailing backslash; "" when it
  // could not be made.
  const std::string& folder() const { return folder_; }
  // A path inside the folder.
  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::string folder_;
};

enum class Use {
  OpenByProgram,   // another program has the file open and shares nothing
  RunningProgram,  // the file is a running program's own program file
};

// Keeps an existing file in use until destroyed.
class FileInUse {
 public:
  virtual ~FileInUse() = default;
};
// nullptr when the file could not be put in use. For RunningProgram the
// file's content is replaced by a program that can be run.
std::unique_ptr<FileInUse> PutFileInUse(const std::string& windowsPath, Use use);

// How many association-change notices the shell has been given so far; -1
// where the system keeps no count to look at (the real shell).
int AssociationNoticesGiven();

// False where the host lets a write through to a read-only file (Wine run
// by root: the read-only flag is only a missing Unix write permission).
bool ReadOnlyFilesRefuseWrites();

// Whether the case runs with an administrator's rights.
bool RunsAsAdministrator();

}  // namespace conformance
