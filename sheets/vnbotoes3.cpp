#include "sheets/vnbotoes3.h"

namespace varnel {

Ttbotoes3* tbotoes3 = nullptr;

std::vector<TSheet::Routine> Ttbotoes3::Routines() const {
  return {
      R("criarbotaocontrol", &Ttbotoes3::criarbotaocontrol),
      R("criarbotaopreview", &Ttbotoes3::criarbotaopreview),
      R("criarbotaovida", &Ttbotoes3::criarbotaovida),
      R("criarbotaof3", &Ttbotoes3::criarbotaof3),
      R("criarbotaopagamento", &Ttbotoes3::criarbotaopagamento),
      R("criarbotaorelato", &Ttbotoes3::criarbotaorelato),
  };
}

// The run of the sheet: 7 progress steps.
void Ttbotoes3::formcreate() {
  Pump();
  Step();
  Pump();
  Run(&Ttbotoes3::criarbotaocontrol);
  Step();
  Run(&Ttbotoes3::criarbotaopreview);
  Step();
  Run(&Ttbotoes3::criarbotaovida);
  Step();
  Run(&Ttbotoes3::criarbotaof3);
  Step();
  Run(&Ttbotoes3::criarbotaopagamento);
  Step();
  Run(&Ttbotoes3::criarbotaorelato);
  Step();
  Close();
}

// The routines' writes come with the sheet's catalogue and stored layout.
void Ttbotoes3::criarbotaocontrol() {}
void Ttbotoes3::criarbotaopreview() {}
void Ttbotoes3::criarbotaovida() {}
void Ttbotoes3::criarbotaof3() {}
void Ttbotoes3::criarbotaopagamento() {}
void Ttbotoes3::criarbotaorelato() {}

}  // namespace varnel
