"""What every sheet layout generator shares: the writer of the `object ... end` nesting and its
properties, the header, the checksum every choice comes from, name and case helpers, picture
sizes, and the components the sheets are built of.

Nothing here is random or depends on the machine: a choice that has to look arbitrary (letter
case of a name, visibility, alignment) comes from a checksum of a name, so two runs give the
same bytes.
"""

import zlib

SCRIPT = "tools/sheetlayouts/make_layouts.py"

# Colour words in the order of the theme table.
COLOURS = ["azul", "aqua", "musgo", "amarelo", "laranja", "ouro", "cinza", "bege", "roxo",
           "vermelho"]

# Button pictures: the look at rest and the usual look under the pointer, 4 pixels taller.
FULL = (81, 75)
FULL_HOVER = (81, 79)
SMALL = (61, 57)
SMALL_HOVER = (61, 61)


def crc(text):
    """CRC-32 of the UTF-8 bytes of `text`; callers decide what the text is (lower-cased or not,
    with the sheet's name or not), since that decides the committed layouts."""
    return zlib.crc32(text.encode("utf-8"))


# ---------------------------------------------------------------------------------------------
# Names and letter case.

# Prefixes split off when a name is written in mixed case ("PeqConcluidoAzul").
PREFIXES = ["comissaopagar", "comissaopaga", "recebido", "receber", "perdido", "preview",
            "submenu", "micro", "xmlcp", "email", "pagar", "util", "vida", "pago", "peq", "nfe",
            "f3", "qs"]


def cap(word):
    """The word with its first letter upper-case, the rest as it is."""
    return word[:1].upper() + word[1:]


def camel(word):
    """The word with its first letter and the letter after a known prefix upper-case."""
    for prefix in PREFIXES:
        if word.startswith(prefix) and len(word) > len(prefix):
            return cap(prefix) + word[len(prefix)].upper() + word[len(prefix) + 1:]
    return cap(word)


def spelled(names):
    """Names as a sheet spells them, keyed by their lower-case form."""
    return {name.lower(): name for name in names}


# ---------------------------------------------------------------------------------------------
# The writer.


def made_by(note):
    """The header lines that say where a layout comes from."""
    return ["Made by %s; %s" % (SCRIPT, note),
            "Regenerate with: python3 %s [assets folder]" % SCRIPT]


class Writer:
    """The text of one layout: `//` header lines, then nested objects and their properties, two
    spaces of indent per level. Counts the objects of each class for the summary."""

    def __init__(self, header):
        self.lines = ["// " + line if line else "//" for line in header]
        self.depth = 0
        self.counts = {}

    def line(self, text):
        self.lines.append("  " * self.depth + text)

    def open(self, name, cls, props=()):
        self.line("object %s: %s" % (name, cls))
        self.depth += 1
        self.counts[cls] = self.counts.get(cls, 0) + 1
        for key, value in props:
            self.prop(key, value)

    def prop(self, key, value):
        self.line("%s = %s" % (key, value))

    def close(self):
        self.depth -= 1
        self.line("end")

    def finish(self):
        """Closes whatever is still open and returns the text."""
        while self.depth > 0:
            self.close()
        return "\n".join(self.lines) + "\n"


def quoted(text):
    return "'" + text.replace("'", "''") + "'"


def bitmap(size, depth=24, art=None):
    """A bitmap picture; `art` names another picture whose pixels it holds."""
    out = "bitmap %dx%d %d" % (size[0], size[1], depth)
    return out + (" art=" + art if art else "")


def jpeg(size, art=None):
    return "jpeg %dx%d" % size + (" art=" + art if art else "")


# ---------------------------------------------------------------------------------------------
# Components.


def form(w, name, cls):
    """Opens the never-shown form and its PageControl1 (2300 x 5000) filling it."""
    w.open(name, cls, [("Left", 0), ("Top", 0), ("Width", 2300), ("Height", 5000),
                       ("BorderStyle", "bsNone"), ("Caption", quoted(name)),
                       ("Visible", "False")])
    w.open("PageControl1", "TPageControl", [("Left", 0), ("Top", 0), ("Width", 2300),
                                            ("Height", 5000), ("Align", "alClient")])


def tab_sheet(w, index, caption):
    """Opens TabSheet<index>."""
    w.open("TabSheet%d" % index, "TTabSheet", [("Caption", quoted(caption))])


