#include "platform/emulated/machine/version_image.h"

#include <cstddef>

// Every read below is bounds-checked against the bytes at hand, so a damaged
// or truncated file only ever gives "no version".
namespace emu {
namespace {

class Bytes {
 public:
  Bytes() = default;
  Bytes(const unsigned char* data, std::uint64_t size) : data_(data), size_(size) {}

  std::uint64_t Size() const { return size_; }
  bool Has(std::uint64_t offset, std::uint64_t length) const {
    return offset <= size_ && length <= size_ - offset;
  }
  // The part [offset, offset + length); the caller has checked Has().
  Bytes Part(std::uint64_t offset, std::uint64_t length) const {
    return Bytes(data_ + offset, length);
  }
  bool Byte(std::uint64_t offset, std::uint8_t& value) const {
    if (!Has(offset, 1)) return false;
    value = data_[offset];
    return true;
  }
  template <typename T>
  bool Number(std::uint64_t offset, T& value, bool bigEndian = false) const {
    if (!Has(offset, sizeof(T))) return false;
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
      const std::size_t shift = bigEndian ? (sizeof(T) - 1 - i) : i;
      v |= static_cast<std::uint64_t>(data_[offset + i]) << (8 * shift);
    }
    value = static_cast<T>(v);
    return true;
  }

 private:
  const unsigned char* data_ = nullptr;
  std::uint64_t size_ = 0;
};

std::uint64_t AlignTo4(std::uint64_t offset) { return (offset + 3) & ~std::uint64_t{3}; }

// VS_VERSIONINFO: wLength, wValueLength, wType, the UTF-16 key
// "VS_VERSION_INFO", padding to a 32-bit boundary, then VS_FIXEDFILEINFO.
bool ReadFixedFileInfo(const Bytes& data, std::uint32_t& mostSignificant,
                       std::uint32_t& leastSignificant) {
  constexpr char kKey[] = "VS_VERSION_INFO";
  constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BDu;
  constexpr std::uint16_t kFixedInfoSize = 52;
  std::uint16_t length = 0;
  std::uint16_t valueLength = 0;
  if (!data.Number(0, length) || !data.Number(2, valueLength)) return false;
  if (length > data.Size()) return false;
  const Bytes block = data.Part(0, length);
  std::uint64_t offset = 6;
  for (const char* k = kKey;; ++k) {
    std::uint16_t c = 0;
    if (!block.Number(offset, c)) return false;
    offset += 2;
    if (c != static_cast<unsigned char>(*k)) return false;
    if (c == 0) break;
  }
  offset = AlignTo4(offset);
  if (valueLength < kFixedInfoSize || !block.Has(offset, kFixedInfoSize)) return false;
  std::uint32_t signature = 0;
  block.Number(offset, signature);
  if (signature != kFixedInfoSignature) return false;
  return block.Number(offset + 8, mostSignificant) && block.Number(offset + 12, leastSignificant);
}

// ---- PE ----

struct PeSection {
  std::uint32_t virtualAddress = 0;
  std::uint32_t extent = 0;  // bytes of the section that lie in the file
  std::uint32_t rawOffset = 0;
};

class PeImage {
 public:
  explicit PeImage(const Bytes& file) : file_(file) {}

  bool ReadHeaders() {
    std::uint16_t mz = 0;
    std::uint32_t peOffset = 0;
    std::uint32_t signature = 0;
    if (!file_.Number(0, mz) || mz != 0x5A4D) return false;
    if (!file_.Number(0x3C, peOffset) || !file_.Number(peOffset, signature)) return false;
    if (signature != 0x00004550) return false;  // "PE\0\0"
    const std::uint64_t coff = std::uint64_t{peOffset} + 4;
    std::uint16_t sectionCount = 0;
    std::uint16_t optionalSize = 0;
    if (!file_.Number(coff + 2, sectionCount) || !file_.Number(coff + 16, optionalSize)) return false;
    const std::uint64_t optional = coff + 20;
    std::uint16_t magic = 0;
    if (!file_.Number(optional, magic)) return false;
    std::uint64_t countAt = 0;
    std::uint64_t directoriesAt = 0;
    if (magic == 0x10B) {  // PE32
      countAt = 92;
      directoriesAt = 96;
    } else if (magic == 0x20B) {  // PE32+
      countAt = 108;
      directoriesAt = 112;
    } else {
      return false;
    }
    constexpr std::uint32_t kResourceDirectory = 2;
    std::uint32_t directoryCount = 0;
    if (!file_.Number(optional + countAt, directoryCount) || directoryCount <= kResourceDirectory) return false;
    const std::uint64_t resourceEntry = directoriesAt + 8 * kResourceDirectory;
    if (optionalSize < resourceEntry + 8) return false;
    if (!file_.Number(optional + resourceEntry, resourceRva_)) return false;
    sectionTable_ = optional + optionalSize;
    sectionCount_ = sectionCount;
    return file_.Has(sectionTable_, std::uint64_t{sectionCount_} * 40);
  }

