// The gauge's look, as one pure function from its state and size to pixels. Every front end
// draws the gauge from it; only the text's ink comes from the front end's font.
#pragma once

#include <functional>
#include <string>

#include "platform/Window.h"

namespace varnel {

// The shown percentage: trunc((progress - min) * 100 / (max - min)) in floating point,
// 0 when max equals min.
int GaugePercent(int minValue, int maxValue, int progress);

// Width of the bar for `percent` on a gauge `width` pixels wide: trunc((width + 1) * percent *
// 0.01), at most width + 1. The caller clips it to the gauge.
int GaugeBarWidth(int percent, int width);

// The text the gauge shows for `percent`, "%d%%".
std::string GaugeCaption(int percent);

// Gives the ink of a text in the gauge's font.
using GaugeTextInk = std::function<platform::TextMask(const std::string& text)>;

struct GaugeLook {
  int width = 0;
  int height = 0;
  platform::Color foreColor = 0;
  platform::Color backColor = 0;
};

// Paints a horizontal gauge: BackColor everywhere, the bar in ForeColor from the left edge over
// the full height, then the percentage text centred at ((W + 1 - text width) / 2,
// (H + 1 - text height) / 2) by inverting every pixel under a glyph (exclusive-or with white),
// so it reads as ForeColor's complement over the bar and BackColor's beside it.
platform::Bitmap PaintGauge(int minValue, int maxValue, int progress, const GaugeLook& look,
                            const GaugeTextInk& textInk);

}  // namespace varnel
