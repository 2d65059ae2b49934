#include "app/Program.h"

#include <optional>

#include "app/Menu.h"
#include "app/Proceda.h"
#include "export/RunContext.h"
#include "forms/Forms.h"
#include "run/PicShow.h"

namespace varnel {

int RunInstaller(const RunSetup& setup) {
  // Everything the run creates, replaces or deletes stays inside the install root: below it no
  // link is followed.
  setup.files.Confine(setup.root.Folder());
  std::optional<FileSink> fileSink;
  if (setup.sink == nullptr) fileSink.emplace(setup.files);
  RunEvents nobody;
  RunEvents& events = setup.events != nullptr ? *setup.events : nobody;
  const RunContext context{setup.files, setup.root, setup.sink != nullptr ? *setup.sink : *fileSink,
                           ProgressStep, events};
  int code = 0;
  try {
    // The forms go with the application, and their variables with them.
    forms::TApplication app(setup.screen, setup.exitProcess);
    app.Title = kApplicationTitle;
    app.OnException = [&events](const std::string& text, const std::string& detail) {
      events.ErrorShown(text, detail);
    };
    try {
      app.CreateForm(FormProceda);
      app.CreateForm(MenuPrincipal, context);
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
  return code;
}

}  // namespace varnel
