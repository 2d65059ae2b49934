#include "tools/artgen/Art.h"

#include <array>
#include <cmath>
#include <stdexcept>
#include <string_view>
#include <unordered_map>

#include "tools/artgen/Encode.h"
#include "tools/artgen/Names.h"
#include "tools/artgen/Raster.h"
#include "tools/artgen/Text.h"

namespace artgen {
namespace {

constexpr Rgb kPaper{1, 1, 1};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{1, 1, 1};

enum class Kind {
  kButton,       // a two-state button at rest (Picture1, or the displayed Picture)
  kHover,        // the same button under the pointer (Picture2)
  kDisabled,     // the disabled-look overlay (Picture3)
  kBackground,   // fundo<edition>
  kLogo,         // logomarca<word> and pictures named after an edition
  kBankLogo,     // lb<3-digit code>
  kShowPicture,  // the progress window's picture
  kPlate,        // anything else
};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool IsBankLogo(std::string_view lower) {
  return lower.size() == 5 && StartsWith(lower, "lb") && std::isdigit(lower[2]) &&
         std::isdigit(lower[3]) && std::isdigit(lower[4]);
}

Kind Classify(const ArtRequest& request) {
  const std::string component = Lower(request.component);
  const std::string slot = Lower(request.slot);
  if (Lower(request.form) == "tpictureshow") return Kind::kShowPicture;
  if (slot == "picture3") return Kind::kDisabled;
  if (slot == "picture2") return Kind::kHover;
  if (slot == "picture1") return Kind::kButton;
  if (StartsWith(component, "fundo")) return Kind::kBackground;
  if (IsBankLogo(component)) return Kind::kBankLogo;
  if (StartsWith(component, "logo")) return Kind::kLogo;
  if (ThemeOfName(component) != nullptr) return Kind::kButton;
  // A displayed picture of button size is the button's look at rest.
  if (request.width <= 90 && request.height <= 90) return Kind::kButton;
  if (ThemeOfEdition(component) != nullptr) return Kind::kLogo;
  return Kind::kPlate;
}

// The colour of a button: its theme's colour, else the colour of the edition it names, else a
// colour of its own.
Rgb ButtonColour(std::string_view component) {
  if (const Theme* theme = ThemeOfName(component)) return theme->colour;
  if (const Theme* theme = ThemeOfEdition(component)) return theme->colour;
  return ColourOfName(component);
}

bool IsMicro(int width, int height) {
  return width < 50 || height < 40;
}

// ---------------------------------------------------------------------------------------------
// Icons

enum class Icon {
  kLetter,
  kPlus,
  kCross,
  kCheck,
  kRight,
  kLeft,
  kUp,
  kDown,
  kFirst,
  kLast,
  kExit,
  kMagnifier,
  kBinoculars,
  kTelescope,
  kMicroscope,
  kPrinter,
  kDisk,
  kDocument,
  kCoin,
  kPerson,
  kGear,
  kCalendar,
  kChart,
  kQuestion,
  kInfo,
  kLock,
  kRefresh,
  kBox,
  kEnvelope,
  kHome,
  kPhone,
  kStar,
  kFilter,
};

Icon IconOfWord(std::string_view key) {
  static const std::unordered_map<std::string_view, Icon> icons = {
      {"incluir", Icon::kPlus},
      {"adicionar", Icon::kPlus},
      {"novo", Icon::kPlus},
      {"nova", Icon::kPlus},
      {"mais", Icon::kPlus},
      {"clonar", Icon::kPlus},
      {"excluir", Icon::kCross},
      {"cancelar", Icon::kCross},
      {"cancela", Icon::kCross},
      {"limpar", Icon::kCross},
      {"esc", Icon::kCross},
      {"recusado", Icon::kCross},
      {"perdido", Icon::kCross},
      {"erro", Icon::kCross},
      {"inutilizar", Icon::kCross},
      {"concluido", Icon::kCheck},
      {"ativo", Icon::kCheck},
      {"ativar", Icon::kCheck},
      {"validar", Icon::kCheck},
      {"aceite", Icon::kCheck},
      {"conciliado", Icon::kCheck},
      {"realizado", Icon::kCheck},
      {"oficializar", Icon::kCheck},
      {"selecionar", Icon::kCheck},
      {"posterior", Icon::kRight},
      {"enviar", Icon::kRight},
      {"transfere", Icon::kRight},
      {"transferencia", Icon::kRight},
      {"transferir", Icon::kRight},
      {"trnasferir", Icon::kRight},
      {"converte", Icon::kRight},
      {"converter", Icon::kRight},
      {"anterior", Icon::kLeft},
      {"topo", Icon::kUp},
      {"upload", Icon::kUp},
      {"baixo", Icon::kDown},
      {"importar", Icon::kDown},
      {"baixa", Icon::kDown},
      {"primeira", Icon::kFirst},
      {"ultima", Icon::kLast},
      {"sair", Icon::kExit},
      {"saida", Icon::kExit},
      {"busca", Icon::kMagnifier},
      {"consulta", Icon::kMagnifier},
      {"localizador", Icon::kMagnifier},
      {"binoculo", Icon::kBinoculars},
      {"luneta", Icon::kTelescope},
      {"microscopio", Icon::kMicroscope},
      {"preview", Icon::kMagnifier},
      {"imprimir", Icon::kPrinter},
      {"imprima", Icon::kPrinter},
      {"impressora", Icon::kPrinter},
      {"impresssora", Icon::kPrinter},
      {"reimprimir", Icon::kPrinter},
      {"gravar", Icon::kDisk},
      {"salvar", Icon::kDisk},
      {"backup", Icon::kDisk},
      {"arquivar", Icon::kDisk},
      {"relatorio", Icon::kDocument},
      {"doc", Icon::kDocument},
      {"extrato", Icon::kDocument},
      {"txt", Icon::kDocument},
      {"pdf", Icon::kDocument},
      {"html", Icon::kDocument},
      {"xls", Icon::kDocument},
      {"xml", Icon::kDocument},
      {"nfe", Icon::kDocument},
      {"nfce", Icon::kDocument},
      {"nfse", Icon::kDocument},
      {"nfes", Icon::kDocument},
      {"nota", Icon::kDocument},
      {"boleto", Icon::kDocument},
      {"recibo", Icon::kDocument},
      {"contrato", Icon::kDocument},
      {"sped", Icon::kDocument},
      {"sintegra", Icon::kDocument},
      {"fatura", Icon::kDocument},
      {"carne", Icon::kDocument},
      {"processo", Icon::kDocument},
      {"log", Icon::kDocument},
      {"etiqueta", Icon::kDocument},
      {"manifesto", Icon::kDocument},
      {"pagar", Icon::kCoin},
      {"pago", Icon::kCoin},
      {"paga", Icon::kCoin},
      {"receber", Icon::kCoin},
      {"recebido", Icon::kCoin},
      {"dolar", Icon::kCoin},
      {"banco", Icon::kCoin},
      {"pagamento", Icon::kCoin},
      {"preco", Icon::kCoin},
      {"comissao", Icon::kCoin},
      {"cheque", Icon::kCoin},
      {"venda", Icon::kCoin},
      {"caixa", Icon::kCoin},
      {"saldo", Icon::kCoin},
      {"conta", Icon::kCoin},
      {"desconto", Icon::kCoin},
      {"tributo", Icon::kCoin},
      {"despesa", Icon::kCoin},
      {"mensalidade", Icon::kCoin},
      {"arrecadacao", Icon::kCoin},
      {"rateio", Icon::kCoin},
      {"cliente", Icon::kPerson},
      {"clientes", Icon::kPerson},
      {"fornecedor", Icon::kPerson},
      {"vendedor", Icon::kPerson},
      {"usuario", Icon::kPerson},
      {"paciente", Icon::kPerson},
      {"trabalhador", Icon::kPerson},
      {"perfil", Icon::kPerson},
      {"advogado", Icon::kPerson},
      {"adv", Icon::kPerson},
      {"operadora", Icon::kPerson},
      {"supervisor", Icon::kPerson},
      {"empresa", Icon::kHome},
      {"home", Icon::kHome},
      {"config", Icon::kGear},
      {"configurar", Icon::kGear},
      {"funcoes", Icon::kGear},
      {"funcao", Icon::kGear},
      {"ajuste", Icon::kGear},
      {"util", Icon::kGear},
      {"menu", Icon::kGear},
      {"agenda", Icon::kCalendar},
      {"genda", Icon::kCalendar},
      {"calendario", Icon::kCalendar},
      {"data", Icon::kCalendar},
      {"sabado", Icon::kCalendar},
      {"domingo", Icon::kCalendar},
      {"agendar", Icon::kCalendar},
      {"validade", Icon::kCalendar},
      {"visita", Icon::kCalendar},
      {"grafico", Icon::kChart},
      {"dre", Icon::kChart},
      {"resultado", Icon::kChart},
      {"movimento", Icon::kChart},
      {"help", Icon::kQuestion},
      {"info", Icon::kInfo},
      {"senha", Icon::kLock},
      {"bloqueio", Icon::kLock},
      {"desbloqueio", Icon::kLock},
      {"direito", Icon::kLock},
      {"refresh", Icon::kRefresh},
      {"atualizar", Icon::kRefresh},
      {"sincronizar", Icon::kRefresh},
      {"restaura", Icon::kRefresh},
      {"troca", Icon::kRefresh},
      {"estoque", Icon::kBox},
      {"produto", Icon::kBox},
      {"produtos", Icon::kBox},
      {"kit", Icon::kBox},
      {"grupo", Icon::kBox},
      {"subgrupo", Icon::kBox},
      {"unidade", Icon::kBox},
      {"expedicao", Icon::kBox},
      {"transporte", Icon::kBox},
      {"contagem", Icon::kBox},
      {"envelope", Icon::kEnvelope},
      {"email", Icon::kEnvelope},
      {"mala", Icon::kEnvelope},
      {"sms", Icon::kEnvelope},
      {"torpedo", Icon::kEnvelope},
      {"msg", Icon::kEnvelope},
      {"telefone", Icon::kPhone},
      {"promocao", Icon::kStar},
      {"master", Icon::kStar},
      {"mestre", Icon::kStar},
      {"beneficio", Icon::kStar},
      {"filtro", Icon::kFilter},
      {"filtrar", Icon::kFilter},
  };
  const auto found = icons.find(key);
  return found == icons.end() ? Icon::kLetter : found->second;
}

// The icon of a name: that of its last word with one, as the action word comes last
// (pagarexcluir is about deleting).
Icon IconOfName(std::string_view component) {
  const std::vector<std::string> keys = KeyWords(StemOfName(component));
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    const Icon icon = IconOfWord(*it);
    if (icon != Icon::kLetter) return icon;
  }
  return Icon::kLetter;
}

char32_t IconGlyph(Icon icon) {
  switch (icon) {
    case Icon::kPlus:
      return U'\u271A';
    case Icon::kCross:
      return U'\u2716';
    case Icon::kCheck:
      return U'\u2714';
    case Icon::kRight:
      return U'\u25B6';
    case Icon::kLeft:
      return U'\u25C0';
    case Icon::kUp:
      return U'\u25B2';
    case Icon::kDown:
      return U'\u25BC';
    case Icon::kFirst:
      return U'\u21E4';
    case Icon::kLast:
      return U'\u21E5';
    case Icon::kExit:
      return U'\u279C';
    case Icon::kGear:
      return U'\u2699';
    case Icon::kEnvelope:
      return U'\u2709';
    case Icon::kHome:
      return U'\u2302';
    case Icon::kPhone:
      return U'\u260E';
    case Icon::kRefresh:
      return U'\u21BB';
    case Icon::kStar:
      return U'\u2605';
    case Icon::kQuestion:
      return U'?';
    case Icon::kInfo:
      return U'i';
    default:
      return 0;
  }
}

// Draws one character centred on its ink in a box of `size` around (cx, cy).
void DrawCentredGlyph(Canvas& canvas, FontFace face, char32_t c, float cx, float cy, float size,
                      Rgb colour, float alpha) {
  FontStyle style{face, size, 1};
  InkBox ink = GlyphInk(style, c);
  const float big = std::max(ink.width, ink.height);
  if (big <= 0) return;
  style.size = std::max(4.0f, std::round(size * size / big * 2) / 2);
  ink = GlyphInk(style, c);
  const float x = std::round(cx - ink.width * 0.5f - ink.left);
  const float baseline = std::round(cy - ink.height * 0.5f + ink.top);
  const std::u32string text(1, c);
  DrawText(canvas, style, text, x, baseline, colour, alpha);
}

// Draws the icon in a square of side s centred on (cx, cy).
void DrawIcon(Canvas& canvas, Icon icon, char32_t letter, float cx, float cy, float s, Rgb ink,
              Rgb fill) {
  const float h = s * 0.5f;
  const float line = std::max(1.0f, s * 0.09f);
  switch (icon) {
    case Icon::kMagnifier: {
      const float r = s * 0.28f;
      const float ox = cx - s * 0.1f, oy = cy - s * 0.1f;
      FillCircle(canvas, ox, oy, r, Mix(fill, kWhite, 0.5f), 0.5f);
      StrokeCircle(canvas, ox, oy, r, line * 1.2f, ink);
      DrawLine(canvas, ox + r * 0.75f, oy + r * 0.75f, cx + h * 0.85f, cy + h * 0.85f, line * 2,
               ink);
      return;
    }
    case Icon::kBinoculars: {
      // Two barrels joined at the top, each ending in a lens.
      const float r = s * 0.2f;
      for (const float side : {-1.0f, 1.0f}) {
        const float x = cx + side * s * 0.24f;
        FillRoundRect(canvas, x - r * 0.85f, cy - h * 0.75f, x + r * 0.85f, cy + s * 0.12f,
                      r * 0.4f, ink);
        FillCircle(canvas, x, cy + s * 0.22f, r, ink);
        FillCircle(canvas, x, cy + s * 0.22f, r * 0.5f, Mix(fill, kWhite, 0.5f));
      }
      FillRoundRect(canvas, cx - s * 0.12f, cy - h * 0.55f, cx + s * 0.12f, cy - s * 0.02f, 1, ink);
      return;
    }
    case Icon::kTelescope: {
      // A tube rising to the right on a tripod.
      DrawLine(canvas, cx - h * 0.85f, cy + s * 0.02f, cx + h * 0.6f, cy - h * 0.62f, s * 0.2f,
               ink);
      FillCircle(canvas, cx + h * 0.62f, cy - h * 0.62f, s * 0.17f, ink);
      FillCircle(canvas, cx + h * 0.62f, cy - h * 0.62f, s * 0.08f, Mix(fill, kWhite, 0.5f));
      DrawLine(canvas, cx - s * 0.02f, cy - s * 0.08f, cx - h * 0.55f, cy + h * 0.92f, line, ink);
      DrawLine(canvas, cx - s * 0.02f, cy - s * 0.08f, cx + h * 0.45f, cy + h * 0.92f, line, ink);
      return;
    }
    case Icon::kMicroscope: {
      // An upright tube over a stage, an arm behind it and a foot.
      DrawLine(canvas, cx - h * 0.38f, cy - h * 0.85f, cx - h * 0.12f, cy + h * 0.05f, s * 0.2f,
               ink);
      DrawLine(canvas, cx - h * 0.55f, cy + h * 0.28f, cx + h * 0.25f, cy + h * 0.28f, line, ink);
      canvas.Fill(
          cx - h, cy - h, cx + h, cy + h,
          [&](float px, float py) {
            // The arm: the right half of a ring from above the stage down to the foot.
            const float d =
                std::fabs(CircleDistance(px, py, cx - h * 0.1f, cy + h * 0.2f, h * 0.6f)) -
                line * 0.6f;
            return Edge(std::max(d, cx - h * 0.1f - px));
          },
          [&](float, float) { return ink; });
      FillRoundRect(canvas, cx - h * 0.8f, cy + h * 0.75f, cx + h * 0.8f, cy + h * 0.98f, 1, ink);
      return;
    }
    case Icon::kDocument: {
      const float x0 = cx - s * 0.32f, x1 = cx + s * 0.32f, y0 = cy - h * 0.95f,
                  y1 = cy + h * 0.95f;
      FillRoundRect(canvas, x0, y0, x1, y1, s * 0.06f, ink);
      for (int i = 0; i < 4; ++i) {
        const float y = y0 + s * (0.22f + 0.17f * static_cast<float>(i));
        DrawLine(canvas, x0 + s * 0.12f, y, x1 - s * (i == 3 ? 0.3f : 0.12f), y,
                 std::max(1.0f, s * 0.06f), fill);
      }
      return;
    }
    case Icon::kCoin: {
      FillCircle(canvas, cx, cy, h * 0.92f, ink);
      StrokeCircle(canvas, cx, cy, h * 0.7f, std::max(1.0f, s * 0.05f), fill, 0.6f);
      DrawCentredGlyph(canvas, FontFace::kBold, U'$', cx, cy, s * 0.55f, fill, 1);
      return;
    }
    case Icon::kPerson: {
      FillCircle(canvas, cx, cy - s * 0.2f, s * 0.2f, ink);
      canvas.Fill(
          cx - h, cy, cx + h, cy + h,
          [&](float px, float py) {
            const float dx = (px - cx) / (s * 0.42f), dy = (py - (cy + h * 0.98f)) / (s * 0.5f);
            const float d = (std::sqrt(dx * dx + dy * dy) - 1) * s * 0.45f;
            return Edge(std::max(d, py - (cy + h * 0.95f)));
          },
          [&](float, float) { return ink; });
      return;
    }
    case Icon::kCalendar: {
      const float x0 = cx - h * 0.9f, x1 = cx + h * 0.9f, y0 = cy - h * 0.75f, y1 = cy + h * 0.9f;
      FillRoundRect(canvas, x0, y0, x1, y1, s * 0.08f, ink);
      FillRoundRect(canvas, x0 + line, y0 + s * 0.28f, x1 - line, y1 - line, s * 0.04f, fill);
      for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
          const float x = x0 + (x1 - x0) * (0.25f + 0.25f * static_cast<float>(col));
          const float y = y0 + s * (0.5f + 0.25f * static_cast<float>(row));
          FillCircle(canvas, x, y, std::max(0.8f, s * 0.06f), ink);
        }
      }
      DrawLine(canvas, x0 + s * 0.25f, y0 - s * 0.1f, x0 + s * 0.25f, y0 + s * 0.1f, line, ink);
      DrawLine(canvas, x1 - s * 0.25f, y0 - s * 0.1f, x1 - s * 0.25f, y0 + s * 0.1f, line, ink);
      return;
    }
    case Icon::kChart: {
      const float base = cy + h * 0.85f;
      const float heights[3] = {0.45f, 0.95f, 0.7f};
      for (int i = 0; i < 3; ++i) {
        const float x0 = cx - h * 0.85f + s * 0.3f * static_cast<float>(i);
        FillRoundRect(canvas, x0, base - s * heights[i] * 0.85f, x0 + s * 0.22f, base, 1, ink);
      }
      DrawLine(canvas, cx - h, base + line * 0.5f, cx + h, base + line * 0.5f, line * 0.8f, ink);
      return;
    }
    case Icon::kLock: {
      const float r = s * 0.22f;
      canvas.Fill(
          cx - r - line - 1, cy - h, cx + r + line + 1, cy,
          [&](float px, float py) {
            const float d = std::fabs(CircleDistance(px, py, cx, cy - s * 0.12f, r)) - line * 0.6f;
            return Edge(std::max(d, py - (cy - s * 0.05f)));
          },
          [&](float, float) { return ink; });
      DrawLine(canvas, cx - r, cy - s * 0.12f, cx - r, cy, line * 1.2f, ink);
      DrawLine(canvas, cx + r, cy - s * 0.12f, cx + r, cy, line * 1.2f, ink);
      FillRoundRect(canvas, cx - h * 0.8f, cy - s * 0.06f, cx + h * 0.8f, cy + h * 0.9f, s * 0.07f,
                    ink);
      FillCircle(canvas, cx, cy + s * 0.15f, std::max(1.0f, s * 0.07f), fill);
      return;
    }
    case Icon::kPrinter: {
      FillRoundRect(canvas, cx - h * 0.55f, cy - h * 0.9f, cx + h * 0.55f, cy - h * 0.2f, 1, ink);
      FillRoundRect(canvas, cx - h * 0.95f, cy - h * 0.35f, cx + h * 0.95f, cy + h * 0.45f,
                    s * 0.08f, ink);
      FillRoundRect(canvas, cx - h * 0.55f, cy + h * 0.1f, cx + h * 0.55f, cy + h * 0.9f, 1, fill);
      StrokeRoundRect(canvas, cx - h * 0.55f, cy + h * 0.1f, cx + h * 0.55f, cy + h * 0.9f, 1,
                      std::max(1.0f, line * 0.7f), ink);
      return;
    }
    case Icon::kDisk: {
      FillRoundRect(canvas, cx - h * 0.9f, cy - h * 0.9f, cx + h * 0.9f, cy + h * 0.9f, s * 0.08f,
                    ink);
      FillRoundRect(canvas, cx - h * 0.5f, cy - h * 0.9f, cx + h * 0.45f, cy - h * 0.25f, 1, fill);
      FillRoundRect(canvas, cx - h * 0.6f, cy + h * 0.1f, cx + h * 0.6f, cy + h * 0.9f, 1, fill);
      return;
    }
    case Icon::kBox: {
      FillRoundRect(canvas, cx - h * 0.9f, cy - h * 0.45f, cx + h * 0.9f, cy + h * 0.9f, s * 0.05f,
                    ink);
      FillRoundRect(canvas, cx - h, cy - h * 0.8f, cx + h, cy - h * 0.35f, s * 0.05f, ink);
      DrawLine(canvas, cx - h * 0.9f, cy - h * 0.4f, cx + h * 0.9f, cy - h * 0.4f,
               std::max(1.0f, s * 0.05f), fill);
      FillRoundRect(canvas, cx - h * 0.15f, cy - h * 0.8f, cx + h * 0.15f, cy + h * 0.2f, 0.5f,
                    fill, 0.8f);
      return;
    }
    case Icon::kFilter: {
      canvas.Fill(
          cx - h, cy - h, cx + h, cy + h,
          [&](float px, float py) {
            // A funnel: a triangle down to a short stem.
            const float t = (py - (cy - h * 0.8f)) / (h * 1.0f);
            const float half = h * 0.95f * (1 - t) + h * 0.18f * t;
            const float top = (cy - h * 0.8f) - py;
            const float side = std::fabs(px - cx) - (t < 1 ? half : h * 0.18f);
            const float bottom = py - (cy + h * 0.9f);
            return Edge(std::max({top, side, bottom}));
          },
          [&](float, float) { return ink; });
      return;
    }
    case Icon::kLetter: {
      StrokeCircle(canvas, cx, cy, h * 0.88f, line, ink);
      DrawCentredGlyph(canvas, FontFace::kBold, letter, cx, cy, s * 0.5f, ink, 1);
      return;
    }
    default: {
      const char32_t c = IconGlyph(icon);
      const FontFace face =
          icon == Icon::kQuestion || icon == Icon::kInfo ? FontFace::kBold : FontFace::kRegular;
      if (c == 0 || !HasGlyph(face, c)) {
        DrawIcon(canvas, Icon::kLetter, letter, cx, cy, s, ink, fill);
        return;
      }
      if (icon == Icon::kQuestion || icon == Icon::kInfo) {
        StrokeCircle(canvas, cx, cy, h * 0.88f, line, ink);
        DrawCentredGlyph(canvas, face, c, cx, cy, s * 0.52f, ink, 1);
      } else {
        DrawCentredGlyph(canvas, face, c, cx, cy, s * 0.9f, ink, 1);
      }
      return;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Buttons

// Height of a button at rest for its width: 81 x 75, 61 x 57, micro buttons square.
int RestHeight(int width) {
  if (width >= 70) return (width * 75 + 40) / 81;
  if (width >= 50) return (width * 57 + 30) / 61;
  return width;
}

// The body of a button in a picture of w x h: inside the shadow below and a margin around.
struct ButtonBox {
  float x0, y0, x1, y1, shadow;
};

ButtonBox BoxOf(int w, int h, bool hover) {
  const bool micro = IsMicro(w, h);
  // Hover pictures taller than the rest look rise above a deeper shadow.
  const int extra = hover ? std::max(0, h - RestHeight(w)) : 0;
  const float shadow = micro ? (hover ? 1.5f : 1.0f) : (hover ? 2.5f + 0.5f * extra : 2.0f);
  const float side = micro ? 1.0f : 2.0f;
  const float y0 = micro ? 1.0f : 1.5f;
  return {side, y0, static_cast<float>(w) - side, static_cast<float>(h) - shadow - 1.0f, shadow};
}

// Whether a letter is a vowel, accented or not: abbreviations are cut after a consonant.
bool IsVowel(char32_t c) {
  static const std::u32string vowels = U"aeiouAEIOUáàâãéêíóôõúÁÀÂÃÉÊÍÓÔÕÚ";
  return vowels.find(c) != std::u32string::npos;
}

// UTF-8 of text in the Basic Multilingual Plane (the labels' letters).
std::string Utf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// A word shortened to fit `width` in `style`: the longest cut of three letters or more that
// ends in a consonant, with a full stop; the word itself when it fits, or when no cut does.
std::string Abbreviated(const std::string& word, const FontStyle& style, float width) {
  const std::u32string whole = Utf32(word);
  if (whole.size() <= 4 || TextWidth(style, whole) <= width) return word;
  for (std::size_t keep = whole.size() - 1; keep >= 3; --keep) {
    if (IsVowel(whole[keep - 1])) continue;
    const std::u32string cut = whole.substr(0, keep) + U".";
    if (TextWidth(style, cut) <= width) return Utf8(cut);
  }
  return word;
}

// Where a full-size or small button puts its icon and its label, in pixels below the top of
// its body. The label is never smaller than the smallest text that reads at 100% on that size
// of button (9 pixels to the em on the small buttons, 10 on the full-size ones) and keeps 3
// pixels from the rim on each side. Where it does not fit under the full icon, it takes the
// narrow bold face; then the icon shrinks to give it a third line, and then goes; a word still
// too wide is abbreviated. Only a label that fits none of these is narrowed further.
struct Arrangement {
  float icon_size = 0;  // 0: no icon
  float icon_cy = 0;
  float label_top = 0, label_bottom = 0;
  Label label;
};

constexpr float kSmallestText = 9.0f;
constexpr float kSmallestTextFullSize = 10.0f;
constexpr float kLabelMargin = 3.0f;
constexpr float kNarrowest = 0.85f;

Arrangement Arrange(const std::vector<std::string>& words, float bw, float bh, bool small) {
  const float min_size = small ? kSmallestText : kSmallestTextFullSize;
  const float max_size = small ? 10.0f : 12.0f;
  const float width = bw - 2 * kLabelMargin;
  const float bottom = bh - 2.5f;
  struct Option {
    float icon, icon_cy, top;
    int lines;
  };
  const Option options[] = {
      {0.36f, 0.30f, 0.54f, small ? 2 : 3},
      {0.24f, 0.17f, 0.35f, 3},
      {0.0f, 0.0f, 0.06f, 4},
  };
  for (const Option& o : options) {
    // The bold face as designed, else its narrow cut (narrowed a little more if need be).
    auto label = TryFitLabel(words, width, bottom - bh * o.top, max_size, min_size, o.lines, 1.0f);
    if (!label) {
      label = TryFitLabel(words, width, bottom - bh * o.top, max_size, min_size, o.lines,
                          kNarrowest, FontFace::kCondensedBold);
    }
    if (label) return {bh * o.icon, bh * o.icon_cy, bh * o.top, bottom, std::move(*label)};
  }
  // A word too long for the width at any of these is shortened, as Portuguese abbreviates:
  // cut after a consonant, with a full stop ("Complementar" gives "Compl."), keeping as much
  // of the word as fits.
  const Option& first = options[0];
  std::vector<std::string> shortened;
  for (const std::string& word : words) {
    shortened.push_back(Abbreviated(word, {FontFace::kCondensedBold, min_size, 1}, width));
  }
  if (shortened != words) {
    for (const Option& o : options) {
      auto label =
          TryFitLabel(shortened, width, bottom - bh * o.top, max_size, min_size, o.lines, 1.0f);
      if (!label) {
        label = TryFitLabel(shortened, width, bottom - bh * o.top, max_size, min_size, o.lines,
                            kNarrowest, FontFace::kCondensedBold);
      }
      if (label) return {bh * o.icon, bh * o.icon_cy, bh * o.top, bottom, std::move(*label)};
    }
  }
  // Still too long: under the full icon, at the smallest size of the narrow face, narrowed as
  // far as it takes.
  return {bh * first.icon, bh * first.icon_cy, bh * first.top, bottom,
          FitLabel(words, width, bottom - bh * first.top, min_size, min_size, first.lines,
                   FontFace::kCondensedBold)};
}

// The arrangement of a button, worked out on its look at rest so that both looks write alike.
Arrangement ArrangeButton(const ArtRequest& request) {
  const ButtonBox rest =
      BoxOf(request.width, std::min(request.height, RestHeight(request.width)), false);
  return Arrange(LabelWords(StemOfName(request.component), true), rest.x1 - rest.x0,
                 rest.y1 - rest.y0, request.width < 70);
}

void DrawButton(Canvas& canvas, const ArtRequest& request, bool hover) {
  const int w = canvas.width();
  const int h = canvas.height();
  const bool micro = IsMicro(w, h);
  const Rgb base = ButtonColour(request.component);

  const ButtonBox box = BoxOf(w, h, hover);
  const float shadow = box.shadow;
  const float x0 = box.x0, x1 = box.x1, y0 = box.y0, y1 = box.y1;
  const float bw = x1 - x0, bh = y1 - y0;
  const float radius = std::max(2.0f, std::min(bw, bh) * (micro ? 0.22f : 0.18f));

  if (hover) {
    SoftRoundRect(canvas, x0 - 1, y0 - 1, x1 + 1, y1 + shadow, radius + 1, micro ? 2.0f : 4.0f,
                  Lighten(base, 0.1f), 0.55f);
  }
  SoftRoundRect(canvas, x0 + 0.5f, y0 + shadow, x1 - 0.5f, y1 + shadow, radius,
                hover ? 2.5f + shadow : 2.5f, kBlack, hover ? 0.45f : 0.35f);

  const Rgb top = hover ? Lighten(base, 0.45f) : Lighten(base, 0.25f);
  const Rgb bottom = hover ? base : Darken(base, 0.18f);
  FillRoundRectGradient(canvas, x0, y0, x1, y1, radius, top, bottom);

  // Gloss over the upper half.
  const float gloss_bottom = y0 + bh * 0.5f;
  canvas.Fill(
      x0, y0, x1, gloss_bottom,
      [&](float px, float py) {
        const float d = RoundRectDistance(px, py, x0 + 1.5f, y0 + 1.2f, x1 - 1.5f, gloss_bottom,
                                          std::max(1.0f, radius - 1.5f));
        const float fade = 1 - (py - y0) / (gloss_bottom - y0);
        return Edge(d) * (hover ? 0.45f : 0.30f) * fade;
      },
      [&](float, float) { return kWhite; });

  StrokeRoundRect(canvas, x0, y0, x1, y1, radius, 1.0f, Darken(base, hover ? 0.25f : 0.4f), 0.95f);
  if (hover) {
    StrokeRoundRect(canvas, x0 + 1, y0 + 1, x1 - 1, y1 - 1, radius - 1, 1.0f, kWhite, 0.75f);
  }

  // The ink follows the look at rest, so that both looks of a button write alike.
  const Rgb middle = Mix(top, bottom, 0.55f);
  const bool light = Luma(Mix(Lighten(base, 0.25f), Darken(base, 0.18f), 0.55f)) > 0.62f;
  const Rgb ink = light ? Darken(base, 0.72f) : kWhite;
  const Rgb halo = light ? kWhite : Darken(base, 0.6f);
  const float halo_alpha = light ? 0.45f : (hover ? 0.8f : 0.55f);

  std::vector<std::string> words = LabelWords(StemOfName(request.component), true);
  char32_t letter = U'?';
  if (!words.empty()) {
    const std::u32string first = Utf32(words.front());
    if (!first.empty()) letter = first.front();
  }
  const Icon icon = IconOfName(request.component);
  const float cx = (x0 + x1) * 0.5f;

  if (micro) {
    const float s = std::min(bw, bh) * 0.62f;
    DrawIcon(canvas, icon, letter, cx + 0.5f, y0 + bh * 0.5f + 1, s, halo, middle);
    DrawIcon(canvas, icon, letter, cx, y0 + bh * 0.5f, s, ink, middle);
    return;
  }
  // Icon in the upper part, label below it.
  const Arrangement arrangement = ArrangeButton(request);
  if (arrangement.icon_size > 0) {
    const float icon_cy = y0 + arrangement.icon_cy;
    DrawIcon(canvas, icon, letter, cx + 0.6f, icon_cy + 0.8f, arrangement.icon_size, halo, middle);
    DrawIcon(canvas, icon, letter, cx, icon_cy, arrangement.icon_size, ink, middle);
  }
  const float label_cy = y0 + (arrangement.label_top + arrangement.label_bottom) * 0.5f;
  DrawLabel(canvas, arrangement.label, cx, label_cy, ink, 1, &halo, halo_alpha);
}

// The disabled look's overlay: a red "no" sign. A button draws it transparent, leaving out the
// colour of its bottom-left pixel (the paper), so every pixel is either exactly the paper or
// wholly the sign: an edge blended into the paper would show as a pale, speckled ring on the
// button. Inside, the ring and the bar blend into the grey disc. The colours are entries of the
// 256-colour palette, so an 8-bit overlay keeps them exactly.
void DrawDisabledMark(Canvas& canvas) {
  const float w = static_cast<float>(canvas.width());
  const float h = static_cast<float>(canvas.height());
  const float r = std::min(w, h) * 0.5f - 0.5f;
  const float cx = w * 0.5f, cy = h * 0.5f;
  const float line = std::max(2.0f, r * 0.3f);
  const Rgb disc{221 / 255.0f, 221 / 255.0f, 221 / 255.0f};
  const Rgb red{0.8f, 0.2f, 0.2f};
  Canvas mark(canvas.width(), canvas.height(), disc);
  // The ring reaches past the cut, so that the sign's outer edge is solid red.
  StrokeCircle(mark, cx, cy, r - line * 0.5f + 0.5f, line + 1, red);
  const float k = (r - line * 0.5f) * 0.7071f;
  DrawLine(mark, cx - k, cy - k, cx + k, cy + k, line, red);
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const float d =
          CircleDistance(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, cx, cy, r);
      if (d < 0) canvas.at(x, y) = mark.at(x, y);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Faces

// Single pictures whose names do not say where they go: pictures that several editions show
// (an empty edition), and pictures that one edition shows under another edition's or a brand's
// name. Such a picture takes the face of the edition that shows it, or a neutral face.
struct Placement {
  std::string_view art;      // the art's name, lower case
  std::string_view edition;  // the one edition showing it; empty when several do
};
constexpr std::array<Placement, 12> kPlacements = {{
    {"fundoselvo", ""},  // selvo and oficina
    {"fundooficina", ""},
    {"fundobeauty", ""},  // beauty, dental and sindicato
    {"fundodental", ""},
    {"fundolexor", ""},  // lexor and producao
    {"fundoproducao", ""},
    {"fundoerp", ""},      // erp and orvix
    {"fundomercado", ""},  // mercado and frentedecaixa
    {"carrinho", ""},      // mercado and frentedecaixa
    {"fundocaixa", "frentedecaixa"},
    {"fundonerova", "gourmet"},
    {"logomarcatulmar", "sindicato"},
}};

const Placement* PlacementOf(std::string_view component) {
  const std::string lower = Lower(component);
  for (const Placement& placement : kPlacements) {
    if (placement.art == lower) return &placement;
  }
  return nullptr;
}

const std::vector<std::string>& ProductName() {
  static const std::vector<std::string> name = {"Varnel"};
  return name;
}

// The face of an edition: its display name in its theme's colour.
Face EditionFace(std::string_view edition) {
  const Theme* theme = ThemeOfEdition(edition);
  return {LabelWords(edition, false), theme != nullptr ? theme->colour : ColourOfName(edition)};
}

std::vector<std::string> LogoWords(std::string_view component) {
  std::string name = Lower(component);
  for (std::string_view prefix : {"logomarca", "logo", "imagem"}) {
    if (name.size() > prefix.size() && StartsWith(name, prefix)) {
      name.erase(0, prefix.size());
      break;
    }
  }
  return LabelWords(name, false);
}

Face FaceOfKind(const ArtRequest& request, Kind kind) {
  const std::string lower = Lower(request.component);
  const Placement* placement = PlacementOf(lower);
  switch (kind) {
    case Kind::kButton:
    case Kind::kHover:
      return {IsMicro(request.width, request.height)
                  ? std::vector<std::string>()
                  : LabelWords(StemOfName(request.component), true),
              ButtonColour(request.component)};
    case Kind::kDisabled:
      return {{}, {0.8f, 0.2f, 0.2f}};
    case Kind::kBackground:
      if (placement != nullptr) {
        return placement->edition.empty() ? Face{ProductName(), kNeutralColour}
                                          : EditionFace(placement->edition);
      }
      return EditionFace(lower.substr(5));
    case Kind::kLogo: {
      if (placement != nullptr) {
        return placement->edition.empty() ? Face{ProductName(), kNeutralColour}
                                          : EditionFace(placement->edition);
      }
      const Theme* theme = ThemeOfEdition(lower.substr(StartsWith(lower, "logomarca") ? 9 : 0));
      return {LogoWords(request.component), theme != nullptr ? theme->colour : ColourOfName(lower)};
    }
    case Kind::kBankLogo: {
      const std::string code = lower.substr(2);
      return {{"BANCO", code}, ColourOfSeed(Fnv1a(code) * 0x9E3779B97F4A7C15ull)};
    }
    case Kind::kShowPicture:
      return {ProductName(), {0.08f, 0.18f, 0.42f}};
    case Kind::kPlate:
      // A shared picture keeps the words of what it shows, in no edition's colour.
      return {LabelWords(request.component, false),
              placement != nullptr && placement->edition.empty() ? kNeutralColour
                                                                 : ColourOfName(request.component)};
  }
  return {};
}

// ---------------------------------------------------------------------------------------------
// Single pictures

// A deterministic generator seeded from the request.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  float Uniform() { return static_cast<float>(Next() >> 40) / static_cast<float>(1ull << 24); }

 private:
  std::uint64_t state_;
};

// A background: a diagonal gradient in the face's colour with soft discs and two waves, the
// face's words large and faint. The neutral face is a dark graphite, so that it reads as no
// edition's colour (not even the grey one).
void DrawBackground(Canvas& canvas, const ArtRequest& request, const Face& face) {
  const Rgb base = face.colour;
  const bool neutral =
      base.r == kNeutralColour.r && base.g == kNeutralColour.g && base.b == kNeutralColour.b;
  const float w = static_cast<float>(canvas.width());
  const float h = static_cast<float>(canvas.height());
  const Rgb light = neutral ? Lighten(base, 0.22f) : Lighten(base, 0.55f);
  const Rgb deep = neutral ? Darken(base, 0.45f) : Darken(base, 0.25f);
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const float t = (static_cast<float>(x) / w * 0.45f + static_cast<float>(y) / h * 0.55f);
      canvas.at(x, y) = Mix(light, deep, std::clamp(t, 0.0f, 1.0f));
    }
  }
  // Soft discs, placed after the picture's own name.
  Random random(Fnv1a(Lower(request.component).substr(5)));
  const float unit = std::min(w, h);
  for (int i = 0; i < 14; ++i) {
    const float cx = random.Uniform() * w;
    const float cy = random.Uniform() * h;
    const float r = unit * (0.05f + random.Uniform() * 0.22f);
    const float alpha = 0.05f + random.Uniform() * 0.08f;
    canvas.Fill(
        cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2,
        [&](float px, float py) { return alpha * SoftEdge(CircleDistance(px, py, cx, cy, r), 3); },
        [&](float, float) { return kWhite; });
  }
  // Two waves across the lower part.
  const float phase = random.Uniform() * 6.283f;
  for (int wave = 0; wave < 2; ++wave) {
    const float level = h * (0.70f + 0.08f * static_cast<float>(wave));
    const float amp = h * (0.05f + 0.02f * static_cast<float>(wave));
    canvas.Fill(
        0, level - amp - 2, w, h,
        [&](float px, float py) {
          const float edge = level + amp * std::sin(px / w * 6.283f * 1.2f + phase +
                                                    static_cast<float>(wave) * 1.7f);
          return 0.10f * Edge(edge - py);
        },
        [&](float, float) { return kWhite; });
  }
  // The words, large and faint.
  const Label label = FitLabel(face.words, w * 0.8f, h * 0.5f, std::round(h * 0.3f),
                               std::max(8.0f, std::round(h * 0.05f)), 2);
  DrawLabel(canvas, label, w * 0.5f, h * 0.45f, kWhite, 0.28f);
}

