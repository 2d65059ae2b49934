#!/usr/bin/env python3
"""Writes the stored layouts of the sheets tbotoes2, tbotoes3 and tBotoes5.

    python3 tools/sheetlayouts/gen_sheet_layouts.py assets

writes assets/tbotoes2.layout, assets/tbotoes3.layout and assets/tBotoes5.layout. The output
is committed; run the script again after changing it and commit both. The result depends on
nothing but this file: every choice (letter case of a name, visibility, alignment) comes from
a checksum of the component's name, so two runs give the same bytes.

Each sheet is a never-shown form holding PageControl1 (2300 x 5000), its tab sheets, panels
and TImageTri buttons. A button is named stem + colour word, in some mix of case; the names
that are spelled otherwise are listed in NAMES. Picture sizes follow the kind of button:
small 61x57 (hover 61x61 or 61x57), micro 35 to 38 pixels, full-size 81x75 (hover 81x79 or
81x75). The TImageTri Picture slot is not stored: loading a button sets it from Picture1.
"""

import sys
import zlib
from pathlib import Path

# Colour words in the order of the theme table.
COLOURS = ["azul", "aqua", "musgo", "amarelo", "laranja", "ouro", "cinza", "bege", "roxo",
           "vermelho"]

# Prefixes split off when a name is written in mixed case ("PeqConcluidoAzul").
PREFIXES = ["comissaopagar", "comissaopaga", "recebido", "receber", "perdido", "preview",
            "submenu", "micro", "xmlcp", "email", "pagar", "util", "vida", "pago", "peq", "nfe",
            "f3", "qs"]

# Names spelled as the sheets hold them, keyed by their lower-case form.
NAMES = {n.lower(): n for n in [
    # tbotoes2
    "pequploadlaranja", "PeqConcluidoAzul", "peqpalvomusgo", "peqnfcazul", "PeqNfcAqua",
    "PeqCorteAqua", "PeqGradeAqua", "peqnfccinza", "peqgradecinza", "PeqNfcAmarelo",
    "PeqMarcacaoAzul", "peqrecepcaoazul", "peqcontarvermelho", "PeqMarcacaoAqua",
    "PeqRecepcaoAqua",
    # tbotoes3
    "vidaacessoazul", "VidaFaturaAqua", "PreviewXlsBege", "f3sigaouro", "PagarAgrupar",
    "ReceberCalculo", "PerdidoFiltro",
    # tBotoes5
    "ConfigAzul", "utilcpfamarelo", "NfeGerarCinza", "XmlCpLocalizadorvermelho", "Paf64Ouro",
    "UtilEditarMovimentoAqua", "QsMalaAzul", "QsPerfilAzul", "QsAtividadeAzul",
]}


def crc(text):
    return zlib.crc32(text.encode("utf-8"))


def camel(word):
    for prefix in PREFIXES:
        if word.startswith(prefix) and len(word) > len(prefix):
            return prefix.capitalize() + word[len(prefix)].upper() + word[len(prefix) + 1:]
    return word[:1].upper() + word[1:]


def button_name(sheet, stem, colour):
    """The stored name of a button: as NAMES spells it, else in the case style of its colour."""
    plain = stem + colour
    if plain.lower() in NAMES:
        return NAMES[plain.lower()]
    style = crc(sheet + "/" + colour) % 3
    if style == 0:
        return plain.lower()
    if style == 1:
        return camel(stem) + colour.capitalize()
    return camel(stem) + colour


# ---------------------------------------------------------------------------------------------
# The writer.


class Button:
    def __init__(self, name, rest, hover, depth=24, overlay=False, cursor=True):
        self.name, self.rest, self.hover, self.depth = name, rest, hover, depth
        self.overlay, self.cursor = overlay, cursor


