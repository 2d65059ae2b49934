// TGauge: the percentage bar of the progress window. This file holds its state rules; front
// ends draw it.
#pragma once

#include <functional>

#include "forms/Forms.h"
#include "platform/Window.h"

namespace varnel {

// A colour that stands for the system's window background; the front end says which it is.
inline constexpr platform::Color kClWindow = 0xFF000005;

class TGauge : public forms::TControl {
 public:
  static constexpr const char* kClassName = "TGauge";
  using forms::TControl::TControl;

  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  int Progress() const { return progress_; }

  // A maximum below the minimum is refused; Progress is lowered to a new, smaller maximum.
  void SetMaxValue(int value);
  // Clamped into [MinValue, MaxValue]; repaints only when the shown percentage changes.
  void SetProgress(int value);
  void AddProgress(int step) { SetProgress(progress_ + step); }

  // The shown percentage: trunc((Progress - Min) * 100 / (Max - Min)), 0 when Max equals Min.
  int PercentDone() const;

  platform::Color ForeColor = 0;  // black
  platform::Color BackColor = kClWindow;

  // Called when the gauge must be repainted at once.
  std::function<void()> OnRepaint;

 protected:
  // Stored MaxValue and Progress go through their setters.
  void ApplyProperty(std::string_view key, const std::string& value) override;

 private:
  void Repaint() {
    if (OnRepaint) OnRepaint();
  }
  int min_ = 0;
  int max_ = 100;
  int progress_ = 0;
};

}  // namespace varnel
