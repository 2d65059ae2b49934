#include "run/Gauges.h"

#include <climits>
#include <string>

#include "platform/Text.h"
#include "run/GaugePaint.h"

namespace varnel {

void TGauge::SetMaxValue(int value) {
  if (value == max_) return;
  if (value < min_)
    throw forms::Exception("Value must be between " + std::to_string(min_ + 1) + " and " +
                           std::to_string(INT_MAX));
  max_ = value;
  if (progress_ > max_) progress_ = max_;
  Repaint();
}

void TGauge::SetProgress(int value) {
  if (value < min_) value = min_;
  if (value > max_) value = max_;
  if (value == progress_) return;
  const int before = PercentDone();
  progress_ = value;
  if (PercentDone() != before) Repaint();
}

void TGauge::ApplyProperty(std::string_view key, const std::string& value) {
  if (platform::EqualsIgnoreAsciiCase(key, "MaxValue"))
    SetMaxValue(IntegerValue(key, value));
  else if (platform::EqualsIgnoreAsciiCase(key, "Progress"))
    SetProgress(IntegerValue(key, value));
  else
    forms::TControl::ApplyProperty(key, value);
}

int TGauge::PercentDone() const {
  return GaugePercent(min_, max_, progress_);
}

}  // namespace varnel
