// The art and the pixel checks of the viewer's screenshot test (tests/e2e/sheetview_shots.sh).
//
//   shot_check art <folder>   writes the art of TSheetViewCheck.layout, single colours
//   shot_check check <folder> checks rest.ppm, hover.ppm, disabled.ppm, disabled-hover.ppm
//
// The checks find each look on the screen by its colour, so they do not depend on where the
// window manager puts the window.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "forms/Pixels.h"
#include "tests/PixelBitmaps.h"

namespace {

using forms::Rgb;
using forms::TPixel;
using forms::TPixels;

// BotaoOverlay: normal 81 x 75, hover 81 x 79, overlay 16 x 16 at BottomRight whose middle
// 8 x 8 is red and the rest its transparent colour.
const TPixel kNormal = Rgb(0x20, 0x60, 0xC0);
const TPixel kHover = Rgb(0x30, 0xB0, 0x40);
const TPixel kRed = Rgb(0xE0, 0x10, 0x10);
const TPixel kKey = Rgb(0xFF, 0x00, 0xFF);
// BotaoSimples: normal 61 x 57, hover 61 x 61, no overlay.
const TPixel kSimple = Rgb(0xC0, 0x90, 0x20);
const TPixel kSimpleHover = Rgb(0x80, 0x30, 0x90);

void Write(const std::filesystem::path& path, const TPixels& image) {
  const std::vector<std::uint8_t> bytes = testing_pictures::BitmapFromPixels(image);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteArt(const std::filesystem::path& folder) {
  const std::filesystem::path form = folder / "TSheetViewCheck";
  std::filesystem::create_directories(form);
  Write(form / "BotaoOverlay.Picture1.bmp", TPixels(81, 75, kNormal));
  Write(form / "BotaoOverlay.Picture2.bmp", TPixels(81, 79, kHover));
  Write(form / "BotaoOverlay.Picture3.bmp", testing_pictures::PixelsOf(16, 16, [](int x, int y) {
          return x >= 4 && x < 12 && y >= 4 && y < 12 ? kRed : kKey;
        }));
  Write(form / "BotaoSimples.Picture1.bmp", TPixels(61, 57, kSimple));
  Write(form / "BotaoSimples.Picture2.bmp", TPixels(61, 61, kSimpleHover));
}

// A binary PPM (P6, maxval 255) as ImageMagick writes it.
TPixels ReadPpm(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  auto token = [&in] {
    std::string t;
    char c;
    while (in.get(c)) {
      if (c == '#') {
        std::string comment;
        std::getline(in, comment);
      } else if (std::isspace(static_cast<unsigned char>(c))) {
        if (!t.empty()) break;
      } else {
        t += c;
      }
    }
    return t;
  };
  if (token() != "P6") throw std::runtime_error(path.string() + ": not a binary PPM");
  const int width = std::stoi(token()), height = std::stoi(token());
  if (token() != "255") throw std::runtime_error(path.string() + ": not 8 bits a channel");
  std::vector<unsigned char> data(std::size_t(width) * height * 3);
  in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()));
  if (!in) throw std::runtime_error(path.string() + ": pixels cut short");
  TPixels image(width, height, 0);
  for (std::size_t i = 0; i < image.pixels.size(); ++i)
    image.pixels[i] = Rgb(data[3 * i], data[3 * i + 1], data[3 * i + 2]);
  return image;
}

struct Box {
  int left = 0, top = 0, width = 0, height = 0;
  long count = 0;  // pixels of the colour inside the box
};

// Where `colour` lies on the screen: its bounding box and how many pixels have it.
Box Find(const TPixels& shot, TPixel colour) {
  int left = shot.width, top = shot.height, right = -1, bottom = -1;
  long count = 0;
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x)
      if (shot.At(x, y) == colour) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        ++count;
      }
  if (count == 0) return {};
  return {left, top, right - left + 1, bottom - top + 1, count};
}

int failures = 0;

void Expect(bool ok, const std::string& shot, const std::string& what) {
  if (ok) return;
  ++failures;
  std::cerr << shot << ": " << what << "\n";
}