// A light plate with an emblem and a word: logos and other named pictures.
void DrawLogo(Canvas& canvas, const std::vector<std::string>& words, Rgb base) {
  const float w = static_cast<float>(canvas.width());
  const float h = static_cast<float>(canvas.height());
  const float inset = std::max(2.0f, std::min(w, h) * 0.04f);
  const float radius = std::min(w, h) * 0.12f;
  FillRoundRectGradient(canvas, inset, inset, w - inset, h - inset, radius, Lighten(base, 0.92f),
                        Lighten(base, 0.75f));
  StrokeRoundRect(canvas, inset, inset, w - inset, h - inset, radius,
                  std::max(1.5f, std::min(w, h) * 0.025f), base);
  const std::u32string first = words.empty() ? U"?" : Utf32(words.front());
  const char32_t letter = first.empty() ? U'?' : first.front();
  const Rgb text = Darken(base, 0.45f);
  if (w >= h * 1.5f) {
    const float r = (h - 2 * inset) * 0.34f;
    const float ex = inset + (h - 2 * inset) * 0.5f;
    FillCircle(canvas, ex, h * 0.5f, r, Darken(base, 0.05f));
    StrokeCircle(canvas, ex, h * 0.5f, r * 0.8f, std::max(1.0f, r * 0.06f), kWhite, 0.6f);
    DrawCentredGlyph(canvas, FontFace::kBold, letter, ex, h * 0.5f, r * 1.0f, kWhite, 1);
    const float left = ex + r + inset * 1.5f;
    const float right = w - inset * 2.5f;
    const Label label = FitLabel(words, right - left, h * 0.6f, std::round(h * 0.42f), 7, 2);
    DrawLabel(canvas, label, (left + right) * 0.5f, h * 0.5f, text, 1);
    DrawLine(canvas, left, h * 0.82f, right, h * 0.82f, std::max(1.0f, h * 0.02f), base, 0.8f);
  } else {
    const float r = std::min(w, h) * 0.22f;
    FillCircle(canvas, w * 0.5f, h * 0.36f, r, Darken(base, 0.05f));
    StrokeCircle(canvas, w * 0.5f, h * 0.36f, r * 0.8f, std::max(1.0f, r * 0.06f), kWhite, 0.6f);
    DrawCentredGlyph(canvas, FontFace::kBold, letter, w * 0.5f, h * 0.36f, r * 1.0f, kWhite, 1);
    const Label label = FitLabel(words, w - inset * 5, h * 0.3f, std::round(h * 0.16f), 7, 2);
    DrawLabel(canvas, label, w * 0.5f, h * 0.76f, text, 1);
  }
}

