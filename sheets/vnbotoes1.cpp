#include "sheets/vnbotoes1.h"

#include <array>
#include <string>
#include <string_view>

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

void Ttbotoes1::DirectButton(std::string_view component, std::string_view folder,
                             std::string_view stem) {
  const std::string path = "\\btn\\" + std::string(folder) + "\\" + std::string(stem);
  DirectSave(component, Slot::Picture1, path + "1.bmp");
  DirectSave(component, Slot::Picture2, path + "2.bmp");
}

namespace {

// The cashier button set, in program order.
constexpr std::array<std::string_view, 22> kCaixa = {
    "cxhelp",       "cxproduto", "cxcliente",  "cxexcluir",        "cxpagar",
    "cxtroca",      "cxdav",     "cxvendedor", "cxprevenda",       "cxdesconto",
    "cxutil",       "cxpaf",     "cxserial",   "cxcalculo",        "cxgrade",
    "cxkit",        "cxinfo",    "cxsaida",    "cxcapturarbalcao", "cxcapturaror",
    "cxcapturaros", "cxmenu"};

// cxhelp to cxsaida without cxserial and cxgrade: the counter buttons the smaller editions show.
constexpr std::array<std::string_view, 16> kCaixaBalcao = {
    "cxhelp",    "cxproduto",  "cxcliente",  "cxexcluir",  "cxpagar", "cxtroca",
    "cxdav",     "cxvendedor", "cxprevenda", "cxdesconto", "cxutil",  "cxpaf",
    "cxcalculo", "cxkit",      "cxinfo",     "cxsaida"};

// The three capture buttons.
constexpr std::array<std::string_view, 3> kCaptura = {"cxcapturarbalcao", "cxcapturaror",
                                                      "cxcapturaros"};

// selvo: the counter capture first, then the counter buttons.
constexpr std::array<std::string_view, 17> kCaixaSelvo = {
    "cxcapturarbalcao", "cxhelp",  "cxproduto", "cxcliente",  "cxexcluir",
    "cxpagar",          "cxtroca", "cxdav",     "cxvendedor", "cxprevenda",
    "cxdesconto",       "cxutil",  "cxpaf",     "cxcalculo",  "cxkit",
    "cxinfo",           "cxsaida"};

// pet: the full set without cxserial and cxgrade.
constexpr std::array<std::string_view, 20> kCaixaPet = {
    "cxhelp",       "cxproduto",  "cxcliente",  "cxexcluir",  "cxpagar",          "cxtroca",
    "cxdav",        "cxvendedor", "cxprevenda", "cxdesconto", "cxutil",           "cxpaf",
    "cxcalculo",    "cxkit",      "cxinfo",     "cxsaida",    "cxcapturarbalcao", "cxcapturaror",
    "cxcapturaros", "cxmenu"};

// padaria: an order of its own, without cxdav, cxserial and cxgrade.
constexpr std::array<std::string_view, 19> kCaixaPadaria = {
    "cxhelp",           "cxproduto",    "cxcliente",    "cxexcluir",  "cxpagar",
    "cxprevenda",       "cxpaf",        "cxtroca",      "cxvendedor", "cxdesconto",
    "cxutil",           "cxcalculo",    "cxkit",        "cxinfo",     "cxsaida",
    "cxcapturarbalcao", "cxcapturaror", "cxcapturaros", "cxmenu"};

// The union edition's buttons, each named as its stem.
constexpr std::array<std::string_view, 18> kSindicato = {
    "sindicatoarrecadacao", "sindicatocomunicacao",
    "sindicatoprocesso",    "sindicatotrabalhador",
    "sindicatodsst",        "sindicatolicitacao",
    "sindicatodespesa",     "sindicatobase",
    "sindicatogenda",       "sindicatosecretariageral",
    "sindicatojuridico",    "sindicatohomologacao",
    "sindicatocipa",        "sindicatoviagem",
    "sindicatobeneficio",   "calculotrabalhista",
    "sindicatotriagem",     "sindicatomensalidade"};

}  // namespace

