// The reader behind the check of the setup program's imports, on images
// made here, and the rule that decides which libraries may be imported.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pe_image.h"
#include "pe_imports.h"
#include "system_libraries.h"

namespace {

using Names = std::vector<std::string>;

TEST(ImportedLibraries, ReadFromBothImageKinds) {
  const Names imports = {"KERNEL32.dll", "msvcrt.dll", "VERSION.dll"};
  for (bool x64 : {false, true}) {
    fixtures::PeImageOptions options;
    options.x64 = x64;
    options.imports = imports;
    Names read;
    std::string problem;
    ASSERT_TRUE(fixtures::ReadImportedLibraries(fixtures::MakePeImage(options), read, problem)) << problem;
    EXPECT_EQ(read, imports) << (x64 ? "PE32+" : "PE32");
  }
}

TEST(ImportedLibraries, AnImageWithoutImportsNamesNone) {
  Names read = {"left over"};
  std::string problem;
  ASSERT_TRUE(fixtures::ReadImportedLibraries(fixtures::MakePeImage({}), read, problem)) << problem;
  EXPECT_TRUE(read.empty());
}

TEST(ImportedLibraries, DamagedImagesAreRefused) {
  fixtures::PeImageOptions options;
  options.imports = {"user32.dll"};
  const std::string image = fixtures::MakePeImage(options);
  Names read;
  std::string problem;
  EXPECT_FALSE(fixtures::ReadImportedLibraries("MZ", read, problem));
  EXPECT_FALSE(fixtures::ReadImportedLibraries("\x7f" "ELF", read, problem));
  // Cut inside the import section: the names are gone.
  EXPECT_FALSE(fixtures::ReadImportedLibraries(image.substr(0, image.size() - 0x1F0), read, problem));
}

TEST(AlwaysSystemLibrary, KnownLibrariesInAnyCaseAndNothingElse) {
  for (const char* name : {"KERNEL32.dll", "user32.DLL", "Gdi32.dll", "ADVAPI32.dll", "SHELL32.dll", "ole32.dll",
                           "OLEAUT32.dll", "msvcrt.dll", "api-ms-win-crt-runtime-l1-1-0.dll"}) {
    EXPECT_TRUE(fixtures::IsAlwaysSystemLibrary(name)) << name;
  }
  // Looked for beside the program first: these must be loaded by full path.
  for (const char* name : {"VERSION.dll", "comctl32.dll", "uxtheme.dll", "dwmapi.dll", "kernel32", "libstdc++-6.dll"}) {
    EXPECT_FALSE(fixtures::IsAlwaysSystemLibrary(name)) << name;
  }
}

}  // namespace
