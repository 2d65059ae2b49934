#include "sheets/vnBotoes.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "export/MarkerFile.h"
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
  DeleteMarkerFile(Context());
  Close();
}

namespace {

// This sheet passes the blue and light-blue folders in its own order; the other colours go in
// their usual order.
constexpr Theme kAzulHere = kAzul.In({"frentedecaixa", "clean", "erp"});
constexpr Theme kAquaHere = kAqua.In({"caixa", "mercado"});

// Bank logos "lb<code>", written as <code>.bmp into boletologo, in this order.
constexpr std::array<std::string_view, 51> kBancos = {
    "001", "004", "008", "021", "024", "041", "038", "036", "033", "031", "029", "028", "027",
    "070", "104", "151", "231", "237", "244", "246", "263", "275", "291", "320", "641", "604",
    "610", "422", "409", "399", "392", "389", "356", "353", "347", "341", "479", "707", "424",
    "453", "600", "633", "749", "623", "702", "637", "756", "748", "745", "741", "721"};

// Master data.
constexpr std::array<std::string_view, 12> kTabelas = {
    "cliente", "fornecedor", "vendedor",         "empresa", "formapagamento",  "dolar",
    "estado",  "cidade",     "clientepotencial", "setor",   "origemindicacao", "dre"};

constexpr std::array<std::string_view, 5> kLogin = {"senhasiga", "senhaconfigurar", "senhasaida",
                                                    "senhagravar", "senhaalterar"};

constexpr std::array<std::string_view, 15> kSubmenu = {
    "submenutelefone",       "submenuponto",        "submenuoficializar",   "submenutrevik",
    "submenuagendatelefone", "submenuagendavisita", "submenumestre",        "submenupalvo",
    "submenufuncaofamilia",  "submenuhelp",         "submenuinternet",      "submenucalculadora",
    "submenuinfo",           "submenusaida",        "submenudireitoautoral"};
// The blue and light-blue submenu blocks put submenuagendatelefone before submenutrevik.
constexpr std::array<std::string_view, 15> kSubmenuAzulAqua = {
    "submenutelefone",      "submenuponto",        "submenuoficializar",   "submenuagendatelefone",
    "submenutrevik",        "submenuagendavisita", "submenumestre",        "submenupalvo",
    "submenufuncaofamilia", "submenuhelp",         "submenuinternet",      "submenucalculadora",
    "submenuinfo",          "submenusaida",        "submenudireitoautoral"};

// Collection.
constexpr std::array<std::string_view, 4> kCobranca = {"cobranca", "ocorrencia", "bordero",
                                                       "historicocobranca"};
// The sales desk, in blue and light blue only (page "Caixa"; the stem "caixa" is a file name).
constexpr std::array<std::string_view, 5> kBalcao = {"caixa", "balcao", "expedicao", "envelope",
                                                     "consulta"};

constexpr std::array<std::string_view, 19> kEstoque = {
    "unirvenda", "kit",        "contagem",    "sintegra60", "ajuste",        "movimento",
    "estoque",   "transporte", "unidade",     "natureza",   "tributo",       "grupoxsubgrupo",
    "subgrupo",  "grupo",      "ajustepreco", "promocao",   "transferencia", "tabelapreco",
    "sat"};

constexpr std::array<std::string_view, 16> kControlTotal = {
    "pagar",           "pago",          "receber",      "recebido",
    "perdido",         "comissaopagar", "comissaopaga", "saldoconta",
    "centroresultado", "planoconta",    "master",       "rateio",
    "contacorrente",   "banco",         "doc",          "extrato"};

constexpr std::array<std::string_view, 5> kRelatorio = {"grafico", "relatorio", "sped", "sintegra",
                                                        "graficonovo"};

}  // namespace

// 51 bank logos into boletologo.
void Ttbotoes::criarlogobanco() {
  for (std::string_view code : kBancos)
    DirectSave("lb" + std::string(code), Slot::Picture,
               "\\btn\\boletologo\\" + std::string(code) + ".bmp");
}

// 408 files.
void Ttbotoes::criartabelasgerais() {
  PairBlock(kCinza, kTabelas);
  PairBlock(kAzulHere, kTabelas);
  PairBlock(kAquaHere, kTabelas);
  PairBlock(kBege, kTabelas);
  PairBlock(kRoxo, kTabelas);
  PairBlock(kVermelho, kTabelas);
  PairBlock(kMusgo, kTabelas);
  PairBlock(kAmarelo, kTabelas);
  PairBlock(kLaranja, kTabelas);
  PairBlock(kOuro, kTabelas);
}

