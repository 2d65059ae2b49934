// A screen for tests: records every error box, message pump and form window, never waits.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
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

  // A form window the screen opened, as a test sees it; it outlives the window.
  struct FormWindowRecord {
    FormWindowLayout layout;
    bool shown = false;
    bool destroyed = false;
    std::function<void()> closeRequest;  // the window's OnCloseRequest while it exists

    // What the user's click on the close button does.
    void RequestClose() const {
      if (!destroyed && closeRequest) closeRequest();
    }
  };

  void ProcessMessages() override {
    ++pumps;
    if (onPump) onPump();
  }
  void ShowError(const std::string& caption, const std::string& text) override {
    errors.push_back({caption, text});
  }
  // Like the window fronts, runs while a form window is shown, with the test playing the user
  // in `onWait` between messages; without `onWait` it returns at once.
  void RunMessageLoop(const std::function<bool()>& terminated) override {
    ++loops;
    while (!terminated() && onWait && ShownFormWindows() > 0) onWait();
  }
  std::unique_ptr<FormWindow> OpenFormWindow(const FormWindowLayout& layout) override {
    if (!formWindows) return nullptr;
    auto record = std::make_shared<FormWindowRecord>();
    record->layout = layout;
    windows.push_back(record);
    return std::make_unique<Window>(record);
  }

  int ShownFormWindows() const {
    return static_cast<int>(
        std::count_if(windows.begin(), windows.end(), [](const auto& w) { return w->shown; }));
  }
  // The first window of that caption ever opened, or null.
  const FormWindowRecord* WindowCaptioned(const std::string& caption) const {
    for (const auto& w : windows)
      if (w->layout.caption == caption) return w.get();
    return nullptr;
  }

  std::vector<ErrorBox> errors;
  int pumps = 0;
  int loops = 0;
  std::function<void()> onPump;
  // Whether plain form windows can be had (a window front) or not (the terminal).
  bool formWindows = true;
  std::vector<std::shared_ptr<FormWindowRecord>> windows;
  std::function<void()> onWait;

 private:
  class Window : public FormWindow {
   public:
    explicit Window(std::shared_ptr<FormWindowRecord> record) : record_(std::move(record)) {
      record_->closeRequest = [this] {
        if (OnCloseRequest) OnCloseRequest();
      };
    }
    ~Window() override {
      record_->shown = false;
      record_->destroyed = true;
      record_->closeRequest = nullptr;
    }
    void Show() override { record_->shown = true; }
    void Hide() override { record_->shown = false; }

   private:
    std::shared_ptr<FormWindowRecord> record_;
  };
};

}  // namespace platform
