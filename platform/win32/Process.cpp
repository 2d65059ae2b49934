#include "platform/Process.h"

#include "platform/win32/Windows.h"

#include <cstdio>
#include <iostream>

namespace platform {

void IgnoreBrokenPipes() {}

void ExitProcess(int code) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  ::ExitProcess(static_cast<UINT>(code));
}

}  // namespace platform
