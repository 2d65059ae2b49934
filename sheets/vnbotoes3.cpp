#include "sheets/vnbotoes3.h"

#include <array>
#include <string>
#include <string_view>

#include "sheets/StemRuns.h"

namespace varnel {

namespace {

// The financial-control buttons carry no colour word: their components are named by their
// stems, and they all go into the control folder.
constexpr Theme kControl{"", {"control"}};

// Group pagar: the direct-saved buttons.
constexpr std::array<std::string_view, 21> kPagarDirect = {
    "pagarfiltro",     "pagarexcluir",   "pagarcancelar", "pagareditar", "pagarincluir",
    "pagarsalvar",     "pagarrefresh",   "pagarpreview",  "pagarsair",   "pagarrateio",
    "pagarclonar",     "pagarbaixa",     "pagaragrupar",  "pagarrecibo", "pagarcheque",
    "pagardistribuir", "pagarfiltrooff", "pagarfiltroon", "pagarpalvo",  "pagarvinculado",
    "pagarrealizado"};
// Group pagar: the pair-exported buttons.
constexpr std::array<std::string_view, 2> kPagarPair = {"pagarconciliado", "pagarcalculo"};
// Group perdido: the direct-saved buttons.
constexpr std::array<std::string_view, 15> kPerdidoDirect = {
    "perdidoexcluir",   "perdidocancelar",  "perdidoeditar",    "perdidoincluir",
    "perdidosalvar",    "perdidorefresh",   "perdidopreview",   "perdidosair",
    "perdidobaixa",     "perdidofiltrooff", "perdidofiltroon",  "perdidopalvo",
    "perdidovinculado", "perdidorealizado", "perdidoconciliado"};
// Group perdido: the pair-exported buttons.
constexpr std::array<std::string_view, 2> kPerdidoPair = {"perdidoativar", "perdidocalculo"};
// Group recebido: the direct-saved buttons.
constexpr std::array<std::string_view, 25> kRecebidoDirect = {
    "recebidofiltro",     "recebidoexcluir",   "recebidocancelar",   "recebidoeditar",
    "recebidoincluir",    "recebidosalvar",    "recebidorefresh",    "recebidopreview",
    "recebidosair",       "recebidorateio",    "recebidoclonar",     "recebidobaixa",
    "recebidoagrupar",    "recebidonfse",      "recebidorecibo",     "recebidocustodia",
    "recebidodistribuir", "recebidofiltrooff", "recebidofiltroon",   "recebidopalvo",
    "recebidovinculado",  "recebidorealizado", "recebidoconciliado", "recebidocomissao",
    "recebidohistorico"};
// Group recebido: the pair-exported buttons.
constexpr std::array<std::string_view, 2> kRecebidoPair = {"recebidoativo", "recebidocalculo"};
// Group pago: the direct-saved buttons.
constexpr std::array<std::string_view, 20> kPagoDirect = {
    "pagofiltro",    "pagoexcluir",   "pagocancelar", "pagoeditar",    "pagoincluir",
    "pagosalvar",    "pagorefresh",   "pagopreview",  "pagosair",      "pagorateio",
    "pagobaixa",     "pagohistorico", "pagoativo",    "pagorecibo",    "pagodistribuir",
    "pagofiltrooff", "pagofiltroon",  "pagopalvo",    "pagovinculado", "pagorealizado"};
// Group pago: the pair-exported buttons.
constexpr std::array<std::string_view, 2> kPagoPair = {"pagoconciliado", "pagocalculo"};
// Group comissaopaga: the direct-saved buttons.
constexpr std::array<std::string_view, 19> kComissaoPagaDirect = {
    "comissaopagafiltro",   "comissaopagaexcluir", "comissaopagacancelar",
    "comissaopagaeditar",   "comissaopagaincluir", "comissaopagasalvar",
    "comissaopagarefresh",  "comissaopagapreview", "comissaopagasair",
    "comissaopagarateio",   "comissaopagabaixa",   "comissaopagahistorico",
    "comissaopagaativo",    "comissaopagarecibo",  "comissaopagafiltrooff",
    "comissaopagafiltroon", "comissaopagapalvo",   "comissaopagavinculado",
    "comissaopagarealizado"};
// Group comissaopaga: the pair-exported buttons.
constexpr std::array<std::string_view, 2> kComissaoPagaPair = {"comissaopagaconciliado",
                                                               "comissaopagacalculo"};
// Group comissaopagar: the direct-saved buttons.
constexpr std::array<std::string_view, 19> kComissaoPagarDirect = {
    "comissaopagarfiltro",   "comissaopagarexcluir", "comissaopagarcancelar",
    "comissaopagareditar",   "comissaopagarincluir", "comissaopagarsalvar",
    "comissaopagarrefresh",  "comissaopagarpreview", "comissaopagarsair",
    "comissaopagarclonar",   "comissaopagarrateio",  "comissaopagarbaixa",
    "comissaopagarrecibo",   "comissaopagarcheque",  "comissaopagarfiltrooff",
    "comissaopagarfiltroon", "comissaopagarpalvo",   "comissaopagarvinculado",
    "comissaopagarrealizado"};
// Group comissaopagar: the pair-exported buttons.
constexpr std::array<std::string_view, 2> kComissaoPagarPair = {"comissaopagarconciliado",
                                                                "comissaopagarcalculo"};
// Group receber: the pair-exported buttons.
constexpr std::array<std::string_view, 27> kReceberPair = {
    "receberfiltro",    "receberexcluir",    "recebercancelar",   "recebereditar",
    "receberincluir",   "recebersalvar",     "receberrefresh",    "receberpreview",
    "recebersair",      "receberrateio",     "receberclonar",     "receberbaixa",
    "recebercomissao",  "receberagrupar",    "receberboleto",     "receberperdido",
    "receberrecibo",    "recebercustodia",   "receberdistribuir", "recebernfse",
    "receberfiltrooff", "receberfiltroon",   "receberpalvo",      "recebervinculado",
    "receberrealizado", "receberconciliado", "recebercalculo"};

// The report preview toolbar: eight large buttons, eight navigation buttons from
// previewprimeira to previewmais, and previewesc.
constexpr std::array<std::string_view, 17> kPreview = {
    "previewimprima", "previewemail", "previewvarias",   "previewtxt",       "previewpdf",
    "previewhtml",    "previewxls",   "previewcalculo",  "previewprimeira",  "previewultima",
    "previewtopo",    "previewbaixo", "previewanterior", "previewposterior", "previewmenus",
    "previewmais",    "previewesc"};

// The customer history screen.
constexpr std::array<std::string_view, 10> kVida = {
    "vidaacesso",    "vidabaixa",      "vidaboleto",   "vidacarne",  "vidaextrato",
    "vidarelatorio", "vidaselecionar", "vidarecusado", "vidafatura", "vidacontrato"};

// The F3 window.
constexpr std::array<std::string_view, 4> kF3 = {"f3siga", "f3saida", "f3editar", "f3aceite"};

// The cash-register payment window (pagarcalculo also names a control button, in control).
constexpr std::array<std::string_view, 3> kPagamento = {"pagarcalculo", "pagardesconto",
                                                        "pagarprevia"};

// The report folder receives the grey preview toolbar, before producao and lexor.
constexpr Theme kCinzaPreview = kCinza.In({"relatorio", "producao", "lexor"});
// The grey payment buttons go into producao only.
constexpr Theme kCinzaProducao = kCinza.In({"producao"});

}  // namespace

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

// Each group: its direct-saved buttons first, then its pair-exported ones.
void Ttbotoes3::criarbotaocontrol() {
  DirectBlock(kControl, kPagarDirect);
  PairBlock(kControl, kPagarPair);
  // No perdidofiltro: the sheet holds PerdidoFiltro all the same.
  DirectBlock(kControl, kPerdidoDirect);
  PairBlock(kControl, kPerdidoPair);
  DirectBlock(kControl, kRecebidoDirect);
  PairBlock(kControl, kRecebidoPair);
  DirectBlock(kControl, kPagoDirect);
  PairBlock(kControl, kPagoPair);
  DirectBlock(kControl, kComissaoPagaDirect);
  PairBlock(kControl, kComissaoPagaPair);
  DirectBlock(kControl, kComissaoPagarDirect);
  PairBlock(kControl, kComissaoPagarPair);
  // Group receber: pair exports only.
  PairBlock(kControl, kReceberPair);
}

void Ttbotoes3::PreviewDirectBlock(const Theme& theme) {
  for (std::string_view folder : theme.folders) {
    const Theme one = theme.In({folder});
    DirectBlock(one, Through(kPreview, "previewimprima", "previewhtml"));
    PairExport("previewxls" + std::string(theme.colour), "previewxls", {folder});
    DirectBlock(one, Through(kPreview, "previewcalculo", "previewesc"));
  }
}

void Ttbotoes3::criarbotaopreview() {
  PairBlock(kAzul, kPreview);
  PairBlock(kAqua, kPreview);
  PreviewDirectBlock(kBege);
  PreviewDirectBlock(kVermelho);
  PreviewDirectBlock(kAmarelo);
  PreviewDirectBlock(kMusgo);
  PairBlock(kCinzaPreview, kPreview);
  PreviewDirectBlock(kRoxo);
  PreviewDirectBlock(kLaranja);
  PreviewDirectBlock(kOuro);
}

void Ttbotoes3::criarbotaovida() {
  PairBlock(kAzul, kVida);
  PairBlock(kAqua, kVida);
  PairBlock(kCinza, kVida);
  PairBlock(kBege, kVida);
  PairBlock(kVermelho, kVida);
  PairBlock(kRoxo, kVida);
  PairBlock(kAmarelo, kVida);
  PairBlock(kMusgo, kVida);
  PairBlock(kLaranja, kVida);
  PairBlock(kOuro, kVida);
}

void Ttbotoes3::criarbotaof3() {
  PairBlock(kAzul, kF3);
  PairBlock(kAqua, kF3);
  DirectBlock(kBege, kF3);
  DirectBlock(kVermelho, kF3);
  DirectBlock(kAmarelo, kF3);
  DirectBlock(kMusgo, kF3);
  PairBlock(kCinza, kF3);
  DirectBlock(kRoxo, kF3);
  DirectBlock(kLaranja, kF3);
  DirectBlock(kOuro, kF3);
}

void Ttbotoes3::criarbotaopagamento() {
  PairBlock(kAzul, kPagamento);
  PairBlock(kAqua, kPagamento);
  DirectBlock(kBege, kPagamento);
  DirectBlock(kVermelho, kPagamento);
  DirectBlock(kAmarelo, kPagamento);
  DirectBlock(kMusgo, kPagamento);
  // No payment buttons for lexor.
  DirectBlock(kCinzaProducao, kPagamento);
  DirectBlock(kRoxo, kPagamento);
  DirectBlock(kLaranja, kPagamento);
  DirectBlock(kOuro, kPagamento);
}

// The report menu's buttons have names of their own; RelatoSubmenMestre lacks the u of its
// stem, and the files follow the stem.
void Ttbotoes3::criarbotaorelato() {
  DirectSave("RelatoPeqSair", Slot::Picture1, "\\btn\\relatorio\\peqsair1.bmp");
  DirectSave("RelatoPeqSair", Slot::Picture2, "\\btn\\relatorio\\peqsair2.bmp");
  DirectSave("RelatoPeqSiga", Slot::Picture1, "\\btn\\relatorio\\peqsiga1.bmp");
  DirectSave("RelatoPeqSiga", Slot::Picture2, "\\btn\\relatorio\\peqsiga2.bmp");
  DirectSave("RelatoPeqImpressora", Slot::Picture1, "\\btn\\relatorio\\peqimpressora1.bmp");
  DirectSave("RelatoPeqImpressora", Slot::Picture2, "\\btn\\relatorio\\peqimpressora2.bmp");
  DirectSave("RelatoSubmenMestre", Slot::Picture1, "\\btn\\relatorio\\submenumestre1.bmp");
  DirectSave("RelatoSubmenMestre", Slot::Picture2, "\\btn\\relatorio\\submenumestre2.bmp");
  DirectSave("Relatosubmenuhelp", Slot::Picture1, "\\btn\\relatorio\\submenuhelp1.bmp");
  DirectSave("Relatosubmenuhelp", Slot::Picture2, "\\btn\\relatorio\\submenuhelp2.bmp");
}

}  // namespace varnel
