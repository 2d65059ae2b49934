#include <gtest/gtest.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <jpeglib.h>

#include "tools/artgen/Art.h"
#include "tools/artgen/Names.h"

namespace artgen {
namespace {

using Bytes = std::vector<std::uint8_t>;

ArtRequest Bitmap(std::string form, std::string component, std::string slot, int width, int height,
                  int depth = 24) {
  ArtRequest request;
  request.form = std::move(form);
  request.component = std::move(component);
  request.slot = std::move(slot);
  request.width = width;
  request.height = height;
  request.depth = depth;
  return request;
}

ArtRequest Jpeg(std::string form, std::string component, int width, int height) {
  ArtRequest request = Bitmap(std::move(form), std::move(component), "Picture", width, height);
  request.encoding = Encoding::kJpeg;
  return request;
}

std::uint32_t U32(const Bytes& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t U16(const Bytes& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

struct Pixel {
  int r, g, b;
};

// Reads back the pixels of one of our BMP files, top row first.
struct Decoded {
  int width = 0, height = 0;
  std::vector<Pixel> pixels;
  Pixel at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

Decoded DecodeBmp(const Bytes& bmp) {
  Decoded out;
  out.width = static_cast<int>(U32(bmp, 18));
  out.height = static_cast<int>(U32(bmp, 22));
  const int depth = U16(bmp, 28);
  const std::size_t offset = U32(bmp, 10);
  const std::size_t row = ((static_cast<std::size_t>(out.width) * depth + 31) / 32) * 4;
  out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
  for (int y = 0; y < out.height; ++y) {
    const std::size_t start = offset + static_cast<std::size_t>(out.height - 1 - y) * row;
    for (int x = 0; x < out.width; ++x) {
      Pixel p{};
      if (depth == 8) {
        const std::size_t entry = 54 + static_cast<std::size_t>(bmp[start + x]) * 4;
        p = {bmp[entry + 2], bmp[entry + 1], bmp[entry]};
      } else {
        const std::size_t at = start + static_cast<std::size_t>(x) * (depth / 8);
        p = {bmp[at + 2], bmp[at + 1], bmp[at]};
      }
      out.pixels[static_cast<std::size_t>(y) * out.width + x] = p;
    }
  }
  return out;
}

// Mean brightness of a patch of the button body left of the icon and above the label.
double BodyBrightness(const Decoded& image) {
  double sum = 0;
  int count = 0;
  for (int y = image.height * 3 / 10; y < image.height * 4 / 10; ++y) {
    for (int x = image.width * 8 / 100; x < image.width * 18 / 100 + 1; ++x) {
      const Pixel p = image.at(x, y);
      sum += p.r + p.g + p.b;
      ++count;
    }
  }
  return sum / (3.0 * count);
}

// Lowest row (counting from the top) whose middle pixel is not the white paper.
int LowestInkedRow(const Decoded& image) {
  int lowest = -1;
  for (int y = 0; y < image.height; ++y) {
    const Pixel p = image.at(image.width / 2, y);
    if (p.r + p.g + p.b < 3 * 245) lowest = y;
  }
  return lowest;
}

struct JpegInfo {
  int width = 0, height = 0, components = 0;
  bool progressive = false;
};

struct JpegFailure {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void OnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegFailure*>(info->err)->jump, 1);
}

// Decodes the whole stream with libjpeg; nullopt when libjpeg rejects it.
std::optional<JpegInfo> DecodeJpeg(const Bytes& data) {
  jpeg_decompress_struct info;
  JpegFailure failure;
  info.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = OnError;
  JpegInfo result;
  std::vector<JSAMPLE> row;
  if (setjmp(failure.jump) != 0) {
    jpeg_destroy_decompress(&info);
    return std::nullopt;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  result.progressive = jpeg_has_multiple_scans(&info);
  jpeg_start_decompress(&info);
  result.width = static_cast<int>(info.output_width);
  result.height = static_cast<int>(info.output_height);
  result.components = info.output_components;
  row.resize(static_cast<std::size_t>(info.output_width) * info.output_components);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return result;
}

bool HasMarker(const Bytes& data, std::uint8_t marker) {
  for (std::size_t i = 0; i + 1 < data.size(); ++i) {
    if (data[i] == 0xFF && data[i + 1] == marker) return true;
  }
  return false;
}

// One request of every kind of picture the sheets and small forms hold.
std::vector<ArtRequest> EveryKind() {
  return {
      Bitmap("tbotoes", "ClienteAqua", "Picture1", 81, 75),
      Bitmap("tbotoes", "ClienteAqua", "Picture2", 81, 79),
      Bitmap("tbotoes", "submenuTelefoneAqua", "Picture1", 61, 57, 8),
      Bitmap("tBotoes5", "microbinoculoazul", "Picture2", 36, 38, 32),
      Bitmap("tbotoes2", "PeqConcluidoAzul", "Picture3", 16, 16),
      Bitmap("tbotoes", "lb001", "Picture", 149, 38),
      Bitmap("tbotoes1", "logomarcapet", "Picture", 200, 200),
      Bitmap("tbotoes1", "trevik", "Picture", 167, 155),
      Bitmap("tformproceda", "ClienteBege", "Picture", 81, 75),
      Jpeg("tbotoes1", "fundopet", 469, 302),
      Jpeg("tpictureshow", "Image1", 86, 115),
      Jpeg("tbotoes1", "carrinho", 602, 628),
  };
}

TEST(DrawPictureTest, SameRequestGivesSameBytes) {
  for (const ArtRequest& request : EveryKind()) {
    SCOPED_TRACE(request.component + "." + request.slot);
    const Bytes first = DrawPicture(request);
    const Bytes second = DrawPicture(request);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first, second);
  }
}

TEST(DrawPictureTest, ThreadsDrawTheSameBytesAsOneThread) {
  const std::vector<ArtRequest> requests = EveryKind();
  std::vector<Bytes> alone;
  for (const ArtRequest& request : requests) alone.push_back(DrawPicture(request));
  std::vector<Bytes> first(requests.size()), second(requests.size());
  std::thread a([&] {
    for (std::size_t i = 0; i < requests.size(); ++i) first[i] = DrawPicture(requests[i]);
  });
  std::thread b([&] {
    for (std::size_t i = requests.size(); i-- > 0;) second[i] = DrawPicture(requests[i]);
  });
  a.join();
  b.join();
  EXPECT_EQ(first, alone);
  EXPECT_EQ(second, alone);
}

TEST(DrawPictureTest, LetterCaseOfTheNameDoesNotChangeThePicture) {
  const Bytes mixed = DrawPicture(Bitmap("tbotoes", "ClienteAqua", "Picture1", 81, 75));
  EXPECT_EQ(mixed, DrawPicture(Bitmap("tbotoes", "clienteaqua", "Picture1", 81, 75)));
  EXPECT_EQ(mixed, DrawPicture(Bitmap("TBOTOES", "CLIENTEAQUA", "PICTURE1", 81, 75)));
  EXPECT_NE(mixed, DrawPicture(Bitmap("tbotoes", "ClienteAzul", "Picture1", 81, 75)));
  EXPECT_NE(mixed, DrawPicture(Bitmap("tbotoes", "FornecedorAqua", "Picture1", 81, 75)));
}

// Each case prints as what it draws, so ctest's names and the failures say which picture it
// is rather than showing the case's bytes.
struct BmpCase {
  int depth, width, height;
  const char* component;
  const char* slot;
};

void PrintTo(const BmpCase& c, std::ostream* out) {
  *out << c.component << "_" << c.slot << "_" << c.depth << "bit_" << c.width << "x" << c.height;
}

class BmpLayoutTest : public testing::TestWithParam<BmpCase> {};

TEST_P(BmpLayoutTest, HeaderTableAndRowsAreConsistent) {
  const BmpCase c = GetParam();
  const Bytes bmp = DrawPicture(Bitmap("tbotoes", c.component, c.slot, c.width, c.height, c.depth));
  const std::uint32_t row = ((static_cast<std::uint32_t>(c.width) * c.depth + 31) / 32) * 4;
  const std::uint32_t image = row * static_cast<std::uint32_t>(c.height);
  const std::uint32_t table = c.depth == 8 ? 1024 : 0;

  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(U32(bmp, 2), bmp.size());
  EXPECT_EQ(bmp.size(), 54 + table + image);
  EXPECT_EQ(U32(bmp, 6), 0u);           // reserved words
  EXPECT_EQ(U32(bmp, 10), 54 + table);  // pixel data offset
  EXPECT_EQ(U32(bmp, 14), 40u);         // info header size
  EXPECT_EQ(U32(bmp, 18), static_cast<std::uint32_t>(c.width));
  EXPECT_EQ(U32(bmp, 22), static_cast<std::uint32_t>(c.height));  // positive: bottom-up
  EXPECT_EQ(U16(bmp, 26), 1);                                     // planes
  EXPECT_EQ(U16(bmp, 28), c.depth);
  EXPECT_EQ(U32(bmp, 30), 0u);  // BI_RGB
  EXPECT_EQ(U32(bmp, 34), image);
  const std::set<std::uint32_t> resolutions = {2834, 2835, 3779, 3780};
  EXPECT_TRUE(resolutions.count(U32(bmp, 38)) == 1) << U32(bmp, 38);
  EXPECT_EQ(U32(bmp, 42), U32(bmp, 38));
  EXPECT_EQ(U32(bmp, 46), c.depth == 8 ? 256u : 0u);  // colours used
  EXPECT_EQ(U32(bmp, 50), 0u);

  if (c.depth == 8) {
    std::set<std::uint32_t> colours;
    for (std::size_t i = 0; i < 256; ++i) {
      EXPECT_EQ(bmp[54 + i * 4 + 3], 0) << "entry " << i;
      colours.insert(U32(bmp, 54 + i * 4));
    }
    EXPECT_EQ(colours.size(), 256u);  // a full table of distinct colours
  }
  const std::size_t used = static_cast<std::size_t>(c.width) * (c.depth / 8);
  for (int y = 0; y < c.height; ++y) {
    const std::size_t start = 54 + table + static_cast<std::size_t>(y) * row;
    for (std::size_t k = used; k < row; ++k) EXPECT_EQ(bmp[start + k], 0) << "row " << y;
    if (c.depth == 32) {
      for (int x = 0; x < c.width; ++x) EXPECT_EQ(bmp[start + x * 4 + 3], 255);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(DepthsAndSizes, BmpLayoutTest,
                         testing::Values(BmpCase{24, 81, 75, "ClienteAqua", "Picture1"},
                                         BmpCase{24, 81, 79, "ClienteAqua", "Picture2"},
                                         BmpCase{24, 61, 57, "PeqConcluidoAzul", "Picture1"},
                                         BmpCase{24, 149, 38, "lb001", "Picture"},
                                         BmpCase{8, 81, 75, "DreCinza", "Picture1"},
                                         BmpCase{8, 37, 35, "previewprimeiraroxo", "Picture1"},
                                         BmpCase{8, 167, 54, "lb041", "Picture"},
                                         BmpCase{32, 36, 36, "microlunetaouro", "Picture1"},
                                         BmpCase{32, 61, 61, "peqnfeaqua", "Picture2"},
                                         BmpCase{24, 1, 1, "tiny", "Picture"},
                                         BmpCase{8, 3, 2, "tiny", "Picture"}));

TEST(DrawPictureTest, ResolutionFieldsVaryBetweenPictures) {
  std::set<std::uint32_t> seen;
  for (const char* name : {"ClienteAqua", "ClienteAzul", "DreCinza", "BancoRoxo", "SatOuro",
                           "KitMusgo", "DocBege", "GrupoAzul"}) {
    seen.insert(U32(DrawPicture(Bitmap("tbotoes", name, "Picture1", 81, 75)), 38));
  }
  EXPECT_GE(seen.size(), 2u);
}

TEST(DrawPictureTest, ButtonCornersAreThePlainBackground) {
  // The bottom-left pixel is the colour a transparent image leaves out; every button has
  // the plain paper there, whatever its depth.
  for (int depth : {8, 24, 32}) {
    for (const char* slot : {"Picture1", "Picture2"}) {
      const Decoded image =
          DecodeBmp(DrawPicture(Bitmap("tbotoes", "SenhaSigaVermelho", slot, 81, 75, depth)));
      const Pixel corner = image.at(0, image.height - 1);
      EXPECT_EQ(corner.r, 255);
      EXPECT_EQ(corner.g, 255);
      EXPECT_EQ(corner.b, 255);
    }
  }
}

// A button draws its disabled overlay leaving out the colour of the overlay's bottom-left pixel.
// Every other pixel must be the sign itself, well apart from that colour: an edge blended or
// dithered into the paper would leave a pale, speckled ring around the sign on the button.
TEST(DrawPictureTest, DisabledOverlayIsPaperOrSignWithNothingBetween) {
  for (int depth : {8, 24}) {
    for (const auto& [width, height] : {std::pair{16, 16}, std::pair{24, 20}}) {
      SCOPED_TRACE(std::to_string(depth) + " bits, " + std::to_string(width) + "x" +
                   std::to_string(height));
      const Decoded image = DecodeBmp(
          DrawPicture(Bitmap("tbotoes2", "PeqBloqueioAqua", "Picture3", width, height, depth)));
      const Pixel paper = image.at(0, image.height - 1);
      int sign = 0;
      for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
          const Pixel p = image.at(x, y);
          if (p.r == paper.r && p.g == paper.g && p.b == paper.b) continue;
          ++sign;
          const int apart =
              std::max({std::abs(p.r - paper.r), std::abs(p.g - paper.g), std::abs(p.b - paper.b)});
          EXPECT_GE(apart, 30) << "at " << x << "," << y;
        }
      }
      EXPECT_GT(sign, image.width * image.height / 2);
    }
  }
}

struct JpegCase {
  const char* form;
  const char* component;
  int width, height;
};

void PrintTo(const JpegCase& c, std::ostream* out) {
  *out << c.form << "_" << c.component << "_" << c.width << "x" << c.height;
}

class JpegTest : public testing::TestWithParam<JpegCase> {};

TEST_P(JpegTest, DecodesToTheRequestedSize) {
  const JpegCase c = GetParam();
  const Bytes jpeg = DrawPicture(Jpeg(c.form, c.component, c.width, c.height));
  ASSERT_GE(jpeg.size(), 4u);
  EXPECT_EQ(jpeg[0], 0xFF);
  EXPECT_EQ(jpeg[1], 0xD8);
  EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
  EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9);
  EXPECT_TRUE(HasMarker(jpeg, 0xC0)) << "baseline frame expected";
  EXPECT_FALSE(HasMarker(jpeg, 0xE1)) << "no EXIF segment expected";
  const std::optional<JpegInfo> info = DecodeJpeg(jpeg);
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->width, c.width);
  EXPECT_EQ(info->height, c.height);
  EXPECT_EQ(info->components, 3);
  EXPECT_FALSE(info->progressive);
}

INSTANTIATE_TEST_SUITE_P(Pictures, JpegTest,
                         testing::Values(JpegCase{"tpictureshow", "Image1", 86, 115},
                                         JpegCase{"tbotoes1", "fundopet", 469, 302},
                                         JpegCase{"tbotoes1", "FundoCaixaNaoFiscal", 818, 484},
                                         JpegCase{"tbotoes1", "fundotarnix", 1139, 319},
                                         JpegCase{"tbotoes1", "golfinho", 86, 115},
                                         JpegCase{"tbotoes1", "odd", 17, 9}));

struct HoverCase {
  const char* component;
  int width, rest_height, hover_height;
};

void PrintTo(const HoverCase& c, std::ostream* out) {
  *out << c.component << "_" << c.width;
}

class HoverTest : public testing::TestWithParam<HoverCase> {};

TEST_P(HoverTest, HoverIsLighterAndUsesExtraHeight) {
  const HoverCase c = GetParam();
  const Bytes rest =
      DrawPicture(Bitmap("tbotoes", c.component, "Picture1", c.width, c.rest_height));
  const Bytes same =
      DrawPicture(Bitmap("tbotoes", c.component, "Picture2", c.width, c.rest_height));
  EXPECT_NE(rest, same);
  const Decoded rest_image = DecodeBmp(rest);
  EXPECT_GT(BodyBrightness(DecodeBmp(same)), BodyBrightness(rest_image) + 10);
  if (c.hover_height > c.rest_height) {
    const Decoded taller =
        DecodeBmp(DrawPicture(Bitmap("tbotoes", c.component, "Picture2", c.width, c.hover_height)));
    EXPECT_GT(LowestInkedRow(taller), LowestInkedRow(rest_image));
  }
}

INSTANTIATE_TEST_SUITE_P(Buttons, HoverTest,
                         testing::Values(HoverCase{"ClienteAqua", 81, 75, 79},
                                         HoverCase{"MovimentoOuro", 81, 75, 81},
                                         HoverCase{"promocaolaranja", 81, 73, 79},
                                         HoverCase{"submenuPalvoAqua", 61, 57, 61},
                                         HoverCase{"pequploadvermelho", 61, 57, 57},
                                         HoverCase{"microbinoculobege", 36, 36, 38},
                                         HoverCase{"relatoriopet", 81, 75, 79}));

struct ThemeCase {
  const char* name;
  const char* suffix;  // nullptr: no theme
  const char* stem;
};

void PrintTo(const ThemeCase& c, std::ostream* out) {
  *out << c.name;
}

class ThemeTest : public testing::TestWithParam<ThemeCase> {};

TEST_P(ThemeTest, SuffixIsFoundInAnyCase) {
  const ThemeCase c = GetParam();
  const Theme* theme = ThemeOfName(c.name);
  if (c.suffix == nullptr) {
    EXPECT_EQ(theme, nullptr) << theme->suffix;
  } else {
    ASSERT_NE(theme, nullptr);
    EXPECT_EQ(theme->suffix, c.suffix);
  }
  EXPECT_EQ(StemOfName(c.name), c.stem);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ThemeTest,
    testing::Values(
        ThemeCase{"ClienteAqua", "aqua", "cliente"}, ThemeCase{"clientecinza", "cinza", "cliente"},
        ThemeCase{"DreCinza", "cinza", "dre"}, ThemeCase{"UNirVendaAqua", "aqua", "unirvenda"},
        ThemeCase{"submenuTelefoneAqua", "aqua", "submenutelefone"},
        ThemeCase{"CXHELPAZUL", "azul", "cxhelp"}, ThemeCase{"peqpalvomusgo", "musgo", "peqpalvo"},
        ThemeCase{"utilcpfamarelo", "amarelo", "utilcpf"},
        ThemeCase{"PeqAgendaAmarela", "amarelo", "peqagenda"},
        ThemeCase{"cxhelplaranja", "laranja", "cxhelp"}, ThemeCase{"Paf64Ouro", "ouro", "paf64"},
        ThemeCase{"PreviewXlsBege", "bege", "previewxls"},
        ThemeCase{"cxhelpRoxo", "roxo", "cxhelp"},
        ThemeCase{"XmlCpLocalizadorvermelho", "vermelho", "xmlcplocalizador"},
        ThemeCase{"relatoriopet", nullptr, "relatoriopet"},
        ThemeCase{"sindicatocipa", nullptr, "sindicatocipa"},
        ThemeCase{"PagarAgrupar", nullptr, "pagaragrupar"}, ThemeCase{"lb001", nullptr, "lb001"},
        ThemeCase{"Azul", nullptr, "azul"}, ThemeCase{"", nullptr, ""}));

// The dominant channel of the button body shows its theme: blue buttons are blue, red red.
struct ColourCase {
  const char* component;
  char dominant;  // 'r', 'g' or 'b'
};

void PrintTo(const ColourCase& c, std::ostream* out) {
  *out << c.component;
}

class ButtonColourTest : public testing::TestWithParam<ColourCase> {};

TEST_P(ButtonColourTest, BodyIsInTheThemeColour) {
  const ColourCase c = GetParam();
  const Decoded image = DecodeBmp(DrawPicture(Bitmap("tbotoes", c.component, "Picture1", 81, 75)));
  // A patch left of the icon and above the label: body colour only.
  long r = 0, g = 0, b = 0;
  for (int y = 20; y < 30; ++y) {
    for (int x = 6; x < 14; ++x) {
      const Pixel p = image.at(x, y);
      r += p.r, g += p.g, b += p.b;
    }
  }
  const long top = std::max({r, g, b});
  const char dominant = top == r ? 'r' : top == g ? 'g' : 'b';
  EXPECT_EQ(dominant, c.dominant) << r << " " << g << " " << b;
}

INSTANTIATE_TEST_SUITE_P(
    Themes, ButtonColourTest,
    testing::Values(ColourCase{"ClienteAzul", 'b'}, ColourCase{"CLIENTEAZUL", 'b'},
                    ColourCase{"clienteaqua", 'b'}, ColourCase{"ClienteMusgo", 'g'},
                    ColourCase{"clienteVERMELHO", 'r'}, ColourCase{"ClienteLaranja", 'r'},
                    ColourCase{"ClienteRoxo", 'b'}));

TEST(DrawPictureTest, NamesWithoutColourStillDraw) {
  for (const char* name : {"relatoriopet", "sindicatocipa", "PagarAgrupar", "cxatualizarpreco",
                           "lexorcontrato", "zzz", ""}) {
    SCOPED_TRACE(name);
    const Decoded image = DecodeBmp(DrawPicture(Bitmap("tbotoes1", name, "Picture1", 81, 75)));
    int inked = 0;
    for (const Pixel& p : image.pixels) inked += (p.r + p.g + p.b < 600) ? 1 : 0;
    EXPECT_GT(inked, 81 * 75 / 2);  // a button body covers most of the picture
  }
}

struct WordsCase {
  const char* name;
  std::vector<std::string> words;
};

void PrintTo(const WordsCase& c, std::ostream* out) {
  *out << c.name;
}

class LabelWordsTest : public testing::TestWithParam<WordsCase> {};

TEST_P(LabelWordsTest, StemIsSplitIntoDisplayWords) {
  EXPECT_EQ(LabelWords(GetParam().name, true), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Stems, LabelWordsTest,
    testing::Values(WordsCase{"formapagamento", {"Forma", "Pagamento"}},
                    WordsCase{"submenuagendatelefone", {"Agenda", "Telefone"}},
                    WordsCase{"peqnfe", {"NF-e"}}, WordsCase{"cxhelp", {"Help"}},
                    WordsCase{"relatoriopet", {"Relatório", "Pet"}},
                    WordsCase{"paf32", {"PAF", "32"}}, WordsCase{"peqhelpf1", {"Help", "F1"}},
                    WordsCase{"grupoxsubgrupo", {"Grupo", "x", "Subgrupo"}},
                    WordsCase{"utilimpresssorafiscal", {"Impressora", "Fiscal"}},
                    WordsCase{"micromicroscopio", {"Microscópio"}},
                    WordsCase{"relatopeqsair", {"Sair"}}, WordsCase{"cobranca", {"Cobrança"}},
                    WordsCase{"zzqq", {"Zzqq"}}, WordsCase{"peqfiltrooff", {"Filtro", "Off"}},
                    WordsCase{"peqosnova", {"OS", "Nova"}}, WordsCase{"zzqqonesc", {"Zzqqonesc"}},
                    WordsCase{"image77", {"Image", "77"}},
                    WordsCase{"zzclientezz", {"Zz", "Cliente", "Zz"}}, WordsCase{"peq", {"Peq"}},
                    WordsCase{"submenu", {"Submenu"}}, WordsCase{"pequtilf11", {"Util", "F11"}},
                    WordsCase{"sindicatocipa", {"CIPA"}}, WordsCase{"lexorcontrato", {"Contrato"}}),
    [](const testing::TestParamInfo<WordsCase>& c) { return std::string(c.param.name); });

TEST(DrawPictureTest, RejectsWhatItCannotDraw) {
  EXPECT_THROW(DrawPicture(Bitmap("tbotoes", "ClienteAqua", "Picture1", 81, 75, 16)),
               std::invalid_argument);
  EXPECT_THROW(DrawPicture(Bitmap("tbotoes", "ClienteAqua", "Picture1", 0, 75)),
               std::invalid_argument);
  EXPECT_THROW(DrawPicture(Bitmap("tbotoes", "ClienteAqua", "Picture1", 81, -1)),
               std::invalid_argument);
}

}  // namespace
}  // namespace artgen
