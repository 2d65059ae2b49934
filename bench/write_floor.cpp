// write_floor: the least any installer that writes a given tree, file by file in a given
// order, on one thread, can take. It reads every file of the tree into memory first, then, and
// only that is timed, makes the folders and writes the files in order into a fresh folder:
// open (refusing an existing file), one write of the whole file, close. POSIX open/write/close
// natively, CreateFileW/WriteFile/CloseHandle in the Windows build.
//
//   write_floor <order file> <source folder> <target folder>
//
// The order file has one path a line, relative to both folders, "\" or "/" between names (the
// paths of `instalador --list` with the install root cut off). Prints
//   files <n> bytes <n> load <seconds> write <seconds>
// and ends with 0, or with 1 and the reason when a file cannot be read or written.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace {

using Clock = std::chrono::steady_clock;

#ifdef _WIN32
constexpr char kSeparator = '\\';

std::wstring Wide(const std::string& text) {
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string Reason() {
  return "system error " + std::to_string(GetLastError());
}

bool MakeFolder(const std::string& path) {
  return CreateDirectoryW(Wide(path).c_str(), nullptr) != 0 ||
         GetLastError() == ERROR_ALREADY_EXISTS;
}

bool WriteNew(const std::string& path, const std::vector<char>& bytes) {
  const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                                              &written, nullptr) != 0 &&
                                    written == bytes.size());
  return CloseHandle(file) != 0 && ok;
}
#else
constexpr char kSeparator = '/';

std::string Reason() {
  return std::strerror(errno);
}

bool MakeFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
}

bool WriteNew(const std::string& path, const std::vector<char>& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ::close(fd);
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return ::close(fd) == 0;
}
#endif

std::string Native(std::string path) {
  for (char& c : path)
    if (c == '\\' || c == '/') c = kSeparator;
  return path;
}

std::string Join(const std::string& folder, const std::string& name) {
  if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) return folder + name;
  return folder + kSeparator + name;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <order file> <source folder> <target folder>\n", argv[0]);
    return 2;
  }
  std::ifstream order(argv[1]);
  if (!order) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  std::vector<std::string> paths;
  for (std::string line; std::getline(order, line);) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (!line.empty()) paths.push_back(Native(line));
  }

  const auto loadStart = Clock::now();
  std::vector<std::vector<char>> contents;
  contents.reserve(paths.size());
  std::size_t total = 0;
  for (const std::string& path : paths) {
    std::ifstream in(Join(argv[2], path), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && !in) {
      std::fprintf(stderr, "cannot read %s\n", Join(argv[2], path).c_str());
      return 1;
    }
    total += bytes.size();
    contents.push_back(std::move(bytes));
  }
  const double load = std::chrono::duration<double>(Clock::now() - loadStart).count();

  // Timed: the folders, made as the first file in each needs them, and the files in order.
  const auto writeStart = Clock::now();
  const std::string target = argv[3];
  std::set<std::string> made;
  std::string lastFolder;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    // Files come folder by folder: only a change of folder is looked at.
    const std::size_t last = paths[i].rfind(kSeparator);
    if (last != std::string::npos && paths[i].compare(0, last, lastFolder) != 0) {
      lastFolder = paths[i].substr(0, last);
      for (std::size_t cut = paths[i].find(kSeparator); cut != std::string::npos;
           cut = paths[i].find(kSeparator, cut + 1)) {
        const std::string folder = paths[i].substr(0, cut);
        if (made.insert(folder).second && !MakeFolder(Join(target, folder))) {
          std::fprintf(stderr, "cannot make %s: %s\n", Join(target, folder).c_str(),
                       Reason().c_str());
          return 1;
        }
      }
    }
    if (!WriteNew(Join(target, paths[i]), contents[i])) {
      std::fprintf(stderr, "cannot write %s: %s\n", Join(target, paths[i]).c_str(),
                   Reason().c_str());
      return 1;
    }
  }
  const double write = std::chrono::duration<double>(Clock::now() - writeStart).count();
  std::printf("files %zu bytes %zu load %.4f write %.4f\n", paths.size(), total, load, write);
  return 0;
}
