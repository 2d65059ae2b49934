#include "tools/artgen/Names.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace artgen {
namespace {

// Colour words in the order they are tried; "amarela" and friends are the feminine spellings
// that a few components use.
constexpr std::array<Theme, 10> kThemes = {{
    {"azul", {0.16f, 0.40f, 0.80f}},
    {"aqua", {0.10f, 0.68f, 0.80f}},
    {"musgo", {0.38f, 0.50f, 0.22f}},
    {"amarelo", {0.98f, 0.85f, 0.15f}},
    {"laranja", {0.95f, 0.50f, 0.10f}},
    {"ouro", {0.76f, 0.56f, 0.15f}},
    {"cinza", {0.50f, 0.52f, 0.55f}},
    {"bege", {0.84f, 0.74f, 0.56f}},
    {"roxo", {0.52f, 0.26f, 0.64f}},
    {"vermelho", {0.80f, 0.16f, 0.16f}},
}};

struct Alias {
  std::string_view word;
  std::string_view suffix;
};
constexpr std::array<Alias, 3> kAliases = {{
    {"amarela", "amarelo"},
    {"vermelha", "vermelho"},
    {"roxa", "roxo"},
}};

const Theme* FindTheme(std::string_view suffix) {
  for (const Theme& theme : kThemes) {
    if (theme.suffix == suffix) return &theme;
  }
  return nullptr;
}

struct EditionEntry {
  std::string_view word;
  std::string_view suffix;
};
// Editions and the colour theme serving each; "relatorio" is the grey report folder.
constexpr std::array<EditionEntry, 19> kEditions = {{
    {"selvo", "laranja"},  {"beauty", "roxo"},        {"clean", "azul"},
    {"lexor", "cinza"},    {"padaria", "bege"},       {"dental", "vermelho"},
    {"erp", "azul"},       {"frentedecaixa", "azul"}, {"mercado", "aqua"},
    {"caixa", "aqua"},     {"gourmet", "bege"},       {"oficina", "amarelo"},
    {"pet", "musgo"},      {"otica", "roxo"},         {"tarnix", "ouro"},
    {"producao", "cinza"}, {"sindicato", "vermelho"}, {"relatorio", "cinza"},
    {"pao", "bege"},
}};

// Prefixes that name a family of buttons rather than what the button does; dropped from labels
// while something is left.
constexpr std::array<std::string_view, 14> kPrefixes = {
    "relato", "submenu", "submen", "peq", "cx", "util",  "preview",
    "micro",  "vida",    "xmlcp",  "qs",  "f3", "lexor", "sindicato"};

// Dictionary of the words that button names are made of, with their display form. Keys are
// lower-case ASCII; the display form carries the accents that the names leave out.
const std::unordered_map<std::string_view, std::string_view>& Dictionary() {
  static const std::unordered_map<std::string_view, std::string_view> words = {
      {"acesso", "Acesso"},
      {"aceite", "Aceite"},
      {"adicionar", "Adicionar"},
      {"adm", "Adm"},
      {"adv", "Adv."},
      {"advogado", "Advogado"},
      {"agenda", "Agenda"},
      {"agendar", "Agendar"},
      {"agrupar", "Agrupar"},
      {"ajuste", "Ajuste"},
      {"alterar", "Alterar"},
      {"anterior", "Anterior"},
      {"arquivar", "Arquivar"},
      {"arrecadacao", "Arrecadação"},
      {"atendimento", "Atendimento"},
      {"ativar", "Ativar"},
      {"atividade", "Atividade"},
      {"atvidade", "Atividade"},
      {"ativo", "Ativo"},
      {"atualizar", "Atualizar"},
      {"autoral", "Autoral"},
      {"backup", "Backup"},
      {"baixa", "Baixa"},
      {"baixo", "Baixo"},
      {"balcao", "Balcão"},
      {"banco", "Banco"},
      {"banese", "Banese"},
      {"barra", "Barra"},
      {"base", "Base"},
      {"beneficio", "Benefício"},
      {"binoculo", "Binóculo"},
      {"bloqueio", "Bloqueio"},
      {"boleto", "Boleto"},
      {"bordero", "Borderô"},
      {"busca", "Busca"},
      {"caixa", "Caixa"},
      {"calculadora", "Calculadora"},
      {"calcular", "Calcular"},
      {"calculo", "Cálculo"},
      {"calendario", "Calendário"},
      {"cancela", "Cancela"},
      {"cancelar", "Cancelar"},
      {"capturar", "Capturar"},
      {"captura", "Captura"},
      {"car", "Car."},
      {"carga", "Carga"},
      {"carne", "Carnê"},
      {"cartao", "Cartão"},
      {"centro", "Centro"},
      {"cheque", "Cheque"},
      {"cidade", "Cidade"},
      {"cipa", "CIPA"},
      {"cliente", "Cliente"},
      {"clientes", "Clientes"},
      {"clonar", "Clonar"},
      {"cobranca", "Cobrança"},
      {"comando", "Comando"},
      {"comissao", "Comissão"},
      {"complementar", "Complementar"},
      {"comunicacao", "Comunicação"},
      {"conciliado", "Conciliado"},
      {"concluido", "Concluído"},
      {"config", "Config."},
      {"configurar", "Configurar"},
      {"consulta", "Consulta"},
      {"conta", "Conta"},
      {"contagem", "Contagem"},
      {"contar", "Contar"},
      {"contingencia", "Contingência"},
      {"contrato", "Contrato"},
      {"converte", "Converte"},
      {"converter", "Converter"},
      {"correcao", "Correção"},
      {"corrente", "Corrente"},
      {"corte", "Corte"},
      {"cpf", "CPF"},
      {"custodia", "Custódia"},
      {"dados", "Dados"},
      {"data", "Data"},
      {"dav", "DAV"},
      {"desbloqueio", "Desbloqueio"},
      {"desconto", "Desconto"},
      {"despesa", "Despesa"},
      {"detalhe", "Detalhe"},
      {"direita", "Direita"},
      {"direito", "Direito"},
      {"direta", "Direta"},
      {"distribuir", "Distribuir"},
      {"doc", "DOC"},
      {"dolar", "Dólar"},
      {"domingo", "Domingo"},
      {"dre", "DRE"},
      {"dsst", "DSST"},
      {"editar", "Editar"},
      {"email", "E-mail"},
      {"empresa", "Empresa"},
      {"entrada", "Entrada"},
      {"enviar", "Enviar"},
      {"envelope", "Envelope"},
      {"erro", "Erro"},
      {"esc", "Esc"},
      {"estado", "Estado"},
      {"estoque", "Estoque"},
      {"estornar", "Estornar"},
      {"etiqueta", "Etiqueta"},
      {"excluir", "Excluir"},
      {"expedicao", "Expedição"},
      {"extrato", "Extrato"},
      {"familia", "Família"},
      {"farmacia", "Farmácia"},
      {"fatura", "Fatura"},
      {"fechamento", "Fechamento"},
      {"filtrar", "Filtrar"},
      {"filtro", "Filtro"},
      {"fiscal", "Fiscal"},
      {"fita", "Fita"},
      {"forma", "Forma"},
      {"fornecedor", "Fornecedor"},
      {"ftp", "FTP"},
      {"funcao", "Função"},
      {"funcoes", "Funções"},
      {"genda", "Agenda"},
      {"geral", "Geral"},
      {"gerar", "Gerar"},
      {"golfinho", "Golfinho"},
      {"grade", "Grade"},
      {"grafico", "Gráfico"},
      {"gravar", "Gravar"},
      {"grupo", "Grupo"},
      {"help", "Help"},
      {"historico", "Histórico"},
      {"home", "Home"},
      {"homologacao", "Homologação"},
      {"html", "HTML"},
      {"imagem", "Imagem"},
      {"importar", "Importar"},
      {"impressora", "Impressora"},
      {"impresssora", "Impressora"},
      {"imprima", "Imprima"},
      {"imprimir", "Imprimir"},
      {"incluir", "Incluir"},
      {"indicacao", "Indicação"},
      {"info", "Info"},
      {"internet", "Internet"},
      {"intervencao", "Intervenção"},
      {"inutilizar", "Inutilizar"},
      {"juridico", "Jurídico"},
      {"kit", "Kit"},
      {"lancar", "Lançar"},
      {"licitacao", "Licitação"},
      {"limpar", "Limpar"},
      {"lista", "Lista"},
      {"localizador", "Localizador"},
      {"log", "Log"},
      {"logo", "Logo"},
      {"luneta", "Luneta"},
      {"mais", "Mais"},
      {"mala", "Mala"},
      {"manifesto", "Manifesto"},
      {"marca", "Marca"},
      {"marcacao", "Marcação"},
      {"master", "Master"},
      {"medicao", "Medição"},
      {"mensalidade", "Mensalidade"},
      {"menu", "Menu"},
      {"menus", "Menus"},
      {"mestre", "Mestre"},
      {"microscopio", "Microscópio"},
      {"mkt", "Mkt"},
      {"montar", "Montar"},
      {"movimento", "Movimento"},
      {"msg", "Msg"},
      {"nao", "Não"},
      {"natureza", "Natureza"},
      {"nfc", "NFC"},
      {"nfce", "NFC-e"},
      {"nfe", "NF-e"},
      {"nfes", "NF-es"},
      {"nfse", "NFS-e"},
      {"nota", "Nota"},
      {"nova", "Nova"},
      {"novo", "Novo"},
      {"numero", "Número"},
      {"nserie", "Nº Série"},
      {"ocorrencia", "Ocorrência"},
      {"off", "Off"},
      {"oficializar", "Oficializar"},
      {"on", "On"},
      {"online", "Online"},
      {"operadora", "Operadora"},
      {"or", "OR"},
      {"origem", "Origem"},
      {"os", "OS"},
      {"paciente", "Paciente"},
      {"paf", "PAF"},
      {"paga", "Paga"},
      {"pagamento", "Pagamento"},
      {"pagar", "Pagar"},
      {"pago", "Pago"},
      {"palvo", "Palvo"},
      {"pao", "Pão"},
      {"parceiro", "Parceiro"},
      {"paulista", "Paulista"},
      {"pdf", "PDF"},
      {"perdido", "Perdido"},
      {"perfil", "Perfil"},
      {"pis", "PIS"},
      {"plano", "Plano"},
      {"ponto", "Ponto"},
      {"popular", "Popular"},
      {"posterior", "Posterior"},
      {"potencial", "Potencial"},
      {"preco", "Preço"},
      {"prevenda", "Pré-venda"},
      {"preview", "Preview"},
      {"previa", "Prévia"},
      {"primeira", "Primeira"},
      {"processo", "Processo"},
      {"produto", "Produto"},
      {"produtos", "Produtos"},
      {"promocao", "Promoção"},
      {"rateio", "Rateio"},
      {"realizado", "Realizado"},
      {"receber", "Receber"},
      {"recebido", "Recebido"},
      {"recepcao", "Recepção"},
      {"recibo", "Recibo"},
      {"recusado", "Recusado"},
      {"rede", "Rede"},
      {"referencia", "Referência"},
      {"refresh", "Refresh"},
      {"reimprimir", "Reimprimir"},
      {"rel", "Rel."},
      {"relatorio", "Relatório"},
      {"restaura", "Restaura"},
      {"resultado", "Resultado"},
      {"retirada", "Retirada"},
      {"sabado", "Sábado"},
      {"saida", "Saída"},
      {"sair", "Sair"},
      {"saldo", "Saldo"},
      {"salvar", "Salvar"},
      {"sat", "SAT"},
      {"secretaria", "Secretaria"},
      {"selecionar", "Selecionar"},
      {"senha", "Senha"},
      {"serial", "Serial"},
      {"servicos", "Serviços"},
      {"submenu", "Submenu"},
      {"servidor", "Servidor"},
      {"setor", "Setor"},
      {"siga", "Siga"},
      {"sincronizar", "Sincronizar"},
      {"sindicato", "Sindicato"},
      {"sintegra", "Sintegra"},
      {"sms", "SMS"},
      {"sped", "SPED"},
      {"sql", "SQL"},
      {"standby", "Standby"},
      {"status", "Status"},
      {"sub", "Sub"},
      {"subgrupo", "Subgrupo"},
      {"sugestao", "Sugestão"},
      {"supervisor", "Supervisor"},
      {"sys", "Sys"},
      {"tabela", "Tabela"},
      {"tarefa", "Tarefa"},
      {"tef", "TEF"},
      {"telefone", "Telefone"},
      {"topo", "Topo"},
      {"torpedo", "Torpedo"},
      {"trabalhador", "Trabalhador"},
      {"trabalhista", "Trabalhista"},
      {"trans", "Trans."},
      {"transfere", "Transfere"},
      {"transferencia", "Transferência"},
      {"transferir", "Transferir"},
      {"trnasferir", "Transferir"},
      {"transporte", "Transporte"},
      {"trevik", "Trevik"},
      {"triagem", "Triagem"},
      {"tributo", "Tributo"},
      {"troca", "Troca"},
      {"txt", "TXT"},
      {"ultima", "Última"},
      {"unidade", "Unidade"},
      {"unir", "Unir"},
      {"upload", "Upload"},
      {"usuario", "Usuário"},
      {"validade", "Validade"},
      {"validar", "Validar"},
      {"varias", "Várias"},
      {"varnel", "Varnel"},
      {"venda", "Venda"},
      {"vendedor", "Vendedor"},
      {"viagem", "Viagem"},
      {"vinculado", "Vinculado"},
      {"visita", "Visita"},
      {"x", "x"},
      {"xls", "XLS"},
      {"xml", "XML"},
      {"carrinho", "Carrinho"},
      {"mercado", "Mercado"},
      {"oficina", "Oficina"},
      {"padaria", "Padaria"},
      {"dental", "Dental"},
      {"otica", "Ótica"},
      {"producao", "Produção"},
      {"gourmet", "Gourmet"},
      {"beauty", "Beauty"},
      {"clean", "Clean"},
      {"selvo", "Selvo"},
      {"lexor", "Lexor"},
      {"tarnix", "Tarnix"},
      {"orvix", "Orvix"},
      {"nerova", "Nerova"},
      {"tulmar", "Tulmar"},
      {"pet", "Pet"},
      {"erp", "ERP"},
      {"frente", "Frente"},
      {"de", "de"},
      {"control", "Control"},
      {"total", "Total"},
      {"login", "Login"},
      {"medico", "Médico"},
      {"cp", "CP"},
  };
  return words;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

enum class Piece { kWord, kNumber, kKey, kUnknown };
struct Segment {
  Piece piece;
  std::string text;  // lower case
};

// Splits a lower-case name into dictionary words of at least `shortest` letters, numbers,
// function keys ("f12") and, when `unknown` allows, runs of unknown letters; the split with the
// fewest pieces wins (unknown letters cost most). Empty when no split covers the name.
std::vector<Segment> SplitWith(std::string_view text, bool unknown, std::size_t shortest) {
  const auto& dict = Dictionary();
  const std::size_t n = text.size();
  constexpr int kInf = std::numeric_limits<int>::max() / 4;
  std::vector<int> best(n + 1, kInf);
  std::vector<std::size_t> from(n + 1, 0);
  std::vector<Piece> how(n + 1, Piece::kUnknown);
  best[0] = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (best[i] == kInf) continue;
    auto offer = [&](std::size_t end, int cost, Piece piece) {
      if (best[i] + cost < best[end]) {
        best[end] = best[i] + cost;
        from[end] = i;
        how[end] = piece;
      }
    };
    for (std::size_t len = shortest; i + len <= n && len <= 16; ++len) {
      if (dict.count(text.substr(i, len)) != 0) offer(i + len, 10, Piece::kWord);
    }
    if (IsDigit(text[i])) {
      std::size_t end = i;
      while (end < n && IsDigit(text[end])) ++end;
      offer(end, 10, Piece::kNumber);
    }
    if (text[i] == 'f' && i + 1 < n && IsDigit(text[i + 1])) {
      std::size_t end = i + 1;
      while (end < n && end < i + 3 && IsDigit(text[end])) ++end;
      offer(end, 9, Piece::kKey);
    }
    if (unknown) offer(i + 1, 25, Piece::kUnknown);
  }
  if (best[n] == kInf) return {};
  std::vector<Segment> reversed;
  for (std::size_t end = n; end > 0; end = from[end]) {
    const std::size_t start = from[end];
    std::string part(text.substr(start, end - start));
    if (how[end] == Piece::kUnknown && !reversed.empty() &&
        reversed.back().piece == Piece::kUnknown) {
      reversed.back().text = part + reversed.back().text;
    } else {
      reversed.push_back({how[end], part});
    }
  }
  return {reversed.rbegin(), reversed.rend()};
}

// Whether what is left after a prefix still says something: two letters or more besides a
// function key ("utilf11" keeps its "util").
bool IsWordy(std::string_view rest) {
  std::size_t letters = 0;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const bool key = rest[i] == 'f' && i + 1 < rest.size() && IsDigit(rest[i + 1]);
    if (!key && !IsDigit(rest[i])) ++letters;
  }
  return letters >= 2;
}

