// Libraries found by Windows' search and mapped as data, and the WOW64 query.
#include "fixture.h"
#include "pe_image.h"
#include "platform/library.h"

namespace conformance {
namespace {

class LibraryTest : public ScratchTest {
 protected:
  // A real library image: Windows maps nothing else, even as data.
  void MakeLibrary(const std::string& name) { MakeFile(name, fixtures::MakePeImage(fixtures::PeImageOptions())); }
};

TEST_F(LibraryTest, ASystemLibraryByItsBareName) {
  for (const char* name : {"comdlg32.dll", "COMDLG32.DLL", "comdlg32"}) {
    platform::LibraryHandle library = platform::LoadLibraryAsData(name);
    EXPECT_NE(library, nullptr) << name << ": error " << platform::LastError();
    platform::FreeLoadedLibrary(library);
  }
}

TEST_F(LibraryTest, NoLibraryOfThatNameAnywhere) {
  EXPECT_EQ(platform::LoadLibraryAsData("ptv-no-such-library.dll"), nullptr);
  EXPECT_EQ(platform::LastError(), platform::kErrFileNotFound);
}

TEST_F(LibraryTest, OneInTheCurrentFolderOrByItsFullPath) {
  MakeLibrary("ptvconflib.dll");
  EXPECT_EQ(platform::LoadLibraryAsData("ptvconflib.dll"), nullptr);
  platform::LibraryHandle library = platform::LoadLibraryAsData(At("ptvconflib.dll"));
  EXPECT_NE(library, nullptr) << platform::LastError();
  platform::FreeLoadedLibrary(library);

  const std::string before = platform::CurrentFolder();
  ASSERT_TRUE(platform::SetCurrentFolder(scratch_.folder()));
  library = platform::LoadLibraryAsData("ptvconflib.dll");
  EXPECT_NE(library, nullptr) << platform::LastError();
  platform::FreeLoadedLibrary(library);
  platform::SetCurrentFolder(before);
}

TEST(Wow64Query, ThereAndAnsweringForThisProcess) {
  // This suite never runs as a 32-bit process on 64-bit Windows: the
  // Windows build under test is 64-bit, the emulated machine 32-bit.
  const platform::Wow64Query query = platform::FindWow64Query();
  EXPECT_NE(query, nullptr);
  EXPECT_FALSE(platform::AskWow64Query(query));
  EXPECT_FALSE(platform::AskWow64Query(nullptr));
}

}  // namespace
}  // namespace conformance
