#include "platform/Resources.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "platform/Text.h"

// The table the build generates beside the embedded stores: one entry a store, then a null
// name. Every program that links the platform library links the table.
extern "C" {
struct VarnelResource {
  const char* name;
  const std::uint8_t* begin;
  const std::uint8_t* end;
};
extern const VarnelResource varnel_resources[];
}

namespace platform {

std::span<const std::uint8_t> FindEmbedded(std::string_view name) {
  for (const VarnelResource* r = varnel_resources; r->name != nullptr; ++r)
    if (EqualsIgnoreAsciiCase(r->name, name))
      return {r->begin, static_cast<std::size_t>(r->end - r->begin)};
  return {};
}

void ReleaseEmbeddedPages(std::span<const std::uint8_t> embedded) {
  // Only whole pages inside the span: they hold nothing but embedded bytes, which are never
  // written, so dropping them loses nothing.
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto first = reinterpret_cast<std::uintptr_t>(embedded.data());
  const std::uintptr_t begin = (first + page - 1) & ~(page - 1);
  const std::uintptr_t end = (first + embedded.size()) & ~(page - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
}

std::vector<std::string> EmbeddedNames() {
  std::vector<std::string> names;
  for (const VarnelResource* r = varnel_resources; r->name != nullptr; ++r)
    names.emplace_back(r->name);
  return names;
}

}  // namespace platform
