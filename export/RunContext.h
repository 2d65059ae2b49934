// What a run works with, handed to each form and sheet when it is created: the file system,
// the install root, where the pictures go, the progress gauge, and who listens to its events.
// Program main builds it (see RunInstaller); nothing of a run is reached any other way.
#pragma once

#include <functional>

#include "export/InstallRoot.h"
#include "export/PictureSinks.h"
#include "export/RunEvents.h"
#include "platform/FileSystem.h"

namespace varnel {

struct RunContext {
  platform::FileSystem& files;
  const InstallRoot& root;
  // Receives every picture the export primitives write.
  PictureSink& sink;
  // One progress step of the run: the gauge's Progress plus one (nothing when there is none).
  std::function<void()> progressStep;
  RunEvents& events;
};

}  // namespace varnel
