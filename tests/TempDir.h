// A fresh temporary folder for one test, removed with everything in it afterwards; and the
// process's current directory restored when the test changed it.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace testing_support {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "varnel-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    char cwd[4096];
    if (::getcwd(cwd, sizeof cwd) != nullptr) savedCwd_ = cwd;
  }
  ~TempDir() {
    if (!savedCwd_.empty() && ::chdir(savedCwd_.c_str()) != 0) {
    }
    std::error_code ignored;
    // Read-only files and folders left by a test must not stop the clean-up.
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& sub) const { return path_ / sub; }

 private:
  std::filesystem::path path_;
  std::string savedCwd_;
};

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace testing_support