void DrawBankLogo(Canvas& canvas, const ArtRequest& request) {
  const std::string code = Lower(request.component).substr(2);
  const Rgb base = ColourOfSeed(Fnv1a(code) * 0x9E3779B97F4A7C15ull);
  const float w = static_cast<float>(canvas.width());
  const float h = static_cast<float>(canvas.height());
  FillRoundRect(canvas, 1, 1, w - 1, h - 1, 4, {0.97f, 0.97f, 0.96f});
  StrokeRoundRect(canvas, 1, 1, w - 1, h - 1, 4, 1, {0.72f, 0.72f, 0.72f});
  // The stripe: a slanted band in the bank's colour.
  const float stripe = h * 0.95f;
  canvas.Fill(
      2, 2, 2 + stripe + h, h - 2,
      [&](float px, float py) {
        const float edge = 2 + stripe - (py - h * 0.5f) * 0.35f;
        return Edge(px - edge) * Edge(RoundRectDistance(px, py, 2, 2, w - 2, h - 2, 3));
      },
      [&](float, float py) { return Mix(Lighten(base, 0.15f), Darken(base, 0.2f), py / h); });
  const float mx = 2 + stripe * 0.45f, my = h * 0.5f, k = h * 0.22f;
  canvas.Fill(
      mx - k - 1, my - k - 1, mx + k + 1, my + k + 1,
      [&](float px, float py) { return Edge(std::fabs(px - mx) + std::fabs(py - my) - k); },
      [&](float, float) { return kWhite; });
  const float left = 2 + stripe + h * 0.2f;
  const float right = w - 4;
  const Label label =
      FitLabel({code}, (right - left) * 0.5f, h * 0.62f, std::round(h * 0.6f), 7, 1);
  const float code_width = TextWidth(label.style, label.lines.empty() ? U"" : label.lines[0]);
  const Label word = FitLabel({"BANCO"}, right - left - code_width - h * 0.2f, h * 0.4f,
                              std::round(h * 0.28f), 6, 1, FontFace::kRegular);
  const float word_width = TextWidth(word.style, word.lines.empty() ? U"" : word.lines[0]);
  const float total = word_width + h * 0.15f + code_width;
  const float start = (left + right) * 0.5f - total * 0.5f;
  DrawLabel(canvas, word, start + word_width * 0.5f, h * 0.5f, {0.35f, 0.35f, 0.38f}, 1);
  DrawLabel(canvas, label, start + word_width + h * 0.15f + code_width * 0.5f, h * 0.5f,
            Darken(base, 0.35f), 1);
}

