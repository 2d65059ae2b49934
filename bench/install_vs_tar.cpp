// How fast and how lean a silent complete installation is, against its peers measured
// alternately in one process on the same file system:
//   - the floor (write_floor): the installed tree's files, read into memory beforehand, written
//     in the installer's order by plain open/write/close on one thread; only that write phase
//     is timed, so it is what any installer writing this tree in this order cannot beat;
//   - `tar -xf` of the same tree;
//   - a rerun of the installer over the intact tree it just made (the everyday repair);
//   - optionally an earlier build of the installer (--before), in the same rounds.
// With --wine, the same for instalador.exe against the Windows build of the floor, under Wine.
//
//   install_vs_tar [--rounds N] [--floor write_floor] [--before instalador]
//                  [--wine write_floor.exe [--before-exe instalador.exe]]
//                  <instalador> [work folder (default /dev/shm)] [instalador.exe]
//
// Prints the machine's load, the median of each figure, the ratios and their goals, the peak
// resident memory of the installer runs, and the sizes of the executables against the
// installed tree packed by `zip -9`.
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
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
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

// Runs `argv` in `dir`, its stdout into `out` (or /dev/null) and its stderr to /dev/null.
Outcome Run(const std::vector<std::string>& argv, const fs::path& dir,
            const fs::path& out = "/dev/null") {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  Outcome result;
  if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) return result;
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.peakKiB = usage.ru_maxrss;
  posix_spawn_file_actions_destroy(&actions);
  return result;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

long SizeOf(const fs::path& p) {
  std::error_code ec;
  const auto size = fs::file_size(p, ec);
  return ec ? -1 : static_cast<long>(size);
}

