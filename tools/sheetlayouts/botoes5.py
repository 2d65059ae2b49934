"""The sheet tBotoes5: utility, text-message, module, lens, NF-e, purchase-XML and e-mail
buttons."""

from common import (COLOURS, FULL, FULL_HOVER, SMALL, SMALL_HOVER, Button, StackedSheet, cap,
                    spelled, themed_name)

# Names spelled otherwise than the sheet's case style for their colour.
NAMES = spelled(["ConfigAzul", "utilcpfamarelo", "NfeGerarCinza", "XmlCpLocalizadorvermelho",
                 "Paf64Ouro", "UtilEditarMovimentoAqua", "QsMalaAzul", "QsPerfilAzul",
                 "QsAtividadeAzul"])

UTILCAIXA = """paf64 utilimpresssorafiscal utilcaixaretirada utileditarmovimento
utilnotafiscalpaulista utilsintegra60 utilcargadados utileditarcaixa utilfechamentooperadora
utilfechamentosupervisor utilfitadetalhe utilestornarvenda utilcartaobanese utilcpf utilcalcular
utilexcluirvenda utilreimprimirvenda utilfuncoesimpressorafiscal utilrelmovimento utilftp
utilcaixaentrada utilnfe nfce utiltefadm""".split()
UTILITARIO = """config rede direito arquivar ativar log cargaservidor ftp backup restaura usuario
comandosql importartxt sincronizar capturarempresa sysmsg""".split()
TORPEDO = "torpedo tarefasms ativarsms".split()
NFE = """nfegerar nfeconsulta nfestatus nfevalidarxml nfeinutilizar nfegerarprevia nfegerarxml
nfeimportarxml nfeenviarcontingencia nfecancelar nfeenviaremail nfecomplementar
nfecomplementargerar nfecarcorrecao validarerro""".split()
XMLCOMPRA = "xmlcplocalizador xmlcpmanifesto xmlcponline".split()
EMAIL = "emailenviar emaillista".split()
MICRO = "microbinoculo microluneta micromicroscopio".split()
assert len(UTILCAIXA) == 24 and len(UTILITARIO) == 16 and len(NFE) == 15


def tBotoes5():
    w = StackedSheet("tBotoes5", "utility, text-message, module, lens, NF-e, purchase-XML and "
                                 "e-mail buttons.")
    w.tab("Util Caixa")
    for colour in COLOURS:
        row = []
        for stem in UTILCAIXA:
            # Two families carry names of their own: utilnfe and nfce.
            if stem == "utilnfe":
                name = "UtilNotaFiscal" + cap(colour)
            elif stem == "nfce":
                name = "UtilNfce" + cap(colour)
            else:
                name = themed_name("tBotoes5", stem, colour, NAMES)
            row.append(Button(name, FULL, FULL_HOVER))
        w.panel(row)
    w.tab("utilitario")
    for colour in COLOURS:
        # Some system utilities keep the same size under the pointer.
        w.panel([Button(themed_name("tBotoes5", stem, colour, NAMES), FULL,
                        FULL if stem in ("log", "ftp", "sysmsg") else FULL_HOVER)
                 for stem in UTILITARIO])
    w.tab("Torpedo")
    for colour in COLOURS:
        w.panel([Button(themed_name("tBotoes5", stem, colour, NAMES), FULL, FULL_HOVER)
                 for stem in TORPEDO])
    # Quasor: the module buttons, the yellow payment buttons and seven rows of spare buttons.
    w.tab("Quasor")
    numbered = iter(range(1, 28))
    w.panel([Button(name, FULL, FULL_HOVER, overlay=name == "QsMalaAzul")
             for name in ["QsMalaAzul", "QsPerfilAzul", "QsAtividadeAzul"]])
    w.panel([Button(name, FULL, FULL_HOVER)
             for name in ["PagarCalculoAmarelo", "PagarDescontoAmarelo", "PagarPreviaAmarelo"]])
    for _ in range(7):
        w.panel([Button("ImageTri%d" % next(numbered), FULL, FULL_HOVER) for _ in range(3)])
    # Micro Botao: 8-bit pictures; the two rows of spare buttons keep the default cursor.
    w.tab("Micro Botao")
    for colour in ["bege", "amarelo", "laranja", "musgo", "azul", "aqua", "roxo"]:
        w.panel([Button(themed_name("tBotoes5", stem, colour, NAMES), (37, 35),
                        (37, 37) if stem == "microluneta" else (37, 35), depth=8)
                 for stem in MICRO])
    for _ in range(2):
        w.panel([Button("ImageTri%d" % next(numbered), (37, 35), (37, 35), depth=8, cursor=False)
                 for _ in range(3)])
    for caption, stems in [("Nfe", NFE), ("Xml Compra", XMLCOMPRA), ("Email", EMAIL)]:
        w.tab(caption)
        for colour in COLOURS:
            w.panel([Button(themed_name("tBotoes5", stem, colour, NAMES), SMALL, SMALL_HOVER,
                            overlay=stem == "nfecancelar" and colour == "azul")
                     for stem in stems])
    return w.finish()
