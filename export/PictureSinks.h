// Where the export primitives send their pictures. The primitives decide what is written and
// where (one code path); a sink carries it out. The file sink writes the files; the plan
// recorder lists every write in order, and may pass it on to another sink.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "export/UnpackAhead.h"
#include "forms/Picture.h"

namespace platform {
class FileSystem;
}

namespace varnel {

// One write of a run, and who asked for it.
struct PlannedWrite {
  std::string sheet;      // form class of the sheet, e.g. "tbotoes1"
  std::string routine;    // export routine, e.g. "criarfundo"
  std::string primitive;  // "PairExport", "DirectSave" or "GraphicSave"
  std::string component;  // component name as stored
  std::string slot;       // "Picture", "Picture1" or "Picture2"
  std::string path;       // the path as composed, before the system normalises it
  std::size_t size = 0;   // bytes of the file
};

class PictureSink {
 public:
  virtual ~PictureSink() = default;
  virtual void Write(const PlannedWrite& write, const forms::TGraphic& graphic) = 0;
  // The pictures of the writes about to come, in order (empty: none are known). A hint: the
  // writes themselves still decide what is written.
  virtual void Coming(const std::vector<forms::TGraphic>& graphics) { (void)graphics; }
};

// Writes each picture to its path through a file system, the files of the coming packed
// pictures prepared ahead on a second thread (PrepareFile), which lives as long as the sink.
class FileSink : public PictureSink {
 public:
  explicit FileSink(platform::FileSystem& files);
  void Write(const PlannedWrite& write, const forms::TGraphic& graphic) override;
  void Coming(const std::vector<forms::TGraphic>& graphics) override;

 private:
  platform::FileSystem& files_;
  UnpackAhead ahead_;
};

// Records the plan; passes each write on to `next` when one is given.
class PlanRecorder : public PictureSink {
 public:
  explicit PlanRecorder(PictureSink* next = nullptr) : next_(next) {}
  void Write(const PlannedWrite& write, const forms::TGraphic& graphic) override {
    plan.push_back(write);
    if (next_ != nullptr) next_->Write(write, graphic);
  }
  void Coming(const std::vector<forms::TGraphic>& graphics) override {
    if (next_ != nullptr) next_->Coming(graphics);
  }
  std::vector<PlannedWrite> plan;

 private:
  PictureSink* next_;
};

}  // namespace varnel
