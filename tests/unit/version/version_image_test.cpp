// The emulated machine's reader of version resources, on images held in
// memory: PE files cut short or damaged, and the ELF section that carries
// the version block of Linux programs.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "pe_image.h"
#include "platform/emulated/machine/version_image.h"
#include "version_block.h"

namespace version_tests {
namespace {

bool Find(const std::string& image) {
  std::uint32_t ms = 0;
  std::uint32_t ls = 0;
  return emu::FindFileVersionInImage(image, ms, ls);
}

std::uint32_t Get32(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}
void Set(std::string& b, std::size_t at, std::uint64_t v, int bytes, bool bigEndian = false) {
  for (int i = 0; i < bytes; ++i) {
    b[at + (bigEndian ? bytes - 1 - i : i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
  }
}

std::string GeneratedPe(bool x64) {
  fixtures::PeImageOptions options;
  options.x64 = x64;
  return fixtures::MakePeImage(options);
}

TEST(VersionImage, EveryProperPrefixOfAPeImageIsRejected) {
  for (bool x64 : {false, true}) {
    const std::string image = GeneratedPe(x64);
    std::uint32_t ms = 0;
    std::uint32_t ls = 0;
    ASSERT_TRUE(emu::FindFileVersionInImage(image, ms, ls));
    EXPECT_EQ(ms, 0x00060000u);
    EXPECT_EQ(ls, 0x00020001u);
    for (std::size_t length = 0; length < image.size(); ++length) {
      ASSERT_FALSE(Find(image.substr(0, length))) << "x64 " << x64 << ", cut at " << length;
    }
  }
}

// Overwriting any single byte with a value that breaks sizes, offsets and
// counts must never lead the reader outside the image.
TEST(VersionImage, DamagedBytesAreSurvived) {
  const std::string image = GeneratedPe(false);
  for (std::size_t at = 0; at < image.size(); ++at) {
    for (unsigned char value : {0x00, 0x7F, 0x80, 0xFF}) {
      std::string damaged = image;
      damaged[at] = static_cast<char>(value);
      Find(damaged);
    }
  }
}

// Offsets in the generated PE32: the resource section's data starts at file
// offset 0x400 and its RVA is 0x2000.
constexpr std::size_t kResources = 0x400;
constexpr std::uint32_t kResourcesRva = 0x2000;

std::size_t VersionBlockAt(const std::string& image) {
  return image.find(std::string("V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0", 30)) - 6;
}
// The data entry of the version resource: the second type (after the string
// table), its name directory, its language directory.
std::size_t VersionDataEntryAt(const std::string& image) {
  const std::size_t names = kResources + (Get32(image, kResources + 16 + 8 + 4) & 0x7FFFFFFF);
  const std::size_t languages = kResources + (Get32(image, names + 20) & 0x7FFFFFFF);
  return kResources + Get32(image, languages + 20);
}

struct DamageCase {
  const char* name;
  void (*damage)(std::string& image);
};

const DamageCase kDamageCases[] = {
    {"pe_header_past_end", [](std::string& b) { Set(b, 0x3C, 0xFFFFFFF0u, 4); }},
    {"not_mz", [](std::string& b) { b[1] = 'X'; }},
    {"unknown_optional_header", [](std::string& b) { Set(b, 0x40 + 24, 0x107, 2); }},
    {"too_few_data_directories", [](std::string& b) { Set(b, 0x40 + 24 + 92, 2, 4); }},
    {"many_sections", [](std::string& b) { Set(b, 0x40 + 6, 0xFFFF, 2); }},
    {"resource_rva_outside_sections", [](std::string& b) { Set(b, 0x40 + 24 + 96 + 16, 0x7FFF0000u, 4); }},
    {"many_named_resource_types", [](std::string& b) { Set(b, kResources + 12, 0xFFFF, 2); }},
    {"type_directory_loops_to_itself",
     [](std::string& b) { Set(b, kResources + 16 + 8 + 4, 0x80000000u, 4); }},
    {"language_level_is_a_directory",
     [](std::string& b) {
       const std::size_t names = kResources + (Get32(b, kResources + 16 + 8 + 4) & 0x7FFFFFFF);
       const std::size_t languages = kResources + (Get32(b, names + 20) & 0x7FFFFFFF);
       Set(b, languages + 20, 0x80000000u, 4);
     }},
    {"data_larger_than_section",
     [](std::string& b) { Set(b, VersionDataEntryAt(b) + 4, 0x10000, 4); }},
    {"data_rva_before_resources",
     [](std::string& b) { Set(b, VersionDataEntryAt(b), kResourcesRva - 0x1000 - 8, 4); }},
    {"block_longer_than_data",
     [](std::string& b) { Set(b, VersionBlockAt(b), 0xFFFF, 2); }},
    {"fixed_info_too_short", [](std::string& b) { Set(b, VersionBlockAt(b) + 2, 51, 2); }},
    {"wrong_key", [](std::string& b) { b[VersionBlockAt(b) + 6 + 2 * 14] = 'X'; }},
    {"wrong_signature", [](std::string& b) { Set(b, VersionBlockAt(b) + 40, 0xFEEF04BCu, 4); }},
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class VersionImageDamageTest : public ::testing::TestWithParam<DamageCase> {};

TEST_P(VersionImageDamageTest, IsRejected) {
  std::string image = GeneratedPe(false);
  ASSERT_TRUE(Find(image));
  GetParam().damage(image);
  EXPECT_FALSE(Find(image));
}

INSTANTIATE_TEST_SUITE_P(Pe, VersionImageDamageTest, ::testing::ValuesIn(kDamageCases),
                         [](const ::testing::TestParamInfo<DamageCase>& info) { return info.param.name; });

// A small ELF file with one section besides the section-name table.
struct ElfSpec {
  bool is64 = true;
  bool bigEndian = false;
  std::string sectionName = emu::kElfVersionSection;
  std::uint32_t sectionType = 1;  // SHT_PROGBITS
  bool sectionPastEnd = false;
};

std::string MakeElf(const ElfSpec& spec, const std::string& content) {
  const bool be = spec.bigEndian;
  const std::size_t headerSize = spec.is64 ? 64 : 52;
  const std::size_t entrySize = spec.is64 ? 64 : 40;
  const std::string names = std::string("\0", 1) + spec.sectionName + '\0' + ".shstrtab" + '\0';
  const std::size_t contentAt = headerSize;
  const std::size_t namesAt = contentAt + content.size();
  const std::size_t tableAt = (namesAt + names.size() + 7) / 8 * 8;
  std::string b(tableAt + 3 * entrySize, '\0');
  b.replace(0, 4, "\x7F" "ELF");
  b[4] = spec.is64 ? 2 : 1;
  b[5] = be ? 2 : 1;
  b[6] = 1;
  Set(b, 16, 2, 2, be);  // executable
  Set(b, 20, 1, 4, be);
  const std::size_t fields = spec.is64 ? 0x3A : 0x2E;
  if (spec.is64) {
    Set(b, 0x28, tableAt, 8, be);
  } else {
    Set(b, 0x20, tableAt, 4, be);
  }
  Set(b, fields - 6, headerSize, 2, be);
  Set(b, fields, entrySize, 2, be);
  Set(b, fields + 2, 3, 2, be);
  Set(b, fields + 4, 2, 2, be);  // the names are section 2
  b.replace(contentAt, content.size(), content);
  b.replace(namesAt, names.size(), names);
  auto section = [&](int index, std::uint32_t name, std::uint32_t type, std::uint64_t offset, std::uint64_t size) {
    const std::size_t at = tableAt + index * entrySize;
    Set(b, at, name, 4, be);
    Set(b, at + 4, type, 4, be);
    if (spec.is64) {
      Set(b, at + 0x18, offset, 8, be);
      Set(b, at + 0x20, size, 8, be);
    } else {
      Set(b, at + 0x10, offset, 4, be);
      Set(b, at + 0x14, size, 4, be);
    }
  };
  section(1, 1, spec.sectionType, spec.sectionPastEnd ? b.size() - 8 : contentAt, content.size());
  section(2, static_cast<std::uint32_t>(2 + spec.sectionName.size()), 3, namesAt, names.size());
  return b;
}

std::string Block() {
  const ptav6::VersionBlock block = ptav6::MakeVersionBlock(6, 0, 2, 1);
  return std::string(block.begin(), block.end());
}

struct ElfCase {
  const char* name;
  ElfSpec spec;
  bool found;
};

ElfSpec Elf(bool is64, bool bigEndian) {
  ElfSpec spec;
  spec.is64 = is64;
  spec.bigEndian = bigEndian;
  return spec;
}
ElfSpec Named(const char* name) {
  ElfSpec spec;
  spec.sectionName = name;
  return spec;
}
ElfSpec NoBits() {
  ElfSpec spec;
  spec.sectionType = 8;
  return spec;
}
ElfSpec PastEnd() {
  ElfSpec spec;
  spec.sectionPastEnd = true;
  return spec;
}

const ElfCase kElfCases[] = {
    {"elf64_little_endian", Elf(true, false), true},
    {"elf32_little_endian", Elf(false, false), true},
    {"elf64_big_endian", Elf(true, true), true},
    {"elf32_big_endian", Elf(false, true), true},
    {"longer_section_name", Named(".ptvverx"), false},
    {"shorter_section_name", Named(".ptvve"), false},
    {"section_without_file_data", NoBits(), false},
    {"section_past_end", PastEnd(), false},
};

void PrintTo(const ElfCase& c, std::ostream* os) { *os << c.name; }

class VersionImageElfTest : public ::testing::TestWithParam<ElfCase> {};

TEST_P(VersionImageElfTest, FindsTheVersionSection) {
  const ElfCase& c = GetParam();
  const std::string image = MakeElf(c.spec, Block());
  std::uint32_t ms = 0;
  std::uint32_t ls = 0;
  ASSERT_EQ(emu::FindFileVersionInImage(image, ms, ls), c.found);
  if (c.found) {
    EXPECT_EQ(ms, 0x00060000u);
    EXPECT_EQ(ls, 0x00020001u);
  }
  for (std::size_t length = 0; length < image.size(); ++length) {
    ASSERT_FALSE(Find(image.substr(0, length))) << "cut at " << length;
  }
}

INSTANTIATE_TEST_SUITE_P(Elf, VersionImageElfTest, ::testing::ValuesIn(kElfCases),
                         [](const ::testing::TestParamInfo<ElfCase>& info) { return info.param.name; });

TEST(VersionImage, LinuxProgramWithoutTheSectionHasNoVersion) {
  std::ifstream in("/proc/self/exe", std::ios::binary);
  const std::string self((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(self.size(), 0u);
  EXPECT_FALSE(Find(self));
}

}  // namespace
}  // namespace version_tests
