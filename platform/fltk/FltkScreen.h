// The Linux desktop front: the progress window, plain form windows and the error box as FLTK
// windows on an X display. The message pump is Fl::check(); the gauge is drawn straight onto the
// window when it changes, the rest of the window when messages are processed.
#pragma once

#include "platform/Screen.h"

namespace platform {

class FltkScreen : public Screen {
 public:
  // Takes over an X display connection that is already open (see MakeNativeScreen).
  explicit FltkScreen(void* xDisplay);

  void ProcessMessages() override;
  void ShowError(const std::string& caption, const std::string& text) override;
  void RunMessageLoop(const std::function<bool()>& terminated) override;
  std::unique_ptr<ProgressWindow> OpenProgressWindow(const ProgressWindowLayout& layout) override;
  std::unique_ptr<FormWindow> OpenFormWindow(const FormWindowLayout& layout) override;

 private:
  // Form windows shown: the message loop runs while there is one.
  int shownFormWindows_ = 0;
};

}  // namespace platform
