#include "install/file_copy.h"

#include "discovery/join_path.h"
#include "install/deferred_ops.h"
#include "install/folder_levels.h"
#include "platform/files.h"
#include "platform/text.h"

namespace {

// The folder with the separator that the name is added to; an empty folder
// becomes a single backslash.
std::string WithSeparator(const std::string& folder) { return JoinFolderAndName(folder, ""); }

void ClearReadOnlyAndHidden(const std::string& path) {
  const std::uint32_t attributes = platform::GetAttributes(path);
  if (attributes == platform::kInvalidAttributes) return;
  platform::SetAttributes(path, attributes & ~(platform::kAttrReadOnly | platform::kAttrHidden));
}

// The target can't be deleted: it is in use. It is moved aside when it can
// be, else the fresh copy waits under ".new" to replace it at restart.
void ReplaceInUse(const std::string& source, const std::string& target) {
  std::string old = target + ".old";
  if (platform::PathExists(old) && !platform::DeleteFileAt(old)) {
    // An earlier replacement is still pending.
    ScheduleDelete(old);
    old = target + ".old2";
    platform::DeleteFileAt(old);
  }
  if (platform::MoveFileTo(target, old)) {
    ScheduleDelete(old);
    return;
  }
  // The old file goes before the new one takes its name.
  ScheduleDelete(target);
  const std::string fresh = target + ".new";
  platform::DeleteFileAt(fresh);
  if (platform::CopyFileTo(source, fresh, false)) ScheduleRename(fresh, target);
}

void MakeFolderWithParents(const std::string& folder) {
  std::string levels = folder;
  for (char& c : levels) {
    if (c == '/') c = '\\';
  }
  for (const std::string& level : PartsBeforeBackslashes(TrimFolderText(levels))) platform::CreateFolder(level);
  platform::CreateFolder(folder);
}

}  // namespace

int CopyOneFile(const std::string& name, const std::string& sourceFolder, const std::string& destinationFolder,
                const std::string& destinationName) {
  std::string source = WithSeparator(sourceFolder);
  std::string target = WithSeparator(destinationFolder);
  const bool sameFolder = platform::EqualsIgnoreCaseAscii(source, target);
  if (sameFolder && destinationName.empty()) return 1;

  source += name;
  if (!platform::PathExists(source)) return 0;
  target += destinationName.empty() ? name : destinationName;

  if (sameFolder) {
    // A copy under another name beside its source: a target that can't be
    // deleted stays as it is, and the copy has not been made.
    if (platform::PathExists(target) && !platform::DeleteFileAt(target)) return 0;
  } else if (platform::PathExists(target)) {
    ClearReadOnlyAndHidden(target);
    if (!platform::DeleteFileAt(target)) ReplaceInUse(source, target);
  }
  // After a replacement arranged for the restart the target is still held,
  // so this copy fails and the file is not in place yet.
  return platform::CopyFileTo(source, target, false) ? 1 : 0;
}

int CopyMatchingFiles(const std::string& pattern, const std::string& destinationFolder,
                      const std::string& sourceFolder) {
  const std::string searchPath = JoinFolderAndName(sourceFolder, pattern);
  platform::FindData found;
  platform::FindHandle find = platform::FindFirst(searchPath, found);
  if (find == nullptr) return 0;

  if (platform::GetAttributes(destinationFolder) == platform::kInvalidAttributes) {
    MakeFolderWithParents(destinationFolder);
  }

  std::string fromFolder = sourceFolder;
  std::string toFolder = destinationFolder;
  const std::size_t subFolderEnd = platform::FindLastBackslash(pattern);
  if (subFolderEnd != std::string::npos) {
    fromFolder = searchPath.substr(0, platform::FindLastBackslash(searchPath));
    toFolder = destinationFolder + "\\" + pattern.substr(0, subFolderEnd);
  }

  int copied = 0;
  do {
    if (found.name == "." || found.name == "..") continue;
    if (CopyOneFile(found.name, fromFolder, toFolder, "") == 0) break;
    ++copied;
  } while (platform::FindNext(find, found));
  platform::FindClose(find);
  return copied;
}
