#include "platform/Resources.h"

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

std::vector<std::string> EmbeddedNames() {
  std::vector<std::string> names;
  for (const VarnelResource* r = varnel_resources; r->name != nullptr; ++r)
    names.emplace_back(r->name);
  return names;
}

}  // namespace platform