// 38 single writes: backgrounds, logos and pictures. Shared pictures are written under several
// names; six logos go through the graphic save.
void Ttbotoes1::criarfundo() {
  DirectSave("FundoCaixaNaoFiscal", Slot::Picture, "\\btn\\caixa\\fundo.jpg");
  DirectSave("fundopet", Slot::Picture, "\\btn\\pet\\fundo.jpg");
  DirectSave("fundooficina", Slot::Picture, "\\btn\\oficina\\fundo.jpg");
  DirectSave("fundootica", Slot::Picture, "\\btn\\otica\\fundo.jpg");
  DirectSave("fundoselvo", Slot::Picture, "\\btn\\selvo\\fundo.jpg");
  DirectSave("fundocaixa", Slot::Picture, "\\btn\\frentedecaixa\\fundo.jpg");
  DirectSave("FundoNerova", Slot::Picture, "\\btn\\gourmet\\fundo.jpg");
  DirectSave("fundodental", Slot::Picture, "\\btn\\dental\\fundo.jpg");
  DirectSave("fundobeauty", Slot::Picture, "\\btn\\beauty\\fundo.jpg");
  DirectSave("fundodental", Slot::Picture, "\\btn\\sindicato\\fundo.jpg");  // the union's too
  DirectSave("fundotarnix", Slot::Picture, "\\btn\\tarnix\\fundo.jpg");
  DirectSave("fundoproducao", Slot::Picture, "\\btn\\producao\\fundo.jpg");
  DirectSave("fundolexor", Slot::Picture, "\\btn\\lexor\\fundo.jpg");
  DirectSave("fundoerp", Slot::Picture, "\\btn\\erp\\fundo.jpg");
  DirectSave("fundoerp", Slot::Picture, "\\btn\\orvix\\fundo.jpg");  // orvix shows erp's
  // The supermarket background, three times.
  DirectSave("fundomercado", Slot::Picture, "\\btn\\frentedecaixa\\fundomercado.jpg");
  DirectSave("fundomercado", Slot::Picture, "\\btn\\mercado\\fundo.jpg");
  DirectSave("fundomercado", Slot::Picture, "\\btn\\mercado\\fundomercado.jpg");
  DirectSave("fundoclean", Slot::Picture, "\\btn\\clean\\fundo.jpg");
  DirectSave("fundopadaria", Slot::Picture, "\\btn\\padaria\\fundo.jpg");
  DirectSave("logomarcatulmar", Slot::Picture, "\\btn\\sindicato\\sindicato.bmp");
  DirectSave("logomarcagourmet", Slot::Picture, "\\btn\\gourmet\\gourmet.bmp");
  DirectSave("logomarcapet", Slot::Picture, "\\btn\\pet\\pet.bmp");
  GraphicSave("logomarcatarnix", Slot::Picture, "\\btn\\tarnix\\tarnix.bmp");
  GraphicSave("logomarcaselvo", Slot::Picture, "\\btn\\selvo\\selvo.bmp");
  GraphicSave("logomarcaorvix", Slot::Picture, "\\btn\\varnel\\logomarcaorvix.bmp");
  GraphicSave("logomarcaparceiro", Slot::Picture, "\\btn\\varnel\\logomarcaparceiro.bmp");
  GraphicSave("imagemgolfinho", Slot::Picture, "\\btn\\varnel\\golfinho.bmp");
  DirectSave("logomarcabeauty", Slot::Picture, "\\btn\\beauty\\beauty.bmp");
  DirectSave("logomarcaclean", Slot::Picture, "\\btn\\clean\\clean.bmp");
  GraphicSave("trevik", Slot::Picture, "\\btn\\varnel\\trevik.bmp");
  DirectSave("golfinho", Slot::Picture, "\\btn\\varnel\\golfinho.jpg");  // beside golfinho.bmp
  DirectSave("logomarcalexor", Slot::Picture, "\\btn\\lexor\\lexor.bmp");
  DirectSave("logomktpet", Slot::Picture, "\\btn\\pet\\logomkt.bmp");
  // The cart picture is the supermarket edition's mercado.jpg.
  DirectSave("carrinho", Slot::Picture, "\\btn\\frentedecaixa\\carrinho.jpg");
  DirectSave("carrinho", Slot::Picture, "\\btn\\mercado\\mercado.jpg");
  // The bread picture is the bakery's logo under both names.
  DirectSave("pao", Slot::Picture, "\\btn\\padaria\\pao.bmp");
  DirectSave("pao", Slot::Picture, "\\btn\\padaria\\padaria.bmp");
}

// 366 files. No cashier button goes into erp, lexor or gourmet.
void Ttbotoes1::criarcaixa() {
  PairBlock(kAzul.In({"frentedecaixa", "clean"}), kCaixa);
  PairBlock(kAqua, kCaixa);
  // Blocks 3 to 7: one folder each, in direct saves, each with its own buttons.
  DirectBlock(kLaranja, kCaixaSelvo);
  DirectButton("cxatualizarpreco", "selvo", "cxatualizarpreco");
  DirectButton("cxfarmaciapopular", "selvo", "cxfarmaciapopular");
  DirectBlock(kRoxo.In({"otica"}), kCaixaBalcao);
  DirectButton("cxmedicao", "otica", "cxmedicao");
  DirectBlock(kRoxo.In({"otica"}), kCaptura);
  DirectBlock(kRoxo.In({"beauty"}), kCaixaBalcao);  // beauty: no capture buttons
  DirectButton("cxmedicao", "beauty", "cxmedicao");
  DirectBlock(kMusgo, kCaixaPet);
  DirectBlock(kBege.In({"padaria"}), kCaixaPadaria);
}

// 36 files into sindicato.
void Ttbotoes1::criarsindicato() {
  for (std::string_view stem : kSindicato) DirectButton(stem, "sindicato", stem);
}

// 6 files into lexor, under stems shorter than the components' names.
void Ttbotoes1::criarlexor() {
  PairExport("lexorcontrato", "contrato", {"lexor"});
  PairExport("lexoratividadeadvogado", "atividadeadv", {"lexor"});
  PairExport("lexorlancaratividade", "lancaratvidade", {"lexor"});  // spelled so, without the i
}

}  // namespace varnel
