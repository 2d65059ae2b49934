// The program's icon on the Linux window: the same Windows icon file (.ico) the Windows build
// carries as a resource, embedded in the program and read here into pictures for the window
// manager's title bar and task list.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace platform {

struct IconImage {
  int size = 0;                    // square: size x size pixels
  std::vector<std::uint8_t> rgba;  // straight red, green, blue, alpha, rows from the top
};

// The 32-bit bitmap images of a Windows icon file, in the order the file lists them. Entries
// stored as PNG or in fewer bits are passed over, as are entries whose bytes are damaged or lie
// outside the file: what is read is only ever whole images, possibly none.
std::vector<IconImage> ReadIconBitmaps(std::span<const std::uint8_t> ico);

// The program's icon file as the build embedded it; empty when there is none.
std::span<const std::uint8_t> ProgramIconFile();

}  // namespace platform
