// Sheet tbotoes2: The small-button set of every colour theme.
#pragma once

#include <vector>

#include "export/SheetRun.h"

namespace varnel {

class Ttbotoes2 : public TSheet {
 public:
  static constexpr const char* kClassName = "tbotoes2";
  explicit Ttbotoes2(const RunContext& context) : TSheet(kClassName, context) {}

  // The export routines, in the order formcreate runs them.
  void CriarBotaoSelvo();
  void CriarBotaoPet();
  void CriarbotaoVermelho();
  void CriarBotaoOuro();
  void CriarBotaoOficina();
  void CriarBotaoCinza();
  void CriarBotaoBege();
  void CriarBotaoRoxo();
  void CriarBotaoAzul();
  void CriarBotaoCaixaNaoFiscal();

 protected:
  std::vector<Routine> Routines() const override;
  void formcreate() override;

 private:
  // The blue and light-blue routines depart from the common list in the same places.
  void CashierEditionBlock(const Theme& theme);
};

extern Ttbotoes2* tbotoes2;

}  // namespace varnel
