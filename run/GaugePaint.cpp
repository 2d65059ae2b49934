#include "run/GaugePaint.h"

#include <algorithm>
#include <cstdio>

namespace varnel {

int GaugePercent(int minValue, int maxValue, int progress) {
  if (maxValue == minValue) return 0;
  return static_cast<int>(static_cast<double>(progress - minValue) * 100.0 /
                          static_cast<double>(maxValue - minValue));
}

int GaugeBarWidth(int percent, int width) {
  const int bar = static_cast<int>(static_cast<double>(width + 1) * percent * 0.01);
  return std::min(bar, width + 1);
}

std::string GaugeCaption(int percent) {
  char text[16];
  std::snprintf(text, sizeof text, "%d%%", percent);
  return text;
}

platform::Bitmap PaintGauge(int minValue, int maxValue, int progress, const GaugeLook& look,
                            const GaugeTextInk& textInk) {
  platform::Bitmap out;
  out.width = std::max(look.width, 0);
  out.height = std::max(look.height, 0);
  out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height),
                    look.backColor);

  const int percent = GaugePercent(minValue, maxValue, progress);
  const int bar = std::min(GaugeBarWidth(percent, out.width), out.width);
  if (bar >= 1) {
    for (int y = 0; y < out.height; ++y)
      std::fill_n(out.pixels.begin() + y * out.width, bar, look.foreColor);
  }

  if (!textInk) return out;
  const platform::TextMask ink = textInk(GaugeCaption(percent));
  const int left = (out.width + 1 - ink.width) / 2;
  const int top = (out.height + 1 - ink.height) / 2;
  for (int y = 0; y < ink.height; ++y) {
    const int py = top + y;
    if (py < 0 || py >= out.height) continue;
    for (int x = 0; x < ink.width; ++x) {
      const int px = left + x;
      if (px < 0 || px >= out.width || !ink.At(x, y)) continue;
      platform::Color& pixel = out.pixels[static_cast<std::size_t>(py * out.width + px)];
      pixel ^= 0xFFFFFF;
    }
  }
  return out;
}

}  // namespace varnel
