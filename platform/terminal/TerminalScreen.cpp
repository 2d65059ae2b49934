#include "platform/terminal/TerminalScreen.h"

#include <cerrno>
#include <cstdarg>
#include <string>

namespace platform {

namespace {

// The terminal's "window" colour: any pixel of another colour is part of the bar.
constexpr Color kBackground = 0xFFFFFF;

// Prints and flushes, unless the stream's reader has gone; a write that finds it gone is noted
// once, and nothing is written to the stream again.
void Print(TerminalScreen::State& state, const char* format, ...) {
  if (state.closed) return;
  std::va_list arguments;
  va_start(arguments, format);
  const int printed = std::vfprintf(state.out, format, arguments);
  va_end(arguments);
  if ((printed < 0 || std::fflush(state.out) != 0) && errno == EPIPE) state.closed = true;
  std::clearerr(state.out);
}

void EndLine(TerminalScreen::State& state) {
  if (!state.lineOpen) return;
  Print(state, "\n");
  state.lineOpen = false;
}

class TerminalProgress : public ProgressWindow {
 public:
  TerminalProgress(std::shared_ptr<TerminalScreen::State> state, std::string caption)
      : state_(std::move(state)), caption_(std::move(caption)) {}
  ~TerminalProgress() override { EndLine(*state_); }

  void Show() override {
    if (shown_) return;
    shown_ = true;
    Print();
  }
  void Hide() override {
    shown_ = false;
    EndLine(*state_);
  }
  int GaugeWidth() const override { return TerminalScreen::kGaugeColumns; }
  int GaugeHeight() const override { return 1; }
  Color WindowColor() const override { return kBackground; }
  TextMask GaugeText(const std::string& /*text*/) override { return {}; }

  void DrawGauge(int percent, const Bitmap& pixels) override {
    percent_ = percent;
    bar_.clear();
    for (int x = 0; x < pixels.width && pixels.height > 0; ++x)
      bar_ += pixels.At(x, 0) == kBackground ? '.' : '#';
    if (shown_) Print();
  }

 private:
  void Print() {
    if (!state_->redrawInPlace && percent_ == printed_) return;
    printed_ = percent_;
    platform::Print(*state_, "%s%s [%s] %3d%%%s", state_->redrawInPlace ? "\r" : "",
                    caption_.c_str(), bar_.c_str(), percent_, state_->redrawInPlace ? "" : "\n");
    state_->lineOpen = state_->redrawInPlace;
  }

  std::shared_ptr<TerminalScreen::State> state_;
  std::string caption_;
  std::string bar_;
  int percent_ = 0;
  int printed_ = -1;
  bool shown_ = false;
};

}  // namespace

void TerminalScreen::ShowError(const std::string& caption, const std::string& text) {
  EndLine(*state_);
  Print(*state_, "%s: %s\n", caption.c_str(), text.c_str());
}

void TerminalScreen::ShowDetail(const std::string& detail) {
  EndLine(*state_);
  std::fprintf(state_->out, "  %s\n", detail.c_str());
  std::fflush(state_->out);
}

void TerminalScreen::RunMessageLoop(const std::function<bool()>& terminated) {
  terminated();
}

std::unique_ptr<ProgressWindow> TerminalScreen::OpenProgressWindow(
    const ProgressWindowLayout& layout) {
  return std::make_unique<TerminalProgress>(state_, layout.caption);
}

}  // namespace platform
