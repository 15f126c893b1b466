// What the stand-in product keeps in the registry: its settings, and the
// image types it takes over on request with the former choice kept beside.
#include "discovery/registry_access.h"
#include "fixture.h"
#include "platform/registry.h"
#include "platform/scoped.h"

namespace instances_tests {
namespace {

const char kFileExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
const platform::RegRoot kUser = platform::RegRoot::CurrentUser;

std::string Read(const std::string& type, const std::string& value) {
  return ReadRegistryString(kUser, std::string(kFileExts) + "\\" + type, value);
}

TEST_F(InstancesTest, TheProductTakesOverImageTypesAndKeepsTheFormerChoice) {
  ASSERT_TRUE(WriteRegistryString(kUser, std::string(kFileExts) + "\\.jpg", "Application", "Viewer.exe"));
  ASSERT_TRUE(WriteRegistryString(kUser, std::string(kFileExts) + "\\.png", "Application", ""));
  auto* product = StartProduct("images", {"-takeimages", "-document", "Beach.pv6"});
  ASSERT_NE(product, nullptr);
  EXPECT_EQ(Read(".jpg", "Application"), "Ptav6.exe");
  EXPECT_EQ(Read(".jpg", "PtavOld"), "Viewer.exe");
  EXPECT_EQ(Read(".png", "Application"), "Ptav6.exe");
  EXPECT_EQ(Read(".png", "PtavOld"), "") << "no former choice to keep";
  EXPECT_EQ(Read(".wpg", "Application"), "Ptav6.exe");
  EXPECT_EQ(ReadRegistryString(kUser, "SOFTWARE\\Lumetra\\Pictavo 6", "LastDocument"), "Beach.pv6");

  // Taken over again, it keeps the first former choice.
  children_.clear();
  ASSERT_NE(StartProduct("again", {"-takeimages"}), nullptr);
  EXPECT_EQ(Read(".jpg", "PtavOld"), "Viewer.exe");

  // Under Wine the registry outlives the case.
  platform::ScopedRegKey types;
  if (platform::OpenRegKey(platform::RootKey(kUser), kFileExts, true, types.Receive())) {
    for (const char* type : {".bmp", ".dib", ".gif", ".jpg", ".jpeg", ".tif", ".tiff", ".png", ".cmp", ".tga", ".wpg"}) {
      platform::ScopedRegKey key;
      if (platform::OpenRegKey(types.Get(), type, true, key.Receive())) {
        platform::DeleteRegValue(key.Get(), "Application");
        platform::DeleteRegValue(key.Get(), "PtavOld");
      }
    }
  }
}

}  // namespace
}  // namespace instances_tests
