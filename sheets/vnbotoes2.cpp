#include "sheets/vnbotoes2.h"

namespace varnel {

Ttbotoes2* tbotoes2 = nullptr;

std::vector<TSheet::Routine> Ttbotoes2::Routines() const {
  return {
      R("CriarBotaoSelvo", &Ttbotoes2::CriarBotaoSelvo),
      R("CriarBotaoPet", &Ttbotoes2::CriarBotaoPet),
      R("CriarbotaoVermelho", &Ttbotoes2::CriarbotaoVermelho),
      R("CriarBotaoOuro", &Ttbotoes2::CriarBotaoOuro),
      R("CriarBotaoOficina", &Ttbotoes2::CriarBotaoOficina),
      R("CriarBotaoCinza", &Ttbotoes2::CriarBotaoCinza),
      R("CriarBotaoBege", &Ttbotoes2::CriarBotaoBege),
      R("CriarBotaoRoxo", &Ttbotoes2::CriarBotaoRoxo),
      R("CriarBotaoAzul", &Ttbotoes2::CriarBotaoAzul),
      R("CriarBotaoCaixaNaoFiscal", &Ttbotoes2::CriarBotaoCaixaNaoFiscal),
  };
}

// The run of the sheet: 10 progress steps.
void Ttbotoes2::formcreate() {
  Pump();
  Step();
  Run(&Ttbotoes2::CriarBotaoSelvo);
  Step();
  Run(&Ttbotoes2::CriarBotaoPet);
  Step();
  Run(&Ttbotoes2::CriarbotaoVermelho);
  Step();
  Run(&Ttbotoes2::CriarBotaoOuro);
  Step();
  Pump();
  Run(&Ttbotoes2::CriarBotaoOficina);
  Step();
  Run(&Ttbotoes2::CriarBotaoCinza);
  Step();
  Run(&Ttbotoes2::CriarBotaoBege);
  Step();
  Run(&Ttbotoes2::CriarBotaoRoxo);
  Step();
  Run(&Ttbotoes2::CriarBotaoAzul);
  Step();
  Run(&Ttbotoes2::CriarBotaoCaixaNaoFiscal);
  Close();
}

// The routines' writes come with the sheet's catalogue and stored layout.
void Ttbotoes2::CriarBotaoSelvo() {}
void Ttbotoes2::CriarBotaoPet() {}
void Ttbotoes2::CriarbotaoVermelho() {}
void Ttbotoes2::CriarBotaoOuro() {}
void Ttbotoes2::CriarBotaoOficina() {}
void Ttbotoes2::CriarBotaoCinza() {}
void Ttbotoes2::CriarBotaoBege() {}
void Ttbotoes2::CriarBotaoRoxo() {}
void Ttbotoes2::CriarBotaoAzul() {}
void Ttbotoes2::CriarBotaoCaixaNaoFiscal() {}

}  // namespace varnel
