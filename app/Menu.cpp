#include "app/Menu.h"

#include "app/Proceda.h"
#include "export/FormStore.h"
#include "run/PicShow.h"
#include "sheets/vnBotoes.h"

namespace varnel {

TMenuPrincipal* MenuPrincipal = nullptr;
TVariaveis* Variaveis = nullptr;

TMenuPrincipal::TMenuPrincipal(const RunContext& context)
    : forms::TForm("MenuPrincipal"), context_(context) {
  OnCreate = [this] { FormCreate(); };
  OnClose = [this](forms::TCloseAction& action) { FormClose(action); };
}

void TMenuPrincipal::LoadLayout() {
  LoadStoredLayout(*this, "TMENUPRINCIPAL");
}

void TMenuPrincipal::FormCreate() {
  // The hidden path form shows the install root as the product's forms do; the run itself
  // composes its paths on the root it was given.
  FormProceda->DriveLocal->Text = context_.root.Drive();
  FormProceda->DiretorioControl->Text = context_.root.Directory();

  Application().CreateForm(PictureShow, context_);
  PictureShow->Executar();
  // The first sheet; its run creates the others.
  CreateSheetGuarded(Application(), tbotoes, context_);

  PictureShow->Close();
  Close();
}

void TMenuPrincipal::FormClose(forms::TCloseAction& /*action*/) {
  // The forms are torn down by the end of the process; this handler must not run twice.
  OnClose = nullptr;
  Application().Terminate();
  Application().Halt(Application().ExitCode());
}

}  // namespace varnel
