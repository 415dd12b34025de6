#!/usr/bin/env python3
"""Checks a built Windows binary by reading it, without running it.

Where a build cannot run (the 32-bit build on a host whose kernel runs no 32-bit programs),
this still catches what would break it on Windows: a wrong machine or subsystem, a missing
manifest or version resource, lost ASLR or DEP, decorated exports of the hook library, or an
import of a DLL other than Windows' known DLLs (a MinGW runtime DLL, an API set of newer Windows,
a system DLL for which a planted copy could stand in). It
also keeps what makes start-up light: no debug information inside a shipped image, and no import
of a library the program loads only on first use.

It reads the manifest as Windows would use it: a program runs as the invoker (never elevated
or virtualized) and names every Windows it was tested on, so that none of them runs it in a
compatibility mode; a program with windows also asks for common controls 6 (visual styles) and
per-monitor DPI awareness. The version resource's numbers must be the release's.

    check_pe_image.py --bits 32 --kind gui|dll [--exports Hook,UnHook] [--only-imports a.dll,b.dll]
                      [--not-imports c.dll] [--stripped] [--windows] [--version 1.2.3.4] FILE
    check_pe_image.py --print-version FILE
"""
import argparse
import re
import struct
import sys

MACHINES = {0x014C: 32, 0x8664: 64}
SUBSYSTEM_GUI = 2
DLL_CHARACTERISTIC = 0x2000
RT_VERSION = 16
RT_MANIFEST = 24
DIR_EXPORT, DIR_IMPORT, DIR_RESOURCE, DIR_BASE_RELOCATION, DIR_DELAY_IMPORT = 0, 1, 2, 5, 13
# Address space layout randomisation and data execution prevention, which the linker sets today
# and nothing may lose: a fixed base or executable data would make every exploit easier.
DYNAMIC_BASE, NX_COMPAT, HIGH_ENTROPY_VA = 0x0040, 0x0100, 0x0020

# The only DLLs a shipped image may import: Windows has them in 32 and 64 bits, and they are
# among its KnownDLLs, which the loader maps from the system folder whatever lies beside the
# program or in the current folder. Any other import (libstdc++-6, libgcc_s_*, api-ms-win-*,
# ucrtbase, or a system DLL such as version.dll, comctl32.dll or wtsapi32.dll) is missing
# somewhere or can be planted; such a library is loaded from the system folder on first use.
KNOWN_DLLS = {
    "advapi32.dll", "comdlg32.dll", "gdi32.dll", "imm32.dll", "kernel32.dll", "msvcrt.dll",
    "ntdll.dll", "ole32.dll", "oleaut32.dll", "psapi.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll", "ws2_32.dll",
}


# Windows 7, 8, 8.1, 10/11 and Vista, by the ids of their compatibility sections.
SUPPORTED_OS_IDS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}",
}
VS_FIXEDFILEINFO_SIGNATURE = 0xFEEF04BD


class BadImage(Exception):
    pass


