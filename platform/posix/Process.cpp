#include "platform/Process.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>

namespace platform {

void IgnoreBrokenPipes() {
  std::signal(SIGPIPE, SIG_IGN);
}

void ExitProcess(int code) {
  std::fflush(nullptr);
  ::_exit(code);
}

}  // namespace platform