void DrawShowPicture(Canvas& canvas) {
  const float w = static_cast<float>(canvas.width());
  const float h = static_cast<float>(canvas.height());
  const Rgb sky_top{0.08f, 0.18f, 0.42f};
  const Rgb sky_bottom{0.36f, 0.62f, 0.90f};
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      canvas.at(x, y) = Mix(sky_top, sky_bottom, static_cast<float>(y) / h);
    }
  }
  // A disc rising out of a box.
  const float dcx = w * 0.5f, dcy = h * 0.36f, dr = w * 0.30f;
  canvas.Fill(
      dcx - dr - 1, dcy - dr - 1, dcx + dr + 1, dcy + dr + 1,
      [&](float px, float py) { return Edge(CircleDistance(px, py, dcx, dcy, dr)); },
      [&](float px, float py) {
        const float angle = std::atan2(py - dcy, px - dcx);
        const float sheen = 0.5f + 0.5f * std::sin(angle * 3.0f);
        return Mix({0.70f, 0.74f, 0.80f}, {0.97f, 0.97f, 1.0f}, sheen);
      });
  StrokeCircle(canvas, dcx, dcy, dr * 0.55f, 1, {0.6f, 0.62f, 0.7f}, 0.7f);
  FillCircle(canvas, dcx, dcy, dr * 0.16f, Mix(sky_top, sky_bottom, dcy / h));
  const float bx0 = w * 0.14f, bx1 = w * 0.86f, by0 = h * 0.46f, by1 = h * 0.80f;
  SoftRoundRect(canvas, bx0 + 1, by0 + 2, bx1 + 1, by1 + 2, 3, 4, kBlack, 0.4f);
  FillRoundRectGradient(canvas, bx0, by0, bx1, by1, 3, {0.95f, 0.62f, 0.22f},
                        {0.78f, 0.40f, 0.10f});
  FillRoundRect(canvas, bx0, by0, bx1, by0 + (by1 - by0) * 0.22f, 3, {0.99f, 0.74f, 0.35f});
  FillRoundRect(canvas, w * 0.44f, by0, w * 0.56f, by1, 0.5f, {0.99f, 0.86f, 0.55f}, 0.85f);
  StrokeRoundRect(canvas, bx0, by0, bx1, by1, 3, 1, {0.55f, 0.28f, 0.06f});
  const Label label = FitLabel({"Varnel"}, w * 0.86f, h * 0.14f, 18, 8, 1);
  const Rgb shade{0.05f, 0.1f, 0.25f};
  DrawLabel(canvas, label, w * 0.5f, h * 0.9f, kWhite, 1, &shade, 0.6f);
}

