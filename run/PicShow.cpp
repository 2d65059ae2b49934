#include "run/PicShow.h"

#include "export/FormStore.h"
#include "export/FrmVariaveis.h"
#include "export/PictureFile.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace varnel {

TPictureShow* PictureShow = nullptr;

TPictureShow::TPictureShow() : forms::TForm("PictureShow") {
  OnCreate = [this] { FormCreate(); };
  ProgressStepHook = ProgressStep;
  OnClose = [this](forms::TCloseAction& action) { FormClose(action); };
}

void TPictureShow::LoadLayout() {
  LoadStoredLayout(*this, "TPICTURESHOW", {ComponentClass<TGauge>()});
  PnGeral = BindComponent<forms::TPanel>(*this, "PnGeral");
  Image1 = BindComponent<forms::TImage>(*this, "Image1");
  AlertaLabel = BindComponent<forms::TLabel>(*this, "AlertaLabel");
  Panel2 = BindComponent<forms::TPanel>(*this, "Panel2");
  Progresso = BindComponent<TGauge>(*this, "Progresso");
}

void TPictureShow::FormCreate() {
  Progresso->SetMaxValue(kProgressSteps);
  forms::Application->ProcessMessages();
}

void TPictureShow::FormClose(forms::TCloseAction& action) { action = forms::TCloseAction::caFree; }

void CreateFolderQuietly(const std::string& path) {
  try {
    forms::Application->FileSystem().CreateDirectory(platform::LowerAscii(path));
  } catch (const std::exception&) {
    // best effort, like the creation itself
  }
}

void TPictureShow::Executar() {
  CreateFolderQuietly(InstallDrive + "\\mysql\\data\\" + InstallDir);
  CreateFolderQuietly(InstallDrive + "\\mysql\\data\\" + InstallDir + "tmp");
  try {
    forms::Application->FileSystem().SetCurrentDirectory(InstallDrive + InstallDir);
  } catch (const std::exception&) {
    // every later path is absolute
  }
  const std::string btn = InstallDrive + InstallDir + "\\btn";
  CreateFolderQuietly(btn);
  for (std::string_view folder : kEditionFolders) {
    CreateFolderQuietly(btn + "\\" + std::string(folder));
    // What a killed run left half written goes before anything is written again.
    try {
      RemoveLeftoverTemporaries(forms::Application->FileSystem(),
                                platform::LowerAscii(btn + "\\" + std::string(folder)));
    } catch (const std::exception&) {
      // best effort, like the folders themselves
    }
  }
  Show();
}

void ProgressStep() {
  if (PictureShow != nullptr) PictureShow->Progresso->AddProgress(1);
}

}  // namespace varnel
