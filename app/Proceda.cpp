#include "app/Proceda.h"

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
}

}  // namespace varnel
