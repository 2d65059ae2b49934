"""The sheet tbotoes3: control, preview, customer history, F3, payment and report-menu buttons."""

from common import (COLOURS, SMALL, SMALL_HOVER, Button, StackedSheet, camel, crc, spelled,
                    themed_name)

# Names spelled otherwise than the sheet's case style for their colour.
NAMES = spelled(["vidaacessoazul", "VidaFaturaAqua", "PreviewXlsBege", "f3sigaouro",
                 "PagarAgrupar", "ReceberCalculo", "PerdidoFiltro"])

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
    w = StackedSheet("tbotoes3", "control, preview, customer history, F3, payment and "
                                 "report-menu buttons.")
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
                row.append(Button(themed_name("tbotoes3", stem, colour, NAMES), rest, hover,
                                  overlay=overlay))
            w.panel(row)
    w.tab("Relatorio")
    w.panel([Button(name, SMALL, SMALL_HOVER) for name in RELATO])
    return w.finish()
