#include "sheets/vnbotoes5.h"

namespace varnel {

TtBotoes5* tBotoes5 = nullptr;

std::vector<TSheet::Routine> TtBotoes5::Routines() const {
  return {
      R("criarmicrobotao", &TtBotoes5::criarmicrobotao),
      R("criarutilcaixa", &TtBotoes5::criarutilcaixa),
      R("criarutilitario", &TtBotoes5::criarutilitario),
      R("criarquasor", &TtBotoes5::criarquasor),
      R("criarnfe", &TtBotoes5::criarnfe),
      R("criarxmlcompra", &TtBotoes5::criarxmlcompra),
      R("criarEmail", &TtBotoes5::criarEmail),
  };
}

// The run of the sheet: 8 progress steps.
void TtBotoes5::formcreate() {
  Pump();
  Step();
  Pump();
  Step();
  Run(&TtBotoes5::criarmicrobotao);
  Step();
  Run(&TtBotoes5::criarutilcaixa);
  Step();
  Run(&TtBotoes5::criarutilitario);
  Step();
  Run(&TtBotoes5::criarquasor);
  Step();
  Run(&TtBotoes5::criarnfe);
  Step();
  Run(&TtBotoes5::criarxmlcompra);
  Step();
  Run(&TtBotoes5::criarEmail);
  Close();
}

// The routines' writes come with the sheet's catalogue and stored layout.
void TtBotoes5::criarmicrobotao() {}
void TtBotoes5::criarutilcaixa() {}
void TtBotoes5::criarutilitario() {}
void TtBotoes5::criarquasor() {}
void TtBotoes5::criarnfe() {}
void TtBotoes5::criarxmlcompra() {}
void TtBotoes5::criarEmail() {}

}  // namespace varnel
