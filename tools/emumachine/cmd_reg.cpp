// emumachine reg MACHINE export [KEY] | import FILE | query KEY [VALUE]
//                        | set KEY VALUE TYPE DATA... | delete KEY [VALUE]
// The tool is the machine's owner: it reaches every key whatever the
// rights of the machine's user.
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>

#include "platform/emulated/machine/hive.h"
#include "platform/emulated/machine/registry.h"
#include "platform/registry.h"
#include "tool.h"

namespace tool {

namespace {

std::string ValueName(const std::string& arg) { return arg == "@" ? "" : arg; }

std::string ShownName(const std::string& name) { return name.empty() ? "@" : name; }

const char* TypeName(std::uint32_t type) {
  switch (type) {
    case platform::kRegNone:
      return "REG_NONE";
    case platform::kRegSz:
      return "REG_SZ";
    case platform::kRegExpandSz:
      return "REG_EXPAND_SZ";
    case platform::kRegBinary:
      return "REG_BINARY";
    case platform::kRegDword:
      return "REG_DWORD";
    case platform::kRegMultiSz:
      return "REG_MULTI_SZ";
    case platform::kRegQword:
      return "REG_QWORD";
    default:
      return nullptr;
  }
}

std::string LittleEndianNumber(const std::string& data) {
  unsigned long long number = 0;
  for (std::size_t i = data.size(); i > 0; --i) number = number * 256 + static_cast<unsigned char>(data[i - 1]);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%llx", number);
  return buffer;
}

std::string HexBytes(const std::string& data) {
  std::string out;
  char buffer[4];
  for (unsigned char byte : data) {
    std::snprintf(buffer, sizeof buffer, "%02x", byte);
    if (!out.empty()) out += ' ';
    out += buffer;
  }
  return out;
}

// The value's data as reg.exe shows it.
std::string ShownData(std::uint32_t type, const std::string& data) {
  switch (type) {
    case platform::kRegSz:
    case platform::kRegExpandSz:
      return data.substr(0, data.find('\0'));
    case platform::kRegDword:
      if (data.size() == 4) return LittleEndianNumber(data);
      break;
    case platform::kRegQword:
      if (data.size() == 8) return LittleEndianNumber(data);
      break;
    case platform::kRegMultiSz: {
      std::string shown;
      for (const std::string& piece : emu::SplitAtZeros(data)) {
        if (piece.empty()) break;  // the list's end
        if (!shown.empty()) shown += "\\0";
        shown += piece;
      }
      return shown;
    }
    default:
      break;
  }
  return HexBytes(data);
}

bool ParseNumber(const std::string& text, unsigned long long limit, std::string& data, std::size_t bytes) {
  if (text.empty() || text[0] == '-') return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long number = std::strtoull(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || number > limit) return false;
  data.clear();
  for (std::size_t i = 0; i < bytes; ++i) data += static_cast<char>((number >> (8 * i)) & 0xFF);
  return true;
}

bool ParseHexBytes(const Arguments& parts, std::string& data) {
  std::string digits;
  for (const std::string& part : parts) {
    for (char c : part) {
      if (std::isxdigit(static_cast<unsigned char>(c))) {
        digits += c;
      } else if (c != ',' && c != ' ' && c != ':') {
        return false;
      }
    }
  }
  if (digits.size() % 2 != 0) return false;
  data.clear();
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    data += static_cast<char>(std::strtoul(digits.substr(i, 2).c_str(), nullptr, 16));
  }
  return true;
}

// Strings given one per argument, or several in one argument separated by
// the two characters \0.
std::string MultiStringData(const Arguments& parts) {
  std::string data;
  for (const std::string& part : parts) {
    std::size_t start = 0;
    for (;;) {
      const std::size_t separator = part.find("\\0", start);
      data += part.substr(start, separator == std::string::npos ? std::string::npos : separator - start);
      data += '\0';
      if (separator == std::string::npos) break;
      start = separator + 2;
    }
  }
  return data + '\0';
}

bool BuildData(const std::string& typeName, const Arguments& parts, std::uint32_t& type, std::string& data,
               std::string& error) {
  const bool single = parts.size() == 1;
  if (parts.empty()) {
    error = "no data given";
    return false;
  }
  if (typeName == "sz" || typeName == "expand_sz") {
    if (!single) {
      error = typeName + " takes one DATA argument";
      return false;
    }
    type = typeName == "sz" ? platform::kRegSz : platform::kRegExpandSz;
    data = parts[0] + '\0';
    return true;
  }
  if (typeName == "dword" || typeName == "qword") {
    const bool dword = typeName == "dword";
    type = dword ? platform::kRegDword : platform::kRegQword;
    if (!single || !ParseNumber(parts[0], dword ? 0xFFFFFFFFull : ~0ull, data, dword ? 4 : 8)) {
      error = "\"" + parts[0] + "\" is not a " + typeName + " number";
      return false;
    }
    return true;
  }
  if (typeName == "binary") {
    type = platform::kRegBinary;
    if (!ParseHexBytes(parts, data)) {
      error = "binary data must be pairs of hex digits, such as 01,ff,2a";
      return false;
    }
    return true;
  }
  if (typeName == "multi_sz") {
    type = platform::kRegMultiSz;
    data = MultiStringData(parts);
    return true;
  }
  error = "unknown type \"" + typeName + "\" (sz, expand_sz, dword, qword, binary, multi_sz)";
  return false;
}

int Export(emu::RegistryStore& store, const Arguments& args, const std::string& action = "export") {
  if (args.size() > 1) return UsageError("reg " + action + ": at most one KEY");
  std::string text;
  std::string error;
  if (!store.Export(args.empty() ? "" : args[0], text, error)) return Fail("reg " + action + ": " + error);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

int Import(emu::RegistryStore& store, const Arguments& args) {
  if (args.size() != 1) return UsageError("reg import: give one FILE (- for standard input)");
  std::string text;
  if (args[0] == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else if (!ReadHostFile(args[0], text)) {
    return Fail("reg import: cannot read " + args[0]);
  }
  std::string error;
  if (!store.Import(text, error)) return Fail("reg import: " + args[0] + ": " + error);
  return 0;
}

int Query(emu::RegistryStore& store, const Arguments& args) {
  if (args.empty() || args.size() > 2) return UsageError("reg query: give KEY and at most one VALUE");
  std::string error;
  if (args.size() == 1) return Export(store, args, "query");
  std::uint32_t type = 0;
  std::string data;
  const std::string name = ValueName(args[1]);
  if (!store.GetValue(args[0], name, type, data, error)) return Fail("reg query: " + error);
  const char* typeName = TypeName(type);
  std::printf("%s    %s    %s\n", ShownName(name).c_str(),
              typeName ? typeName : ("type " + std::to_string(type)).c_str(), ShownData(type, data).c_str());
  return 0;
}

int Set(emu::RegistryStore& store, const Arguments& args) {
  if (args.size() < 4) return UsageError("reg set: give KEY VALUE TYPE DATA");
  std::uint32_t type = 0;
  std::string data;
  std::string error;
  if (!BuildData(args[2], Arguments(args.begin() + 3, args.end()), type, data, error)) {
    return UsageError("reg set: " + error);
  }
  if (!store.SetValue(args[0], ValueName(args[1]), type, data, error)) return Fail("reg set: " + error);
  return 0;
}

int Delete(emu::RegistryStore& store, const Arguments& args) {
  if (args.empty() || args.size() > 2) return UsageError("reg delete: give KEY and at most one VALUE");
  emu::RegLocation location;
  std::string error;
  if (!store.Locate(args[0], location, error)) return Fail("reg delete: " + error);
  const bool valueOnly = args.size() == 2;
  if (location.usersRoot || (!valueOnly && location.path.empty())) {
    return Fail("reg delete: the root key " + args[0] + " cannot be deleted");
  }
  bool found = false;
  const bool written = store.Hive(location.user).Update(
      [&](emu::RegNode& root) {
        if (valueOnly) {
          emu::RegNode* key = emu::FindRegKey(root, location.path);
          found = key != nullptr && key->RemoveValue(ValueName(args[1]));
        } else {
          std::vector<std::string> parentPath(location.path.begin(), location.path.end() - 1);
          emu::RegNode* parent = emu::FindRegKey(root, parentPath);
          found = parent != nullptr && parent->RemoveSubkey(location.path.back());
        }
        return found;
      },
      error);
  if (!written) return Fail("reg delete: " + error);
  if (!found) {
    return Fail("reg delete: " +
                (valueOnly ? "the key " + args[0] + " has no value " + ShownName(ValueName(args[1]))
                           : "the key " + args[0] + " does not exist"));
  }
  return 0;
}

}  // namespace

int RegCommand(const Arguments& args) {
  if (!OpenMachine(args[0])) return kExitFailed;
  if (args.size() < 2) return UsageError("reg: give export, import, query, set or delete");
  emu::RegistryStore store = emu::RegistryStore::OfMachineInUse();
  const std::string& action = args[1];
  const Arguments rest(args.begin() + 2, args.end());
  if (action == "export") return Export(store, rest);
  if (action == "import") return Import(store, rest);
  if (action == "query") return Query(store, rest);
  if (action == "set") return Set(store, rest);
  if (action == "delete") return Delete(store, rest);
  return UsageError("reg: unknown action \"" + action + "\" (export, import, query, set or delete)");
}

}  // namespace tool
