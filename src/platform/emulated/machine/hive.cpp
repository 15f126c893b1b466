#include "platform/emulated/machine/hive.h"

#include <algorithm>

#include "platform/emulated/machine/internal/code_page.h"
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

std::size_t CharacterCount(const std::string& name) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < name.size(); i = internal::NextCharIndex(name, i)) ++count;
  return count;
}

// The section of one key: its line and its values.
void AppendSection(std::string& out, const RegNode& key, const std::string& keyPath, bool writeEmpty) {
  if (!writeEmpty && key.values.empty()) return;
  AppendRegKeyLine(out, keyPath);
  for (const RegValue& value : key.values) AppendRegValueLine(out, value.name, value.type, value.data);
  out += '\n';
}

}  // namespace

std::size_t RegLevelsOfRoot(const std::string& rootName) { return 1 + SplitRegPath(rootName).size(); }

std::string RegPathProblem(const std::vector<std::string>& path, std::size_t rootLevels) {
  if (rootLevels + path.size() > kMaxRegLevels) {
    return "the key is nested deeper than " + std::to_string(kMaxRegLevels) + " levels";
  }
  for (const std::string& name : path) {
    if (CharacterCount(name) > kMaxRegKeyNameChars) {
      return "a key name is longer than " + std::to_string(kMaxRegKeyNameChars) + " characters";
    }
  }
  return "";
}

bool RegValueNameFits(const std::string& name) { return CharacterCount(name) <= kMaxRegValueNameChars; }

std::string RegTextKeyProblem(const std::vector<std::string>& path, std::size_t rootLevels, const RegTextKey& key) {
  if (key.remove) return "";  // a key that can't exist is simply not there to remove
  std::string problem = RegPathProblem(path, rootLevels);
  for (const RegTextValue& value : key.values) {
    if (!problem.empty()) break;
    if (!RegValueNameFits(value.name)) {
      problem = "a value name is longer than " + std::to_string(kMaxRegValueNameChars) + " characters";
    }
  }
  return problem;
}

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
  // Depth first, each key before its subkeys; `path` grows and shrinks with the walk.
  struct Step {
    const RegNode* node;
    std::size_t pathLength;
    std::size_t nextSubkey;
  };
  std::string path = keyPath;
  AppendSection(out, key, path, writeEmptyTop);
  std::vector<Step> steps = {{&key, path.size(), 0}};
  while (!steps.empty()) {
    Step& step = steps.back();
    if (step.nextSubkey == step.node->subkeys.size()) {
      steps.pop_back();
      continue;
    }
    const RegNode& subkey = step.node->subkeys[step.nextSubkey++];
    path.resize(step.pathLength);
    path += '\\';
    path += subkey.name;
    AppendSection(out, subkey, path, true);
    steps.push_back({&subkey, path.size(), 0});
  }
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
  const std::size_t rootLevels = RegLevelsOfRoot(rootName);
  for (const RegTextKey& key : keys) {
    std::vector<std::string> path;
    if (!PathInside(key.path, rootName, path)) {
      error = {key.line, "the key " + key.path + " lies outside of " + rootName};
      return false;
    }
    const std::string problem = RegTextKeyProblem(path, rootLevels, key);
    if (!problem.empty()) {
      error = {key.line, problem};
      return false;
    }
    ApplyRegTextKey(root, path, key);
  }
  return true;
}

}  // namespace emu
