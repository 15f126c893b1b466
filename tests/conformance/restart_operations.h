#pragma once
// What the system has scheduled for its next restart: the pending
// operations of the Session Manager key, as both builds can read them.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace conformance {

// A restart-time operation: `source` moved to `target`, or deleted when
// `target` is empty.
using Operation = std::pair<std::string, std::string>;

// The system's pending operations, in order, without the "\??\" prefixes.
inline std::vector<Operation> PendingOperations() {
  std::vector<Operation> operations;
  platform::RegKey key = nullptr;
  if (!platform::OpenRegKey(platform::RootKey(platform::RegRoot::LocalMachine),
                            "SYSTEM\\CurrentControlSet\\Control\\Session Manager", false, key)) {
    return operations;
  }
  std::uint32_t size = 0;
  std::uint32_t type = 0;
  std::string data;
  if (platform::QueryRegValue(key, "PendingFileRenameOperations", &type, nullptr, &size)) {
    data.assign(size, '\0');
    if (!platform::QueryRegValue(key, "PendingFileRenameOperations", &type, &data[0], &size)) data.clear();
    data.resize(size);
  }
  platform::CloseRegKey(key);
  const auto strip = [](std::string path) {
    if (!path.empty() && path[0] == '!') path.erase(0, 1);
    if (path.compare(0, 4, "\\??\\") == 0) path.erase(0, 4);
    return path;
  };
  std::vector<std::string> strings;
  std::size_t start = 0;
  while (start < data.size()) {
    const std::size_t end = data.find('\0', start);
    strings.push_back(data.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  for (std::size_t i = 0; i + 1 < strings.size() && !strings[i].empty(); i += 2) {
    operations.push_back({strip(strings[i]), strip(strings[i + 1])});
  }
  return operations;
}

// The operations that name a path inside `folder`, in order.
inline std::vector<Operation> PendingOperationsIn(const std::string& folder) {
  std::vector<Operation> mine;
  for (const Operation& operation : PendingOperations()) {
    if (operation.first.compare(0, folder.size(), folder) == 0) mine.push_back(operation);
  }
  return mine;
}

}  // namespace conformance
