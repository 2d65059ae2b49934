// The later sheets whose stores this program does not carry yet. Creating one fails as a load
// error that the run shows in the error box before it goes on, so a complete run then ends
// with exit code 1. Once every sheet is carried the list is empty, a complete run shows no
// error box and ends with 0.
#pragma once

#include <string>
#include <vector>

#include "platform/Resources.h"
#include "platform/Text.h"

namespace testing_support {

// The error box texts of the missing later sheets, in the order the run creates them.
inline std::vector<std::string> MissingSheetErrors() {
  std::vector<std::string> out;
  for (const std::string sheet : {"tbotoes2", "tbotoes3", "tBotoes5"}) {
    const std::string resource = platform::UpperAscii(sheet);
    if (platform::FindEmbedded(resource).empty())
      out.push_back("Cannot load sheet " + sheet + ": Stored layout " + resource +
                    " is not in the program.");
  }
  return out;
}

inline int CompleteRunExitCode() {
  return MissingSheetErrors().empty() ? 0 : 1;
}

}  // namespace testing_support