// 180 files: the grey login buttons go a third time into relatorio, and red is written one
// folder at a time.
void Ttbotoes::criarlogin() {
  DirectBlock(kMusgo, kLogin);
  PairBlock(kAzulHere, kLogin);
  PairBlock(kAquaHere, kLogin);
  DirectBlock(kAmarelo, kLogin);
  DirectBlock(kRoxo, kLogin);
  DirectBlock(kBege, kLogin);
  DirectBlock(kVermelho.In({"dental"}), kLogin);
  PairBlock(kCinza, kLogin);
  DirectBlock(kCinza.In({"relatorio"}), kLogin);  // the grey buttons again, into relatorio
  DirectBlock(kVermelho.In({"sindicato"}), kLogin);
  PairBlock(kLaranja, kLogin);
  PairBlock(kOuro, kLogin);
}

// 510 files, small buttons.
void Ttbotoes::criarsubmenu() {
  DirectBlock(kMusgo, kSubmenu);
  DirectBlock(kBege, kSubmenu);
  DirectBlock(kAmarelo, kSubmenu);
  PairBlock(kAzulHere, kSubmenuAzulAqua);  // submenuagendatelefone before submenutrevik
  PairBlock(kAquaHere, kSubmenuAzulAqua);  // likewise
  DirectBlock(kRoxo, kSubmenu);
  DirectBlock(kLaranja, kSubmenu);
  DirectBlock(kOuro, kSubmenu);
  PairBlock(kCinza, kSubmenu);
  DirectBlock(kVermelho, kSubmenu);
}

// 186 files: the collection buttons in every colour, the sales desk in blue and light blue.
void Ttbotoes::criarcobranca() {
  DirectBlock(kMusgo, kCobranca);
  DirectBlock(kAmarelo, kCobranca);
  DirectBlock(kBege, kCobranca);
  PairBlock(kAzulHere, kCobranca);
  PairBlock(kAzulHere, kBalcao);  // the blue sales desk follows the blue collection buttons
  PairBlock(kAquaHere, kBalcao);  // light blue: the sales desk first ...
  PairBlock(kCinza, kCobranca);
  DirectBlock(kVermelho.In({"dental"}), kCobranca);
  DirectBlock(kRoxo, kCobranca);
  DirectBlock(kVermelho.In({"sindicato"}), kCobranca);
  PairBlock(kLaranja, kCobranca);
  PairBlock(kAquaHere, kCobranca);  // ... its collection buttons come later
  PairBlock(kOuro, kCobranca);
}

// 646 files.
void Ttbotoes::criarestoque() {
  PairBlock(kAmarelo, kEstoque);
  PairBlock(kMusgo, kEstoque);
  PairBlock(kBege, kEstoque);
  PairBlock(kAzulHere, kEstoque);
  PairBlock(kAquaHere, kEstoque);
  PairBlock(kVermelho, kEstoque);
  PairBlock(kRoxo, kEstoque);
  PairBlock(kCinza, kEstoque);
  PairBlock(kLaranja, kEstoque);
  PairBlock(kOuro, kEstoque);
}

// 544 files.
void Ttbotoes::criarcontroltotal() {
  PairBlock(kCinza, kControlTotal);
  PairBlock(kAzulHere, kControlTotal);
  PairBlock(kAquaHere, kControlTotal);
  PairBlock(kMusgo, kControlTotal);
  PairBlock(kBege, kControlTotal);
  PairBlock(kVermelho, kControlTotal);
  PairBlock(kRoxo, kControlTotal);
  PairBlock(kLaranja, kControlTotal);
  PairBlock(kAmarelo, kControlTotal);
  PairBlock(kOuro, kControlTotal);
}

// 172 files.
void Ttbotoes::criarrelatorio() {
  // The pet edition's own report button sits between sintegra and graficonovo.
  PairBlock(kMusgo, Stems(kRelatorio).first(4));
  PairExport("relatoriopet", "relatoriopet", {"pet"});
  PairBlock(kMusgo, Stems(kRelatorio).subspan(4));
  PairBlock(kBege, kRelatorio);
  PairBlock(kAmarelo, kRelatorio);
  PairBlock(kAzulHere, kRelatorio);
  PairBlock(kAquaHere, kRelatorio);
  PairBlock(kRoxo, kRelatorio);
  PairBlock(kCinza, kRelatorio);
  PairBlock(kVermelho, kRelatorio);
  PairBlock(kLaranja, kRelatorio);
  PairBlock(kOuro, kRelatorio);
}

}  // namespace varnel
