#!/usr/bin/env python3
"""Checks the icons a window gives the window manager, read with
`xprop -id WINDOW -f _NET_WM_ICON 32c _NET_WM_ICON` on standard input:

    window_icon.py SIZE...

The window carries an icon of each SIZE (square), and each is the program's: transparent
corners, the button's blue face, the white V."""
import sys

text = sys.stdin.read()
if "=" not in text:
    print("FAIL: the window has no icon: %s" % text.strip())
    sys.exit(1)
values = [int(v) for v in text.split("=", 1)[1].replace("\n", " ").split(",")]
failed = False
sizes = []
i = 0
while i + 2 <= len(values):
    w, h = values[i], values[i + 1]
    pixels = values[i + 2:i + 2 + w * h]
    i += 2 + w * h

    def at(x, y):
        p = pixels[y * w + x]  # ARGB
        return (p >> 24) & 255, (p >> 16) & 255, (p >> 8) & 255, p & 255

    sizes.append(w)
    corner, face, foot = at(0, 0), at(w // 8 + 1, h // 2), at(w // 2, h * 68 // 100)
    ok = (w == h and corner[0] == 0 and face[0] == 255 and face[3] > face[1] + 60
          and foot[0] == 255 and min(foot[1:]) > 200)
    print("%s: %dx%d icon: corner alpha %d, face %s, V %s" %
          ("ok" if ok else "FAIL", w, h, corner[0], face[1:], foot[1:]))
    failed |= not ok
want = sorted(int(s) for s in sys.argv[1:])
if sorted(sizes) != want:
    print("FAIL: icon sizes %s, want %s" % (sorted(sizes), want))
    failed = True
else:
    print("ok: icon sizes %s" % sizes)
sys.exit(1 if failed else 0)