  std::uint32_t ResourceRva() const { return resourceRva_; }

  // The file bytes from `rva` to the end of its section's data in the file.
  bool BytesAt(std::uint32_t rva, Bytes& result) const {
    for (std::uint32_t i = 0; i < sectionCount_; ++i) {
      PeSection section;
      if (!ReadSection(i, section)) return false;
      if (rva < section.virtualAddress) continue;
      const std::uint32_t into = rva - section.virtualAddress;
      if (into >= section.extent) continue;
      result = file_.Part(std::uint64_t{section.rawOffset} + into, section.extent - into);
      return true;
    }
    return false;
  }

 private:
  bool ReadSection(std::uint32_t index, PeSection& section) const {
    const std::uint64_t at = sectionTable_ + std::uint64_t{index} * 40;
    std::uint32_t virtualSize = 0;
    std::uint32_t rawSize = 0;
    if (!file_.Number(at + 8, virtualSize) || !file_.Number(at + 12, section.virtualAddress) ||
        !file_.Number(at + 16, rawSize) || !file_.Number(at + 20, section.rawOffset)) {
      return false;
    }
    // A section whose data runs past the end of the file makes the file
    // unusable, as it does for the system's loader.
    if (!file_.Has(section.rawOffset, rawSize)) return false;
    // Raw data is padded to the file alignment; the padding is not part of it.
    section.extent = (virtualSize != 0 && virtualSize < rawSize) ? virtualSize : rawSize;
    return true;
  }

