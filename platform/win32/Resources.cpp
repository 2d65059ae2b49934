#include "platform/Resources.h"

#include "platform/win32/Windows.h"

#include <string>

namespace platform {

std::span<const std::uint8_t> FindEmbedded(std::string_view name) {
  // Resource names are ASCII capitals; Windows compares them without regard to case.
  const std::wstring wide(name.begin(), name.end());
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC found = ::FindResourceW(module, wide.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (found == nullptr) return {};
  HGLOBAL loaded = ::LoadResource(module, found);
  if (loaded == nullptr) return {};
  const void* data = ::LockResource(loaded);
  const DWORD size = ::SizeofResource(module, found);
  if (data == nullptr || size == 0) return {};
  return {static_cast<const std::uint8_t*>(data), size};
}

namespace {

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
  // Only named resources are stores; numbered ones (the manifest's kind) are skipped.
  if (IS_INTRESOURCE(name)) return TRUE;
  std::string narrow;
  for (const wchar_t* c = name; *c != 0; ++c) narrow += static_cast<char>(*c);
  reinterpret_cast<std::vector<std::string>*>(names)->push_back(narrow);
  return TRUE;
}

}  // namespace

// Windows trims a process's working set of unused image pages by itself.
void ReleaseEmbeddedPages(std::span<const std::uint8_t> /*embedded*/) {}

std::vector<std::string> EmbeddedNames() {
  std::vector<std::string> names;
  ::EnumResourceNamesW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(10) /* RT_RCDATA */,
                       CollectName, reinterpret_cast<LONG_PTR>(&names));
  return names;
}

}  // namespace platform
