#include "app/Proceda.h"

#include "export/FormStore.h"
#include "export/SheetRun.h"

namespace varnel {

TFormProceda* FormProceda = nullptr;

void TFormProceda::LoadLayout() {
  LoadStoredLayout(*this, "TFORMPROCEDA");
  DriveLocal = BindComponent<forms::TEdit>(*this, "DriveLocal");
  DiretorioControl = BindComponent<forms::TEdit>(*this, "DiretorioControl");
  ClienteBege = BindComponent<TImageTri>(*this, "ClienteBege");
  // The export primitives read the install root from these two boxes at every call.
  BindInstallRootBoxes(DriveLocal, DiretorioControl);
}

}  // namespace varnel
