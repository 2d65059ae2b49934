#include "app/Menu.h"

#include "app/Proceda.h"
#include "export/FrmVariaveis.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "run/PicShow.h"
#include "sheets/vnBotoes.h"

namespace varnel {

TMenuPrincipal* MenuPrincipal = nullptr;
TVariaveis* Variaveis = nullptr;

namespace {
// The product's subfolder from which the installer may also be started.
constexpr std::string_view kMarker = "vexon7\\dedudodevorud";
constexpr std::size_t kMarkerKeep = 6;  // the "vexon7" of the marker stays in the root
}  // namespace

InstallRoot InstallRootFromDirectory(std::string_view currentDirectory) {
  std::string s = platform::LowerAscii(currentDirectory);
  InstallRoot root;
  root.drive = s.substr(0, 2);
  if (auto at = s.find(kMarker); at != std::string::npos) s.resize(at + kMarkerKeep);
  root.directory = s.size() > 2 ? s.substr(2) : std::string();
  return root;
}

TMenuPrincipal::TMenuPrincipal() : forms::TForm("MenuPrincipal") {
  OnCreate = [this] { FormCreate(); };
  OnClose = [this](forms::TCloseAction& action) { FormClose(action); };
}

void TMenuPrincipal::LoadLayout() {
  Caption = "Instalador";
  Visible = true;
}

void TMenuPrincipal::FormCreate() {
  const InstallRoot root =
      InstallRootFromDirectory(forms::Application->FileSystem().CurrentDirectory());
  FormProceda->DriveLocal->Text = root.drive;
  InstallDrive = root.drive;
  FormProceda->DiretorioControl->Text = root.directory;
  InstallDir = root.directory;

  forms::Application->CreateForm(PictureShow);
  PictureShow->Executar();
  // The first sheet; its run creates the others.
  CreateSheetGuarded(tbotoes);

  PictureShow->Close();
  Close();
}

void TMenuPrincipal::FormClose(forms::TCloseAction& /*action*/) {
  // The forms are torn down by the end of the process; this handler must not run twice.
  OnClose = nullptr;
  forms::Application->Terminate();
  forms::Application->Halt(forms::Application->ExitCode());
}

}  // namespace varnel
