// Checks a screenshot of the progress window by its pixels.
//
//   shot_check SHOT.ppm BAR over|beside|both [painted|gauge-only [SCALE]]
//
// Finds the gauge by its bar (the first pixel of ForeColor, scanning from the top left) and
// checks: 19 rows of bar, the bar BAR pixels wide, every pixel of the 197 x 19 gauge either
// ForeColor or its complement left of BAR and white or black right of it, inverted text
// present over the bar, beside it, or both, and nowhere else; and the gauge panel's lowered
// bevel, 3 pixels of shadow grey, right above and left of it. "painted" also asks for the
// label's black text and the picture (red above, blue below); "gauge-only" asks for a label area
// of one colour, never painted. A full bar: the percentage in a bold face; "painted": the
// label's text whole and centred in its box.
//
// SCALE is the display's scaling in percent (150 for 144 DPI); the window is then expected at
// that scale: every length scaled, give or take a pixel of rounding. BAR "full" is a gauge at
// 100 %, whose bar covers it: its width is then measured, and the bevel checked on all four
// sides, equally thick, so the gauge lies wholly inside its panel.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

constexpr Rgb kFore{28, 62, 100};
constexpr Rgb kForeInverted{227, 193, 155};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr int kGaugeWidth = 197;  // at 100 %
constexpr int kGaugeHeight = 19;
constexpr int kBevel = 3;  // the gauge panel's

struct Image {
  int width = 0, height = 0;
  std::vector<unsigned char> data;
  Rgb At(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return {data[i], data[i + 1], data[i + 2]};
  }
};

bool ReadPpm(const char* path, Image& image) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxValue = 0;
  in >> magic >> image.width >> image.height >> maxValue;
  in.get();
  if (!in || magic != "P6" || maxValue != 255) return false;
  image.data.resize(static_cast<std::size_t>(image.width) * image.height * 3);
  in.read(reinterpret_cast<char*>(image.data.data()),
          static_cast<std::streamsize>(image.data.size()));
  return static_cast<bool>(in);
}

