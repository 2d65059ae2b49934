#include "sheets/vnBotoes.h"

#include "sheets/vnbotoes1.h"
#include "sheets/vnbotoes2.h"
#include "sheets/vnbotoes3.h"
#include "sheets/vnbotoes5.h"

namespace varnel {

Ttbotoes* tbotoes = nullptr;

std::vector<TSheet::Routine> Ttbotoes::Routines() const {
  return {
      R("criarlogobanco", &Ttbotoes::criarlogobanco),
      R("criartabelasgerais", &Ttbotoes::criartabelasgerais),
      R("criarlogin", &Ttbotoes::criarlogin),
      R("criarsubmenu", &Ttbotoes::criarsubmenu),
      R("criarcobranca", &Ttbotoes::criarcobranca),
      R("criarestoque", &Ttbotoes::criarestoque),
      R("criarcontroltotal", &Ttbotoes::criarcontroltotal),
      R("criarrelatorio", &Ttbotoes::criarrelatorio),
  };
}

// The run of the sheet: 12 progress steps.
void Ttbotoes::formcreate() {
  Pump();
  Step();
  Run(&Ttbotoes::criarlogobanco);
  Step();
  Run(&Ttbotoes::criartabelasgerais);
  Step();
  Run(&Ttbotoes::criarlogin);
  Step();
  Run(&Ttbotoes::criarsubmenu);
  Step();
  Run(&Ttbotoes::criarcobranca);
  Step();
  Run(&Ttbotoes::criarestoque);
  Step();
  Run(&Ttbotoes::criarcontroltotal);
  Step();
  Run(&Ttbotoes::criarrelatorio);
  Step();
  CreateSheet(tbotoes1);
  Step();
  CreateSheet(tbotoes2);
  Step();
  CreateSheet(tbotoes3);
  Step();
  CreateSheet(tBotoes5);
  DeleteMarkerFile();
  Close();
}

// The routines' writes come with the sheet's catalogue and stored layout.
void Ttbotoes::criarlogobanco() {}
void Ttbotoes::criartabelasgerais() {}
void Ttbotoes::criarlogin() {}
void Ttbotoes::criarsubmenu() {}
void Ttbotoes::criarcobranca() {}
void Ttbotoes::criarestoque() {}
void Ttbotoes::criarcontroltotal() {}
void Ttbotoes::criarrelatorio() {}

}  // namespace varnel
