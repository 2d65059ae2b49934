// Drawing speed of typical pictures, against the bare cost of encoding the same number of
// plain pictures of the same size, measured side by side in one run.
#include <chrono>
#include <cstdio>
#include <iterator>
#include <string>

#include "tools/artgen/Art.h"
#include "tools/artgen/Encode.h"

namespace {

constexpr const char* kStems[] = {
    "cliente",      "fornecedor",       "formapagamento", "submenuagendatelefone",
    "pagarexcluir", "cxcapturarbalcao", "peqnfe",         "relatoriopet"};
constexpr const char* kColours[] = {"Azul", "aqua",  "musgo", "Amarelo", "laranja",
                                    "ouro", "cinza", "bege",  "Roxo",    "vermelho"};

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

}  // namespace

int main() {
  constexpr int kPictures = 1000;
  std::size_t bytes = 0;

  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kPictures; ++i) {
    artgen::ArtRequest request;
    request.form = "tbotoes";
    request.component = std::string(kStems[i % 8]) + kColours[(i / 8) % 10] +
                        (i >= 80 ? std::to_string(i / 80) : std::string());
    request.slot = i % 2 == 0 ? "Picture1" : "Picture2";
    request.width = 81;
    request.height = i % 2 == 0 ? 75 : 79;
    request.depth = 24;
    bytes += artgen::DrawPicture(request).size();
  }
  const double drawn = Seconds(std::chrono::steady_clock::now() - start);

  start = std::chrono::steady_clock::now();
  for (int i = 0; i < kPictures; ++i) {
    const artgen::Canvas plain(81, i % 2 == 0 ? 75 : 79, {1, 1, 1});
    bytes += artgen::EncodeBmp(plain, 24, 2835).size();
  }
  const double encoded = Seconds(std::chrono::steady_clock::now() - start);

  // The large single pictures: every background and logo size of the catalogue once.
  struct Big {
    const char* component;
    int width, height;
    bool jpeg;
  };
  constexpr Big kBig[] = {
      {"FundoCaixaNaoFiscal", 818, 484, true},
      {"fundopet", 469, 302, true},
      {"fundooficina", 468, 302, true},
      {"fundocaixa", 468, 323, true},
      {"FundoNerova", 866, 554, true},
      {"fundotarnix", 1139, 319, true},
      {"fundoproducao", 575, 408, true},
      {"fundoerp", 821, 1095, true},
      {"fundomercado", 1600, 1158, true},
      {"fundoclean", 893, 462, true},
      {"fundopadaria", 538, 356, true},
      {"carrinho", 602, 628, true},
      {"logomarcatulmar", 409, 100, false},
      {"logomarcagourmet", 450, 192, false},
      {"logomarcabeauty", 450, 205, false},
      {"logomarcaclean", 454, 208, false},
      {"pao", 638, 205, false},
      {"logomktpet", 250, 225, false},
  };
  start = std::chrono::steady_clock::now();
  for (const Big& big : kBig) {
    artgen::ArtRequest request;
    request.form = "tbotoes1";
    request.component = big.component;
    request.slot = "Picture";
    request.width = big.width;
    request.height = big.height;
    request.encoding = big.jpeg ? artgen::Encoding::kJpeg : artgen::Encoding::kBitmap;
    bytes += artgen::DrawPicture(request).size();
  }
  const double large = Seconds(std::chrono::steady_clock::now() - start);

  std::printf("%d buttons 81x75/81x79 drawn and encoded: %.3f s (%.3f ms each)\n", kPictures, drawn,
              drawn * 1000 / kPictures);
  std::printf("%d plain pictures encoded only:        %.3f s\n", kPictures, encoded);
  std::printf("drawing / encoding ratio: %.1f\n", encoded > 0 ? drawn / encoded : 0.0);
  std::printf("estimate for 9,400 pictures of this kind on one core: %.1f s\n",
              drawn / kPictures * 9400);
  std::printf("%zu large backgrounds and logos: %.3f s\n", std::size(kBig), large);
  std::printf("(bytes produced: %zu)\n", bytes);
  return 0;
}
