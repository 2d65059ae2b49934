#include "sheets/vnbotoes1.h"

namespace varnel {

Ttbotoes1* tbotoes1 = nullptr;

std::vector<TSheet::Routine> Ttbotoes1::Routines() const {
  return {
      R("criarfundo", &Ttbotoes1::criarfundo),
      R("criarcaixa", &Ttbotoes1::criarcaixa),
      R("criarsindicato", &Ttbotoes1::criarsindicato),
      R("criarlexor", &Ttbotoes1::criarlexor),
  };
}

// The run of the sheet: 6 progress steps.
void Ttbotoes1::formcreate() {
  Pump();
  Step();
  Run(&Ttbotoes1::criarfundo);
  Step();
  Run(&Ttbotoes1::criarcaixa);
  Step();
  Pump();
  Step();
  Run(&Ttbotoes1::criarsindicato);
  Step();
  Run(&Ttbotoes1::criarlexor);
  Step();
  Close();
}

// The routines' writes come with the sheet's catalogue and stored layout.
void Ttbotoes1::criarfundo() {}
void Ttbotoes1::criarcaixa() {}
void Ttbotoes1::criarsindicato() {}
void Ttbotoes1::criarlexor() {}

}  // namespace varnel