int failures = 0;
void Check(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAIL", what.c_str());
  if (!ok) ++failures;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr,
                 "usage: shot_check SHOT.ppm BAR|full over|beside|both [painted|gauge-only "
                 "[SCALE]]\n");
    return 2;
  }
  Image image;
  if (!ReadPpm(argv[1], image)) {
    std::fprintf(stderr, "cannot read %s as a binary PPM\n", argv[1]);
    return 2;
  }
  const bool full = std::string(argv[2]) == "full";
  const std::string text = argv[3];
  const std::string mode = argc > 4 ? argv[4] : "";
  const int scale = argc > 5 ? std::atoi(argv[5]) : 100;
  // A length of the window at 100 %, at the screenshot's scale; exact at 100 %, within a pixel
  // of rounding otherwise.
  const auto scaled = [scale](int length) {
    return static_cast<int>(std::lround(length * scale / 100.0));
  };
  const int slack = scale == 100 ? 0 : 1;
  const auto near = [slack](int got, int want) { return std::abs(got - want) <= slack; };

  int x0 = -1, y0 = -1;
  for (int y = 0; y < image.height && x0 < 0; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.At(x, y) == kFore) {
        x0 = x;
        y0 = y;
        break;
      }
  Check(x0 >= 0, "a pixel of ForeColor 28,62,100 on the screen");
  if (x0 < 0) return 1;
  std::printf("gauge at %d,%d\n", x0, y0);

  int rows = 0;
  while (y0 + rows < image.height && image.At(x0, y0 + rows) == kFore) ++rows;
  int width = 0;
  while (x0 + width < image.width && image.At(x0 + width, y0) == kFore) ++width;
  const int gaugeHeight = scale == 100 ? kGaugeHeight : rows;
  const int gaugeWidth = full ? width : scaled(kGaugeWidth);
  const int bar = full ? gaugeWidth : std::atoi(argv[2]);
  if (x0 + gaugeWidth > image.width || y0 + gaugeHeight > image.height || x0 < scaled(110) ||
      y0 < scaled(45)) {
    Check(false, "the gauge lies inside the screen with room for the window around it");
    return 1;
  }
  Check(near(rows, scaled(kGaugeHeight)), "bar " + std::to_string(rows) + " rows high, " +
                                              std::to_string(scaled(kGaugeHeight)) + " expected");
  Check(full ? near(width, scaled(kGaugeWidth)) : width == bar,
        "bar " + std::to_string(width) + " pixels wide, " +
            std::to_string(full ? scaled(kGaugeWidth) : bar) + " expected");

  // The lowered bevel of a painted window: shadow grey above and left, highlight (white, like
  // the gauge's background) below and right, all as thick as each other, then the panel's face.
  const auto shadow = [](Rgb c) { return c.r == c.g && c.g == c.b && c.r <= 192; };
  const auto run = [&](int x, int y, int dx, int dy, auto same) {
    int n = 0;
    for (; x >= 0 && y >= 0 && x < image.width && y < image.height && same(image.At(x, y));
         x += dx, y += dy)
      ++n;
    return n;
  };
  const int above = run(x0, y0 - 1, 0, -1, shadow), left = run(x0 - 1, y0, -1, 0, shadow);
  if (mode == "painted")
    Check(near(above, scaled(kBevel)) && near(left, scaled(kBevel)) && above == left,
          "bevel " + std::to_string(above) + " above and " + std::to_string(left) +
              " left of the gauge, " + std::to_string(scaled(kBevel)) + " expected");
  if (full && mode == "painted") {
    const auto white = [](Rgb c) { return c == kWhite; };
    const int right = run(x0 + gaugeWidth, y0, 1, 0, white);
    const int below = run(x0, y0 + gaugeHeight, 0, 1, white);
    Check(right == above && below == above,
          "bevel " + std::to_string(right) + " right of and " + std::to_string(below) +
              " below the gauge, as thick as above: the gauge lies inside its panel");
  }

  int stray = 0, invertedOverBar = 0, invertedBeside = 0;
  for (int y = y0; y < y0 + gaugeHeight; ++y)
    for (int x = x0; x < x0 + gaugeWidth; ++x) {
      const Rgb c = image.At(x, y);
      if (x - x0 < bar) {
        if (c == kForeInverted)
          ++invertedOverBar;
        else if (!(c == kFore))
          ++stray;
      } else {
        if (c == kBlack)
          ++invertedBeside;
        else if (!(c == kWhite))
          ++stray;
      }
    }
  Check(stray == 0, std::to_string(stray) + " gauge pixels of another colour");
  // The percentage is in a bold face. Judged on a full gauge, whose "100%" has upright strokes
  // (the 1, the sides of the 0s): a pixel of one (three rows of text or more above one another)
  // lies in a horizontal run of two pixels or more in a bold face, of one in a regular face.
  // Runs longer than three pixels lie along a bar and are left out.
  if (bar >= gaugeWidth) {
    const auto ink = [&](int x, int y) {
      return x >= x0 && x < x0 + gaugeWidth && y >= y0 && y < y0 + gaugeHeight &&
             image.At(x, y) == kForeInverted;
    };
    int upright = 0, wide = 0;
    for (int y = y0; y < y0 + gaugeHeight; ++y)
      for (int x = x0; x < x0 + gaugeWidth; ++x) {
        if (!ink(x, y)) continue;
        int first = x, last = x, top = y, bottom = y;
        while (ink(first - 1, y)) --first;
        while (ink(last + 1, y)) ++last;
        while (ink(x, top - 1)) --top;
        while (ink(x, bottom + 1)) ++bottom;
        const int across = last - first + 1;
        if (bottom - top + 1 < scaled(3) || across > scaled(3)) continue;
        ++upright;
        wide += across >= scaled(2);
      }
    Check(upright > 0 && wide * 3 >= upright * 2,
          std::to_string(wide) + " of " + std::to_string(upright) +
              " pixels of the percentage's upright strokes in runs " + std::to_string(scaled(2)) +
              " to " + std::to_string(scaled(3)) + " pixels wide: a bold face");
  }

  const bool over = text != "beside", beside = text != "over";
  Check(over ? invertedOverBar > 20 : invertedOverBar == 0,
        std::to_string(invertedOverBar) + " text pixels inverted over the bar");
  Check(beside ? invertedBeside > 20 : invertedBeside == 0,
        std::to_string(invertedBeside) + " text pixels inverted beside the bar");

  if (mode.empty()) return failures == 0 ? 0 : 1;

  // The window's panel origin: the gauge lies at (3, 3) on the gauge panel, at (102, 38).
  const int px = x0 - scaled(105), py = y0 - scaled(41);
  int labelInk = 0, labelOther = 0;
  const Rgb labelCorner = image.At(px + scaled(106), py + scaled(10));
  for (int y = py + scaled(10); y < py + scaled(29); ++y)
    for (int x = px + scaled(106); x < px + scaled(307); ++x) {
      labelInk += image.At(x, y) == kBlack;
      labelOther += !(image.At(x, y) == labelCorner);
    }
  if (mode == "painted") {
    // The label's text whole inside its box: a column without ink at either end (a text wider
    // than the box is cut at both), the margins alike (centred).
    const Rgb face = image.At(px + scaled(100), py + scaled(20));
    int firstInk = -1, lastInk = -1;
    const int labelLeft = px + scaled(106), labelWidth = scaled(307) - scaled(106);
    for (int x = labelLeft; x < labelLeft + labelWidth; ++x)
      for (int y = py + scaled(10); y < py + scaled(29); ++y)
        if (!(image.At(x, y) == face)) {
          if (firstInk < 0) firstInk = x - labelLeft;
          lastInk = x - labelLeft;
          break;
        }
    const int rightMargin = labelWidth - 1 - lastInk;
    Check(firstInk >= 1 && rightMargin >= 1 && std::abs(firstInk - rightMargin) <= 2,
          "label text from column " + std::to_string(firstInk) + " to " + std::to_string(lastInk) +
              " of its " + std::to_string(labelWidth) + "-pixel box: whole and centred");
    const Rgb edge = image.At(x0, y0 - 1);
    Check(shadow(edge), "the gauge panel's lowered bevel, a shadow grey, above the gauge");
    Check(labelInk > scaled(scaled(200)), std::to_string(labelInk) + " black label pixels");
    const Rgb top = image.At(px + scaled(44), py + scaled(20));
    const Rgb low = image.At(px + scaled(44), py + scaled(100));
    Check(top.r > 180 && top.g < 80 && top.b < 80, "picture red in its upper half");
    Check(low.b > 180 && low.r < 80 && low.g < 80, "picture blue in its lower half");
    const Rgb beyond = image.At(px + scaled(90), py + scaled(20));
    Check(beyond == image.At(px + scaled(95), py + scaled(80)) && !(beyond == top),
          "the picture ends " + std::to_string(scaled(86)) + " pixels into the panel");
  } else {
    Check(labelOther == 0, std::to_string(labelOther) +
                               " pixels in the label's area unlike its "
                               "corner: the area must be unpainted");
  }
  return failures == 0 ? 0 : 1;
}
