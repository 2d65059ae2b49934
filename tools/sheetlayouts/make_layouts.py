#!/usr/bin/env python3
"""Writes the stored layouts of the generated sheets: assets/tbotoes.layout, tbotoes1.layout,
tbotoes2.layout, tbotoes3.layout and tBotoes5.layout.

The sheets hold thousands of image components laid out in a few shapes, so they are made here
rather than by hand. The output is committed: run the script again after changing it and commit
both. Every choice is deterministic, so two runs write the same bytes.

Each sheet is a never-shown form holding PageControl1 (2300 x 5000), its tab sheets, panels and
TImageTri buttons. common.py holds the writer and the helpers; each sheet's components are in
its own module: botoes.py (tbotoes, tbotoes1), botoes2.py, botoes3.py and botoes5.py (tBotoes5).

Usage, from the repository root:  python3 tools/sheetlayouts/make_layouts.py [assets folder]
"""

import os
import sys

sys.dont_write_bytecode = True  # leave no __pycache__ beside the sheet modules

import botoes  # noqa: E402
import botoes2  # noqa: E402
import botoes3  # noqa: E402
import botoes5  # noqa: E402

SHEETS = [
    ("tbotoes.layout", botoes.tbotoes),
    ("tbotoes1.layout", botoes.tbotoes1),
    ("tbotoes2.layout", botoes2.tbotoes2),
    ("tbotoes3.layout", botoes3.tbotoes3),
    ("tBotoes5.layout", botoes5.tBotoes5),
]


def main():
    if len(sys.argv) > 2:
        sys.exit("usage: make_layouts.py [assets folder]")
    assets = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets")
    for file_name, make in SHEETS:
        writer = make()
        path = os.path.join(assets, file_name)
        with open(path, "w", encoding="utf-8", newline="\n") as out:
            out.write(writer.finish())
        summary = ", ".join("%d %s" % (n, c) for c, n in sorted(writer.counts.items()))
        print("%s: %s" % (os.path.normpath(path), summary))


if __name__ == "__main__":
    main()
