#include "uninstall/log_removal/log_removal.h"

#include <vector>

#include "discovery/folder_of_path.h"
#include "discovery/join_path.h"
#include "discovery/log_file.h"
#include "platform/files.h"
#include "platform/text.h"
#include "script/contained_names.h"
#include "script/file_names.h"
#include "script/log_line.h"
#include "script/log_reader.h"
#include "uninstall/log_removal/removal_bounds.h"

namespace {

const char* const kFilePrefixes[] = {"File Copy: ", "File Copy x64: ", "File Copy ind: ", "File Overwrite: ",
                                     "File Del: "};

bool BeginsWith(const std::string& line, const std::string& prefix) {
  return line.compare(0, prefix.size(), prefix) == 0;
}

// Only shortcut files: a log that names any other file in a "Shell Link: "
// line is not the installer's.
bool IsShortcutFile(const std::string& path) {
  static const std::string kExtension = ".lnk";
  return path.size() >= kExtension.size() &&
         platform::EqualsIgnoreCaseAscii(path.substr(path.size() - kExtension.size()), kExtension);
}

// `bound` empty: no bound; else the climb stays below it.
void RemoveFolderAndEmptyParents(std::string folder, const std::string& bound) {
  while (!folder.empty() && (bound.empty() || LiesBelow(folder, bound)) && platform::RemoveFolder(folder)) {
    folder = FolderOfPath(folder);
  }
}

// The deepest folder of `within` that `path` lies below; "" when none.
std::string DeepestBound(const std::string& path, const std::vector<std::string>& within) {
  std::string deepest;
  for (const std::string& folder : within) {
    if (LiesBelow(path, folder) && folder.size() > deepest.size()) deepest = folder;
  }
  return deepest;
}

// Both passes; with `within` null, no line is bounded.
void RemoveLinksAndDirs(const std::string& logPath, const std::vector<std::string>* within) {
  LogReader log;
  if (!OpenLogFile(logPath, log)) return;
  std::string text;
  while (ReadLogLine(log, text)) {
    const LogLine line = ClassifyLogLine(text);
    if (line.kind != LineKind::ShellLink || !IsShortcutFile(line.text)) continue;
    if (within == nullptr || LiesBelowAny(line.text, *within)) platform::DeleteFileAt(line.text);
  }
  log.Rewind();
  while (ReadLogLine(log, text)) {
    const LogLine line = ClassifyLogLine(text);
    if (line.kind != LineKind::MadeDir) continue;
    if (within == nullptr) {
      RemoveFolderAndEmptyParents(line.text, "");
      continue;
    }
    const std::string bound = DeepestBound(line.text, *within);
    if (!bound.empty()) RemoveFolderAndEmptyParents(line.text, bound);
  }
}

}  // namespace

void RemoveLoggedLinksAndDirs(const std::string& logPath) { RemoveLinksAndDirs(logPath, nullptr); }

void RemoveLoggedLinksAndDirsWithin(const std::string& logPath, const std::vector<std::string>& within) {
  RemoveLinksAndDirs(logPath, &within);
}

void RemoveLoggedFiles(const std::string& logPath, const std::string& baseFolder, const std::string& prefix) {
  LogReader log;
  if (!OpenLogFile(logPath, log)) return;
  std::vector<std::string> prefixes;
  if (prefix.empty()) {
    prefixes.assign(std::begin(kFilePrefixes), std::end(kFilePrefixes));
  } else {
    prefixes.push_back(prefix);
  }
  std::string text;
  while (ReadLogLine(log, text)) {
    for (const std::string& each : prefixes) {
      if (!BeginsWith(text, each)) continue;
      // The remark after " | " goes first; it may even take the prefix's blank.
      const std::string cut = CutAtBar(text);
      const std::string names = cut.size() > each.size() ? cut.substr(each.size()) : std::string();
      if (names.empty() || !FileLineStaysInside(names)) continue;
      DeleteMatchingFiles(SplitSourceDestination(names).destination, baseFolder);
    }
  }
  log.Rewind();
  while (ReadLogLine(log, text)) {
    const LogLine line = ClassifyLogLine(text);
    if (line.kind == LineKind::MakeDir && StaysInsideFolder(line.text)) {
      platform::RemoveFolder(baseFolder + "\\" + line.text);
    }
  }
}

int DeleteMatchingFiles(const std::string& pattern, const std::string& folder) {
  const std::string base = folder.empty() ? std::string() : JoinFolderAndName(folder, "");
  platform::FindData found;
  platform::FindHandle find = platform::FindFirst(base + pattern, found);
  if (find == nullptr) return 0;
  const std::size_t subFolderEnd = platform::FindLastBackslash(pattern);
  const std::string subFolder = subFolderEnd == std::string::npos ? std::string() : pattern.substr(0, subFolderEnd + 1);
  int deleted = 0;
  do {
    // Folders, "." and ".." among them, are no files to delete.
    if (found.attributes & platform::kAttrDirectory) continue;
    const std::string path = base + subFolder + found.name;
    const std::uint32_t attributes = platform::GetAttributes(path);
    if (attributes != platform::kInvalidAttributes) {
      platform::SetAttributes(path, attributes & ~(platform::kAttrReadOnly | platform::kAttrHidden));
    }
    if (platform::DeleteFileAt(path)) ++deleted;
  } while (platform::FindNext(find, found));
  platform::FindClose(find);
  return deleted;
}