class PeImage:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise BadImage("not a Windows program: no MZ header")
        pe = self.u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise BadImage("no PE signature")
        machine, sections, _, symbols_at, symbol_count, optional_size, self.characteristics = struct.unpack_from(
            "<HHIIIHH", data, pe + 4)
        if machine not in MACHINES:
            raise BadImage(f"unknown machine 0x{machine:04x}")
        self.bits = MACHINES[machine]
        opt = pe + 24
        magic = self.u16(opt)
        if (magic, self.bits) not in ((0x10B, 32), (0x20B, 64)):
            raise BadImage(f"optional header 0x{magic:x} does not fit a {self.bits}-bit machine")
        self.subsystem = self.u16(opt + 68)
        self.dll_characteristics = self.u16(opt + 70)
        dirs = opt + (96 if self.bits == 32 else 112)
        count = self.u32(dirs - 4)
        self.directories = [struct.unpack_from("<II", data, dirs + 8 * i) for i in range(min(count, 16))]
        table = opt + optional_size
        self.sections = [struct.unpack_from("<IIII", data, table + 40 * i + 8) for i in range(sections)]
        # Names longer than 8 characters ("/4") point into the string table after the symbols.
        strings = symbols_at + 18 * symbol_count
        self.section_names = []
        for i in range(sections):
            raw = data[table + 40 * i:table + 40 * i + 8].rstrip(b"\0")
            if raw.startswith(b"/") and raw[1:].isdigit() and symbols_at:
                start = strings + int(raw[1:])
                raw = data[start:data.index(b"\0", start)]
            self.section_names.append(raw.decode("ascii", "replace"))

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address
        raise BadImage(f"address 0x{rva:x} lies in no section")

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def exports(self):
        rva, size = self.directory(DIR_EXPORT)
        if not size:
            return []
        base = self.offset(rva)
        names, names_rva = self.u32(base + 24), self.u32(base + 32)
        return [self.text(self.u32(self.offset(names_rva) + 4 * i)) for i in range(names)]

    def imports(self):
        found = []
        rva, size = self.directory(DIR_IMPORT)
        if size:
            entry = self.offset(rva)
            while any(self.data[entry:entry + 20]):
                found.append(self.text(self.u32(entry + 12)))
                entry += 20
        rva, size = self.directory(DIR_DELAY_IMPORT)
        if size:
            entry = self.offset(rva)
            while any(self.data[entry:entry + 32]):
                found.append(self.text(self.u32(entry + 4)))
                entry += 32
        return found

    def resources(self, type_id):
        """The data of every resource of a numeric type."""
        rva, size = self.directory(DIR_RESOURCE)
        if not size:
            return []
        root = self.offset(rva)

        def entries(directory):
            named, numbered = self.u16(directory + 12), self.u16(directory + 14)
            for i in range(named + numbered):
                name, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
                yield name, target

        def leaves(target):
            if target & 0x80000000:
                for _, child in entries(root + (target & 0x7FFFFFFF)):
                    yield from leaves(child)
            else:
                data_rva, data_size = struct.unpack_from("<II", self.data, root + target)
                start = self.offset(data_rva)
                yield self.data[start:start + data_size]

        return [leaf for name, target in entries(root) if name == type_id for leaf in leaves(target)]


def fixed_file_version(version_resource):
    """The file version of VS_FIXEDFILEINFO as "a.b.c.d", or None."""
    at = version_resource.find(struct.pack("<I", VS_FIXEDFILEINFO_SIGNATURE))
    if at < 0 or len(version_resource) < at + 16:
        return None
    high, low = struct.unpack_from("<II", version_resource, at + 8)
    return f"{high >> 16}.{high & 0xFFFF}.{low >> 16}.{low & 0xFFFF}"


def manifest_problems(manifest, windows):
    """What the program's manifest lacks; a library's manifest describes only its assembly."""
    text = manifest.decode("utf-8", "replace")
    problems = []
    level = re.search(r'requestedExecutionLevel\s+level="([^"]+)"', text)
    if not level or level.group(1) != "asInvoker":
        problems.append("manifest does not run it asInvoker")
    ids = {m.lower() for m in re.findall(r'supportedOS\s+Id="([^"]+)"', text)}
    missing = sorted(SUPPORTED_OS_IDS - ids)
    if missing:
        problems.append("manifest lacks supportedOS " + ", ".join(missing))
    if windows:
        if not re.search(r'name="Microsoft\.Windows\.Common-Controls"\s+version="6\.', text):
            problems.append("manifest does not ask for common controls 6")
        if "PerMonitorV2" not in text or not re.search(r"<dpiAware[^>]*>\s*true/pm\s*<", text):
            problems.append("manifest does not declare per-monitor DPI awareness")
    return problems


