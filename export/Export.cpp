#include "export/Export.h"

#include "export/PictureFile.h"
#include "forms/Forms.h"

namespace varnel {

namespace {
FileSink fileSink;
PictureSink* currentSink = nullptr;
}  // namespace

void FileSink::Write(const PlannedWrite& write, const forms::TGraphic& graphic) {
  WriteGraphic(forms::Application->FileSystem(), graphic, write.path);
}

PictureSink& CurrentSink() {
  return currentSink != nullptr ? *currentSink : fileSink;
}

void SetCurrentSink(PictureSink* sink) {
  currentSink = sink;
}

}  // namespace varnel
