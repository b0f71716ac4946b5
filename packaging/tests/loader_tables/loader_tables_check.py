#!/usr/bin/env python3
# Checks built Windows programs and DLLs the way the loader uses them, by reading
# the files on the build machine (nothing runs under Wine):
#   - a DLL's export names are in ascending byte order, each is found by the
#     loader's binary search and leads to the function of that name in the file's
#     own symbol table;
#   - each import from a DLL among the given files (or beside the importer, where
#     the loader looks first) is exported by it, by name or ordinal;
#   - a file named by --exactly exports exactly those names (so no 32-bit decorated
#     duplicate such as TRSendFile@24 either) and imports nothing but the system's
#     own DLLs (no MinGW runtime that a user's Windows lacks or that could be
#     planted) and BY_ORDINAL, that one by exactly ORDINALS.
# Usage: loader_tables_check.py [--exactly DLL:EXPORTS[:BY_ORDINAL:ORDINALS]]... FILE...
#   (EXPORTS and ORDINALS comma-separated; exit status 0: every check held)
import argparse
import re
import struct
import sys
from pathlib import Path

# The system's own DLLs: every Windows has them, and none can be planted beside a program.
SYSTEM_DLL = re.compile(r"(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|ole32|oleaut32"
                        r"|winspool\.drv|version|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)(\.dll)?")
failures = []


class Pe:
    def __init__(self, path):
        self.name, self.data = path.name, path.read_bytes()
        coff = self.u32(0x3C) + 4
        if self.data[:2] != b"MZ" or self.u32(coff - 4) != 0x4550:
            raise ValueError(path)
        sections, self.symbols, self.symbol_count = struct.unpack_from("<H4xII", self.data, coff + 2)
        optional = coff + 20
        self.plus = self.u16(optional) == 0x20B
        self.export_dir, _, self.import_dir = struct.unpack_from(
            "<III", self.data, optional + (112 if self.plus else 96))
        table = optional + self.u16(coff + 16)
        self.sections = [struct.unpack_from("<III", self.data, table + 40 * i + 12)
                         for i in range(sections)]
        # Export base, function RVAs by ordinal - base, [(name, ordinal - base)] as stored.
        self.base, self.rvas, self.names = 0, [], []
        d = self.offset(self.export_dir)
        if d is not None:
            self.base, functions, names, *tables = struct.unpack_from("<6I", self.data, d + 16)
            f, n, o = (self.offset(t) for t in tables)
            self.rvas = [self.u32(f + 4 * i) for i in range(functions)] if f is not None else []
            if n is not None and o is not None:
                self.names = [(self.text(self.offset(self.u32(n + 4 * i))), self.u16(o + 2 * i))
                              for i in range(names)]

    def u16(self, at):
        return int.from_bytes(self.data[at:at + 2], "little")

    def u32(self, at):
        return int.from_bytes(self.data[at:at + 4], "little")

    def offset(self, rva):
        return next((raw + rva - start for start, size, raw in self.sections
                     if rva and start <= rva < start + size), None)

    def text(self, at):
        end = -1 if at is None else self.data.find(b"\0", at)
        return "" if at is None else self.data[at:end if end >= 0 else None].decode("latin-1")

    def find(self, name):
        # The loader's lookup by name: a binary search over the stored name table.
        low, high, key = 0, len(self.names), name.encode("latin-1")
        while low < high:
            middle = (low + high) // 2
            stored, index = self.names[middle][0].encode("latin-1"), self.names[middle][1]
            if stored == key:
                return self.rvas[index] if index < len(self.rvas) else None
            low, high = (low, middle) if key < stored else (middle + 1, high)
        return None

    def symbol_rvas(self):
        # Plain name (no 32-bit leading underscore, no WINAPI argument bytes:
        # _TRSendFile@24 -> TRSendFile) -> RVAs of the external symbols.
        found, i, strings = {}, 0, self.symbols + 18 * self.symbol_count
        while self.symbols and i < self.symbol_count and self.symbols + 18 * (i + 1) <= len(self.data):
            at = self.symbols + 18 * i
            value, section, storage, aux = struct.unpack_from("<IhxxBB", self.data, at + 8)
            if storage == 2 and 0 < section <= len(self.sections):
                # A short name lies in the record itself, padded with zeros to 8 bytes.
                name = (self.text(strings + self.u32(at + 4)) if self.u32(at) == 0
                        else self.data[at:at + 8].split(b"\0")[0].decode("latin-1"))
                if not self.plus and name.startswith("_"):
                    name = name[1:]
                name = re.sub(r"(?<=.)@\d*$", "", name)
                found.setdefault(name, set()).add(self.sections[section - 1][0] + value)
            i += 1 + aux
        return found

    def imports(self):
        # (dll in lower case, name or None, ordinal or None) of each import.
        d, width = self.offset(self.import_dir), 8 if self.plus else 4
        while d is not None and self.u32(d + 12):
            dll = self.text(self.offset(self.u32(d + 12))).lower()
            thunk = self.offset(self.u32(d) or self.u32(d + 16))
            while thunk is not None and thunk + width <= len(self.data):
                value = struct.unpack_from("<Q" if self.plus else "<I", self.data, thunk)[0]
                if not value:
                    break
                by_ordinal = value >> (8 * width - 1)
                yield (dll, None if by_ordinal else self.text(self.offset((value & 0xFFFFFFFF) + 2)),
                       value & 0xFFFF if by_ordinal else None)
                thunk += width
            d += 20


