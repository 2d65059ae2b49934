// How fast and how lean a silent complete installation is, against extracting the identical
// tree with `tar -xf`, measured alternately in one process on the same file system.
//
//   install_vs_tar <instalador> [work folder (default /dev/shm)] [instalador.exe]
//
// Prints the median of five runs of each, their ratio (the goal is 1.0 or less), the peak
// resident memory of the installer runs, and the sizes of the executables against the size of
// the installed tree packed by `zip -9` (the goal: smaller).
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  double seconds = 0;
  long peakKiB = 0;
};

// Runs `argv` in `dir` with stdout and stderr sent to /dev/null.
Outcome Run(const std::vector<std::string>& argv, const fs::path& dir) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  Outcome out;
  if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) return out;
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  out.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  out.peakKiB = usage.ru_maxrss;
  posix_spawn_file_actions_destroy(&actions);
  return out;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

long SizeOf(const fs::path& p) {
  std::error_code ec;
  const auto size = fs::file_size(p, ec);
  return ec ? -1 : static_cast<long>(size);
}

// A numbered name: Numbered("i", 3) is "i3".
std::string Numbered(std::string prefix, std::size_t n) {
  prefix += std::to_string(n);
  return prefix;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <instalador> [work folder] [instalador.exe]\n", argv[0]);
    return 2;
  }
  const std::string exe = fs::absolute(argv[1]).string();
  const fs::path work = fs::path(argc > 2 ? argv[2] : "/dev/shm") / "varnel-install-vs-tar";
  fs::remove_all(work);
  fs::create_directories(work);

  // The reference tree, made once by the installer, then packed for tar.
  const fs::path reference = work / "reference" / "vexon7";
  fs::create_directories(reference);
  if (Run({exe, "--silent"}, reference).status != 0) {
    std::fprintf(stderr, "the reference installation failed\n");
    return 1;
  }
  const fs::path tarball = work / "tree.tar";
  Run({"tar", "-cf", tarball.string(), "-C", reference.string(), "btn"}, work);
  const fs::path zipfile = work / "tree.zip";
  Run({"zip", "-9", "-r", "-q", zipfile.string(), "btn"}, reference);

  std::vector<double> install, tar;
  long peakKiB = 0;
  for (int i = 0; i < 5; ++i) {
    const fs::path a = work / Numbered("i", i) / "vexon7";
    fs::create_directories(a);
    const Outcome o = Run({exe, "--silent"}, a);
    if (o.status != 0) {
      std::fprintf(stderr, "installation %d ended with %d\n", i, o.status);
      return 1;
    }
    install.push_back(o.seconds);
    peakKiB = std::max(peakKiB, o.peakKiB);
    const fs::path t = work / Numbered("t", i) / "vexon7";
    fs::create_directories(t);
    tar.push_back(Run({"tar", "-xf", tarball.string()}, t).seconds);
    fs::remove_all(a.parent_path());
    fs::remove_all(t.parent_path());
  }
  const double mi = Median(install), mt = Median(tar);
  std::printf("work folder            %s\n", work.parent_path().c_str());
  std::printf("installer, median of 5 %.3f s\n", mi);
  std::printf("tar -xf, median of 5   %.3f s\n", mt);
  std::printf("ratio installer / tar  %.2f\n", mi / mt);
  std::printf("installer peak RSS     %.1f MiB\n", peakKiB / 1024.0);
  const long zipped = SizeOf(zipfile);
  std::printf("instalador             %ld bytes, %.2f of the zip\n", SizeOf(exe),
              static_cast<double>(SizeOf(exe)) / zipped);
  if (argc > 3)
    std::printf("instalador.exe         %ld bytes, %.2f of the zip\n", SizeOf(argv[3]),
                static_cast<double>(SizeOf(argv[3])) / zipped);
  std::printf("tree as tar            %ld bytes\n", SizeOf(tarball));
  std::printf("tree as zip -9         %ld bytes\n", zipped);
  fs::remove_all(work);
  return 0;
}