std::string Slurp(const fs::path& p) {
  std::ifstream in(p);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The machine's load averages, to be read beside each set of figures.
std::string Load() {
  std::string text = Slurp("/proc/loadavg");
  const auto cut = text.find(' ', text.find(' ', text.find(' ') + 1) + 1);
  return text.substr(0, cut);
}

// The write phase that write_floor printed, in seconds; nullopt when it printed none.
std::optional<double> FloorWrite(const fs::path& out) {
  const std::string text = Slurp(out);
  const auto at = text.find(" write ");
  if (at == std::string::npos) return std::nullopt;
  return std::strtod(text.c_str() + at + 7, nullptr);
}

// A fresh empty folder `work/<name>/vexon7`, the install root of one run.
fs::path FreshRoot(const fs::path& work, const std::string& name) {
  fs::remove_all(work / name);
  const fs::path root = work / name / "vexon7";
  fs::create_directories(root);
  return root;
}

// The host path as Wine's drive Z: spells it.
std::string OnZ(const fs::path& p) {
  std::string text = "z:" + p.string();
  std::replace(text.begin(), text.end(), '/', '\\');
  return text;
}

struct Series {
  std::vector<double> seconds;
  long peakKiB = 0;
  bool Add(const Outcome& o, const char* what, int round) {
    if (o.status != 0) {
      std::fprintf(stderr, "%s, round %d, ended with %d\n", what, round, o.status);
      return false;
    }
    seconds.push_back(o.seconds);
    peakKiB = std::max(peakKiB, o.peakKiB);
    return true;
  }
  double Median() const { return ::Median(seconds); }
};

void Line(const char* what, double seconds) {
  std::printf("  %-34s %7.3f s\n", what, seconds);
}

void Ratio(const char* what, double value, const char* goal) {
  std::printf("  %-34s %7.2f   %s\n", what, value, goal);
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 5;
  fs::path floor = fs::path(argv[0]).parent_path() / "write_floor";
  std::string before, wineFloor, beforeExe;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool hasValue = i + 1 < argc;
    if (a == "--rounds" && hasValue)
      rounds = std::max(1, std::atoi(argv[++i]));
    else if (a == "--floor" && hasValue)
      floor = argv[++i];
    else if (a == "--before" && hasValue)
      before = fs::absolute(argv[++i]).string();
    else if (a == "--wine" && hasValue)
      wineFloor = fs::absolute(argv[++i]).string();
    else if (a == "--before-exe" && hasValue)
      beforeExe = fs::absolute(argv[++i]).string();
    else
      positional.push_back(a);
  }
  if (positional.empty() || (!wineFloor.empty() && positional.size() < 3)) {
    std::fprintf(stderr,
                 "usage: %s [--rounds N] [--floor write_floor] [--before instalador]\n"
                 "          [--wine write_floor.exe [--before-exe instalador.exe]]\n"
                 "          <instalador> [work folder] [instalador.exe]\n",
                 argv[0]);
    return 2;
  }
  const std::string exe = fs::absolute(positional[0]).string();
  const fs::path work =
      fs::path(positional.size() > 1 ? positional[1] : "/dev/shm") / "varnel-install-vs-tar";
  const std::string windowsExe = positional.size() > 2 ? fs::absolute(positional[2]).string() : "";
  floor = fs::absolute(floor);
  fs::remove_all(work);
  fs::create_directories(work);

  // The reference tree, made once by the installer, then packed for tar and zip; its write
  // order, from the installer's own plan, for the floor.
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
  const fs::path plan = work / "plan.txt", order = work / "order.txt";
  if (Run({exe, "--list"}, reference, plan).status != 0) {
    std::fprintf(stderr, "the installer's plan could not be listed\n");
    return 1;
  }
  {
    // Each line's path, without the install root, "z:\...\vexon7\" (its case as composed).
    std::ifstream in(plan);
    std::ofstream out(order);
    const std::size_t rootLength = OnZ(reference).size() + 1;
    for (std::string line; std::getline(in, line);)
      out << line.substr(rootLength, line.find('\t') - rootLength) << '\n';
  }

  std::printf("work folder %s, %d rounds; load averages (1, 5, 15 min) at start: %s\n",
              work.parent_path().c_str(), rounds, Load().c_str());
  Series fresh, rerun, tar, floorProcess, beforeFresh, beforeRerun;
  std::vector<double> floorWrite;
  for (int i = 0; i < rounds; ++i) {
    // The earlier build goes first in every other round, so that neither build always follows
    // the same peer.
    const auto earlier = [&] {
      if (before.empty()) return true;
      const fs::path b = FreshRoot(work, "b");
      return beforeFresh.Add(Run({before, "--silent"}, b), "a fresh earlier installation", i) &&
             beforeRerun.Add(Run({before, "--silent"}, b), "an earlier rerun", i);
    };
    if (i % 2 == 1 && !earlier()) return 1;
    const fs::path a = FreshRoot(work, "i");
    if (!fresh.Add(Run({exe, "--silent"}, a), "a fresh installation", i)) return 1;
    if (!rerun.Add(Run({exe, "--silent"}, a), "a rerun", i)) return 1;
    if (i % 2 == 0 && !earlier()) return 1;
    const fs::path t = FreshRoot(work, "t");
    if (!tar.Add(Run({"tar", "-xf", tarball.string()}, t), "tar -xf", i)) return 1;
    const fs::path f = FreshRoot(work, "f");
    const fs::path floorOut = work / "floor.txt";
    const Outcome o =
        Run({floor.string(), order.string(), reference.string(), f.string()}, f, floorOut);
    const auto written = FloorWrite(floorOut);
    if (!floorProcess.Add(o, "the floor", i) || !written) return 1;
    floorWrite.push_back(*written);
  }
  for (const char* name : {"i", "b", "t", "f"}) fs::remove_all(work / name);
  const double mf = fresh.Median(), mr = rerun.Median(), mt = tar.Median(), mw = Median(floorWrite);
  std::printf("medians on %s (load at end: %s)\n", work.parent_path().c_str(), Load().c_str());
  Line("installer, fresh complete run", mf);
  Line("installer, rerun over intact tree", mr);
  Line("tar -xf", mt);
  Line("floor, write phase", mw);
  Line("floor, whole process (with load)", floorProcess.Median());
  Ratio("fresh run / floor write phase", mf / mw, "goal <= 1.15");
  Ratio("fresh run / tar -xf", mf / mt, "goal about 0.75");
  Ratio("rerun / fresh run", mr / mf, "goal <= 1.5");
  if (!before.empty()) {
    Line("earlier build, fresh run", beforeFresh.Median());
    Line("earlier build, rerun", beforeRerun.Median());
    Ratio("fresh run / earlier fresh run", mf / beforeFresh.Median(), "");
    Ratio("rerun / earlier rerun", mr / beforeRerun.Median(), "");
    Ratio("earlier fresh run / floor", beforeFresh.Median() / mw, "");
  }
  std::printf("  %-34s %7.1f MiB   goal < 32\n", "installer peak RSS",
              std::max(fresh.peakKiB, rerun.peakKiB) / 1024.0);
  if (!before.empty())
    std::printf("  %-34s %7.1f MiB\n", "earlier build peak RSS",
                std::max(beforeFresh.peakKiB, beforeRerun.peakKiB) / 1024.0);

  const long zipped = SizeOf(zipfile);
  std::printf("sizes\n  %-34s %9ld bytes, %.2f of the zip\n", "instalador", SizeOf(exe),
              static_cast<double>(SizeOf(exe)) / zipped);
  if (!windowsExe.empty())
    std::printf("  %-34s %9ld bytes, %.2f of the zip   goal < 0.75\n", "instalador.exe",
                SizeOf(windowsExe), static_cast<double>(SizeOf(windowsExe)) / zipped);
  std::printf("  %-34s %9ld bytes\n  %-34s %9ld bytes\n", "tree as tar", SizeOf(tarball),
              "tree as zip -9", zipped);

  if (!wineFloor.empty()) {
    // A prefix of its own, without a display, its server kept running between the runs so
    // that every run starts alike.
    const fs::path prefix = work / "prefix";
    setenv("WINEPREFIX", prefix.c_str(), 1);
    setenv("WINEDEBUG", "-all", 1);
    setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    if (Run({"wineboot", "-i"}, work).status != 0) {
      std::fprintf(stderr, "the Wine prefix could not be made\n");
      return 1;
    }
    Run({"wineserver", "-p"}, work);
    Series wineRun, wineRerun, wineFloorProcess, wineBefore;
    std::vector<double> wineFloorWrite;
    std::printf("under Wine, %d rounds; load at start: %s\n", rounds, Load().c_str());
    for (int i = 0; i < rounds; ++i) {
      const auto earlier = [&] {
        return beforeExe.empty() ||
               wineBefore.Add(Run({"wine", beforeExe, "--silent"}, FreshRoot(work, "wb")),
                              "the earlier instalador.exe", i);
      };
      if (i % 2 == 1 && !earlier()) break;
      const fs::path a = FreshRoot(work, "wi");
      if (!wineRun.Add(Run({"wine", windowsExe, "--silent"}, a), "instalador.exe", i)) break;
      if (!wineRerun.Add(Run({"wine", windowsExe, "--silent"}, a), "instalador.exe rerun", i))
        break;
      if (i % 2 == 0 && !earlier()) break;
      const fs::path f = FreshRoot(work, "wf");
      const fs::path floorOut = work / "floor.txt";
      const Outcome o = Run({"wine", wineFloor, OnZ(order), OnZ(reference), OnZ(f)}, f, floorOut);
      const auto written = FloorWrite(floorOut);
      if (!wineFloorProcess.Add(o, "the Windows floor", i) || !written) break;
      wineFloorWrite.push_back(*written);
    }
    Run({"wineserver", "-k"}, work);
    if (wineFloorWrite.size() == static_cast<std::size_t>(rounds)) {
      const double wr = wineRun.Median(), ww = Median(wineFloorWrite),
                   wp = wineFloorProcess.Median();
      std::printf("medians under Wine (load at end: %s)\n", Load().c_str());
      Line("instalador.exe, fresh complete run", wr);
      Line("instalador.exe, rerun", wineRerun.Median());
      Line("Windows floor, write phase", ww);
      Line("Windows floor, whole process", wp);
      Ratio("fresh run / floor write phase", wr / ww, "goal <= 1.15");
      Ratio("fresh run / floor whole process", wr / wp, "");
      Ratio("rerun / fresh run", wineRerun.Median() / wr, "");
      if (!beforeExe.empty()) {
        Line("earlier instalador.exe, fresh run", wineBefore.Median());
        Ratio("fresh run / earlier fresh run", wr / wineBefore.Median(), "");
      }
    } else {
      std::fprintf(stderr, "the Wine rounds stopped early\n");
      fs::remove_all(work);
      return 1;
    }
  }
  fs::remove_all(work);
  return 0;
}
