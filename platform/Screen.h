// The screen side of the operating system: the message pump, the modal error box and the
// message loop. Three front ends implement it: a Win32 window, an FLTK window on Linux when a
// display is there, and a terminal front that prints on stderr and never waits.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Window.h"

namespace platform {

class Screen {
 public:
  virtual ~Screen() = default;

  // Processes every pending window message (repaints, input) and returns.
  virtual void ProcessMessages() = 0;

  // Shows a modal error box (stop icon, one OK button) and returns when the user has
  // acknowledged it.
  virtual void ShowError(const std::string& caption, const std::string& text) = 0;
  // The detail behind the error just shown (the file, the system's reason), for a technician
  // reading a terminal; a window front leaves it out of the box.
  virtual void ShowDetail(const std::string& detail) { (void)detail; }

  // Dispatches window messages until `terminated` answers true or no form window is shown any
  // more (nothing the user could close to end the loop). `terminated` is asked between
  // messages, never from inside a window's message handling, and may end the process.
  virtual void RunMessageLoop(const std::function<bool()>& terminated) = 0;

  // Opens the progress window, hidden, laid out as described. A screen without windows
  // returns null and the run goes on without one.
  virtual std::unique_ptr<ProgressWindow> OpenProgressWindow(
      const ProgressWindowLayout& /*layout*/) {
    return nullptr;
  }

  // Opens a plain form's window, hidden. A screen without windows returns null.
  virtual std::unique_ptr<FormWindow> OpenFormWindow(const FormWindowLayout& /*layout*/) {
    return nullptr;
  }
};

}  // namespace platform
