#include "app/Plan.h"

#include <algorithm>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "app/Program.h"
#include "export/FrmVariaveis.h"
#include "export/PictureSinks.h"
#include "forms/Forms.h"
#include "platform/ReadOnlyFileSystem.h"
#include "platform/Text.h"
#include "platform/terminal/TerminalScreen.h"

namespace varnel {

namespace {

struct Entry {
  PlannedWrite write;
  forms::TGraphic graphic;  // refers to the embedded store, valid for the process
};

// Records every write with its bytes.
class KeepingSink : public PictureSink {
 public:
  void Write(const PlannedWrite& write, const forms::TGraphic& graphic) override {
    entries.push_back({write, graphic});
  }
  std::vector<Entry> entries;
};

// Errors on the terminal, but no progress line: the plan-based modes print their own output.
class QuietScreen : public platform::TerminalScreen {
 public:
  using platform::TerminalScreen::TerminalScreen;
  std::unique_ptr<platform::ProgressWindow> OpenProgressWindow(
      const platform::ProgressWindowLayout&) override {
    return nullptr;
  }
};

// Runs the installer without changing anything and returns its exit code with the plan.
int RecordPlan(platform::FileSystem& files, const InstallRoot& root, std::FILE* err,
               KeepingSink& sink) {
  platform::ReadOnlyFileSystem readOnly(files);
  QuietScreen screen(err);
  return RunInstaller(
      {readOnly, root, screen, [](int exitCode) { throw forms::ProcessExit{exitCode}; }, &sink});
}

}  // namespace

int ListPlan(platform::FileSystem& fs, const InstallRoot& root, std::FILE* out, std::FILE* err) {
  KeepingSink sink;
  const int code = RecordPlan(fs, root, err, sink);
  for (const Entry& e : sink.entries) {
    const PlannedWrite& w = e.write;
    std::fprintf(out, "%s\t%s\t%s\t%s\t%s\t%zu\n", fs.FullPath(w.path).c_str(), w.sheet.c_str(),
                 w.routine.c_str(), w.component.c_str(), w.slot.c_str(), w.size);
  }
  return code;
}

int VerifyTree(platform::FileSystem& fs, const InstallRoot& root, std::FILE* out, std::FILE* err) {
  KeepingSink sink;
  if (RecordPlan(fs, root, err, sink) != 0) {
    std::fprintf(err, "The installation could not be worked out; nothing was compared.\n");
    return 1;
  }
  // The tree is read as a run writes it: nothing below the install root through a link.
  fs.Confine(root.Folder());
  // The last write to a path decides its content; paths compare without regard to case.
  std::map<std::string, const Entry*> expected;
  for (const Entry& e : sink.entries)
    expected[platform::LowerAscii(fs.FullPath(e.write.path))] = &e;

  // A folder between the install root and a file that is a link: what stands at the file's
  // path is reached only through it, so it is no regular file of the tree.
  const std::string rootFolder = fs.FullPath(root.Folder());
  std::map<std::string, bool> linkedFolders;
  const auto throughLink = [&](const std::string& path) {
    for (std::size_t cut = path.rfind('\\'); cut != std::string::npos && cut > rootFolder.size();
         cut = path.rfind('\\', cut - 1)) {
      const std::string folder = path.substr(0, cut);
      auto known = linkedFolders.find(folder);
      if (known == linkedFolders.end())
        known = linkedFolders.emplace(folder, fs.Inspect(folder).kind == platform::PathKind::kLink)
                    .first;
      if (known->second) return true;
    }
    return false;
  };

  std::size_t same = 0, missing = 0, different = 0, notRegular = 0, extra = 0;
  std::vector<std::uint8_t> bytes, scratch;
  for (const auto& [key, entry] : expected) {
    const std::string path = fs.FullPath(entry->write.path);
    const platform::PathKind kind = fs.Inspect(path).kind;
    if ((kind == platform::PathKind::kMissing && throughLink(path)) ||
        (kind != platform::PathKind::kMissing && kind != platform::PathKind::kFile)) {
      // A link, a folder or anything else where the file should be.
      std::fprintf(out, "not a regular file  %s\n", path.c_str());
      ++notRegular;
    } else if (!fs.ReadFile(path, bytes).ok()) {
      std::fprintf(out, "missing    %s\n", path.c_str());
      ++missing;
    } else if (const auto wanted = forms::FileBytes(entry->graphic, scratch);
               !std::equal(bytes.begin(), bytes.end(), wanted.begin(), wanted.end())) {
      std::fprintf(out, "different  %s\n", path.c_str());
      ++different;
    } else {
      ++same;
    }
  }
  for (std::string_view folder : kEditionFolders) {
    const std::string dir = root.EditionFolder(folder);
    std::vector<std::string> names;
    if (!fs.ListDirectory(dir, names).ok()) continue;
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
      const std::string path = fs.FullPath(dir + "\\" + name);
      if (expected.count(platform::LowerAscii(path)) != 0) continue;
      std::fprintf(out, "extra      %s\n", path.c_str());
      ++extra;
    }
  }
  // The count of paths that are no regular file is shown when there are any.
  const std::string notRegularText =
      notRegular == 0 ? std::string() : ", " + std::to_string(notRegular) + " not a regular file";
  std::fprintf(out,
               "%zu files checked under %s: %zu as installed, %zu missing, %zu different%s; "
               "%zu extra.\n",
               expected.size(), fs.FullPath(root.Btn()).c_str(), same, missing, different,
               notRegularText.c_str(), extra);
  return missing + different + notRegular + extra == 0 ? 0 : 1;
}

}  // namespace varnel
