"""The sheets tbotoes and tbotoes1: bank logos, backgrounds, maker logos and about a thousand
buttons laid out in the same few shapes. The component lists follow the sheet's routines.

Buttons sit in one panel per colour theme, panels spaced by their height plus 4 pixels. A
button's alignment, visibility, stored Picture and hover size come from the checksum of its
lower-case name.
"""

import unicodedata

from common import (COLOURS, FULL, FULL_HOVER, SMALL, SMALL_HOVER, Writer, bitmap, cap, crc,
                    form, image, image_tri, jpeg, made_by, quoted, tab_sheet)

# Component names carry the mixed case the product's designers gave them; lookups ignore case.
SPECIAL_NAMES = {
    ("dre", "cinza"): "DreCinza",
    ("unirvenda", "aqua"): "UNirVendaAqua",
    ("movimento", "ouro"): "MovimentoOuro",
    ("caixa", "azul"): "CaixaAzul",
    ("balcao", "azul"): "BalcaoAzul",
    ("expedicao", "azul"): "ExpedicaoAzul",
    ("envelope", "azul"): "EnvelopeAzul",
    ("consulta", "azul"): "ConsultaAzul",
}


def button_name(stem, colour):
    if (stem, colour) in SPECIAL_NAMES:
        return SPECIAL_NAMES[(stem, colour)]
    if colour == "aqua":
        for prefix in ("submenu", "cx"):
            if stem.startswith(prefix):
                lead = "Cx" if prefix == "cx" else prefix
                return lead + cap(stem[len(prefix):]) + "Aqua"
        return cap(stem) + "Aqua"
    return stem + colour


def seed(name):
    # These two sheets seed from the lower-case name alone (the stacked sheets from sheet/name,
    # see common.py); each keeps its own seed so its layout stays as committed.
    return crc(name.lower())


def panel(w, name, row, height):
    w.open(name, "TPanel", [("Left", 0), ("Top", row * (height + 4)), ("Width", 2292),
                            ("Height", height), ("BevelOuter", "bvNone"), ("Caption", quoted(""))])


def button(w, name, left, rest, hover, panel_height, overlay=False, cursor="crHandPoint"):
    """A TImageTri: Picture1 `rest`, Picture2 `hover`. Its stored Picture is a copy of one of
    its looks, mostly the normal look; after loading it shows Picture1 whatever it stored. The
    overlay of these sheets is 24-bit."""
    h = seed(name)
    aligned = h % 8 != 0
    if (h >> 5) % 7 == 0:
        picture = bitmap(hover, art=name + ".Picture2")
    else:
        picture = bitmap(rest, art=name + ".Picture1")
    image_tri(w, name, left, 0 if aligned else 2, panel_height if aligned else rest[1], rest,
              hover, aligned=aligned, cursor=cursor, visible=(h >> 3) % 2 == 0, picture=picture,
              overlay=24 if overlay else None)


def hover_of(name, rest, taller):
    """The hover look: mostly 4 pixels taller than the normal look, a fifth of them the same."""
    return rest if seed(name) % 5 == 0 else taller


def button_row(w, panel_name, row, names, small=False, sizes=None):
    """One panel of buttons. `names` are component names; `sizes` overrides a button's looks."""
    rest, taller = (SMALL, SMALL_HOVER) if small else (FULL, FULL_HOVER)
    height = taller[1] + 2
    panel(w, panel_name, row, height)
    left = 0
    for name in names:
        look = (sizes or {}).get(name)
        if look:
            button(w, name, left, look[0], look[1], height, **look[2])
            left += look[0][0]
        else:
            button(w, name, left, rest, hover_of(name, rest, taller), height)
            left += rest[0]
    w.close()


# ---------------------------------------------------------------------------------------------
# tbotoes

TABELAS = ["cliente", "fornecedor", "vendedor", "empresa", "formapagamento", "dolar", "estado",
           "cidade", "clientepotencial", "setor", "origemindicacao", "dre"]
LOGIN = ["senhasiga", "senhaconfigurar", "senhasaida", "senhagravar", "senhaalterar"]
SUBMENU = ["submenutelefone", "submenuponto", "submenuoficializar", "submenutrevik",
           "submenuagendatelefone", "submenuagendavisita", "submenumestre", "submenupalvo",
           "submenufuncaofamilia", "submenuhelp", "submenuinternet", "submenucalculadora",
           "submenuinfo", "submenusaida", "submenudireitoautoral"]
COBRANCA = ["cobranca", "ocorrencia", "bordero", "historicocobranca"]
BALCAO = ["caixa", "balcao", "expedicao", "envelope", "consulta"]
ESTOQUE = ["unirvenda", "kit", "contagem", "sintegra60", "ajuste", "movimento", "estoque",
           "transporte", "unidade", "natureza", "tributo", "grupoxsubgrupo", "subgrupo", "grupo",
           "ajustepreco", "promocao", "transferencia", "tabelapreco", "sat"]
CONTROLTOTAL = ["pagar", "pago", "receber", "recebido", "perdido", "comissaopagar",
                "comissaopaga", "saldoconta", "centroresultado", "planoconta", "master", "rateio",
                "contacorrente", "banco", "doc", "extrato"]
