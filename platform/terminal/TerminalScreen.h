// The terminal front: used when no window can be shown. Errors are printed on stderr and
// nothing ever waits for the user.
#pragma once

#include <cstdio>

#include "platform/Screen.h"

namespace platform {

class TerminalScreen : public Screen {
 public:
  explicit TerminalScreen(std::FILE* out = stderr) : out_(out) {}

  void ProcessMessages() override {}
  void ShowError(const std::string& caption, const std::string& text) override;
  // There is no window that could end a message loop: it returns at once.
  void RunMessageLoop(const std::function<bool()>& terminated) override;

 private:
  std::FILE* out_;
};

}  // namespace platform