class Writer:
    def __init__(self, form, header):
        self.form = form
        self.lines = ["// " + line if line else "//" for line in header]
        self.depth = 0
        self.tabs = 0
        self.panels = 0

    def out(self, text):
        self.lines.append("  " * self.depth + text)

    def open(self, name, cls, props):
        self.out("object %s: %s" % (name, cls))
        self.depth += 1
        for key, value in props:
            self.out("%s = %s" % (key, value))

    def close(self):
        self.depth -= 1
        self.out("end")

    def begin(self):
        self.open(self.form, self.form, [
            ("Left", 0), ("Top", 0), ("Width", 2300), ("Height", 5000),
            ("BorderStyle", "bsNone"), ("Caption", "'%s'" % self.form), ("Visible", "False")])
        self.open("PageControl1", "TPageControl", [
            ("Left", 0), ("Top", 0), ("Width", 2300), ("Height", 5000), ("Align", "alClient")])

    def tab(self, caption):
        if self.tabs > 0:
            self.close()  # the tab before
        self.tabs += 1
        self.panel_top = 0
        self.open("TabSheet%d" % self.tabs, "TTabSheet", [
            ("Caption", "'%s'" % caption.replace("'", "''"))])

    def panel(self, buttons):
        """A panel holding a row of buttons, aligned to its left edge."""
        self.panels += 1
        height = max(b.hover[1] for b in buttons) + 8
        self.open("Panel%d" % self.panels, "TPanel", [
            ("Left", 0), ("Top", self.panel_top), ("Width", 2292), ("Height", height),
            ("Align", "alTop"), ("Caption", "''")])
        self.panel_top += height
        left = 0
        for button in buttons:
            self.button(button, left)
            left += button.rest[0]
        self.close()

    def button(self, b, left):
        seed = crc(self.form + "/" + b.name.lower())
        # Most buttons line up at the left of their panel; one in eight is placed by position.
        aligned = seed % 8 != 0
        props = [("Left", left), ("Top", 0 if aligned else 4), ("Width", b.rest[0]),
                 ("Height", b.rest[1])]
        if aligned:
            props.append(("Align", "alLeft"))
        props += [("AutoSize", "True"), ("Center", "True"), ("Transparent", "True")]
        if b.cursor:
            props.append(("Cursor", "crHandPoint"))
        if (seed >> 8) % 2 == 0:
            props.append(("Visible", "False"))
        self.open(b.name, "TImageTri", props)
        self.out("Picture1 = bitmap %dx%d %d" % (b.rest[0], b.rest[1], b.depth))
        self.out("Picture2 = bitmap %dx%d %d" % (b.hover[0], b.hover[1], b.depth))
        if b.overlay:
            self.out("Picture3 = bitmap 16x16 8")
        self.out("Picture3Pos = TopLeft")
        self.close()

    def end(self):
        while self.depth > 0:
            self.close()
        return "\n".join(self.lines) + "\n"


def header(form, what):
    return [
        "Sheet %s: %s" % (form, what),
        "",
        "Generated by tools/sheetlayouts/gen_sheet_layouts.py; do not edit by hand. To change it,",
        "edit the script and run: python3 tools/sheetlayouts/gen_sheet_layouts.py assets",
        "",
    ]


SMALL = (61, 57)
SMALL_HOVER = (61, 61)
FULL = (81, 75)
FULL_HOVER = (81, 79)

# ---------------------------------------------------------------------------------------------
# tbotoes2: the small-button set, one panel per colour.

COMMON = """pequpload peqgrafico peqconfig peqhome peqcalendario peqconcluido peqgerarnumero
peqdesbloqueio peqbloqueio peqtorpedo peqsugestao paf32 peqimprimir peqlimpar peqexcluir
peqincluir peqgravar peqeditar peqcancelar peqpreview peqrefresh peqbusca peqsair
peqclientepotencial peqfiltrooff peqfiltroon peqhelpf1 peqclonar peqdata peqcalculo
peqrelatorio peqsiga peqconfigurar peqativo peqtransfere peqnserie peqnfes peqpis peqhistorico
peqpagamento peqxml peqfiltrar peqcontar peqconverte peqexpedicao peqestoque peqfornecedor
peqclientes peqnfe peqnfc peqreferencia peqprodutos peqcalcularpreco peqkit peqcancelavenda
peqvalidade peqbarra peqpalvo peqetiqueta peqboleto peqlistaemail peqatividade peqf7distribuir
peqmaladireta peqimportar peqcapturar peqimpressora peqagendarvisita peqconvertercliente
peqconverterstandby peqemail""".split()
CLINIC = """peqrefreshf5 peqtrnasferirf6 peqconcluidof7 peqpaciente peqatendimentof6 peqmarcacao
peqrecepcao peqadicionar peqperfil peqativarsabado peqativardomingo peqmontaragenda""".split()
WORKSHOP = """peqosnova peqornova peqclientef3 peqprodutosf2 peqexcluirf4 peqpagarf5 pequtilf11
peqbuscaf8 peqagenda peqimprimirf9 peqconvertef10 peqintervencao peqmenufiscalf12""".split()
assert len(COMMON) == 71 and len(CLINIC) == 12 and len(WORKSHOP) == 13


