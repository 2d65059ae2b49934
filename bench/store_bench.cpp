// store_bench: what loading a store and writing its pictures cost, against peers measured in
// the same run.
//   - load: checking a store completely (PictureStore::Load), against one plain pass over its
//     bytes (a sum), as a ratio; peak memory of the process afterwards;
//   - write: every picture of a store written once through WriteGraphic (unpacking packed
//     rows; the targets exist after the first round, so a temporary file beside the target
//     replaces each), against the same file bytes, unpacked beforehand, written by a plain
//     open/write/close loop, and against an in-place write through the same file system
//     (create the target, write, close), as ratios.
// Usage: store_bench [output folder] (default: a fresh folder under /tmp)
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "export/PictureCheck.h"
#include "export/PictureFile.h"
#include "export/PictureStore.h"
#include "platform/FileSystem.h"
#include "platform/Resources.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Runs `work` repeatedly for about `budget` seconds; seconds per run.
template <class F>
double Time(F&& work, double budget = 0.5) {
  int runs = 0;
  const auto start = Clock::now();
  do {
    work();
    ++runs;
  } while (Seconds(start) < budget);
  return Seconds(start) / runs;
}

// A numbered name: Numbered("i", 3) is "i3".
std::string Numbered(std::string prefix, std::size_t n) {
  prefix += std::to_string(n);
  return prefix;
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path folder;
  if (argc > 1) {
    folder = argv[1];
  } else {
    std::string pattern = (std::filesystem::temp_directory_path() / "store-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return 1;
    folder = pattern;
  }
  std::filesystem::create_directories(folder);
  platform::PosixFileSystem fs;
  const std::string windowsFolder = "z:" + folder.string();

  std::printf("%-14s %9s %9s %10s %9s %10s %12s %14s %9s\n", "store", "bytes", "load us",
              "load/scan", "peak KiB", "write us", "write/plain", "write/inplace", "pictures");
  for (const std::string& name : platform::EmbeddedNames()) {
    const auto bytes = platform::FindEmbedded(name);
    if (bytes.empty()) continue;
    volatile unsigned sink = 0;
    const double scan = Time([&] {
      unsigned sum = 0;
      for (std::uint8_t b : bytes) sum += b;
      sink = sink + sum;
    });
    const double load = Time([&] { (void)varnel::PictureStore::Load(bytes, name); });
    const varnel::PictureStore store = varnel::PictureStore::Load(bytes, name);
    const long peak = PeakKiB();

    const auto& pictures = store.Pictures();
    std::vector<std::vector<std::uint8_t>> files;
    for (const varnel::StoredPicture& p : pictures) {
      std::vector<std::uint8_t> scratch;
      const auto whole = forms::FileBytes(p.graphic, scratch);
      files.emplace_back(whole.begin(), whole.end());
    }
    const auto path = [&](std::size_t i) { return windowsFolder + "/p" + std::to_string(i); };
    const double ours = Time([&] {
      for (std::size_t i = 0; i < pictures.size(); ++i)
        varnel::WriteGraphic(fs, pictures[i].graphic, path(i));
    });
    const double plain = Time([&] {
      for (std::size_t i = 0; i < pictures.size(); ++i) {
        const std::string host = (folder / Numbered("p", i)).string();
        std::FILE* f = std::fopen(host.c_str(), "wb");
        if (f == nullptr) std::abort();
        const auto& b = files[i];
        if (std::fwrite(b.data(), 1, b.size(), f) != b.size()) std::abort();
        std::fclose(f);
      }
    });
    const double inPlace = Time([&] {
      for (std::size_t i = 0; i < pictures.size(); ++i) {
        std::unique_ptr<platform::File> file;
        if (!fs.CreateFile(path(i), false, file).ok()) std::abort();
        const auto& b = files[i];
        if (!file->Write(b.data(), b.size()).ok()) std::abort();
        if (!file->Close().ok()) std::abort();
      }
    });
    std::printf("%-14s %9zu %9.1f %10.2f %9ld %10.1f %12.2f %14.2f %9zu\n", name.c_str(),
                bytes.size(), load * 1e6, load / scan, peak, ours * 1e6, ours / plain,
                ours / inPlace, pictures.size());
  }
  if (argc <= 1) std::filesystem::remove_all(folder);
  return 0;
}