std::string Describe(const Box& b) {
  return std::to_string(b.width) + "x" + std::to_string(b.height) + "+" + std::to_string(b.left) +
         "+" + std::to_string(b.top) + " (" + std::to_string(b.count) + " pixels)";
}

// A solid look: a box of exactly this size, filled with its colour.
void ExpectSolid(const TPixels& shot, const std::string& name, TPixel colour, int width, int height,
                 const std::string& what) {
  const Box b = Find(shot, colour);
  Expect(b.width == width && b.height == height && b.count == long{width} * height, name,
         what + " should be a solid " + std::to_string(width) + "x" + std::to_string(height) +
             ", found " + Describe(b));
}

void ExpectAbsent(const TPixels& shot, const std::string& name, TPixel colour,
                  const std::string& what) {
  const Box b = Find(shot, colour);
  Expect(b.count == 0, name, what + " should not show, found " + Describe(b));
}

void Check(const std::filesystem::path& folder) {
  const TPixels rest = ReadPpm(folder / "rest.ppm");
  const TPixels hover = ReadPpm(folder / "hover.ppm");
  const TPixels disabled = ReadPpm(folder / "disabled.ppm");
  const TPixels disabledHover = ReadPpm(folder / "disabled-hover.ppm");

  // At rest: both normal looks, nothing else.
  ExpectSolid(rest, "rest", kNormal, 81, 75, "the overlay button's normal look");
  ExpectSolid(rest, "rest", kSimple, 61, 57, "the plain button's normal look");
  for (TPixel c : {kHover, kRed, kKey, kSimpleHover}) ExpectAbsent(rest, "rest", c, "a colour");
  const Box at = Find(rest, kNormal);
  const Box simpleAt = Find(rest, kSimple);

  // Hovered: the hover look in place of the normal look, 4 pixels taller, growing downwards.
  ExpectSolid(hover, "hover", kHover, 81, 79, "the hover look");
  ExpectAbsent(hover, "hover", kNormal, "the normal look");
  const Box grown = Find(hover, kHover);
  Expect(grown.left == at.left && grown.top == at.top, "hover",
         "the hover look should start where the normal look did, at " + Describe(at) + ", not " +
             Describe(grown));
  ExpectSolid(hover, "hover", kSimple, 61, 57, "the plain button, not under the pointer,");

  // Disabled: the normal look with the overlay's red middle in its bottom-right corner, the
  // overlay's transparent colour nowhere; the button without overlay unchanged.
  for (const auto& [shot, name] : {std::pair{&disabled, std::string("disabled")},
                                   std::pair{&disabledHover, std::string("disabled-hover")}}) {
    const Box normal = Find(*shot, kNormal);
    Expect(normal.left == at.left && normal.top == at.top && normal.width == 81 &&
               normal.height == 75 && normal.count == 81 * 75 - 64,
           name,
           "the normal look less the 8x8 red overlay should lie at " + Describe(at) + ", found " +
               Describe(normal));
    const Box red = Find(*shot, kRed);
    Expect(red.left == at.left + 81 - 16 + 4 && red.top == at.top + 75 - 16 + 4 && red.width == 8 &&
               red.height == 8 && red.count == 64,
           name,
           "the overlay's red middle should be 8x8 at (" + std::to_string(at.left + 81 - 12) +
               ", " + std::to_string(at.top + 75 - 12) + "), found " + Describe(red));
    ExpectAbsent(*shot, name, kKey, "the overlay's transparent colour");
    ExpectAbsent(*shot, name, kHover, "the hover look");
    const Box simple = Find(*shot, kSimple);
    Expect(simple.left == simpleAt.left && simple.top == simpleAt.top && simple.width == 61 &&
               simple.height == 57 && simple.count == 61 * 57,
           name, "the button without overlay should look as at rest, found " + Describe(simple));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: shot_check art|check <folder>\n";
    return 2;
  }
  try {
    const std::string command = argv[1];
    if (command == "art") {
      WriteArt(argv[2]);
      return 0;
    }
    if (command != "check") return 2;
    Check(argv[2]);
  } catch (const std::exception& error) {
    std::cerr << "shot_check: " << error.what() << "\n";
    return 1;
  }
  if (failures > 0) return 1;
  std::cout << "all looks as expected\n";
  return 0;
}