RELATORIO = ["grafico", "relatorio", "sped", "sintegra", "graficonovo"]
BANKS = ["001", "004", "008", "021", "024", "041", "038", "036", "033", "031", "029", "028",
         "027", "070", "104", "151", "231", "237", "244", "246", "263", "275", "291", "320",
         "641", "604", "610", "422", "409", "399", "392", "389", "356", "353", "347", "341",
         "479", "707", "424", "453", "600", "633", "749", "623", "702", "637", "756", "748",
         "745", "741", "721"]
BANK_SIZES = {"041": (167, 54), "748": (155, 57), "756": (149, 37)}
REPORT_MENU = ["MenuRelatorioVendas", "MenuRelatorioEstoque", "MenuRelatorioFinanceiro",
               "MenuRelatorioFiscal"]


def colour_page(w, index, caption, stems, colours=COLOURS, small=False, sizes=None,
                extras=None):
    tab_sheet(w, index, caption)
    for row, colour in enumerate(colours):
        names = [button_name(stem, colour) for stem in stems] + (extras or {}).get(colour, [])
        word = unicodedata.normalize("NFKD", caption).encode("ascii", "ignore").decode()
        button_row(w, "Panel%s%s" % (word.replace(" ", ""), cap(colour)), row, names,
                   small=small, sizes=sizes)
    w.close()