void DrawPlate(Canvas& canvas, const Face& face) {
  const Rgb base = face.colour;
  const float w = static_cast<float>(canvas.width());
  const float h = static_cast<float>(canvas.height());
  const float inset = std::max(1.0f, std::min(w, h) * 0.04f);
  const float radius = std::min(w, h) * 0.1f;
  FillRoundRectGradient(canvas, inset, inset, w - inset, h - inset, radius, Lighten(base, 0.9f),
                        Lighten(base, 0.7f));
  StrokeRoundRect(canvas, inset, inset, w - inset, h - inset, radius, std::max(1.0f, inset * 0.5f),
                  Darken(base, 0.1f));
  const Label label = FitLabel(face.words, w - inset * 4, h - inset * 4,
                               std::max(7.0f, std::round(std::min(h * 0.25f, w * 0.2f))), 6, 3);
  DrawLabel(canvas, label, w * 0.5f, h * 0.5f, Darken(base, 0.55f), 1);
}

// Resolution fields vary a little between pictures, as stored pictures do.
std::int32_t PixelsPerMetre(std::uint64_t seed) {
  constexpr std::int32_t kChoices[] = {2835, 3780, 3779, 2834};
  return kChoices[(seed >> 7) % 4];
}

}  // namespace

std::optional<Label> ButtonLabel(const ArtRequest& request) {
  const Kind kind = Classify(request);
  if ((kind != Kind::kButton && kind != Kind::kHover) || IsMicro(request.width, request.height))
    return std::nullopt;
  return ArrangeButton(request).label;
}

