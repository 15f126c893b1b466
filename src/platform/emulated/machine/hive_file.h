#pragma once
// A hive kept in one REGEDIT4 file, shared by every process of the machine.
//
// Writers take an exclusive lock on "<file>.lock" around their
// read-modify-write and replace the file whole: the new text goes to
// "<file>.tmp", is flushed to disk and renamed over the file. A writer that
// dies at any moment leaves either the old or the new hive, and two writers
// never lose each other's changes. Readers take no lock.
//
// Each process keeps the last hive it parsed from each file and parses again
// only when the file's identity (inode, size, modification time) changed.
// Writers move the modification time strictly forward, so two versions of a
// file never share an identity even when written within one clock tick.
#include <functional>
#include <memory>
#include <string>

#include "platform/emulated/machine/hive.h"

namespace emu {

class HiveFile {
 public:
  // `rootName` is the full name of the hive's root key, written in front of
  // every key path in the file. An empty `path` is no hive: reading and
  // writing it fail.
  HiveFile(std::string path, std::string rootName);

  const std::string& Path() const { return path_; }
  const std::string& RootName() const { return rootName_; }

  // The hive as the file holds it now; an empty hive when there is no file.
  // Null, with `error` set, when the file cannot be read or parsed.
  std::shared_ptr<const RegNode> Read(std::string& error) const;

  // Read-modify-write under the lock. `change` edits the current hive and
  // returns whether it changed anything; nothing is written when it returns
  // false. False, with `error` set, when the file cannot be read, parsed or
  // written (then `change` may not have run).
  bool Update(const std::function<bool(RegNode& root)>& change, std::string& error);

 private:
  std::string path_;
  std::string rootName_;
};

}  // namespace emu
