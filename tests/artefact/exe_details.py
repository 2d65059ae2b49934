#!/usr/bin/env python3
"""Reads instalador.exe back as Windows and an administrator see it, and checks it.

    exe_details.py INSTALADOR.EXE ICON.ico VERSION NATIVE_INSTALADOR

- the version block (Properties > Details): every text field, and the fixed numbers, against
  the project's VERSION; the native program's --version against the same;
- the icon: an icon group of the six sizes whose images are, byte for byte, the build's .ico;
- the manifest: no elevation, the supported Windows versions, per-monitor DPI awareness, long
  paths, UTF-8 as the active code page;
- a clean file: no debug sections, a debug link naming instalador.exe.debug beside it with
  that file's checksum, and no build time in the header (or SOURCE_DATE_EPOCH when set).

The PE reader here is our own, written from the file format, so the test does not trust the
tools that built the file.
"""
import os
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
import zlib

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
COPYRIGHT = "Copyright (C) 2026 Varnel"

failures = 0


def check(ok, what):
    global failures
    print(("ok: " if ok else "FAIL: ") + what)
    if not ok:
        failures += 1


class Pe:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        (self.machine, sections, self.timestamp, symbols_at, self.symbols, optional_size,
         _) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        symbols = self.symbols
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (112 if magic == 0x20B else 96)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i)
                            for i in range(16)]
        strings = symbols_at + 18 * symbols  # the COFF string table holds long section names
        self.sections = []
        for i in range(sections):
            at = optional + optional_size + 40 * i
            raw_name = data[at:at + 8].rstrip(b"\0").decode("ascii")
            if raw_name.startswith("/") and symbols_at:
                offset = strings + int(raw_name[1:])
                raw_name = data[offset:data.index(b"\0", offset)].decode("ascii")
            virtual_size, rva, raw_size, raw_at = struct.unpack_from("<IIII", data, at + 8)
            self.sections.append((raw_name, rva, virtual_size, raw_at, raw_size))

    def offset(self, rva):
        for _, start, size, raw_at, raw_size in self.sections:
            if start <= rva < start + max(size, raw_size):
                return raw_at + rva - start
        raise ValueError("address %#x is in no section" % rva)

    def section(self, name):
        for section_name, _, size, raw_at, raw_size in self.sections:
            if section_name == name:
                return self.data[raw_at:raw_at + min(size, raw_size)]
        return None

    def resources(self):
        """{type: {name: bytes}} of the first language of each resource."""
        rva, _ = self.directories[2]
        base = self.offset(rva)

        def entries(at):
            named, numbered = struct.unpack_from("<HH", self.data, base + at + 12)
            for i in range(named + numbered):
                key, target = struct.unpack_from("<II", self.data, base + at + 16 + 8 * i)
                if key & 0x80000000:
                    name_at = base + (key & 0x7FFFFFFF)
                    length = struct.unpack_from("<H", self.data, name_at)[0]
                    key = self.data[name_at + 2:name_at + 2 + 2 * length].decode("utf-16-le")
                yield key, target

        out = {}
        for kind, kind_dir in entries(0):
            out[kind] = {}
            for name, name_dir in entries(kind_dir & 0x7FFFFFFF):
                _, data_entry = next(entries(name_dir & 0x7FFFFFFF))
                data_rva, size = struct.unpack_from("<II", self.data, base + data_entry)
                start = self.offset(data_rva)
                out[kind][name] = self.data[start:start + size]
        return out


