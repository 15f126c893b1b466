#include "product_settings.h"

#include "discovery/registry_access.h"
#include "platform/registry.h"
#include "platform/scoped.h"
#include "platform/text.h"
#include "product_version.h"

namespace {

const char kSettingsKey[] = "SOFTWARE\\Lumetra\\Pictavo 6";
const char kFileExtsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
const char* const kImageTypes[] = {".bmp", ".dib", ".gif", ".jpg", ".jpeg", ".tif",
                                   ".tiff", ".png", ".cmp", ".tga", ".wpg"};

}  // namespace

void KeepProductSettings(const std::string& document) {
  WriteRegistryString(platform::RegRoot::CurrentUser, kSettingsKey, "LastDocument", document);
  WriteRegistryString(platform::RegRoot::LocalMachine, kSettingsKey, "Version", PTAV6_VERSION_TEXT);
}

void TakeOverImageTypes() {
  platform::ScopedRegKey fileExts;
  const bool perUser =
      platform::OpenRegKey(platform::RootKey(platform::RegRoot::CurrentUser), kFileExtsKey, false, fileExts.Receive());
  const platform::RegRoot root = perUser ? platform::RegRoot::CurrentUser : platform::RegRoot::ClassesRoot;
  const std::string prefix = perUser ? std::string(kFileExtsKey) + "\\" : "";
  const std::string valueName = perUser ? "Application" : "";
  for (const char* type : kImageTypes) {
    const std::string key = prefix + type;
    const std::string former = ReadRegistryString(root, key, valueName);
    if (platform::FindAnsi(former, "Ptav6.exe") != std::string::npos) continue;  // ours already
    if (!former.empty()) WriteRegistryString(root, key, "PtavOld", former);
    WriteRegistryString(root, key, valueName, "Ptav6.exe");
  }
  WriteRegistryString(platform::RegRoot::ClassesRoot, "PV6.Document", "", "Pictavo 6 Document");
}
