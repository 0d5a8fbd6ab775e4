#!/usr/bin/env python3
"""Checks the form of a built corvani.exe by reading its PE headers directly: machine,
subsystem, security flags, the resources it must carry and the DLLs it imports.

    check_exe.py EXE i386|amd64

Exit code 0 when everything holds, 1 with one line per fault, 77 (skipped) when EXE does not
exist.
"""
import re
import struct
import sys

MACHINES = {"i386": 0x14C, "amd64": 0x8664}
SUBSYSTEM_GUI = 2
DYNAMIC_BASE, NX_COMPAT, HIGH_ENTROPY_VA = 0x0040, 0x0100, 0x0020
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24

# DLLs that every Windows system has; anything else would have to ship beside the exe.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "comdlg32.dll", "ole32.dll", "oleaut32.dll",
    "advapi32.dll", "shell32.dll", "comctl32.dll", "msvcrt.dll", "ucrtbase.dll", "ntdll.dll",
    "shlwapi.dll", "uxtheme.dll",
}
SYSTEM_PREFIXES = ("api-ms-win-crt-", "api-ms-win-core-")


class Pe:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        coff = pe + 4
        self.machine, sections, _, _, _, optional_size, self.characteristics = struct.unpack_from(
            "<HHIIIHH", data, coff)
        opt = coff + 20
        self.magic = struct.unpack_from("<H", data, opt)[0]
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, opt + 68)
        directories = opt + (96 if self.magic == 0x10B else 112)
        count = struct.unpack_from("<I", data, directories - 4)[0]
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(count)]
        table = opt + optional_size
        self.sections = []
        for i in range(sections):
            name, vsize, vaddr, rsize, raw = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((name.rstrip(b"\0"), vaddr, max(vsize, rsize), raw))

    def offset(self, rva):
        for _, vaddr, size, raw in self.sections:
            if vaddr <= rva < vaddr + size:
                return raw + rva - vaddr
        raise ValueError("address %#x is in no section" % rva)

    def c_string(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("ascii")

    def imports(self):
        names = []
        for index, size in ((1, 20), (13, 32)):  # ordinary and delay-load import tables
            if index >= len(self.directories) or self.directories[index][0] == 0:
                continue
            at = self.offset(self.directories[index][0])
            while True:
                entry = self.data[at:at + size]
                if entry == b"\0" * size:
                    break
                name_rva = struct.unpack_from("<I", entry, 12 if index == 1 else 4)[0]
                names.append(self.c_string(name_rva))
                at += size
        return names

    def resources(self):
        """{type: {name: bytes}} with the first language of each; names are ints or strings."""
        rva = self.directories[2][0]
        if rva == 0:
            return {}
        base = self.offset(rva)

        def entries(at):
            named, ids = struct.unpack_from("<HH", self.data, base + at + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from("<II", self.data, base + at + 16 + 8 * i)
                if name & 0x80000000:
                    s = base + (name & 0x7FFFFFFF)
                    length = struct.unpack_from("<H", self.data, s)[0]
                    name = self.data[s + 2:s + 2 + 2 * length].decode("utf-16-le")
                yield name, target

        found = {}
        for kind, kind_dir in entries(0):
            for name, name_dir in entries(kind_dir & 0x7FFFFFFF):
                _, leaf = next(entries(name_dir & 0x7FFFFFFF))
                data_rva, size = struct.unpack_from("<II", self.data, base + leaf)
                at = self.offset(data_rva)
                found.setdefault(kind, {})[name] = self.data[at:at + size]
        return found


def check(path, arch):
    faults = []
    with open(path, "rb") as f:
        pe = Pe(f.read())

    def expect(condition, fault):
        if not condition:
            faults.append(fault)

    expect(pe.machine == MACHINES[arch], "machine %#x, not %s" % (pe.machine, arch))
    expect(pe.magic == (0x10B if arch == "i386" else 0x20B), "optional header magic %#x" % pe.magic)
    expect(pe.subsystem == SUBSYSTEM_GUI, "subsystem %d, not GUI (2)" % pe.subsystem)
    wanted = DYNAMIC_BASE | NX_COMPAT | (HIGH_ENTROPY_VA if arch == "amd64" else 0)
    expect(pe.dll_characteristics & wanted == wanted,
           "DllCharacteristics %#x lacks %#x" % (pe.dll_characteristics, wanted & ~pe.dll_characteristics))

    resources = pe.resources()
    groups = resources.get(RT_GROUP_ICON, {})
    expect("DEFAULT_ICON" in groups, "no icon group named DEFAULT_ICON (has %s)" % list(groups))
    if "DEFAULT_ICON" in groups:
        group = groups["DEFAULT_ICON"]
        _, kind, count = struct.unpack_from("<HHH", group, 0)
        expect(kind == 1 and count == 1, "icon group of type %d with %d entries, not one icon" % (kind, count))
        width, height, _, _, _, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", group, 6)
        expect((width, height, bits) == (48, 48, 32), "icon entry %dx%d at %d bpp" % (width, height, bits))
        image = resources.get(RT_ICON, {}).get(icon_id)
        expect(image is not None and len(image) == size, "icon image %d missing or of the wrong size" % icon_id)
        if image is not None:
            header, w, h, _, bpp = struct.unpack_from("<IiiHH", image, 0)
            expect((header, w, h, bpp) == (40, 48, 96, 32), "icon image header %s" % ((header, w, h, bpp),))

    manifests = list(resources.get(RT_MANIFEST, {}).values())
    expect(len(manifests) == 1, "%d manifests" % len(manifests))
    if manifests:
        text = manifests[0].decode("utf-8", "replace")
        dependency = re.search(r'<dependentAssembly>.*?<assemblyIdentity([^>]*)>', text, re.S)
        attributes = dict(re.findall(r'(\w+)="([^"]*)"', dependency.group(1))) if dependency else {}
        expect(attributes.get("name") == "Microsoft.Windows.Common-Controls"
               and attributes.get("version") == "6.0.0.0",
               "the manifest does not ask for Common-Controls 6.0.0.0: %s" % attributes)
        expect(attributes.get("processorArchitecture") == ("x86" if arch == "i386" else "amd64"),
               "Common-Controls for %s" % attributes.get("processorArchitecture"))

    versions = list(resources.get(RT_VERSION, {}).values())
    expect(len(versions) == 1, "%d version blocks" % len(versions))
    if versions:
        block = versions[0]
        at = block.find(struct.pack("<I", 0xFEEF04BD))
        expect(at >= 0, "no VS_FIXEDFILEINFO")
        if at >= 0:
            file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", block, at + 8)
            expect((file_ms, file_ls) == (0x00010000, 0), "file version %#x.%#x" % (file_ms, file_ls))
            expect((product_ms, product_ls) == (0x00010000, 0), "product version %#x.%#x" % (product_ms, product_ls))
        strings = block.decode("utf-16-le", "replace")
        for key in ("FileVersion", "ProductVersion"):
            expect(re.search(key + r"\x00+1\.0\.0\.0\x00", strings) is not None, "%s text is not 1.0.0.0" % key)

    imports = pe.imports()
    expect(imports, "no imports at all")
    for dll in imports:
        lower = dll.lower()
        expect(lower in SYSTEM_DLLS or lower.startswith(SYSTEM_PREFIXES), "imports %s, not a system DLL" % dll)
    return faults, imports


def main():
    if len(sys.argv) != 3 or sys.argv[2] not in MACHINES:
        print(__doc__)
        return 2
    path, arch = sys.argv[1], sys.argv[2]
    try:
        open(path, "rb").close()
    except FileNotFoundError:
        print("SKIPPED: %s does not exist; build it first (cmake --preset i686 && "
              "cmake --build --preset i686, or scripts/test.sh)" % path)
        return 77
    faults, imports = check(path, arch)
    for fault in faults:
        print("FAULT: %s: %s" % (path, fault))
    if not faults:
        print("%s: %s GUI exe, resources in place, imports %s" % (path, arch, ", ".join(imports)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