def tbotoes():
    w = Writer(["Sheet tbotoes: the bank logos and the back-office buttons of every colour.",
                "Nine pages; each colour page holds one panel per colour theme. Bank logos are",
                "8-bit pictures with a colour table; every button is 24-bit.", ""]
               + made_by("the component lists follow the sheet's routines."))
    form(w, "botoes", "tbotoes")
    colour_page(w, 1, "Tabelas", TABELAS)
    colour_page(w, 2, "Login", LOGIN)
    colour_page(w, 3, "Sub Menu", SUBMENU, small=True)
    colour_page(w, 4, "Cobrança", COBRANCA)
    colour_page(w, 5, "Caixa", BALCAO, colours=["azul", "aqua"])
    colour_page(w, 6, "Estoque", ESTOQUE, sizes={
        "promocaolaranja": ((81, 73), (81, 79), {}),
        "MovimentoOuro": ((81, 75), (81, 81), {}),
    })
    colour_page(w, 7, "Control Total", CONTROLTOTAL)
    # The report page: besides the colour rows, the pet edition's own report button, a dental
    # report button and four menu pictures that no routine writes.
    tab_sheet(w, 8, "Relatório")
    for row, colour in enumerate(COLOURS):
        names = [button_name(stem, colour) for stem in RELATORIO]
        sizes = {}
        if colour == "musgo":
            names.append("relatoriopet")
            sizes["relatoriopet"] = (FULL, FULL_HOVER, {"overlay": True})
        if colour == "vermelho":
            names.append("RelatorioDental")
            sizes["RelatorioDental"] = (FULL, FULL_HOVER, {"overlay": True,
                                                           "cursor": "crDefault"})
        button_row(w, "PanelRelatorio" + cap(colour), row, names, sizes=sizes)
    for i, name in enumerate(REPORT_MENU):
        image(w, name, 10 + i * 190, 900, bitmap((180, 40)), (180, 40), visible=False)
    w.close()
    tab_sheet(w, 9, "Logo banco")
    for i, code in enumerate(BANKS):
        size = BANK_SIZES.get(code, (149, 38))
        image(w, "lb" + code, 8 + (i % 8) * 172, 8 + (i // 8) * 62, bitmap(size, depth=8), size,
              visible=(i % 2 == 0))
    w.close()
    w.close()  # PageControl1
    w.close()  # form
    return w


# ---------------------------------------------------------------------------------------------
# tbotoes1

BACKGROUNDS = [
    ("FundoCaixaNaoFiscal", (818, 484), None),
    ("fundopet", (469, 302), None),
    ("fundooficina", (468, 302), "fundoselvo"),
    ("fundootica", (468, 302), None),
    ("fundoselvo", (468, 302), None),
    ("fundocaixa", (468, 323), None),
    ("FundoNerova", (866, 554), None),
    ("fundodental", (468, 302), "fundobeauty"),
    ("fundobeauty", (468, 302), None),
    ("fundotarnix", (1139, 319), None),
    ("fundoproducao", (575, 408), "fundolexor"),
    ("fundolexor", (575, 408), None),
    ("fundoerp", (821, 1095), None),
    ("fundomercado", (1600, 1158), None),
    ("fundoclean", (893, 462), None),
    ("fundopadaria", (538, 356), None),
]

# (component, encoding, size, depth): the maker's pictures in their own colours as 32-bit.
LOGOS = [
    ("logomarcatulmar", "bitmap", (409, 100), 24),
    ("logomarcagourmet", "bitmap", (450, 192), 24),
    ("logomarcapet", "bitmap", (200, 200), 24),
    ("logomarcatarnix", "bitmap", (293, 180), 24),
    ("logomarcaselvo", "bitmap", (405, 117), 24),
    ("logomarcaorvix", "bitmap", (293, 132), 32),
    ("logomarcaparceiro", "bitmap", (92, 84), 32),
    ("imagemgolfinho", "bitmap", (215, 195), 24),
    ("logomarcabeauty", "bitmap", (450, 205), 24),
    ("logomarcaclean", "bitmap", (454, 208), 24),
    ("trevik", "bitmap", (167, 155), 32),
    ("golfinho", "jpeg", (86, 115), 0),
    ("logomarcalexor", "bitmap", (454, 118), 24),
    ("logomktpet", "bitmap", (250, 225), 8),
    ("carrinho", "jpeg", (602, 628), 0),
    ("pao", "bitmap", (638, 205), 24),
]

CAIXA = ["cxhelp", "cxproduto", "cxcliente", "cxexcluir", "cxpagar", "cxtroca", "cxdav",
         "cxvendedor", "cxprevenda", "cxdesconto", "cxutil", "cxpaf", "cxserial", "cxcalculo",
         "cxgrade", "cxkit", "cxinfo", "cxsaida", "cxcapturarbalcao", "cxcapturaror",
         "cxcapturaros", "cxmenu"]
CAPTURE = ["cxcapturarbalcao", "cxcapturaror", "cxcapturaros"]
NO_SERIAL_GRADE = [s for s in CAIXA if s not in ("cxserial", "cxgrade")]
# The buttons each colour carries, and the unsuffixed buttons on its page.
CAIXA_PAGES = [
    ("Azul", "azul", CAIXA, []),
    ("Aqua", "aqua", CAIXA, []),
    ("Laranja", "laranja", [s for s in NO_SERIAL_GRADE if s not in ("cxcapturaror",
                                                                     "cxcapturaros", "cxmenu")],
     ["cxatualizarpreco", "cxfarmaciapopular"]),
    ("Roxo", "roxo", [s for s in NO_SERIAL_GRADE if s != "cxmenu"], ["cxmedicao"]),
    ("Musgo", "musgo", NO_SERIAL_GRADE, []),
    ("Bege", "bege", [s for s in CAIXA if s not in ("cxdav", "cxserial", "cxgrade")], []),
]
SINDICATO = ["sindicatoarrecadacao", "sindicatocomunicacao", "sindicatoprocesso",
             "sindicatotrabalhador", "sindicatodsst", "sindicatolicitacao", "sindicatodespesa",
             "sindicatobase", "sindicatogenda", "sindicatosecretariageral", "sindicatojuridico",
             "sindicatohomologacao", "sindicatocipa", "sindicatoviagem", "sindicatobeneficio",
             "calculotrabalhista", "sindicatotriagem", "sindicatomensalidade"]
LEXOR = ["lexorcontrato", "lexoratividadeadvogado", "lexorlancaratividade"]


def tbotoes1():
    w = Writer(["Sheet tbotoes1: backgrounds, edition and maker logos, cashier, union and legal",
                "buttons. Backgrounds and two pictures are JPEG; three maker pictures are 32-bit",
                "and the pet marketing picture 8-bit; every button is 24-bit. Editions that share",
                "a background hold the same JPEG data (art=).", ""]
               + made_by("the component lists follow the sheet's routines."))
    form(w, "botoes1", "tbotoes1")
    tab_sheet(w, 1, "Fundos")
    top = 8
    for i, (name, size, art) in enumerate(BACKGROUNDS):
        image(w, name, 8 + (i % 2) * 1610, top, jpeg(size, art), (size[0] // 4, size[1] // 4),
              visible=(i % 2 == 1), stretch=True)
        if i % 2 == 1:
            top += 300
    w.close()
    tab_sheet(w, 2, "Logos")
    for i, (name, encoding, size, depth) in enumerate(LOGOS):
        picture = jpeg(size) if encoding == "jpeg" else bitmap(size, depth=depth)
        image(w, name, 8 + (i % 4) * 660, 8 + (i // 4) * 640, picture, size, visible=(i % 3 != 0))
    w.close()
    index = 3
    for caption, colour, stems, plain in CAIXA_PAGES:
        tab_sheet(w, index, "Caixa " + caption)
        names = [button_name(stem, colour) for stem in stems] + plain
        half = (len(names) + 1) // 2
        sizes = {n: (FULL, hover_of(n, FULL, FULL_HOVER), {}) for n in names}
        button_row(w, "PanelCaixa%s1" % caption, 0, names[:half], sizes=sizes)
        button_row(w, "PanelCaixa%s2" % caption, 1, names[half:], sizes=sizes)
        w.close()
        index += 1
    tab_sheet(w, index, "Sindicato")
    button_row(w, "PanelSindicato", 0, SINDICATO,
               sizes={n: (FULL, FULL_HOVER, {}) for n in SINDICATO})
    w.close()
    tab_sheet(w, index + 1, "Lexor")
    button_row(w, "PanelLexor", 0, LEXOR,
               sizes={n: (FULL, FULL_HOVER, {"overlay": n == "lexorcontrato"}) for n in LEXOR})
    w.close()
    w.close()  # PageControl1
    w.close()  # form
    return w