// Splits a name into words: wholly into dictionary words where it can be; otherwise around the
// longer dictionary words only, so that an unknown name is not cut into syllables that happen
// to be short words ("on", "esc").
std::vector<Segment> Segment_(std::string_view text) {
  std::vector<Segment> split = SplitWith(text, false, 1);
  if (!split.empty() || text.empty()) return split;
  return SplitWith(text, true, 4);
}

// Whether a dictionary word longer than `length` begins the text: "relatoriopet" begins with
// the word "relatorio", so its "relato" is no prefix.
bool LongerWordAtStart(std::string_view text, std::size_t length) {
  const auto& dict = Dictionary();
  for (std::size_t len = length + 1; len <= text.size() && len <= 16; ++len) {
    if (dict.count(text.substr(0, len)) != 0) return true;
  }
  return false;
}

std::string Shortened(std::string_view name) {
  std::string lower = Lower(name);
  bool again = true;
  while (again) {
    again = false;
    for (std::string_view prefix : kPrefixes) {
      if (lower.size() > prefix.size() && lower.compare(0, prefix.size(), prefix) == 0 &&
          !LongerWordAtStart(lower, prefix.size()) && IsWordy(lower.substr(prefix.size()))) {
        lower.erase(0, prefix.size());
        again = true;
        break;
      }
    }
  }
  return lower;
}

