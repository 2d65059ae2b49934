#include "sheets/vnbotoes2.h"

#include <array>
#include <string>
#include <string_view>

#include "sheets/StemRuns.h"

namespace varnel {

namespace {

// The small buttons every colour routine writes, in program order.
// clang-format off
constexpr std::array<std::string_view, 71> kCommon = {
    "pequpload", "peqgrafico", "peqconfig", "peqhome", "peqcalendario", "peqconcluido",
    "peqgerarnumero", "peqdesbloqueio", "peqbloqueio", "peqtorpedo", "peqsugestao", "paf32",
    "peqimprimir", "peqlimpar", "peqexcluir", "peqincluir", "peqgravar", "peqeditar", "peqcancelar",
    "peqpreview", "peqrefresh", "peqbusca", "peqsair", "peqclientepotencial", "peqfiltrooff",
    "peqfiltroon", "peqhelpf1", "peqclonar", "peqdata", "peqcalculo", "peqrelatorio", "peqsiga",
    "peqconfigurar", "peqativo", "peqtransfere", "peqnserie", "peqnfes", "peqpis", "peqhistorico",
    "peqpagamento", "peqxml", "peqfiltrar", "peqcontar", "peqconverte", "peqexpedicao",
    "peqestoque", "peqfornecedor", "peqclientes", "peqnfe", "peqnfc", "peqreferencia",
    "peqprodutos", "peqcalcularpreco", "peqkit", "peqcancelavenda", "peqvalidade", "peqbarra",
    "peqpalvo", "peqetiqueta", "peqboleto", "peqlistaemail", "peqatividade", "peqf7distribuir",
    "peqmaladireta", "peqimportar", "peqcapturar", "peqimpressora", "peqagendarvisita",
    "peqconvertercliente", "peqconverterstandby", "peqemail"};
// clang-format on

// The clinic buttons (peqtrnasferirf6 is spelled so).
constexpr std::array<std::string_view, 12> kClinic = {
    "peqrefreshf5",     "peqtrnasferirf6", "peqconcluidof7",   "peqpaciente",
    "peqatendimentof6", "peqmarcacao",     "peqrecepcao",      "peqadicionar",
    "peqperfil",        "peqativarsabado", "peqativardomingo", "peqmontaragenda"};

// The workshop buttons.
constexpr std::array<std::string_view, 13> kWorkshop = {
    "peqosnova",      "peqornova",      "peqclientef3",    "peqprodutosf2", "peqexcluirf4",
    "peqpagarf5",     "pequtilf11",     "peqbuscaf8",      "peqagenda",     "peqimprimirf9",
    "peqconvertef10", "peqintervencao", "peqmenufiscalf12"};

// The folder orders of this sheet that differ from the themes' usual ones.
constexpr Theme kVermelhoHere = kVermelho.In({"sindicato", "dental"});
constexpr Theme kRoxoBeautyFirst = kRoxo.In({"beauty", "otica"});
constexpr Theme kCinzaProducao = kCinza.In({"producao"});

}  // namespace

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

void Ttbotoes2::CriarBotaoSelvo() {
  PairBlock(kLaranja, kCommon);
}

void Ttbotoes2::CriarBotaoPet() {
  PairBlock(kMusgo, Through(kCommon, "pequpload", "peqxml"));
  // peqcontar comes before peqfiltrar here.
  PairExport("peqcontarmusgo", "peqcontar", kMusgo.folders);
  PairExport("peqfiltrarmusgo", "peqfiltrar", kMusgo.folders);
  PairBlock(kMusgo, Through(kCommon, "peqconverte", "peqimpressora"));
  // The pet edition's services button, then the clinic block.
  PairExport("peqservicosmusgo", "peqservicos", kMusgo.folders);
  PairBlock(kMusgo, kClinic);
  PairBlock(kMusgo, Through(kCommon, "peqagendarvisita", "peqemail"));
}

void Ttbotoes2::CriarbotaoVermelho() {
  PairBlock(kVermelhoHere, Through(kCommon, "pequpload", "peqsugestao"));
  // No paf32.
  PairBlock(kVermelhoHere, Through(kCommon, "peqimprimir", "peqfiltroon"));
  PairBlock(kVermelhoHere, kClinic);
  PairBlock(kVermelhoHere, Through(kCommon, "peqhelpf1", "peqfiltrar"));
  // No peqcontar (the sheet holds peqcontarvermelho all the same).
  PairBlock(kVermelhoHere, Through(kCommon, "peqconverte", "peqemail"));
}

void Ttbotoes2::CriarBotaoOuro() {
  PairBlock(kOuro, kCommon);
}

void Ttbotoes2::CriarBotaoOficina() {
  PairBlock(kAmarelo, Through(kCommon, "pequpload", "peqsugestao"));
  // The nfc button, first as peqnfce; it comes again as peqnfc at its place.
  PairExport("PeqNfcAmarelo", "peqnfce", kAmarelo.folders);
  PairBlock(kAmarelo, Through(kCommon, "paf32", "peqexcluir"));
  // peqclonar right after peqexcluir.
  PairExport("peqclonaramarelo", "peqclonar", kAmarelo.folders);
  PairBlock(kAmarelo, Through(kCommon, "peqincluir", "peqfiltroon"));
  PairBlock(kAmarelo, Through(kCommon, "peqdata", "peqcalculo"));
  // peqhelpf1 right after peqcalculo.
  PairExport("peqhelpf1amarelo", "peqhelpf1", kAmarelo.folders);
  PairBlock(kAmarelo, Through(kCommon, "peqrelatorio", "peqemail"));
  // The workshop block; its agenda button is spelled PeqAgendaAmarela.
  PairBlock(kAmarelo, Through(kWorkshop, "peqosnova", "peqbuscaf8"));
  PairExport("PeqAgendaAmarela", "peqagenda", kAmarelo.folders);
  PairBlock(kAmarelo, Through(kWorkshop, "peqimprimirf9", "peqmenufiscalf12"));
}

void Ttbotoes2::CriarBotaoCinza() {
  PairBlock(kCinza, Through(kCommon, "pequpload", "peqsugestao"));
  // No paf32.
  PairBlock(kCinza, Through(kCommon, "peqimprimir", "peqfornecedor"));
  // The grey clients button is spelled without the s of its stem.
  PairExport("peqclientecinza", "peqclientes", kCinza.folders);
  PairExport("peqnfecinza", "peqnfe", kCinza.folders);
  // The nfc button goes out as peqnfce only.
  PairExport("peqnfccinza", "peqnfce", kCinza.folders);
  PairBlock(kCinza, Through(kCommon, "peqreferencia", "peqimpressora"));
  // peqgrade, into producao only.
  PairExport("peqgradecinza", "peqgrade", kCinzaProducao.folders);
  PairBlock(kCinza, Through(kCommon, "peqagendarvisita", "peqemail"));
}

void Ttbotoes2::CriarBotaoBege() {
  PairBlock(kBege, kCommon);
}

void Ttbotoes2::CriarBotaoRoxo() {
  PairBlock(kRoxo, Through(kCommon, "pequpload", "peqsugestao"));
  // From paf32 to peqreferencia the folders come the other way round.
  PairBlock(kRoxoBeautyFirst, Through(kCommon, "paf32", "peqreferencia"));
  PairBlock(kRoxo, Through(kCommon, "peqprodutos", "peqimpressora"));
  PairBlock(kRoxo, kClinic);
  PairBlock(kRoxo, Through(kCommon, "peqagendarvisita", "peqemail"));
}

void Ttbotoes2::CriarBotaoAzul() {
  CashierEditionBlock(kAzul);
}

void Ttbotoes2::CriarBotaoCaixaNaoFiscal() {
  CashierEditionBlock(kAqua);
}

void Ttbotoes2::CashierEditionBlock(const Theme& theme) {
  const std::string colour(theme.colour);
  PairBlock(theme, Through(kCommon, "pequpload", "peqfiltroon"));
  // The clinic block without peqmarcacao and peqrecepcao (the sheet holds those of both
  // colours all the same).
  PairBlock(theme, Through(kClinic, "peqrefreshf5", "peqatendimentof6"));
  PairBlock(theme, Through(kClinic, "peqadicionar", "peqmontaragenda"));
  PairBlock(theme, Through(kCommon, "peqhelpf1", "peqcontar"));
  // peqcorte right after peqcontar.
  PairExport("peqcorte" + colour, "peqcorte", theme.folders);
  PairBlock(theme, Through(kCommon, "peqconverte", "peqnfe"));
  // The nfc button goes out as peqnfce only.
  PairExport("peqnfc" + colour, "peqnfce", theme.folders);
  PairBlock(theme, Through(kCommon, "peqreferencia", "peqcalcularpreco"));
  // peqgrade right after peqcalcularpreco.
  PairExport("peqgrade" + colour, "peqgrade", theme.folders);
  PairBlock(theme, Through(kCommon, "peqkit", "peqemail"));
}

}  // namespace varnel
