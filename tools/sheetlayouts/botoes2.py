"""The sheet tbotoes2: the small-button set, one panel per colour theme, all on one tab."""

from common import SMALL, SMALL_HOVER, Button, StackedSheet, spelled, themed_name

# Names spelled otherwise than the sheet's case style for their colour.
NAMES = spelled([
    "pequploadlaranja", "PeqConcluidoAzul", "peqpalvomusgo", "peqnfcazul", "PeqNfcAqua",
    "PeqCorteAqua", "PeqGradeAqua", "peqnfccinza", "peqgradecinza", "PeqNfcAmarelo",
    "PeqMarcacaoAzul", "peqrecepcaoazul", "peqcontarvermelho", "PeqMarcacaoAqua",
    "PeqRecepcaoAqua",
])

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
    w = StackedSheet("tbotoes2", "the small buttons of every colour theme.")
    w.tab("Botões pequenos")
    for colour in ["laranja", "musgo", "vermelho", "ouro", "amarelo", "cinza", "bege", "roxo",
                   "azul", "aqua"]:
        row = []
        for stem in stems[colour]:
            name = themed_name("tbotoes2", stem, colour, NAMES)
            if colour == "cinza" and stem == "peqclientes":
                name = "peqclientecinza"
            if colour == "amarelo" and stem == "peqagenda":
                name = "PeqAgendaAmarela"
            hover = SMALL if stem in flat.get(colour, []) else SMALL_HOVER
            row.append(Button(name, SMALL, hover, overlay=(stem[3:], colour) in overlays))
        w.panel(row)
    return w.finish()
