#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/Forms.h"
#include "forms/Pixels.h"
#include "tests/PixelBitmaps.h"

namespace forms {
namespace {

using testing_pictures::BitmapFromPixels;
using testing_pictures::PixelsOf;

// Odd widths need row padding; bottom-up rows must come out top first.
TEST(Pixels, DecodesEveryStoredDepth) {
  for (int width : {1, 3, 5, 8}) {
    const TPixels image = PixelsOf(width, 3, [](int x, int y) {
      return Rgb(static_cast<std::uint8_t>(30 * x), static_cast<std::uint8_t>(70 * y), 17);
    });
    for (int depth : {8, 24, 32}) {
      SCOPED_TRACE(std::to_string(width) + " wide, " + std::to_string(depth) + " bits");
      EXPECT_EQ(DecodeBitmap(BitmapFromPixels(image, depth)), image);
    }
  }
}

TEST(Pixels, TopDownRows) {
  const TPixels image =
      PixelsOf(2, 2, [](int x, int y) { return Rgb(x ? 255 : 0, y ? 255 : 0, 9); });
  std::vector<std::uint8_t> bmp = BitmapFromPixels(image);
  // Height -2: the same rows read from the top, so the image comes out upside down.
  bmp[22] = 0xFE;
  bmp[23] = bmp[24] = bmp[25] = 0xFF;
  const TPixels flipped = DecodeBitmap(bmp);
  EXPECT_EQ(flipped.At(0, 0), image.At(0, 1));
  EXPECT_EQ(flipped.At(1, 1), image.At(1, 0));
}

TEST(Pixels, DamagedBitmapsAreRefused) {
  const TPixels image(3, 3, Rgb(1, 2, 3));
  const std::vector<std::uint8_t> good = BitmapFromPixels(image);
  const std::vector<std::uint8_t> good8 = BitmapFromPixels(image, 8);
  struct Damage {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  auto with = [](std::vector<std::uint8_t> b, std::size_t at, std::uint8_t v) {
    b[at] = v;
    return b;
  };
  const std::vector<Damage> table = {
      {"empty", {}},
      {"not BM", with(good, 0, 'X')},
      {"short header", std::vector<std::uint8_t>(good.begin(), good.begin() + 30)},
      {"last row cut", std::vector<std::uint8_t>(good.begin(), good.end() - 1)},
      {"compressed", with(good, 30, 1)},
      {"16 bits", with(good, 28, 16)},
      {"zero width", with(good, 18, 0)},
      {"pixel offset past the end", with(good, 13, 0x7F)},
      {"colour index past the table", with(with(with(good8, 46, 1), 47, 0), 54 + 4 * 256, 5)},
      {"colour table cut", std::vector<std::uint8_t>(good8.begin(), good8.begin() + 200)},
  };
  for (const Damage& d : table) {
    SCOPED_TRACE(d.name);
    try {
      DecodeBitmap(d.bytes);
      ADD_FAILURE() << "decoded";
    } catch (const Exception& error) {
      EXPECT_STREQ(error.what(), "Bitmap image is not valid");
    }
  }
}

TEST(Pixels, JpegNeedsAnInstalledDecoder) {
  const std::vector<std::uint8_t> bytes = {0xFF, 0xD8, 0xFF, 0xD9};
  TGraphic jpeg{TPictureEncoding::kJpeg, bytes, 2, 1, 0, {}, 0};
  SetJpegDecoder({});
  EXPECT_THROW(DecodeGraphic(jpeg), Exception);
  SetJpegDecoder([](std::span<const std::uint8_t> b) { return TPixels(2, 1, Rgb(0, 0, b[1])); });
  EXPECT_EQ(DecodeGraphic(jpeg), TPixels(2, 1, Rgb(0, 0, 0xD8)));
  SetJpegDecoder({});
}

TEST(Pixels, DrawTransparentClips) {
  TPixels canvas(3, 3, Rgb(0, 0, 0));
  const TPixels overlay =
      PixelsOf(2, 2, [](int x, int y) { return x == 1 && y == 1 ? Rgb(9, 9, 9) : Rgb(1, 1, 1); });
  canvas.DrawTransparent(overlay, -1, 2, Rgb(9, 9, 9));
  // Only overlay (1, 0) lands inside, at (0, 2); overlay (1, 1) would be at (0, 3).
  TPixels expected(3, 3, Rgb(0, 0, 0));
  expected.At(0, 2) = Rgb(1, 1, 1);
  EXPECT_EQ(canvas, expected);
  canvas.DrawTransparent(overlay, 5, -7, Rgb(9, 9, 9));  // wholly outside
  EXPECT_EQ(canvas, expected);
}

}  // namespace
}  // namespace forms
