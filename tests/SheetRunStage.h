// The stage a sheet runs on in a test: the application, the hidden path form, the progress
// window and the run context they share, with the install root d:\vexon7 (a temporary drive
// the test maps). The forms and their variables go with the stage.
#pragma once

#include <functional>

#include "app/Proceda.h"
#include "app/Program.h"
#include "export/PictureSinks.h"
#include "export/RunContext.h"
#include "export/SheetRun.h"
#include "forms/Forms.h"
#include "run/PicShow.h"

namespace testing_support {

// Sends each write to the sink the test chose last; to the stage's file sink when none.
class SwitchSink : public varnel::PictureSink {
 public:
  explicit SwitchSink(varnel::PictureSink& fallback) : fallback_(fallback) {}
  void Use(varnel::PictureSink* sink) { chosen_ = sink; }
  void Write(const varnel::PlannedWrite& write, const forms::TGraphic& graphic) override {
    Target().Write(write, graphic);
  }
  void Coming(const std::vector<forms::TGraphic>& graphics) override { Target().Coming(graphics); }

 private:
  varnel::PictureSink& Target() { return chosen_ != nullptr ? *chosen_ : fallback_; }
  varnel::PictureSink& fallback_;
  varnel::PictureSink* chosen_ = nullptr;
};

class SheetStage {
 public:
  SheetStage(platform::FileSystem& files, platform::Screen& screen)
      : files_(files), app(screen, [](int code) { throw forms::ProcessExit{code}; }) {
    app.Title = varnel::kApplicationTitle;
    app.CreateForm(varnel::FormProceda);
    varnel::FormProceda->DriveLocal->Text = root.Drive();
    varnel::FormProceda->DiretorioControl->Text = root.Directory();
    app.CreateForm(varnel::PictureShow, context);
  }
  ~SheetStage() { app.DestroyForms(); }
  SheetStage(const SheetStage&) = delete;
  SheetStage& operator=(const SheetStage&) = delete;

  // Creates a sheet inside the guard the run uses.
  template <class S>
  void Create(S*& variable) {
    varnel::CreateSheetGuarded(app, variable, context);
  }

 private:
  platform::FileSystem& files_;

 public:
  const varnel::InstallRoot root = varnel::InstallRoot::FromDirectory("d:\\vexon7");
  varnel::FileSink fileSink{files_};
  SwitchSink sink{fileSink};
  // Called after each progress step has reached the gauge.
  std::function<void()> onStep;
  // Hears the run's events; a test may put its own in place.
  varnel::RunEvents quiet;
  const varnel::RunContext context{files_, root, sink,
                                   [this] {
                                     varnel::ProgressStep();
                                     if (onStep) onStep();
                                   },
                                   quiet};
  forms::TApplication app;
};

}  // namespace testing_support
