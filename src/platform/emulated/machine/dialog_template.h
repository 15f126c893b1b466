#pragma once
// The program's dialog templates and images as the emulated dialog manager
// reads them: tables generated from the resource script at build time (the
// Windows build compiles the same script into the program's resources).
// Positions and sizes are in dialog units, styles are the Windows style bits.
#include <cstddef>
#include <cstdint>

namespace emu {

struct ControlTemplate {
  int id;
  const char* className;  // "Button", "Static", "Edit"
  const char* text;
  unsigned imageId;       // a picture's image resource; 0 for a text
  std::uint32_t style;
  std::uint32_t exStyle;
  int x, y, cx, cy;
};

struct DialogTemplate {
  unsigned id;
  std::uint32_t style;
  std::uint32_t exStyle;
  int x, y, cx, cy;
  const char* caption;
  const char* fontName;
  int fontPoints;
  const ControlTemplate* controls;
  std::size_t controlCount;
};

struct ImageResource {
  unsigned id;
  bool icon;  // an icon group (its first image), else a bitmap
  int width, height, bitsPerPixel;
};

}  // namespace emu
