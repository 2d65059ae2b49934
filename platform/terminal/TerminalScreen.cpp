#include "platform/terminal/TerminalScreen.h"

namespace platform {

void TerminalScreen::ShowError(const std::string& caption, const std::string& text) {
  std::fprintf(out_, "%s: %s\n", caption.c_str(), text.c_str());
  std::fflush(out_);
}

void TerminalScreen::RunMessageLoop(const std::function<bool()>& terminated) {
  terminated();
}

}  // namespace platform