Rgb Hsv(float h, float s, float v) {
  const float c = v * s;
  const float hp = std::fmod(h, 1.0f) * 6.0f;
  const float x = c * (1.0f - std::fabs(std::fmod(hp, 2.0f) - 1.0f));
  Rgb rgb;
  if (hp < 1) {
    rgb = {c, x, 0};
  } else if (hp < 2) {
    rgb = {x, c, 0};
  } else if (hp < 3) {
    rgb = {0, c, x};
  } else if (hp < 4) {
    rgb = {0, x, c};
  } else if (hp < 5) {
    rgb = {x, 0, c};
  } else {
    rgb = {c, 0, x};
  }
  const float m = v - c;
  return {rgb.r + m, rgb.g + m, rgb.b + m};
}

}  // namespace

std::uint64_t Fnv1a(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

const Theme* ThemeOfName(std::string_view name) {
  const std::string lower = Lower(name);
  auto ends_with = [&](std::string_view word) {
    return lower.size() > word.size() &&
           lower.compare(lower.size() - word.size(), word.size(), word) == 0;
  };
  for (const Theme& theme : kThemes) {
    if (ends_with(theme.suffix)) return &theme;
  }
  for (const Alias& alias : kAliases) {
    if (ends_with(alias.word)) return FindTheme(alias.suffix);
  }
  return nullptr;
}

std::string StemOfName(std::string_view name) {
  std::string lower = Lower(name);
  if (ThemeOfName(name) == nullptr) return lower;
  auto strip = [&](std::string_view word) {
    if (lower.size() > word.size() &&
        lower.compare(lower.size() - word.size(), word.size(), word) == 0) {
      lower.resize(lower.size() - word.size());
      return true;
    }
    return false;
  };
  for (const Theme& theme : kThemes) {
    if (strip(theme.suffix)) return lower;
  }
  for (const Alias& alias : kAliases) {
    if (strip(alias.word)) return lower;
  }
  return lower;
}

const Theme* ThemeOfEdition(std::string_view word) {
  const std::string lower = Lower(word);
  for (const EditionEntry& entry : kEditions) {
    if (lower == entry.word) return FindTheme(entry.suffix);
  }
  // The longest edition word that begins or ends the name wins, so that "frentedecaixa" is
  // not read as "caixa".
  const EditionEntry* best = nullptr;
  for (const EditionEntry& entry : kEditions) {
    const std::string_view w = entry.word;
    const bool begins = lower.size() > w.size() && lower.compare(0, w.size(), w) == 0;
    const bool ends =
        lower.size() > w.size() && lower.compare(lower.size() - w.size(), w.size(), w) == 0;
    if ((begins || ends) && (best == nullptr || w.size() > best->word.size())) best = &entry;
  }
  return best == nullptr ? nullptr : FindTheme(best->suffix);
}

std::vector<std::string> LabelWords(std::string_view name, bool shorten) {
  const std::string text = shorten ? Shortened(name) : Lower(name);
  const auto& dict = Dictionary();
  std::vector<std::string> words;
  for (const Segment& segment : Segment_(text)) {
    switch (segment.piece) {
      case Piece::kWord:
        words.emplace_back(dict.at(segment.text));
        break;
      case Piece::kKey: {
        // A function key as its keycap reads: "f12" gives "F12".
        std::string key = segment.text;
        key.front() = 'F';
        words.push_back(std::move(key));
        break;
      }
      case Piece::kNumber:
        words.push_back(segment.text);
        break;
      case Piece::kUnknown: {
        std::string word = segment.text;
        if (!word.empty() && word[0] >= 'a' && word[0] <= 'z')
          word[0] = static_cast<char>(word[0] - 'a' + 'A');
        words.push_back(word);
        break;
      }
    }
  }
  return words;
}

std::vector<std::string> KeyWords(std::string_view name) {
  std::vector<std::string> keys;
  for (const Segment& segment : Segment_(Shortened(name))) keys.push_back(segment.text);
  return keys;
}

Rgb ColourOfName(std::string_view name) {
  const std::vector<std::string> keys = KeyWords(name);
  return ColourOfSeed(Fnv1a(keys.empty() ? Lower(name) : keys.front()));
}

Rgb ColourOfSeed(std::uint64_t seed) {
  const float hue = static_cast<float>(seed % 360) / 360.0f;
  const float sat = 0.45f + static_cast<float>((seed >> 16) % 20) / 100.0f;
  const float val = 0.60f + static_cast<float>((seed >> 24) % 15) / 100.0f;
  return Hsv(hue, sat, val);
}

}  // namespace artgen
