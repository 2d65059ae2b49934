#!/bin/sh
# Draws a sample of every kind of picture with artgen-one and lays them out on contact sheets
# (PNG, ImageMagick's convert and montage) to look at:
#   tools/artgen/contact-sheet.sh <artgen-one> <output folder>
set -eu
tool=$1
out=$2
mkdir -p "$out/parts"
draw() {  # form component slot WxH depth [bmp|jpeg]; prints the PNG's path
  name="$2-$3-$4-$5"
  "$tool" "$1" "$2" "$3" "" "${6:-bmp}" "$4" "$5" "$out/parts/$name.pic"
  convert "$out/parts/$name.pic" "$out/parts/$name.png"
  rm "$out/parts/$name.pic"
  echo "$out/parts/$name.png"
}
sheet() {  # name, then files
  target=$1
  shift
  montage "$@" -tile 8x -geometry '+4+4' -background '#c8c8c8' "$out/$target.png"
  echo "$out/$target.png"
}

set --
for colour in Azul aqua musgo Amarelo laranja ouro cinza bege Roxo vermelho; do
  set -- "$@" "$(draw tbotoes "formapagamento$colour" Picture1 81x75 24)"
  set -- "$@" "$(draw tbotoes "formapagamento$colour" Picture2 81x79 24)"
done
for stem in cliente senhaconfigurar comissaopagar centroresultado clientepotencial \
  grupoxsubgrupo transferencia historicocobranca sintegra60 origemindicacao; do
  set -- "$@" "$(draw tbotoes "${stem}Azul" Picture1 81x75 24)"
done
for stem in cxcapturarbalcao utilfuncoesimpressorafiscal nfeenviarcontingencia \
  sindicatosecretariageral lexoratividadeadvogado relatoriopet PagarAgrupar \
  ReceberCalculo comissaopagarfiltrooff; do
  set -- "$@" "$(draw tbotoes "$stem" Picture1 81x75 8)"
done
sheet buttons "$@"

set --
for stem in submenuTelefoneAqua submenuagendavisitaroxo submenudireitoautoralcinza \
  PeqConcluidoAzul peqclientecinza PeqAgendaAmarela peqtrnasferirf6bege peqmenufiscalf12amarelo \
  peqconverterstandbyvermelho peqnfemusgo pequploadlaranja peqexcluirouro; do
  set -- "$@" "$(draw tbotoes2 "$stem" Picture1 61x57 24)" "$(draw tbotoes2 "$stem" Picture2 61x61 24)"
done
for stem in microbinoculoazul microlunetaaqua micromicroscopioroxo previewprimeiracinza \
  previewultimaouro previewtopobege previewbaixovermelho previewmaismusgo; do
  set -- "$@" "$(draw tBotoes5 "$stem" Picture1 36x36 32)" "$(draw tBotoes5 "$stem" Picture2 38x38 32)"
done
for stem in microbinoculobege microlunetabege micromicroscopiobege; do
  set -- "$@" "$(draw tBotoes5 "$stem" Picture1 37x35 8)" "$(draw tBotoes5 "$stem" Picture2 37x37 8)"
done
for stem in PeqFornecedorAzul PeqPagamentoAzul PeqDesbloqueioAzul PeqAtendimentof6Azul \
  NfeComplementargerarAzul NfeEnviarcontingenciaAzul NfeImportarxmlAzul XmlcpLocalizadorCinza; do
  set -- "$@" "$(draw tbotoes2 "$stem" Picture1 61x57 24)"
done
set -- "$@" "$(draw tbotoes2 PeqX Picture3 16x16 24)" "$(draw tbotoes2 PeqX Picture3 16x16 8)" \
  "$(draw tbotoes2 PeqX Picture3 24x20 8)"
sheet small "$@"

set --
for code in 001 041 237 341 748 756; do
  set -- "$@" "$(draw tbotoes "lb$code" Picture 149x38 24)"
done
set -- "$@" "$(draw tbotoes1 logomarcatulmar Picture 409x100 24)"
set -- "$@" "$(draw tbotoes1 carrinho Picture 602x628 24 jpeg)"
set -- "$@" "$(draw tbotoes1 logomarcapet Picture 200x200 24)"
set -- "$@" "$(draw tbotoes1 logomarcaparceiro Picture 92x84 8)"
set -- "$@" "$(draw tbotoes1 trevik Picture 167x155 24)"
set -- "$@" "$(draw tbotoes1 pao Picture 638x205 24)"
set -- "$@" "$(draw tpictureshow Image1 Picture 86x115 24 jpeg)"
set -- "$@" "$(draw tbotoes1 golfinho Picture 86x115 24 jpeg)"
set -- "$@" "$(draw tformproceda ClienteBege Picture 81x75 24)"
sheet logos "$@"

set --
# Own backgrounds, then those several editions share (neutral), then fundocaixa (frentedecaixa's).
for fundo in fundopet:469x302 FundoCaixaNaoFiscal:818x484 FundoNerova:866x554 fundotarnix:1139x319 \
  fundoclean:893x462 fundoselvo:468x302 fundobeauty:468x302 fundoerp:821x1095 \
  fundomercado:1600x1158 fundocaixa:468x323; do
  set -- "$@" "$(draw tbotoes1 "${fundo%%:*}" Picture "${fundo##*:}" 24 jpeg)"
done
montage "$@" -tile 3x -geometry '420x420>+4+4' -background '#c8c8c8' "$out/backgrounds.png"
echo "$out/backgrounds.png"
