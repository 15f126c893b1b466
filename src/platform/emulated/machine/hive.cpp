#include "platform/emulated/machine/hive.h"

#include <algorithm>

#include "platform/emulated/machine/name_case.h"

namespace emu {

namespace {

template <typename Node>
Node* FindKeyIn(Node& root, const std::vector<std::string>& path) {
  Node* key = &root;
  for (const std::string& component : path) {
    key = key->FindSubkey(component);
    if (key == nullptr) return nullptr;
  }
  return key;
}

// The path in front of "rootName" removed; false for a path outside it.
bool PathInside(const std::string& path, const std::string& rootName, std::vector<std::string>& inside) {
  std::vector<std::string> components = SplitRegPath(path);
  std::vector<std::string> root = SplitRegPath(rootName);
  if (components.size() < root.size()) return false;
  for (std::size_t i = 0; i < root.size(); ++i) {
    if (!RegNamesEqual(components[i], root[i])) return false;
  }
  inside.assign(components.begin() + static_cast<std::ptrdiff_t>(root.size()), components.end());
  return true;
}

}  // namespace

bool RegNamesEqual(const std::string& a, const std::string& b) { return NamesEqualIgnoringCase(a, b); }

bool RegNameLess(const std::string& a, const std::string& b) { return NameLessIgnoringCase(a, b); }

std::vector<std::string> SplitRegPath(const std::string& path) {
  std::vector<std::string> components;
  std::size_t at = 0;
  while (at <= path.size()) {
    std::size_t end = path.find('\\', at);
    if (end == std::string::npos) end = path.size();
    if (end > at) components.push_back(path.substr(at, end - at));
    at = end + 1;
  }
  return components;
}

std::string JoinRegPath(const std::vector<std::string>& components) {
  std::string path;
  for (const std::string& component : components) {
    if (!path.empty()) path += '\\';
    path += component;
  }
  return path;
}

const RegNode* RegNode::FindSubkey(const std::string& subkeyName) const {
  auto place = std::lower_bound(subkeys.begin(), subkeys.end(), subkeyName,
                                [](const RegNode& node, const std::string& n) { return RegNameLess(node.name, n); });
  if (place != subkeys.end() && RegNamesEqual(place->name, subkeyName)) return &*place;
  return nullptr;
}

RegNode* RegNode::FindSubkey(const std::string& subkeyName) {
  return const_cast<RegNode*>(static_cast<const RegNode*>(this)->FindSubkey(subkeyName));
}

RegNode& RegNode::AddSubkey(const std::string& subkeyName, bool* created) {
  auto place = std::lower_bound(subkeys.begin(), subkeys.end(), subkeyName,
                                [](const RegNode& node, const std::string& n) { return RegNameLess(node.name, n); });
  if (place != subkeys.end() && RegNamesEqual(place->name, subkeyName)) return *place;
  RegNode node;
  node.name = subkeyName;
  if (created != nullptr) *created = true;
  return *subkeys.insert(place, std::move(node));
}

bool RegNode::RemoveSubkey(const std::string& subkeyName) {
  RegNode* node = FindSubkey(subkeyName);
  if (node == nullptr) return false;
  subkeys.erase(subkeys.begin() + (node - subkeys.data()));
  return true;
}

const RegValue* RegNode::FindValue(const std::string& valueName) const {
  for (const RegValue& value : values) {
    if (RegNamesEqual(value.name, valueName)) return &value;
  }
  return nullptr;
}

void RegNode::SetValue(const std::string& valueName, std::uint32_t type, const std::string& data) {
  for (RegValue& value : values) {
    if (RegNamesEqual(value.name, valueName)) {
      value.type = type;
      value.data = data;
      return;
    }
  }
  values.push_back({valueName, type, data});
}

bool RegNode::RemoveValue(const std::string& valueName) {
  for (auto it = values.begin(); it != values.end(); ++it) {
    if (RegNamesEqual(it->name, valueName)) {
      values.erase(it);
      return true;
    }
  }
  return false;
}

const RegNode* FindRegKey(const RegNode& root, const std::vector<std::string>& path) {
  return FindKeyIn(root, path);
}

RegNode* FindRegKey(RegNode& root, const std::vector<std::string>& path) { return FindKeyIn(root, path); }

RegNode& CreateRegKeyPath(RegNode& root, const std::vector<std::string>& path, bool* created) {
  RegNode* key = &root;
  for (const std::string& component : path) key = &key->AddSubkey(component, created);
  return *key;
}

void ApplyRegTextKey(RegNode& root, const std::vector<std::string>& path, const RegTextKey& key) {
  if (key.remove) {
    if (path.empty()) {
      root.values.clear();
      root.subkeys.clear();
      return;
    }
    RegNode* parent = FindRegKey(root, std::vector<std::string>(path.begin(), path.end() - 1));
    if (parent != nullptr) parent->RemoveSubkey(path.back());
    return;
  }
  RegNode& target = CreateRegKeyPath(root, path);
  for (const RegTextValue& value : key.values) {
    if (value.remove) {
      target.RemoveValue(value.name);
    } else {
      target.SetValue(value.name, value.type, value.data);
    }
  }
}

void AppendRegTree(std::string& out, const RegNode& key, const std::string& keyPath, bool writeEmptyTop) {
  if (writeEmptyTop || !key.values.empty()) {
    AppendRegKeyLine(out, keyPath);
    for (const RegValue& value : key.values) AppendRegValueLine(out, value.name, value.type, value.data);
    out += '\n';
  }
  for (const RegNode& subkey : key.subkeys) AppendRegTree(out, subkey, keyPath + '\\' + subkey.name, true);
}

std::string FormatHive(const RegNode& root, const std::string& rootName) {
  std::string text = kRegedit4Header;
  AppendRegTree(text, root, rootName, false);
  return text;
}

bool ParseHive(const std::string& text, const std::string& rootName, RegNode& root, RegTextError& error) {
  std::vector<RegTextKey> keys;
  if (!ParseRegedit4(text, keys, error)) return false;
  root = RegNode();
  for (const RegTextKey& key : keys) {
    std::vector<std::string> path;
    if (!PathInside(key.path, rootName, path)) {
      error = {key.line, "the key " + key.path + " lies outside of " + rootName};
      return false;
    }
    ApplyRegTextKey(root, path, key);
  }
  return true;
}

}  // namespace emu
