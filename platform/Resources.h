// Data embedded in the program itself, found by name: the stored layouts of the forms, each
// under its form class in capitals (TFORMPROCEDA, TPICTURESHOW, ...). On Windows they are
// RCDATA resources of the executable; on POSIX hosts a table in a linker section of the
// program (see cmake/Stores.cmake).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The bytes embedded under `name` (ASCII case ignored), or an empty span when there are none.
// The bytes live as long as the program.
std::span<const std::uint8_t> FindEmbedded(std::string_view name);

// Hints that the pages of embedded bytes that were read are not needed soon. On POSIX hosts they
// leave the process's resident memory and are read again from the program file when used;
// elsewhere nothing happens. Only for spans FindEmbedded returned.
void ReleaseEmbeddedPages(std::span<const std::uint8_t> embedded);

// The names of everything embedded, in the order the build put them in.
std::vector<std::string> EmbeddedNames();

}  // namespace platform
