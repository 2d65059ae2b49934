#include "app/Proceda.h"

#include "export/FormStore.h"

namespace varnel {

TFormProceda* FormProceda = nullptr;

void TFormProceda::LoadLayout() {
  LoadStoredLayout(*this, "TFORMPROCEDA");
  DriveLocal = BindComponent<forms::TEdit>(*this, "DriveLocal");
  DiretorioControl = BindComponent<forms::TEdit>(*this, "DiretorioControl");
  ClienteBege = BindComponent<TImageTri>(*this, "ClienteBege");
}

}  // namespace varnel