  Bytes file_;
  std::uint32_t resourceRva_ = 0;
  std::uint64_t sectionTable_ = 0;
  std::uint32_t sectionCount_ = 0;
};

constexpr std::uint32_t kHighBit = 0x80000000u;

// The OffsetToData of an entry of the resource directory at `directory`: the
// entry with numeric id `id`, or the first entry when `id` is 0. Entries
// with names come first, those with numbers after them.
bool FindResourceEntry(const Bytes& resources, std::uint32_t directory, std::uint16_t id,
                       std::uint32_t& target) {
  std::uint16_t named = 0;
  std::uint16_t numbered = 0;
  if (!resources.Number(std::uint64_t{directory} + 12, named) ||
      !resources.Number(std::uint64_t{directory} + 14, numbered)) {
    return false;
  }
  const std::uint32_t first = id == 0 ? 0 : named;
  const std::uint32_t count = std::uint32_t{named} + numbered;
  for (std::uint32_t i = first; i < count; ++i) {
    const std::uint64_t entry = std::uint64_t{directory} + 16 + std::uint64_t{i} * 8;
    std::uint32_t name = 0;
    if (!resources.Number(entry, name) || !resources.Number(entry + 4, target)) return false;
    if (id == 0 || name == id) return true;
  }
  return false;
}

bool FindPeVersion(const Bytes& file, std::uint32_t& mostSignificant, std::uint32_t& leastSignificant) {
  constexpr std::uint16_t kRtVersion = 16;
  PeImage image(file);
  if (!image.ReadHeaders() || image.ResourceRva() == 0) return false;
  Bytes resources;
  if (!image.BytesAt(image.ResourceRva(), resources)) return false;

  // Three levels: type, name, language; the first two lead to directories,
  // the last to a data entry.
  std::uint32_t target = 0;
  if (!FindResourceEntry(resources, 0, kRtVersion, target) || !(target & kHighBit)) return false;
  if (!FindResourceEntry(resources, target & ~kHighBit, 0, target) || !(target & kHighBit)) return false;
  if (!FindResourceEntry(resources, target & ~kHighBit, 0, target) || (target & kHighBit)) return false;
  std::uint32_t dataRva = 0;
  std::uint32_t dataSize = 0;
  if (!resources.Number(target, dataRva) || !resources.Number(std::uint64_t{target} + 4, dataSize)) return false;
  Bytes data;
  if (!image.BytesAt(dataRva, data) || !data.Has(0, dataSize)) return false;
  return ReadFixedFileInfo(data.Part(0, dataSize), mostSignificant, leastSignificant);
}

// ---- ELF ----

bool FindElfVersion(const Bytes& file, std::uint32_t& mostSignificant, std::uint32_t& leastSignificant) {
  std::uint8_t elfClass = 0;
  std::uint8_t encoding = 0;
  if (!file.Byte(4, elfClass) || !file.Byte(5, encoding)) return false;
  if ((elfClass != 1 && elfClass != 2) || (encoding != 1 && encoding != 2)) return false;
  const bool is64 = elfClass == 2;
  const bool bigEndian = encoding == 2;

  std::uint64_t tableOffset = 0;
  std::uint16_t entrySize = 0;
  std::uint16_t count = 0;
  std::uint16_t namesIndex = 0;
  if (is64) {
    if (!file.Number(0x28, tableOffset, bigEndian)) return false;
  } else {
    std::uint32_t offset32 = 0;
    if (!file.Number(0x20, offset32, bigEndian)) return false;
    tableOffset = offset32;
  }
  const std::uint64_t fields = is64 ? 0x3A : 0x2E;
  if (!file.Number(fields, entrySize, bigEndian) || !file.Number(fields + 2, count, bigEndian) ||
      !file.Number(fields + 4, namesIndex, bigEndian)) {
    return false;
  }
  if (entrySize < (is64 ? 64 : 40) || namesIndex >= count) return false;
  if (!file.Has(tableOffset, std::uint64_t{count} * entrySize)) return false;

  struct Section {
    std::uint32_t name = 0;
    std::uint32_t type = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
  };
  auto readSection = [&](std::uint16_t index, Section& s) {
    const std::uint64_t at = tableOffset + std::uint64_t{index} * entrySize;
    if (!file.Number(at, s.name, bigEndian) || !file.Number(at + 4, s.type, bigEndian)) return false;
    if (is64) return file.Number(at + 0x18, s.offset, bigEndian) && file.Number(at + 0x20, s.size, bigEndian);
    std::uint32_t offset32 = 0;
    std::uint32_t size32 = 0;
    if (!file.Number(at + 0x10, offset32, bigEndian) || !file.Number(at + 0x14, size32, bigEndian)) return false;
    s.offset = offset32;
    s.size = size32;
    return true;
  };
  constexpr std::uint32_t kNoBits = 8;  // SHT_NOBITS: takes no room in the file

  Section names;
  if (!readSection(namesIndex, names) || names.type == kNoBits || !file.Has(names.offset, names.size)) return false;
  const Bytes nameTable = file.Part(names.offset, names.size);
  const std::string wanted(kElfVersionSection, sizeof(kElfVersionSection));  // with its zero
  for (std::uint16_t i = 0; i < count; ++i) {
    Section s;
    if (!readSection(i, s)) return false;
    if (s.type == kNoBits || !nameTable.Has(s.name, wanted.size())) continue;
    bool same = true;
    for (std::size_t k = 0; k < wanted.size() && same; ++k) {
      std::uint8_t c = 0;
      same = nameTable.Byte(s.name + k, c) && c == static_cast<unsigned char>(wanted[k]);
    }
    if (!same) continue;
    if (!file.Has(s.offset, s.size)) return false;
    return ReadFixedFileInfo(file.Part(s.offset, s.size), mostSignificant, leastSignificant);
  }
  return false;
}

}  // namespace

bool FindFileVersionInImage(const std::string& image, std::uint32_t& mostSignificant,
                            std::uint32_t& leastSignificant) {
  const Bytes file(reinterpret_cast<const unsigned char*>(image.data()), image.size());
  std::uint32_t magic = 0;
  if (file.Number(0, magic, true) && magic == 0x7F454C46u) {  // "\x7F" "ELF"
    return FindElfVersion(file, mostSignificant, leastSignificant);
  }
  return FindPeVersion(file, mostSignificant, leastSignificant);
}

}  // namespace emu
