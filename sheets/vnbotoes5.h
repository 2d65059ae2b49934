// Sheet tBotoes5: Cash-register and system utilities, module, lens, NF-e, purchase-XML and e-mail
// buttons.
#pragma once

#include <vector>

#include "export/SheetRun.h"

namespace varnel {

class TtBotoes5 : public TSheet {
 public:
  static constexpr const char* kClassName = "tBotoes5";
  explicit TtBotoes5(const RunContext& context) : TSheet(kClassName, context) {}

  // The export routines, in the order formcreate runs them.
  void criarmicrobotao();
  void criarutilcaixa();
  void criarutilitario();
  void criarquasor();
  void criarnfe();
  void criarxmlcompra();
  void criarEmail();

 protected:
  std::vector<Routine> Routines() const override;
  void formcreate() override;

 private:
  // A cash-register utility block: utilnfe is written from UtilNotaFiscal + colour word and
  // nfce from UtilNfce + colour word.
  void UtilCaixaBlock(const Theme& theme);
};

extern TtBotoes5* tBotoes5;

}  // namespace varnel
