#include "platform/emulated/machine/registry.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/emulated/machine/machine.h"

namespace emu {

namespace {

const char kLocalMachine[] = "HKEY_LOCAL_MACHINE";
const char kUsers[] = "HKEY_USERS";
const char kCurrentUser[] = "HKEY_CURRENT_USER";
const char kClassesRoot[] = "HKEY_CLASSES_ROOT";
const char kHiveSuffix[] = ".reg";

// The names of the user hive files in `folder`, without their suffix; a
// file whose name could not be a user's names none.
std::vector<std::string> UserHiveNames(const std::string& folder) {
  std::vector<std::string> names;
  DIR* directory = opendir(folder.c_str());
  if (directory == nullptr) return names;
  const std::string suffix = kHiveSuffix;
  while (dirent* entry = readdir(directory)) {
    std::string name = entry->d_name;
    if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
      name.erase(name.size() - suffix.size());
      if (IsUsableUserName(name)) names.push_back(name);
    }
  }
  closedir(directory);
  return names;
}

std::string TextPath(const RegLocation& location) {
  std::vector<std::string> below(location.path.begin() + static_cast<std::ptrdiff_t>(location.shownDepth),
                                 location.path.end());
  std::string path = location.shownRoot;
  if (!below.empty()) path += '\\' + JoinRegPath(below);
  return path;
}

// A root that always exists is written out only when it holds values.
bool IsPermanentRoot(const RegLocation& location) {
  return location.path.size() == location.shownDepth && location.shownRoot.find('\\') == std::string::npos;
}

}  // namespace

RegistryStore::RegistryStore(std::string machineFolder, std::string currentUser)
    : registryFolder_(std::move(machineFolder) + "/registry"), currentUser_(std::move(currentUser)) {}

RegistryStore RegistryStore::OfMachineInUse() { return RegistryStore(MachineFolder(), Settings().userName); }

// A user's hive file is named after the user; IsUsableUserName keeps that
// name a single name inside the folder of the user hives.
HiveFile RegistryStore::Hive(const std::string& user) const {
  if (user.empty()) return HiveFile(registryFolder_ + "/" + kLocalMachine + kHiveSuffix, kLocalMachine);
  const std::string rootName = std::string(kUsers) + "\\" + user;
  if (!IsUsableUserName(user)) return HiveFile("", rootName);
  return HiveFile(registryFolder_ + "/" + kUsers + "/" + user + kHiveSuffix, rootName);
}

bool RegistryStore::HasUser(const std::string& name) const {
  if (!IsUsableUserName(name)) return false;
  if (RegNamesEqual(name, currentUser_)) return true;
  struct stat info;
  return stat(Hive(StoredUserName(name)).Path().c_str(), &info) == 0;
}

std::vector<std::string> RegistryStore::Users() const {
  std::vector<std::string> users = UserHiveNames(registryFolder_ + "/" + kUsers);
  bool haveCurrent = std::any_of(users.begin(), users.end(),
                                 [&](const std::string& user) { return RegNamesEqual(user, currentUser_); });
  if (!haveCurrent && IsUsableUserName(currentUser_)) users.push_back(currentUser_);
  std::sort(users.begin(), users.end(), RegNameLess);
  return users;
}

std::string RegistryStore::StoredUserName(const std::string& name) const {
  if (!IsUsableUserName(name)) return name;
  struct stat info;
  if (stat(Hive(name).Path().c_str(), &info) == 0) return name;
  for (const std::string& user : UserHiveNames(registryFolder_ + "/" + kUsers)) {
    if (RegNamesEqual(user, name)) return user;
  }
  return name;
}

bool RegistryStore::Locate(const std::string& keyPath, RegLocation& location, std::string& error) const {
  std::vector<std::string> components = SplitRegPath(keyPath);
  location = RegLocation();
  if (components.empty()) {
    error = "no key named";
    return false;
  }
  const std::string root = components.front();
  components.erase(components.begin());
  if (RegNamesEqual(root, kLocalMachine) || RegNamesEqual(root, "HKLM")) {
    location.shownRoot = kLocalMachine;
  } else if (RegNamesEqual(root, kClassesRoot) || RegNamesEqual(root, "HKCR")) {
    location.shownRoot = kClassesRoot;
    location.shownDepth = 2;
    components.insert(components.begin(), {"SOFTWARE", "Classes"});
  } else if (RegNamesEqual(root, kCurrentUser) || RegNamesEqual(root, "HKCU")) {
    if (!IsUsableUserName(currentUser_)) {
      error = "the machine has no current user";
      return false;
    }
    location.shownRoot = kCurrentUser;
    location.user = StoredUserName(currentUser_);
  } else if (RegNamesEqual(root, kUsers) || RegNamesEqual(root, "HKU")) {
    location.shownRoot = kUsers;
    if (components.empty()) {
      location.usersRoot = true;
      return true;
    }
    if (!IsUsableUserName(components.front())) {
      error = "\"" + components.front() + "\" cannot name a user";
      return false;
    }
    location.user = StoredUserName(components.front());
    location.shownRoot += "\\" + location.user;
    components.erase(components.begin());
  } else {
    error = "\"" + root + "\" is not a registry root";
    return false;
  }
  location.path = std::move(components);
  return true;
}

