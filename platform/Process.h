// Ending the process.
#pragma once

namespace platform {

// Ends the process at once with `code`, after flushing the standard streams; no destructors,
// exit handlers or other shutdown processing run.
[[noreturn]] void ExitProcess(int code);

}  // namespace platform
