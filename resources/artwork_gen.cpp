// Draws the setup's artwork and writes it as the files the resource script
// names, so that the bitmap and the icon are made from source like the rest
// of the program:
//   artwork_gen <folder>
// writes <folder>/setup.bmp (the wizard's picture: 120 x 260 pixels, 8 bits
// per pixel with a 256-colour palette, uncompressed) and <folder>/setup.ico
// (the application icon: one 32 x 32 image with 16 colours). The drawing is
// a night-blue gradient with a camera lens framed by the corner marks of a
// screen capture. The output depends on nothing but this file.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Rgb {
  int r, g, b;
};

class Bytes {
 public:
  void U8(int v) { data_.push_back(static_cast<char>(v & 0xFF)); }
  void U16(int v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(std::uint32_t v) {
    U16(static_cast<int>(v & 0xFFFF));
    U16(static_cast<int>(v >> 16));
  }
  void Append(const Bytes& other) { data_ += other.data_; }
  std::size_t size() const { return data_.size(); }
  const std::string& data() const { return data_; }

 private:
  std::string data_;
};

int Clamp(double v) { return v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(std::lround(v)); }

Rgb Mix(Rgb a, Rgb b, double t) {
  return {Clamp(a.r + (b.r - a.r) * t), Clamp(a.g + (b.g - a.g) * t), Clamp(a.b + (b.b - a.b) * t)};
}

// BITMAPINFOHEADER for an uncompressed image; `storedHeight` is the height
// as the format wants it (an icon's image counts its mask rows too).
void InfoHeader(Bytes& out, int width, int storedHeight, int bitsPerPixel, int colours, std::uint32_t imageSize) {
  out.U32(40);
  out.U32(static_cast<std::uint32_t>(width));
  out.U32(static_cast<std::uint32_t>(storedHeight));
  out.U16(1);
  out.U16(bitsPerPixel);
  out.U32(0);  // BI_RGB
  out.U32(imageSize);
  out.U32(2835);  // 72 dots per inch
  out.U32(2835);
  out.U32(static_cast<std::uint32_t>(colours));
  out.U32(0);
}

void Palette(Bytes& out, const std::vector<Rgb>& colours) {
  for (const Rgb& c : colours) {
    out.U8(c.b);
    out.U8(c.g);
    out.U8(c.r);
    out.U8(0);
  }
}

// --- the wizard's picture ---------------------------------------------------

constexpr int kPictureWidth = 120;
constexpr int kPictureHeight = 260;

// Palette layout: 0-127 the background gradient, 128-191 the lens glass from
// its rim to its centre, 192-223 the barrel's greys, 224-255 highlights.
constexpr int kGlass = 128;
constexpr int kGrey = 192;
constexpr int kLight = 224;

std::vector<Rgb> PicturePalette() {
  std::vector<Rgb> colours;
  const Rgb top{12, 24, 64}, middle{18, 70, 122}, bottom{20, 150, 160};
  for (int i = 0; i < 128; ++i) {
    const double t = i / 127.0;
    colours.push_back(t < 0.6 ? Mix(top, middle, t / 0.6) : Mix(middle, bottom, (t - 0.6) / 0.4));
  }
  for (int i = 0; i < 64; ++i) colours.push_back(Mix({6, 10, 30}, {40, 120, 200}, i / 63.0));
  for (int i = 0; i < 32; ++i) colours.push_back(Mix({28, 30, 36}, {190, 196, 206}, i / 31.0));
  for (int i = 0; i < 32; ++i) colours.push_back(Mix({150, 220, 240}, {255, 255, 255}, i / 31.0));
  return colours;
}

// The colour index of one pixel; y counts from the top.
int PicturePixel(int x, int y) {
  const double cx = 60, cy = 100;
  const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
  const double r = std::sqrt(dx * dx + dy * dy);
  int index = y * 127 / (kPictureHeight - 1);

  // Corner marks of a capture frame around the lens.
  const int left = 14, right = 105, topEdge = 46, bottomEdge = 154, arm = 16, thick = 3;
  const bool nearVertical = (x >= left && x < left + thick) || (x > right - thick && x <= right);
  const bool nearHorizontal = (y >= topEdge && y < topEdge + thick) || (y > bottomEdge - thick && y <= bottomEdge);
  const bool inArmsX = x < left + arm || x > right - arm;
  const bool inArmsY = y < topEdge + arm || y > bottomEdge - arm;
  if (x >= left && x <= right && y >= topEdge && y <= bottomEdge &&
      ((nearVertical && inArmsY) || (nearHorizontal && inArmsX))) {
    index = kLight + 20;
  }

  // The lens: a ribbed barrel, a dark rim, the glass with a six-bladed
  // aperture and a highlight.
  if (r < 40) {
    const double angle = std::atan2(dy, dx);
    if (r >= 33) {
      const int rib = (static_cast<int>(std::floor((angle + M_PI) / (2 * M_PI) * 48)) % 2) * 4;
      index = kGrey + 10 + static_cast<int>((40 - r) * 1.6) + rib;
    } else if (r >= 30) {
      index = kGrey + 2;
    } else {
      index = kGlass + static_cast<int>((30 - r) / 30 * 50);
      // The aperture: a hexagon, its edges turned like blades.
      const double sector = std::fmod(angle + M_PI + M_PI / 6, M_PI / 3) - M_PI / 6;
      const double hexRadius = 11 / std::cos(sector);
      if (r < hexRadius) index = kGlass + 2;
      // Highlights: a crescent to the upper left and a small spot.
      const double hx = dx + 9, hy = dy + 10;
      if (hx * hx + hy * hy < 36 && r > 8) index = kLight + 24;
      const double sx = dx - 10, sy = dy - 9;
      if (sx * sx + sy * sy < 5) index = kLight + 10;
    }
  }

  // A band of light under the lens, fading to the right.
  if (y >= 200 && y < 203 && x >= 14 && x < 106) index = kLight + (105 - x) * 31 / 92;
  for (int i = 0; i < 3; ++i) {
    const int bx = 14 + i * 34;
    if (y >= 214 && y < 230 && x >= bx && x < bx + 24) index = kGrey + 12 + i * 8;
  }
  return index;
}

std::string Picture() {
  const int rowBytes = (kPictureWidth + 3) / 4 * 4;
  const std::uint32_t imageSize = static_cast<std::uint32_t>(rowBytes * kPictureHeight);
  Bytes info;
  InfoHeader(info, kPictureWidth, kPictureHeight, 8, 256, imageSize);
  Palette(info, PicturePalette());
  Bytes pixels;
  for (int y = kPictureHeight - 1; y >= 0; --y) {  // rows go bottom-up
    for (int x = 0; x < rowBytes; ++x) pixels.U8(x < kPictureWidth ? PicturePixel(x, y) : 0);
  }
  Bytes file;
  const std::uint32_t offset = static_cast<std::uint32_t>(14 + info.size());
  file.U8('B');
  file.U8('M');
  file.U32(offset + imageSize);
  file.U32(0);
  file.U32(offset);
  file.Append(info);
  file.Append(pixels);
  return file.data();
}

// --- the icon ---------------------------------------------------------------

constexpr int kIconSize = 32;

std::vector<Rgb> IconPalette() {
  return {{0, 0, 0},       {14, 28, 70},    {22, 60, 120},   {34, 96, 170},  {50, 140, 210},
          {120, 200, 235}, {255, 255, 255}, {40, 42, 48},    {80, 84, 92},   {130, 136, 146},
          {180, 186, 196}, {20, 150, 160},  {230, 240, 250}, {10, 14, 34},   {60, 180, 190},
          {200, 230, 245}};
}

// Colour index and transparency of one pixel; y counts from the top.
int IconPixel(int x, int y, bool& transparent) {
  const double dx = x + 0.5 - 16, dy = y + 0.5 - 16;
  const double r = std::sqrt(dx * dx + dy * dy);
  transparent = false;
  if (r >= 15.5) {
    transparent = true;
    return 0;
  }
  if (r >= 13) return (static_cast<int>(std::floor((std::atan2(dy, dx) + M_PI) / (2 * M_PI) * 24)) % 2) ? 9 : 8;
  if (r >= 11.5) return 7;
  if (r < 4) return 13;
  const double hx = dx + 4, hy = dy + 4;
  if (hx * hx + hy * hy < 6) return 6;
  if (r < 7) return 2;
  if (r < 9.5) return 3;
  return 4;
}

std::string Icon() {
  const int xorRow = kIconSize / 2;              // 4 bits per pixel, already a multiple of 4
  const int andRow = (kIconSize / 8 + 3) / 4 * 4;  // 1 bit per pixel, padded to 4 bytes
  Bytes image;
  InfoHeader(image, kIconSize, kIconSize * 2, 4, 16, static_cast<std::uint32_t>((xorRow + andRow) * kIconSize));
  Palette(image, IconPalette());
  Bytes colours, mask;
  for (int y = kIconSize - 1; y >= 0; --y) {
    std::vector<int> bits(static_cast<std::size_t>(andRow), 0);
    for (int x = 0; x < kIconSize; x += 2) {
      bool clearA = false, clearB = false;
      const int a = IconPixel(x, y, clearA);
      const int b = IconPixel(x + 1, y, clearB);
      colours.U8((a << 4) | b);
      if (clearA) bits[static_cast<std::size_t>(x / 8)] |= 0x80 >> (x % 8);
      if (clearB) bits[static_cast<std::size_t>((x + 1) / 8)] |= 0x80 >> ((x + 1) % 8);
    }
    for (int byte : bits) mask.U8(byte);
  }
  image.Append(colours);
  image.Append(mask);

  Bytes file;
  file.U16(0);  // ICONDIR
  file.U16(1);  // an icon
  file.U16(1);  // one image
  file.U8(kIconSize);
  file.U8(kIconSize);
  file.U8(16);  // colours
  file.U8(0);
  file.U16(1);  // planes
  file.U16(4);  // bits per pixel
  file.U32(static_cast<std::uint32_t>(image.size()));
  file.U32(6 + 16);  // the image follows the one directory entry
  file.Append(image);
  return file.data();
}

bool Write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: artwork_gen <folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  if (!Write(folder + "/setup.bmp", Picture()) || !Write(folder + "/setup.ico", Icon())) {
    std::fprintf(stderr, "artwork_gen: cannot write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
