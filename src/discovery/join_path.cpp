#include "discovery/join_path.h"

#include "discovery/folder_of_path.h"

bool EndsWithSeparator(const std::string& folder) {
  // A slash is never the trail byte of a double-byte character.
  return EndsWithBackslash(folder) || (!folder.empty() && folder.back() == '/');
}

std::string JoinFolderAndName(const std::string& folder, const std::string& name) {
  return EndsWithSeparator(folder) ? folder + name : folder + "\\" + name;
}