def check_exports(pe):
    names = [name for name, _ in pe.names]
    if names and not pe.symbol_count:
        failures.append(f"{pe.name}: no symbol table to resolve its exports against")
    symbols = pe.symbol_rvas()
    for before, name in zip([None] + names, names):
        if before is not None and before.encode("latin-1") >= name.encode("latin-1"):
            failures.append(f"{pe.name}: export names out of order: {before} before {name}")
        rva = pe.find(name)
        if rva is None:
            failures.append(f"{pe.name}: the loader's binary search does not find the export {name}")
        elif rva not in symbols.get(name, ()):
            failures.append(f"{pe.name}: the export {name} leads to another function")


def check_imports(path, pe, given):
    for dll, name, ordinal in pe.imports():
        # The DLL the loader would bind: beside the importer first, else the given
        # file of that name; none for a system DLL.
        provider = next((p for p in list(path.parent.iterdir()) + given
                         if p.name.lower() == dll), None)
        if provider is None:
            continue
        try:
            exports = Pe(provider)
            at = ordinal - exports.base if name is None else None
            found = (exports.find(name) is not None if at is None
                     else 0 <= at < len(exports.rvas) and exports.rvas[at] != 0)
        except (ValueError, struct.error):
            found = False
        if not found:
            failures.append(f"{pe.name} imports {dll} {name or f'ordinal {ordinal}'}, "
                            f"which {provider} does not export")


def check_exactly(pe, exports, by_ordinal="", ordinals=""):
    exported = sorted(name for name, _ in pe.names)
    if exported != sorted(filter(None, exports.split(","))):
        failures.append(f"{pe.name}: exports are {exported}, not {exports}")
    imports = list(pe.imports())
    if not imports:
        failures.append(f"{pe.name}: no imports found")
    ours = [(name, ordinal) for dll, name, ordinal in imports if dll == by_ordinal.lower()]
    for dll in sorted({dll for dll, _, _ in imports
                       if dll != by_ordinal.lower() and not SYSTEM_DLL.fullmatch(dll)}):
        failures.append(f"{pe.name} imports {dll}, which is no system DLL"
                        + (f" nor {by_ordinal}" if by_ordinal else ""))
    failures.extend(f"{pe.name}: {by_ordinal} is imported by name: {name}"
                    for name, _ in ours if name is not None)
    imported = sorted(ordinal for name, ordinal in ours if name is None)
    if by_ordinal and imported != sorted(int(n) for n in ordinals.split(",") if n):
        failures.append(f"{pe.name}: {by_ordinal} ordinals are {imported}, not {ordinals}")


def main(args):
    parser = argparse.ArgumentParser()
    parser.add_argument("--exactly", action="append", default=[])
    parser.add_argument("files", nargs="+", type=Path)
    options = parser.parse_args(args)
    given = options.files
    exactly = {dll.lower(): expected for dll, *expected in (e.split(":") for e in options.exactly)}
    for path in given:
        try:
            pe = Pe(path)
        except (ValueError, struct.error):
            failures.append(f"{path}: not a readable PE file")
            continue
        check_exports(pe)
        check_imports(path, pe, given)
        if pe.name.lower() in exactly:
            check_exactly(pe, *exactly.pop(pe.name.lower()))
    failures.extend(f"{dll}: named by --exactly, but not among the files" for dll in exactly)
    print("\n".join(f"FAILED {text}" for text in failures)
          or f"{len(given)} files: export and import tables hold")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
