#include "sheets/vnbotoes5.h"

#include <array>
#include <string>
#include <string_view>

#include "sheets/StemRuns.h"

namespace varnel {

namespace {

// The lens buttons: binoculars, spyglass, microscope.
constexpr std::array<std::string_view, 3> kMicro = {"microbinoculo", "microluneta",
                                                    "micromicroscopio"};

// The cash-register utilities. utilimpresssorafiscal is spelled with three s, and nfce has no
// util prefix.
constexpr std::array<std::string_view, 24> kUtilCaixa = {"paf64",
                                                         "utilimpresssorafiscal",
                                                         "utilcaixaretirada",
                                                         "utileditarmovimento",
                                                         "utilnotafiscalpaulista",
                                                         "utilsintegra60",
                                                         "utilcargadados",
                                                         "utileditarcaixa",
                                                         "utilfechamentooperadora",
                                                         "utilfechamentosupervisor",
                                                         "utilfitadetalhe",
                                                         "utilestornarvenda",
                                                         "utilcartaobanese",
                                                         "utilcpf",
                                                         "utilcalcular",
                                                         "utilexcluirvenda",
                                                         "utilreimprimirvenda",
                                                         "utilfuncoesimpressorafiscal",
                                                         "utilrelmovimento",
                                                         "utilftp",
                                                         "utilcaixaentrada",
                                                         "utilnfe",
                                                         "nfce",
                                                         "utiltefadm"};

// The system utilities, then the text-message tools.
constexpr std::array<std::string_view, 19> kUtilitario = {
    "config",  "rede",          "direito",     "arquivar",    "ativar",
    "log",     "cargaservidor", "ftp",         "backup",      "restaura",
    "usuario", "comandosql",    "importartxt", "sincronizar", "capturarempresa",
    "sysmsg",  "torpedo",       "tarefasms",   "ativarsms"};

// The module's three buttons.
constexpr std::array<std::string_view, 3> kQuasor = {"qsmala", "qsperfil", "qsatividade"};

// The electronic-invoice screen.
constexpr std::array<std::string_view, 15> kNfe = {"nfegerar",
                                                   "nfeconsulta",
                                                   "nfestatus",
                                                   "nfevalidarxml",
                                                   "nfeinutilizar",
                                                   "nfegerarprevia",
                                                   "nfegerarxml",
                                                   "nfeimportarxml",
                                                   "nfeenviarcontingencia",
                                                   "nfecancelar",
                                                   "nfeenviaremail",
                                                   "nfecomplementar",
                                                   "nfecomplementargerar",
                                                   "nfecarcorrecao",
                                                   "validarerro"};

// The purchase-XML screen.
constexpr std::array<std::string_view, 3> kXmlCompra = {"xmlcplocalizador", "xmlcpmanifesto",
                                                        "xmlcponline"};

// The e-mail screen.
constexpr std::array<std::string_view, 2> kEmail = {"emailenviar", "emaillista"};

// The folder sets of this sheet's blocks that differ from the themes' usual lists.
constexpr Theme kAzulCaixa = kAzul.In({"frentedecaixa", "clean"});  // no erp
constexpr Theme kAzulUtilitario = kAzul.In({"frentedecaixa", "clean", "erp"});
constexpr Theme kAzulQuasor = kAzul.In({"erp", "frentedecaixa", "clean"});
constexpr Theme kAzulFiscal = kAzul.In({"frentedecaixa", "erp"});  // no clean
constexpr Theme kRoxoBeautyFirst = kRoxo.In({"beauty", "otica"});
constexpr Theme kRoxoOtica = kRoxo.In({"otica"});          // no beauty
constexpr Theme kBegePadaria = kBege.In({"padaria"});      // no gourmet
constexpr Theme kCinzaProducao = kCinza.In({"producao"});  // no lexor

}  // namespace

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

// Nine folders only: none for dental, sindicato, producao, lexor or tarnix.
void TtBotoes5::criarmicrobotao() {
  DirectBlock(kBegePadaria, kMicro);
  DirectBlock(kAmarelo, kMicro);
  DirectBlock(kLaranja, kMicro);
  DirectBlock(kMusgo, kMicro);
  PairBlock(kAzulCaixa, kMicro);
  PairBlock(kAqua, kMicro);
  PairBlock(kRoxoOtica, kMicro);
}

void TtBotoes5::UtilCaixaBlock(const Theme& theme) {
  const std::string colour(theme.colour);
  PairBlock(theme, Through(kUtilCaixa, "paf64", "utilcaixaentrada"));
  PairExport("UtilNotaFiscal" + colour, "utilnfe", theme.folders);
  PairExport("UtilNfce" + colour, "nfce", theme.folders);
  PairBlock(theme, Through(kUtilCaixa, "utiltefadm", "utiltefadm"));
}

// No erp and no lexor.
void TtBotoes5::criarutilcaixa() {
  // The yellow block leaves out nfce (the sheet holds UtilNfceAmarelo all the same).
  PairBlock(kAmarelo, Through(kUtilCaixa, "paf64", "utilcaixaentrada"));
  PairExport("UtilNotaFiscalAmarelo", "utilnfe", kAmarelo.folders);
  PairBlock(kAmarelo, Through(kUtilCaixa, "utiltefadm", "utiltefadm"));
  UtilCaixaBlock(kAzulCaixa);
  UtilCaixaBlock(kAqua);
  UtilCaixaBlock(kLaranja);
  UtilCaixaBlock(kBege);
  UtilCaixaBlock(kRoxoBeautyFirst);
  UtilCaixaBlock(kMusgo);
  UtilCaixaBlock(kVermelho);
  UtilCaixaBlock(kCinzaProducao);
  UtilCaixaBlock(kOuro);
}

// Every colour's full folder set.
void TtBotoes5::criarutilitario() {
  PairBlock(kAzulUtilitario, kUtilitario);
  PairBlock(kAqua, kUtilitario);
  PairBlock(kRoxo, kUtilitario);
  PairBlock(kCinza, kUtilitario);
  PairBlock(kBege, kUtilitario);
  PairBlock(kOuro, kUtilitario);
  PairBlock(kMusgo, kUtilitario);
  PairBlock(kVermelho, kUtilitario);
  PairBlock(kLaranja, kUtilitario);
  PairBlock(kAmarelo, kUtilitario);
}

// Blue only, erp first.
void TtBotoes5::criarquasor() {
  PairBlock(kAzulQuasor, kQuasor);
}

// No clean.
void TtBotoes5::criarnfe() {
  PairBlock(kAzulFiscal, kNfe);
  PairBlock(kAqua, kNfe);
  PairBlock(kCinza, kNfe);
  PairBlock(kAmarelo, kNfe);
  PairBlock(kVermelho, kNfe);
  PairBlock(kRoxoBeautyFirst, kNfe);
  PairBlock(kLaranja, kNfe);
  PairBlock(kMusgo, kNfe);
  PairBlock(kOuro, kNfe);
  PairBlock(kBege, kNfe);
}

// No clean.
void TtBotoes5::criarxmlcompra() {
  PairBlock(kAzulFiscal, kXmlCompra);
  PairBlock(kAqua, kXmlCompra);
  PairBlock(kCinza, kXmlCompra);
  PairBlock(kAmarelo, kXmlCompra);
  PairBlock(kVermelho, kXmlCompra);
  PairBlock(kRoxoBeautyFirst, kXmlCompra);
  PairBlock(kLaranja, kXmlCompra);
  PairBlock(kOuro, kXmlCompra);
  PairBlock(kBege, kXmlCompra);
  PairBlock(kMusgo, kXmlCompra);
}

// No clean.
void TtBotoes5::criarEmail() {
  PairBlock(kAzulFiscal, kEmail);
  PairBlock(kAqua, kEmail);
  PairBlock(kCinza, kEmail);
  PairBlock(kAmarelo, kEmail);
  PairBlock(kVermelho, kEmail);
  PairBlock(kRoxoBeautyFirst, kEmail);
  PairBlock(kLaranja, kEmail);
  PairBlock(kOuro, kEmail);
  PairBlock(kBege, kEmail);
  PairBlock(kMusgo, kEmail);
}

}  // namespace varnel
