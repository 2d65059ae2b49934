// The terminal front: used when no window can be shown. The gauge is one line on the output
// stream, errors are printed there too, and nothing ever waits for the user. When the stream
// is a pipe whose reader has gone, what would be printed is dropped.
#pragma once

#include <cstdio>
#include <memory>

#include "platform/Screen.h"

namespace platform {

class TerminalScreen : public Screen {
 public:
  // `redrawInPlace`: the stream is a terminal, so the gauge line is redrawn with a carriage
  // return; otherwise each new percentage is printed on a line of its own.
  explicit TerminalScreen(std::FILE* out = stderr, bool redrawInPlace = false)
      : state_(std::make_shared<State>(State{out, redrawInPlace, false})) {}

  void ProcessMessages() override {}
  void ShowError(const std::string& caption, const std::string& text) override;
  void ShowDetail(const std::string& detail) override;
  // There is no window that could end a message loop: it returns at once.
  void RunMessageLoop(const std::function<bool()>& terminated) override;
  std::unique_ptr<ProgressWindow> OpenProgressWindow(const ProgressWindowLayout& layout) override;

  // Columns of the gauge's bar.
  static constexpr int kGaugeColumns = 40;

  struct State {
    std::FILE* out;
    bool redrawInPlace;
    bool lineOpen;  // a gauge line was drawn in place and not yet ended
    // The stream's reader has gone (a closed pipe): nothing more is written to it. The run goes
    // on; only its progress and messages are lost.
    bool closed = false;
  };

 private:
  std::shared_ptr<State> state_;
};

}  // namespace platform