def check(image, args):
    problems = []
    if image.bits != args.bits:
        problems.append(f"a {image.bits}-bit image, expected {args.bits}-bit")
    is_dll = bool(image.characteristics & DLL_CHARACTERISTIC)
    if args.kind == "dll" and not is_dll:
        problems.append("not a DLL")
    if args.kind == "gui" and (is_dll or image.subsystem != SUBSYSTEM_GUI):
        problems.append(f"not a GUI program (subsystem {image.subsystem}, dll {is_dll})")

    hardening = DYNAMIC_BASE | NX_COMPAT | (HIGH_ENTROPY_VA if image.bits == 64 else 0)
    if image.dll_characteristics & hardening != hardening:
        problems.append(f"hardening flags 0x{image.dll_characteristics:04x} lack 0x{hardening & ~image.dll_characteristics:04x} "
                        "(ASLR, DEP, high-entropy ASLR on 64-bit)")
    if not image.directory(DIR_BASE_RELOCATION)[1]:
        problems.append("no base relocations: ASLR cannot move it")

    manifests = image.resources(RT_MANIFEST)
    if not manifests:
        problems.append("no manifest resource")
    elif not all(b"<assembly" in m for m in manifests):
        problems.append("a manifest resource without an <assembly> element")
    elif args.kind == "gui":
        problems += manifest_problems(manifests[0], args.windows)
    versions = image.resources(RT_VERSION)
    wanted = ["040904E4", "FileVersion", "ProductVersion"]
    if not versions:
        problems.append("no version resource")
    else:
        missing = [w for w in wanted if w.encode("utf-16-le") not in versions[0]]
        if missing:
            problems.append("version resource lacks " + ", ".join(missing))
        found = fixed_file_version(versions[0])
        if args.version and found != args.version:
            problems.append(f"version resource says {found}, expected {args.version}")
        if args.version and args.version.encode("utf-16-le") not in versions[0]:
            problems.append(f"version resource's texts lack {args.version}")

    if args.exports is not None:
        wanted_exports = set(filter(None, args.exports.split(",")))
        exports = set(image.exports())
        if not wanted_exports <= exports:
            problems.append(f"exports {sorted(exports)}, expected undecorated {sorted(wanted_exports)}")

    if args.stripped:
        debug = [name for name in image.section_names if name.startswith(".debug")]
        if debug:
            problems.append("debug information inside the image (" + ", ".join(debug) + "): it belongs in the "
                            "separate .debug file")
        if ".gnu_debuglink" not in image.section_names:
            problems.append("no debug link to its separate debug information")

    imports = [name.lower() for name in image.imports()]
    on_first_use = set(filter(None, args.not_imports.lower().split(","))) if args.not_imports else set()
    eager = sorted(set(imports) & on_first_use)
    if eager:
        problems.append("imports " + ", ".join(eager) + ", which it must load only on first use")
    allowed = set(filter(None, args.only_imports.lower().split(","))) if args.only_imports else KNOWN_DLLS
    foreign = sorted(set(imports) - allowed)
    if foreign:
        problems.append("imports DLLs that are not known system DLLs or not allowed here: " + ", ".join(foreign))
    return problems, imports


def print_version(path):
    """The release's version, from one place: the program's version resource."""
    try:
        with open(path, "rb") as f:
            versions = PeImage(f.read()).resources(RT_VERSION)
    except (OSError, BadImage, struct.error, ValueError) as error:
        print(f"{path}: unreadable: {error}", file=sys.stderr)
        return 1
    found = fixed_file_version(versions[0]) if versions else None
    if not found:
        print(f"{path}: no version resource", file=sys.stderr)
        return 1
    print(found)
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bits", type=int, choices=(32, 64), required=True)
    parser.add_argument("--kind", choices=("gui", "dll"), required=True)
    parser.add_argument("--exports", help="names the image must export, comma separated")
    parser.add_argument("--only-imports", help="the only DLLs it may import, comma separated")
    parser.add_argument("--not-imports", help="DLLs it must not import (it loads them on first use), comma separated")
    parser.add_argument("--stripped", action="store_true",
                        help="no debug information inside, a debug link to the separate file instead")
    parser.add_argument("--windows", action="store_true",
                        help="a program with windows: common controls 6 and per-monitor DPI in its manifest")
    parser.add_argument("--version", help="the file version the version resource must carry, a.b.c.d")
    parser.add_argument("file")
    if "--print-version" in sys.argv[1:]:
        return print_version(sys.argv[-1])
    args = parser.parse_args()
    try:
        with open(args.file, "rb") as f:
            image = PeImage(f.read())
        problems, imports = check(image, args)
    except (OSError, BadImage, struct.error, ValueError) as error:
        problems, imports = [f"unreadable: {error}"], []
    if problems:
        for problem in problems:
            print(f"{args.file}: {problem}")
        return 1
    print(f"{args.file}: {args.bits}-bit {args.kind}, imports {', '.join(sorted(set(imports)))}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