def tbotoes2():
    without = lambda stems, *gone: [s for s in stems if s not in gone]
    # Every component of the sheet per colour, the five that no routine writes included.
    stems = {
        "laranja": COMMON,
        "musgo": COMMON + ["peqservicos"] + CLINIC,
        "vermelho": without(COMMON, "paf32") + CLINIC,  # peqcontarvermelho is held, not written
        "ouro": COMMON,
        "amarelo": COMMON + WORKSHOP,
        "cinza": without(COMMON, "paf32") + ["peqgrade"],
        "bege": COMMON,
        "roxo": COMMON + CLINIC,
        "azul": COMMON + CLINIC + ["peqcorte", "peqgrade"],
        "aqua": COMMON + CLINIC + ["peqcorte", "peqgrade"],
    }
    # Hover looks of the same size as the look at rest: six azul, six aqua, nineteen amarelo.
    flat = {
        "azul": ["peqnfe", "peqnfc", "peqcorte", "peqgrade", "peqkit", "peqbarra"],
        "aqua": ["peqnfe", "peqnfc", "peqcorte", "peqgrade", "peqkit", "peqbarra"],
        "amarelo": WORKSHOP + ["peqnfe", "peqnfc", "peqkit", "peqbarra", "peqvalidade",
                               "peqetiqueta"],
    }
    overlays = {("bloqueio", "azul"), ("bloqueio", "aqua")}
    w = Writer("tbotoes2", header("tbotoes2", "the small buttons of every colour theme."))
    w.begin()
    w.tab("Botões pequenos")
    for colour in ["laranja", "musgo", "vermelho", "ouro", "amarelo", "cinza", "bege", "roxo",
                   "azul", "aqua"]:
        row = []
        for stem in stems[colour]:
            name = button_name("tbotoes2", stem, colour)
            if colour == "cinza" and stem == "peqclientes":
                name = "peqclientecinza"
            if colour == "amarelo" and stem == "peqagenda":
                name = "PeqAgendaAmarela"
            hover = SMALL if stem in flat.get(colour, []) else SMALL_HOVER
            row.append(Button(name, SMALL, hover, overlay=(stem[3:], colour) in overlays))
        w.panel(row)
    return w.end()


# ---------------------------------------------------------------------------------------------
# tbotoes3: control, preview, customer history, F3, payment and report-menu buttons.

CONTROL = [
    ("pagar", "filtro excluir cancelar editar incluir salvar refresh preview sair rateio clonar "
              "baixa agrupar recibo cheque distribuir filtrooff filtroon palvo vinculado "
              "realizado conciliado calculo"),
    ("perdido", "filtro excluir cancelar editar incluir salvar refresh preview sair baixa "
                "filtrooff filtroon palvo vinculado realizado conciliado ativar calculo"),
    ("recebido", "filtro excluir cancelar editar incluir salvar refresh preview sair rateio "
                 "clonar baixa agrupar nfse recibo custodia distribuir filtrooff filtroon palvo "
                 "vinculado realizado conciliado comissao historico ativo calculo"),
    ("pago", "filtro excluir cancelar editar incluir salvar refresh preview sair rateio baixa "
             "historico ativo recibo distribuir filtrooff filtroon palvo vinculado realizado "
             "conciliado calculo"),
    ("comissaopaga", "filtro excluir cancelar editar incluir salvar refresh preview sair rateio "
                     "baixa historico ativo recibo filtrooff filtroon palvo vinculado realizado "
                     "conciliado calculo"),
    ("comissaopagar", "filtro excluir cancelar editar incluir salvar refresh preview sair clonar "
                      "rateio baixa recibo cheque filtrooff filtroon palvo vinculado realizado "
                      "conciliado calculo"),
    ("receber", "filtro excluir cancelar editar incluir salvar refresh preview sair rateio "
                "clonar baixa comissao agrupar boleto perdido recibo custodia distribuir nfse "
                "filtrooff filtroon palvo vinculado realizado conciliado calculo"),
]
PREVIEW = """previewimprima previewemail previewvarias previewtxt previewpdf previewhtml previewxls
previewcalculo previewprimeira previewultima previewtopo previewbaixo previewanterior
previewposterior previewmenus previewmais previewesc""".split()
# The navigation buttons of the preview toolbar: (look at rest, hover look).
NAVIGATION = {
    "previewprimeira": ((36, 36), (36, 36)), "previewultima": ((36, 36), (36, 36)),
    "previewtopo": ((38, 35), (38, 38)), "previewbaixo": ((38, 35), (38, 38)),
    "previewanterior": ((35, 35), (35, 35)), "previewposterior": ((35, 35), (35, 35)),
    "previewmenus": ((37, 37), (37, 38)), "previewmais": ((37, 37), (37, 38)),
}
VIDA = """vidaacesso vidabaixa vidaboleto vidacarne vidaextrato vidarelatorio vidaselecionar
vidarecusado vidafatura vidacontrato""".split()
F3 = "f3siga f3saida f3editar f3aceite".split()
PAGAMENTO = "pagarcalculo pagardesconto pagarprevia".split()
RELATO = ["RelatoPeqSair", "RelatoPeqSiga", "RelatoPeqImpressora", "RelatoSubmenMestre",
          "Relatosubmenuhelp"]