def image(w, name, left, top, picture, size, visible=True, stretch=False):
    """A TImage, sized to its picture unless stretched."""
    w.open(name, "TImage", [("Left", left), ("Top", top), ("Width", size[0]), ("Height", size[1]),
                            ("AutoSize", "False" if stretch else "True")])
    if stretch:
        w.prop("Stretch", "True")
    w.prop("Visible", "True" if visible else "False")
    w.prop("Picture", picture)
    w.close()


def image_tri(w, name, left, top, height, rest, hover, depth=24, aligned=False,
              cursor="crHandPoint", visible=None, picture=None, overlay=None):
    """A TImageTri button: Picture1 the look at rest (`rest` also gives its width), Picture2 the
    look under the pointer, Picture3 a 16x16 overlay of `overlay` bits per pixel. Cursor,
    Visible and Picture are left out when None, and loading then keeps the defaults."""
    props = [("Left", left), ("Top", top), ("Width", rest[0]), ("Height", height)]
    if aligned:
        props.append(("Align", "alLeft"))
    props += [("AutoSize", "True"), ("Center", "True"), ("Transparent", "True")]
    if cursor:
        props.append(("Cursor", cursor))
    if visible is not None:
        props.append(("Visible", "True" if visible else "False"))
    if picture:
        props.append(("Picture", picture))
    props += [("Picture1", bitmap(rest, depth)), ("Picture2", bitmap(hover, depth))]
    if overlay:
        props.append(("Picture3", bitmap((16, 16), overlay)))
    props.append(("Picture3Pos", "TopLeft"))
    w.open(name, "TImageTri", props)
    w.close()


# ---------------------------------------------------------------------------------------------
# Stacked sheets (tbotoes2, tbotoes3, tBotoes5): tabs numbered in order, each holding panels
# stacked from the top and numbered across the whole sheet, each panel one row of buttons. A
# button is named stem + colour word in the case style the sheet gives the colour, unless the
# sheet's NAMES spell it otherwise. Picture sizes follow the kind of button: small 61x57 (hover
# 61x61 or 61x57), micro 35 to 38 pixels, full-size 81x75 (hover 81x79 or 81x75).


class Button:
    def __init__(self, name, rest, hover, depth=24, overlay=False, cursor=True):
        self.name, self.rest, self.hover, self.depth = name, rest, hover, depth
        self.overlay, self.cursor = overlay, cursor


def themed_name(sheet, stem, colour, names):
    """The stored name of a button: as `names` spells it, else in the case style that the
    sheet gives its colour."""
    plain = stem + colour
    if plain.lower() in names:
        return names[plain.lower()]
    style = crc(sheet + "/" + colour) % 3
    if style == 0:
        return plain.lower()
    if style == 1:
        return camel(stem) + cap(colour)
    return camel(stem) + colour


class StackedSheet:
    def __init__(self, sheet, what):
        self.sheet = sheet
        self.w = Writer(["Sheet %s: %s" % (sheet, what), ""] + made_by("do not edit by hand.")
                        + [""])
        form(self.w, sheet, sheet)
        self.tabs = 0
        self.panels = 0
        self.panel_top = 0

    def tab(self, caption):
        if self.tabs > 0:
            self.w.close()  # the tab before
        self.tabs += 1
        self.panel_top = 0
        tab_sheet(self.w, self.tabs, caption)

    def panel(self, buttons):
        """A panel holding a row of buttons, aligned to its left edge."""
        self.panels += 1
        height = max(b.hover[1] for b in buttons) + 8
        self.w.open("Panel%d" % self.panels, "TPanel", [
            ("Left", 0), ("Top", self.panel_top), ("Width", 2292), ("Height", height),
            ("Align", "alTop"), ("Caption", "''")])
        self.panel_top += height
        left = 0
        for button in buttons:
            self.button(button, left)
            left += button.rest[0]
        self.w.close()

    def button(self, b, left):
        # These sheets seed from sheet/name in lower case (tbotoes and tbotoes1 from the name
        # alone, see botoes.py); each keeps its own seed so its layout stays as committed.
        seed = crc(self.sheet + "/" + b.name.lower())
        # Most buttons line up at the left of their panel; one in eight is placed by position.
        aligned = seed % 8 != 0
        # The Picture slot is not stored: loading a button sets it from Picture1. The overlay
        # of these sheets is 8-bit.
        image_tri(self.w, b.name, left, 0 if aligned else 4, b.rest[1], b.rest, b.hover,
                  depth=b.depth, aligned=aligned, cursor="crHandPoint" if b.cursor else None,
                  visible=False if (seed >> 8) % 2 == 0 else None,
                  overlay=8 if b.overlay else None)

    def finish(self):
        return self.w
