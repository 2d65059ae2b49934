#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/fltk/ProgramIcon.h"

namespace platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutLe(Bytes& bytes, std::size_t at, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i)
    bytes[at + static_cast<std::size_t>(i)] = (value >> (8 * i)) & 255;
}

// An icon file of one 2x2 32-bit bitmap whose four pixels differ in every channel: top left
// (1,2,3,4), top right (5,6,7,8), bottom left (9,10,11,12), bottom right (13,14,15,16) as red,
// green, blue, alpha. Stored bottom row first, blue first, as Windows keeps bitmaps.
Bytes TwoByTwoIcon() {
  const std::size_t dib = 6 + 16, length = 40 + 2 * 2 * 4 + 2 * 4;
  Bytes ico(dib + length, 0);
  PutLe(ico, 2, 1, 2);
  PutLe(ico, 4, 1, 2);
  ico[6] = 2;
  ico[7] = 2;
  PutLe(ico, 6 + 4, 1, 2);
  PutLe(ico, 6 + 6, 32, 2);
  PutLe(ico, 6 + 8, static_cast<std::uint32_t>(length), 4);
  PutLe(ico, 6 + 12, static_cast<std::uint32_t>(dib), 4);
  PutLe(ico, dib, 40, 4);
  PutLe(ico, dib + 4, 2, 4);
  PutLe(ico, dib + 8, 4, 4);
  PutLe(ico, dib + 12, 1, 2);
  PutLe(ico, dib + 14, 32, 2);
  const std::uint8_t rows[] = {11, 10, 9, 12, 15, 14, 13, 16, 3, 2, 1, 4, 7, 6, 5, 8};
  std::copy(std::begin(rows), std::end(rows), ico.begin() + static_cast<std::ptrdiff_t>(dib + 40));
  return ico;
}

TEST(LinuxWindowIcon, BitmapComesOutTopRowFirstInRgbaOrder) {
  const std::vector<IconImage> images = ReadIconBitmaps(TwoByTwoIcon());
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].size, 2);
  EXPECT_EQ(images[0].rgba, (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
}

// The icon the build embeds gives the window every size the Windows icon file carries as a
// bitmap (its 256-pixel image is a PNG): a transparent corner and an opaque face at each.
TEST(LinuxWindowIcon, EmbeddedIconGivesEveryBitmapSize) {
  const std::vector<IconImage> images = ReadIconBitmaps(ProgramIconFile());
  std::vector<int> sizes;
  for (const IconImage& image : images) {
    sizes.push_back(image.size);
    ASSERT_EQ(image.rgba.size(), static_cast<std::size_t>(image.size) * image.size * 4);
    EXPECT_EQ(image.rgba[3], 0) << "corner of the " << image.size << "-pixel icon";
    const std::size_t middle =
        (static_cast<std::size_t>(image.size / 2) * image.size + image.size / 2) * 4;
    EXPECT_EQ(image.rgba[middle + 3], 255) << "middle of the " << image.size << "-pixel icon";
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 24, 32, 48, 64}));
}

// A damaged icon file gives the images that can be read whole and never reads outside the
// bytes: the window then shows fewer sizes, or none, and the program goes on.
TEST(LinuxWindowIcon, DamagedFileGivesOnlyWholeImages) {
  const auto file = ProgramIconFile();
  const Bytes good(file.begin(), file.end());
  ASSERT_EQ(ReadIconBitmaps(good).size(), 5u);
  const auto entry = [](int i) { return 6 + 16 * static_cast<std::size_t>(i); };
  const auto offset_of = [&](int i) {
    return good[entry(i) + 12] | good[entry(i) + 13] << 8 | good[entry(i) + 14] << 16 |
           good[entry(i) + 15] << 24;
  };
  struct Case {
    std::string name;
    std::function<void(Bytes&)> damage;
    std::vector<int> sizes;
  };
  const std::vector<Case> cases = {
      {"empty", [](Bytes& b) { b.clear(); }, {}},
      {"header alone", [](Bytes& b) { b.resize(6); }, {}},
      {"a cursor file, not an icon", [](Bytes& b) { b[2] = 2; }, {}},
      {"directory cut in its third entry", [&](Bytes& b) { b.resize(entry(2) + 7); }, {}},
      {"cut inside the third image",
       [&](Bytes& b) { b.resize(static_cast<std::size_t>(offset_of(2)) + 100); },
       {16, 24}},
      {"more entries counted than the file holds",
       [](Bytes& b) { b[4] = 200; },
       {16, 24, 32, 48, 64}},
      {"second image's offset past the end",
       [&](Bytes& b) { PutLe(b, entry(1) + 12, 0xFFFFFFF0u, 4); },
       {16, 32, 48, 64}},
      {"second image's length past the end",
       [&](Bytes& b) { PutLe(b, entry(1) + 8, 0xFFFFFFF0u, 4); },
       {16, 32, 48, 64}},
      {"first image's bitmap in 8 bits",
       [&](Bytes& b) { PutLe(b, static_cast<std::size_t>(offset_of(0)) + 14, 8, 2); },
       {24, 32, 48, 64}},
      {"first image's bitmap taller than its entry says",
       [&](Bytes& b) { PutLe(b, static_cast<std::size_t>(offset_of(0)) + 8, 64, 4); },
       {24, 32, 48, 64}},
      {"third image's entry claims 255 pixels in its own bytes",
       [&](Bytes& b) {
         b[entry(2)] = 255;
         b[entry(2) + 1] = 255;
       },
       {16, 24, 48, 64}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes damaged = good;
    c.damage(damaged);
    std::vector<int> sizes;
    for (const IconImage& image : ReadIconBitmaps(damaged)) {
      sizes.push_back(image.size);
      EXPECT_EQ(image.rgba.size(), static_cast<std::size_t>(image.size) * image.size * 4);
    }
    EXPECT_EQ(sizes, c.sizes);
  }
}

}  // namespace
}  // namespace platform