def version_tree(data, at=0):
    """One node of a version block: (key, value bytes, children), and where it ends."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    end = at + length
    p = at + 6
    key_end = p
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[p:key_end].decode("utf-16-le")
    p = (key_end + 2 + 3) & ~3
    value_bytes = value_length * 2 if kind == 1 else value_length
    value = data[p:p + value_bytes]
    p = (p + value_bytes + 3) & ~3
    children = []
    while p < end:
        child, child_end = version_tree(data, p)
        children.append(child)
        p = (child_end + 3) & ~3
    return (key, value, children), end


def ico_images(ico):
    """{(width, height): image bytes} of an .ico file."""
    count = struct.unpack_from("<H", ico, 4)[0]
    images = {}
    for i in range(count):
        w, h, _, _, _, _, size, at = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
        images[(w or 256, h or 256)] = ico[at:at + size]
    return images


def main():
    exe_path, ico_path, version, native = sys.argv[1:5]
    data = open(exe_path, "rb").read()
    pe = Pe(data)
    resources = pe.resources()
    numbers = [int(n) for n in version.split(".")] + [0] * 4
    numbers = numbers[:4]

    # The version block.
    blocks = resources.get(RT_VERSION, {})
    check(list(blocks) == [1], "one version block, number 1: %s" % list(blocks))
    if blocks:
        (key, fixed, children), _ = version_tree(blocks[1])
        check(key == "VS_VERSION_INFO", "the block is VS_VERSION_INFO")
        signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from(
            "<IIIIII", fixed)
        check(signature == 0xFEEF04BD, "the fixed file information's signature")
        for what, ms, ls in (("file", file_ms, file_ls), ("product", product_ms, product_ls)):
            got = [ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF]
            check(got == numbers, "fixed %s version %s, want %s" % (what, got, numbers))
        strings = {}
        for child_key, _, tables in children:
            if child_key == "StringFileInfo":
                for table_key, _, values in tables:
                    check(table_key.lower() == "040904b0",
                          "texts in US English, Unicode: %s" % table_key)
                    for name, value, _ in values:
                        strings[name] = value.decode("utf-16-le").split("\0")[0]
        want = {
            "CompanyName": "Varnel",
            "FileDescription": "Varnel button installer",
            "FileVersion": version,
            "InternalName": "instalador",
            "LegalCopyright": COPYRIGHT,
            "OriginalFilename": "instalador.exe",
            "ProductName": "Varnel instalador",
            "ProductVersion": version,
        }
        for name, value in want.items():
            check(strings.get(name) == value, "%s is %r: %r" % (name, value, strings.get(name)))

    # --version of the program prints the same.
    printed = subprocess.run([native, "--version"], capture_output=True, text=True).stdout
    check(printed == "instalador %s\n%s\n" % (version, COPYRIGHT),
          "--version prints the version and the copyright: %r" % printed)

    # The icon.
    groups = resources.get(RT_GROUP_ICON, {})
    check(list(groups) == [1], "one icon group, number 1 (Explorer shows it): %s" % list(groups))
    expected = ico_images(open(ico_path, "rb").read())
    if 1 in groups:
        group = groups[1]
        count = struct.unpack_from("<H", group, 4)[0]
        found = {}
        for i in range(count):
            w, h, _, _, _, bits, size, number = struct.unpack_from("<BBBBHHIH", group,
                                                                   6 + 14 * i)
            image = resources.get(RT_ICON, {}).get(number, b"")
            check(len(image) == size, "icon %d is %d bytes as its group says" % (number, size))
            found[(w or 256, h or 256)] = image
        check(sorted(found) == sorted(expected),
              "icon sizes %s" % sorted(w for w, _ in found))
        check(all(found.get(k) == v for k, v in expected.items()),
              "every icon image is the drawn .ico's, byte for byte")

    # The manifest.
    manifests = resources.get(RT_MANIFEST, {})
    check(list(manifests) == [1], "one manifest, number 1 (the process's own)")
    if 1 in manifests:
        root = ElementTree.fromstring(manifests[1])
        asm_v3 = "{urn:schemas-microsoft-com:asm.v3}"
        level = root.find(".//%srequestedExecutionLevel" % asm_v3)
        check(level is not None and level.get("level") == "asInvoker"
              and level.get("uiAccess") == "false", "runs as the invoker, no elevation")
        compat = "{urn:schemas-microsoft-com:compatibility.v1}"
        supported = {e.get("Id").lower() for e in root.iter(compat + "supportedOS")}
        want_os = {
            "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "7",
            "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "8",
            "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "8.1",
            "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "10 and 11",
        }
        for guid, name in want_os.items():
            check(guid in supported, "supports Windows %s" % name)
        settings = {}
        for element in root.iter():
            if element.tag.endswith("}windowsSettings"):
                for setting in element:
                    settings[setting.tag] = (setting.text or "").strip()
        smi = "{http://schemas.microsoft.com/SMI/%s/WindowsSettings}"
        for tag, value in ((smi % 2005 + "dpiAware", "true/pm"),
                           (smi % 2016 + "dpiAwareness", "PerMonitorV2, PerMonitor"),
                           (smi % 2016 + "longPathAware", "true"),
                           (smi % 2019 + "activeCodePage", "UTF-8")):
            check(settings.get(tag) == value,
                  "%s is %r: %r" % (tag.split("}")[1], value, settings.get(tag)))

    # A clean file.
    names = [s[0] for s in pe.sections]
    check(not [n for n in names if n.startswith(".debug") or n.startswith(".zdebug")],
          "no debug sections in the executable: %s" % " ".join(names))
    check(pe.symbols == 0, "no symbol table in the executable: %d symbols" % pe.symbols)
    check(pe.timestamp == int(os.environ.get("SOURCE_DATE_EPOCH", "0")),
          "header time %d: none, or SOURCE_DATE_EPOCH" % pe.timestamp)
    link = pe.section(".gnu_debuglink")
    check(link is not None, "a debug link")
    if link is not None:
        name = link[:link.index(b"\0")].decode()
        crc = struct.unpack_from("<I", link, (len(name) + 1 + 3) & ~3)[0]
        debug_path = os.path.join(os.path.dirname(exe_path), name)
        check(name == "instalador.exe.debug", "the link names %s" % name)
        if os.path.exists(debug_path):
            debug = open(debug_path, "rb").read()
            check(zlib.crc32(debug) == crc, "the link's checksum is the debug file's")
            debug = Pe(debug)
            debug_names = [s[0] for s in debug.sections]
            check(any(n.startswith(".debug_") for n in debug_names) and debug.symbols > 0,
                  "the debug file holds the debug sections (%s) and the %d symbols"
                  % (" ".join(n for n in debug_names if n.startswith(".debug_")),
                     debug.symbols))
        else:
            check(False, "no %s beside the executable" % debug_path)

    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
