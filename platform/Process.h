// Ending the process, and what may end it unasked.
#pragma once

namespace platform {

// A closed output (a pipe whose reader has gone) no longer ends the process: a write to it
// fails (EPIPE) and the program goes on. Called once, at the start of main. Nothing to do on
// Windows, where such a write only fails.
void IgnoreBrokenPipes();

// Ends the process at once with `code`, after flushing the standard streams; no destructors,
// exit handlers or other shutdown processing run.
[[noreturn]] void ExitProcess(int code);

}  // namespace platform
