#include "app/Program.h"

#include "app/Menu.h"
#include "app/Proceda.h"
#include "export/FrmVariaveis.h"
#include "export/SheetRun.h"
#include "forms/Forms.h"
#include "run/PicShow.h"

namespace varnel {

namespace {

// Every global of the run starts empty, so that one process can run the installer more than
// once (tests do) and no pointer outlives its application.
void ResetRunState() {
  forms::Application = nullptr;
  FormProceda = nullptr;
  MenuPrincipal = nullptr;
  Variaveis = nullptr;
  PictureShow = nullptr;
  InstallDrive.clear();
  InstallDir.clear();
  BindInstallRootBoxes(nullptr, nullptr);
  ProgressStepHook = nullptr;
}

}  // namespace

int RunInstaller(platform::FileSystem& fs, platform::Screen& screen,
                 std::function<void(int)> exitProcess) {
  ResetRunState();
  int code = 0;
  {
    forms::TApplication app(fs, screen, std::move(exitProcess));
    forms::Application = &app;
    app.Title = kApplicationTitle;
    try {
      try {
        app.CreateForm(FormProceda);
        app.CreateForm(MenuPrincipal);
        // Reached only when the run could not start: the forms stay up until closed.
        app.CreateForm(Variaveis);
        app.Run();
      } catch (const std::exception& error) {
        app.ShowException(error);
      }
      app.Halt(app.ExitCode());
    } catch (const forms::ProcessExit& exit) {
      code = exit.code;
    }
  }
  ResetRunState();
  return code;
}

}  // namespace varnel