def tbotoes3():
    w = Writer("tbotoes3", header("tbotoes3", "control, preview, customer history, F3, payment "
                                              "and report-menu buttons."))
    w.begin()
    w.tab("Botões Control")
    for prefix, words in CONTROL:
        row = []
        for word in words.split():
            stem = prefix + word
            name = NAMES.get(stem, camel(stem) if crc(stem) % 2 else stem)
            row.append(Button(name, SMALL, SMALL_HOVER))
        w.panel(row)
    for caption, stems in [("Preview", PREVIEW), ("Vida do cliente", VIDA), ("F3", F3),
                           ("Pagamento caixa", PAGAMENTO)]:
        w.tab(caption)
        for colour in COLOURS:
            row = []
            for stem in stems:
                rest, hover = NAVIGATION.get(stem, (SMALL, SMALL_HOVER))
                overlay = stem == "previewpdf" and colour == "cinza"
                row.append(Button(button_name("tbotoes3", stem, colour), rest, hover,
                                  overlay=overlay))
            w.panel(row)
    w.tab("Relatorio")
    w.panel([Button(name, SMALL, SMALL_HOVER) for name in RELATO])
    return w.end()


# ---------------------------------------------------------------------------------------------
# tBotoes5: utilities, text messages, module, lens, NF-e, purchase-XML and e-mail buttons.

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
    w = Writer("tBotoes5", header("tBotoes5", "utility, text-message, module, lens, NF-e, "
                                              "purchase-XML and e-mail buttons."))
    w.begin()
    w.tab("Util Caixa")
    for colour in COLOURS:
        row = []
        for stem in UTILCAIXA:
            # Two families carry names of their own: utilnfe and nfce.
            if stem == "utilnfe":
                name = "UtilNotaFiscal" + colour.capitalize()
            elif stem == "nfce":
                name = "UtilNfce" + colour.capitalize()
            else:
                name = button_name("tBotoes5", stem, colour)
            row.append(Button(name, FULL, FULL_HOVER))
        w.panel(row)
    w.tab("utilitario")
    for colour in COLOURS:
        # Some system utilities keep the same size under the pointer.
        w.panel([Button(button_name("tBotoes5", stem, colour), FULL,
                        FULL if stem in ("log", "ftp", "sysmsg") else FULL_HOVER)
                 for stem in UTILITARIO])
    w.tab("Torpedo")
    for colour in COLOURS:
        w.panel([Button(button_name("tBotoes5", stem, colour), FULL, FULL_HOVER)
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
        w.panel([Button(button_name("tBotoes5", stem, colour), (37, 35),
                        (37, 37) if stem == "microluneta" else (37, 35), depth=8)
                 for stem in MICRO])
    for _ in range(2):
        w.panel([Button("ImageTri%d" % next(numbered), (37, 35), (37, 35), depth=8, cursor=False)
                 for _ in range(3)])
    for caption, stems in [("Nfe", NFE), ("Xml Compra", XMLCOMPRA), ("Email", EMAIL)]:
        w.tab(caption)
        for colour in COLOURS:
            w.panel([Button(button_name("tBotoes5", stem, colour), SMALL, SMALL_HOVER,
                            overlay=stem == "nfecancelar" and colour == "azul")
                     for stem in stems])
    return w.end()


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: gen_sheet_layouts.py <assets folder>")
    folder = Path(sys.argv[1])
    for form, make in [("tbotoes2", tbotoes2), ("tbotoes3", tbotoes3), ("tBotoes5", tBotoes5)]:
        (folder / (form + ".layout")).write_text(make(), encoding="utf-8")


if __name__ == "__main__":
    main()
