// A screen for tests: records every error box and message pump, never waits.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/Screen.h"

namespace platform {

class RecordingScreen : public Screen {
 public:
  struct ErrorBox {
    std::string caption;
    std::string text;
  };

  void ProcessMessages() override {
    ++pumps;
    if (onPump) onPump();
  }
  void ShowError(const std::string& caption, const std::string& text) override {
    errors.push_back({caption, text});
  }
  void RunMessageLoop(const std::function<bool()>& terminated) override {
    ++loops;
    terminated();
  }

  std::vector<ErrorBox> errors;
  int pumps = 0;
  int loops = 0;
  std::function<void()> onPump;
};

}  // namespace platform