Face FaceOf(const ArtRequest& request) {
  return FaceOfKind(request, Classify(request));
}

std::vector<std::uint8_t> DrawPicture(const ArtRequest& request) {
  if (request.width <= 0 || request.height <= 0 || request.width > 20000 ||
      request.height > 20000) {
    throw std::invalid_argument("artgen: " + request.component + "." + request.slot +
                                ": picture size " + std::to_string(request.width) + "x" +
                                std::to_string(request.height) + " is out of range");
  }
  const std::uint64_t seed =
      Fnv1a(Lower(request.form) + "/" + Lower(request.component) + "/" + Lower(request.slot));
  Canvas canvas(request.width, request.height, kPaper);
  const Kind kind = Classify(request);
  switch (kind) {
    case Kind::kButton:
      DrawButton(canvas, request, false);
      break;
    case Kind::kHover:
      DrawButton(canvas, request, true);
      break;
    case Kind::kDisabled:
      DrawDisabledMark(canvas);
      break;
    case Kind::kBackground:
      DrawBackground(canvas, request, FaceOfKind(request, kind));
      break;
    case Kind::kLogo: {
      const Face face = FaceOfKind(request, kind);
      DrawLogo(canvas, face.words, face.colour);
      break;
    }
    case Kind::kBankLogo:
      DrawBankLogo(canvas, request);
      break;
    case Kind::kShowPicture:
      DrawShowPicture(canvas);
      break;
    case Kind::kPlate:
      DrawPlate(canvas, FaceOfKind(request, kind));
      break;
  }
  if (request.encoding == Encoding::kJpeg) {
    return EncodeJpeg(canvas, (seed >> 11) % 2 == 0 ? 96 : 72);
  }
  const Dither dither = kind == Kind::kDisabled ? Dither::kNearest : Dither::kDiffuse;
  return EncodeBmp(canvas, request.depth, PixelsPerMetre(seed), dither);
}

}  // namespace artgen
