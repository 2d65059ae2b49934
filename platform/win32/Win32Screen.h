// The Windows front: the progress window painted with GDI, plain form windows, the error box as
// a system message box, and the message pump over PeekMessage.
#pragma once

#include <memory>

#include "platform/Screen.h"

namespace platform {

class Win32Screen : public Screen {
 public:
  // Null when no window can be had (no window station or desktop, or a window cannot be
  // created, as under Wine without a display).
  static std::unique_ptr<Win32Screen> Open();
  ~Win32Screen() override;

  void ProcessMessages() override;
  void ShowError(const std::string& caption, const std::string& text) override;
  void RunMessageLoop(const std::function<bool()>& terminated) override;
  std::unique_ptr<ProgressWindow> OpenProgressWindow(const ProgressWindowLayout& layout) override;
  std::unique_ptr<FormWindow> OpenFormWindow(const FormWindowLayout& layout) override;

  // The window that owns the error box: the progress window while it is open.
  void* owner = nullptr;

 private:
  Win32Screen() = default;
  // Form windows shown: the message loop runs while there is one.
  int shownFormWindows_ = 0;
};

}  // namespace platform
