"""Writes a copy of a program with one of its embedded stores damaged.

    damage_store.py PROGRAM STORE OUT

Finds STORE's bytes in PROGRAM (a linker section on Linux, an RCDATA resource on Windows: both
hold them as they are), flips the bits of its last byte, so that its checksum no longer matches,
and writes the result to OUT, executable.
"""
import os
import sys


def main():
    program, store, out = sys.argv[1:4]
    data = bytearray(open(program, "rb").read())
    stored = open(store, "rb").read()
    at = data.find(stored)
    if at < 0 or data.find(stored, at + 1) >= 0:
        sys.exit(f"{store} is not in {program} exactly once")
    data[at + len(stored) - 1] ^= 0xFF
    with open(out, "wb") as f:
        f.write(data)
    os.chmod(out, 0o755)


if __name__ == "__main__":
    main()
