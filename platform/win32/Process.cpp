#include "platform/Process.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <iostream>

namespace platform {

void ExitProcess(int code) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  ::ExitProcess(static_cast<UINT>(code));
}

}  // namespace platform