bool RegistryStore::Export(const std::string& keyPath, std::string& text, std::string& error) const {
  text = kRegedit4Header;
  RegLocation location;
  std::vector<RegLocation> parts;
  if (keyPath.empty()) {
    location.shownRoot = kLocalMachine;
    parts.push_back(location);
    location.usersRoot = true;
  } else if (!Locate(keyPath, location, error)) {
    return false;
  }
  if (location.usersRoot) {
    for (const std::string& user : Users()) {
      RegLocation userLocation;
      userLocation.user = user;
      userLocation.shownRoot = std::string(kUsers) + "\\" + user;
      parts.push_back(userLocation);
    }
  } else if (!keyPath.empty()) {
    parts.push_back(location);
  }
  for (const RegLocation& part : parts) {
    std::shared_ptr<const RegNode> hive = Hive(part.user).Read(error);
    if (!hive) return false;
    const RegNode* key = FindRegKey(*hive, part.path);
    if (key == nullptr) {
      error = "the key " + TextPath(part) + " does not exist";
      return false;
    }
    AppendRegTree(text, *key, TextPath(part), !IsPermanentRoot(part));
  }
  return true;
}

bool RegistryStore::Import(const std::string& text, std::string& error) {
  std::vector<RegTextKey> keys;
  RegTextError textError;
  if (!ParseRegedit4(text, keys, textError)) {
    error = textError.Describe();
    return false;
  }
  // Every section is placed before anything changes, so that a bad line
  // leaves the registry as it was; then each hive is rewritten once.
  struct Step {
    std::vector<std::string> path;
    const RegTextKey* key;
  };
  std::vector<std::pair<std::string, std::vector<Step>>> hives;
  for (const RegTextKey& key : keys) {
    RegLocation location;
    std::string problem;
    if (!Locate(key.path, location, problem)) {
      error = RegTextError{key.line, problem}.Describe();
      return false;
    }
    if (location.usersRoot || (key.remove && location.path.empty())) {
      if (key.remove) {
        error = RegTextError{key.line, "the root key " + key.path + " cannot be removed"}.Describe();
        return false;
      }
      if (location.usersRoot && !key.values.empty()) {
        error = RegTextError{key.line, "HKEY_USERS holds no values"}.Describe();
        return false;
      }
      if (location.usersRoot) continue;
    }
    problem = RegTextKeyProblem(location.path, RegLevelsOfRoot(Hive(location.user).RootName()), key);
    if (!problem.empty()) {
      error = RegTextError{key.line, problem}.Describe();
      return false;
    }
    auto hive = std::find_if(hives.begin(), hives.end(),
                             [&](const auto& entry) { return RegNamesEqual(entry.first, location.user); });
    if (hive == hives.end()) hive = hives.insert(hives.end(), {location.user, {}});
    hive->second.push_back({location.path, &key});
  }
  for (const auto& [user, steps] : hives) {
    bool updated = Hive(user).Update(
        [&](RegNode& root) {
          for (const Step& step : steps) ApplyRegTextKey(root, step.path, *step.key);
          return true;
        },
        error);
    if (!updated) return false;
  }
  return true;
}

bool RegistryStore::SetValue(const std::string& keyPath, const std::string& name, std::uint32_t type,
                             const std::string& data, std::string& error) {
  RegLocation location;
  if (!Locate(keyPath, location, error)) return false;
  if (location.usersRoot) {
    error = "HKEY_USERS holds no values";
    return false;
  }
  if (!RegNameFitsText(name)) {
    error = "a value name cannot hold a line break";
    return false;
  }
  RegTextKey key;
  key.values.push_back({name, false, type, data});
  error = RegTextKeyProblem(location.path, RegLevelsOfRoot(Hive(location.user).RootName()), key);
  if (!error.empty()) return false;
  return Hive(location.user).Update(
      [&](RegNode& root) {
        CreateRegKeyPath(root, location.path).SetValue(name, type, data);
        return true;
      },
      error);
}

bool RegistryStore::GetValue(const std::string& keyPath, const std::string& name, std::uint32_t& type,
                             std::string& data, std::string& error) const {
  RegLocation location;
  if (!Locate(keyPath, location, error)) return false;
  if (location.usersRoot) {
    error = "HKEY_USERS holds no values";
    return false;
  }
  std::shared_ptr<const RegNode> hive = Hive(location.user).Read(error);
  if (!hive) return false;
  const RegNode* key = FindRegKey(*hive, location.path);
  if (key == nullptr) {
    error = "the key " + TextPath(location) + " does not exist";
    return false;
  }
  const RegValue* value = key->FindValue(name);
  if (value == nullptr) {
    error = "the key " + TextPath(location) + " has no value " + (name.empty() ? "@" : "\"" + name + "\"");
    return false;
  }
  type = value->type;
  data = value->data;
  return true;
}

std::vector<std::string> SplitAtZeros(const std::string& data) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start < data.size()) {
    std::size_t end = data.find('\0', start);
    if (end == std::string::npos) end = data.size();
    pieces.push_back(data.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

}  // namespace emu
