// The stage a sheet runs on in a test: the application, the hidden path form holding the
// install root d:\vexon7 and the progress window; and the clean slate afterwards, since the run
// keeps its forms in globals.
#pragma once

#include "app/Proceda.h"
#include "app/Program.h"
#include "export/Export.h"
#include "export/FrmVariaveis.h"
#include "export/SheetRun.h"
#include "forms/Forms.h"
#include "run/PicShow.h"

namespace testing_support {

inline void OpenSheetStage(forms::TApplication& app) {
  forms::Application = &app;
  app.Title = varnel::kApplicationTitle;
  app.CreateForm(varnel::FormProceda);
  varnel::FormProceda->DriveLocal->Text = "d:";
  varnel::FormProceda->DiretorioControl->Text = "\\vexon7";
  varnel::InstallDrive = "d:";
  varnel::InstallDir = "\\vexon7";
  app.CreateForm(varnel::PictureShow);
}

inline void CloseSheetStage(forms::TApplication& app) {
  varnel::SetCurrentSink(nullptr);
  app.DestroyForms();
  forms::Application = nullptr;
  varnel::FormProceda = nullptr;
  varnel::PictureShow = nullptr;
  varnel::BindInstallRootBoxes(nullptr, nullptr);
  varnel::ProgressStepHook = nullptr;
}

}  // namespace testing_support
