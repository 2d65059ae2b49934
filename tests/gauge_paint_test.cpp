// Painting the gauge: background, bar width and colour, and the percentage text drawn by
// inverting the pixels under its glyphs, with a tiny fixed font standing in for a front end's.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "run/GaugePaint.h"

namespace varnel {
namespace {

using platform::Bitmap;
using platform::Color;
using platform::TextMask;

constexpr Color kFore = 6569500;  // the window's dark blue
constexpr Color kBack = 0xFFFFFF;

TEST(GaugePaint, ForeColorIsDarkBlueInTheWindowsLayout) {
  EXPECT_EQ(kFore, platform::Rgb(28, 62, 100));
  EXPECT_EQ(platform::RedOf(kFore), 28);
  EXPECT_EQ(platform::GreenOf(kFore), 62);
  EXPECT_EQ(platform::BlueOf(kFore), 100);
}

// Glyphs 3 pixels wide and 5 high, one blank column between them.
TextMask TinyFont(const std::string& text) {
  static const std::map<char, std::vector<std::string>> glyphs = {
      {'0', {"###", "#.#", "#.#", "#.#", "###"}},
      {'1', {".#.", "##.", ".#.", ".#.", "###"}},
      {'5', {"###", "#..", "###", "..#", "###"}},
      {'%', {"#.#", "..#", ".#.", "#..", "#.#"}},
  };
  TextMask mask;
  mask.width = text.empty() ? 0 : static_cast<int>(text.size()) * 4 - 1;
  mask.height = 5;
  mask.ink.assign(static_cast<std::size_t>(mask.width * mask.height), 0);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto& glyph = glyphs.at(text[i]);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 3; ++x)
        if (glyph[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#')
          mask.ink[static_cast<std::size_t>(y * mask.width + static_cast<int>(i) * 4 + x)] = 1;
  }
  return mask;
}

// F: ForeColor, B: BackColor, f and b: their inverted pixels under a glyph.
std::vector<std::string> Picture(const Bitmap& bitmap) {
  std::vector<std::string> rows;
  for (int y = 0; y < bitmap.height; ++y) {
    std::string row;
    for (int x = 0; x < bitmap.width; ++x) {
      const Color c = bitmap.At(x, y);
      row += c == kFore                ? 'F'
             : c == kBack              ? 'B'
             : c == (kFore ^ 0xFFFFFF) ? 'f'
             : c == (kBack ^ 0xFFFFFF) ? 'b'
                                       : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

GaugeLook Look(int width, int height) {
  return GaugeLook{width, height, kFore, kBack};
}

TEST(GaugePaint, TextIsInvertedOverTheBarAndBesideIt) {
  // 50% of a 19 x 7 gauge: bar trunc(20 * 0.5) = 10 wide; "50%" is 11 x 5, placed at
  // ((19 + 1 - 11) / 2, (7 + 1 - 5) / 2) = (4, 1), across the bar's end.
  const Bitmap bitmap = PaintGauge(0, 2, 1, Look(19, 7), TinyFont);
  const std::vector<std::string> expected = {
      "FFFFFFFFFFBBBBBBBBB", "FFFFfffFffbBbBbBBBB", "FFFFfFFFfFbBBBbBBBB", "FFFFfffFfFbBBbBBBBB",
      "FFFFFFfFfFbBbBBBBBB", "FFFFfffFffbBbBbBBBB", "FFFFFFFFFFBBBBBBBBB",
  };
  EXPECT_EQ(Picture(bitmap), expected);
}

TEST(GaugePaint, NoBarAtZeroAndAFullClippedBarAtAHundred) {
  const std::vector<std::string> empty = {
      "BBBBBBBBBBBBBB", "BBBBbbbBbBbBBB", "BBBBbBbBBBbBBB",
      "BBBBbBbBBbBBBB", "BBBBbBbBbBBBBB", "BBBBbbbBbBbBBB",
  };
  EXPECT_EQ(Picture(PaintGauge(0, 43, 0, Look(14, 6), TinyFont)), empty);
  // 100%: the bar would be W + 1 wide and is clipped to the gauge; "100%" is 15 wide, one more
  // than the gauge, starts at (14 + 1 - 15) / 2 = 0 and loses its last column.
  const std::vector<std::string> full = {
      "FFFFFFFFFFFFFF", "FfFFfffFfffFfF", "ffFFfFfFfFfFFF",
      "FfFFfFfFfFfFFf", "FfFFfFfFfFfFfF", "fffFfffFfffFfF",
  };
  EXPECT_EQ(Picture(PaintGauge(0, 43, 43, Look(14, 6), TinyFont)), full);
}

TEST(GaugePaint, BarWidthFollowsThePercentageOnTheWindowsGauge) {
  struct Case {
    int max, progress, bar;
  } cases[] = {
      {30, 0, 0},    {30, 1, 5},    {43, 1, 3},  {43, 23, 104}, {43, 42, 192},
      {43, 43, 197}, {30, 30, 197}, {100, 1, 1}, {200, 1, 0},   {0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.progress) + " of " + std::to_string(c.max));
    const Bitmap bitmap = PaintGauge(0, c.max, c.progress, Look(197, 19), nullptr);
    ASSERT_EQ(bitmap.width, 197);
    ASSERT_EQ(bitmap.height, 19);
    for (int y : {0, 18}) {
      int fore = 0;
      for (int x = 0; x < 197; ++x) {
        const Color expected = x < c.bar ? kFore : kBack;
        ASSERT_EQ(bitmap.At(x, y), expected) << "x " << x;
        fore += bitmap.At(x, y) == kFore;
      }
      EXPECT_EQ(fore, c.bar);
    }
  }
}

TEST(GaugePaint, BarWidthRule) {
  struct Case {
    int percent, width, bar;
  } cases[] = {
      {0, 197, 0},     {3, 197, 5}, {1, 197, 1}, {50, 197, 99},
      {100, 197, 198}, {100, 0, 1}, {99, 0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(GaugeBarWidth(c.percent, c.width), c.bar) << c.percent;
}

TEST(GaugePaint, TextMaskOutsideTheGaugeIsClipped) {
  // A 4 x 3 gauge cannot hold "0%" (7 x 5): it starts at ((5 - 7) / 2, (4 - 5) / 2) = (-1, 0),
  // division truncating toward zero, and is cut on the left, the right and below.
  const std::vector<std::string> expected = {"bbBb", "BbBB", "BbBB"};
  EXPECT_EQ(Picture(PaintGauge(0, 5, 0, Look(4, 3), TinyFont)), expected);
}

TEST(GaugePaint, CaptionIsThePercentWithASign) {
  EXPECT_EQ(GaugeCaption(0), "0%");
  EXPECT_EQ(GaugeCaption(53), "53%");
  EXPECT_EQ(GaugeCaption(100), "100%");
}

}  // namespace
}  // namespace varnel
