#pragma once
// The version resource of a program image held in memory: the fixed file
// information of its VS_VERSIONINFO block, found in a PE file's resources
// (type RT_VERSION, its first name, first language) or, for a Linux program,
// in the ELF section ".ptvver" that carries the same block.
#include <cstdint>
#include <string>

namespace emu {

inline constexpr char kElfVersionSection[] = ".ptvver";

// false when `image` is neither, is damaged or truncated, or carries no
// version block with a valid fixed file information.
bool FindFileVersionInImage(const std::string& image, std::uint32_t& mostSignificant,
                            std::uint32_t& leastSignificant);

}  // namespace emu
