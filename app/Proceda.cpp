#include "app/Proceda.h"

#include "export/SheetRun.h"

namespace varnel {

TFormProceda* FormProceda = nullptr;

void TFormProceda::LoadLayout() {
  Caption = "FormProceda";
  Visible = false;
  DriveLocal = Add<forms::TEdit>("DriveLocal");
  DriveLocal->Visible = false;
  DriveLocal->Text = "C:";
  DiretorioControl = Add<forms::TEdit>("DiretorioControl");
  DiretorioControl->Visible = false;
  DiretorioControl->Text = "C:";
  // The export primitives read the install root from these two boxes at every call.
  BindInstallRootBoxes(DriveLocal, DiretorioControl);
}

}  // namespace varnel
