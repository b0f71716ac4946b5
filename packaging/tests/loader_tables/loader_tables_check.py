#!/usr/bin/env python3
# Checks a folder's Windows programs and DLLs the way the loader uses them, from
# the tables the toolchain's objdump and nm print (nothing runs under Wine):
#   - a DLL's export names are in ascending byte order, each is found by the
#     loader's binary search and leads to the function of that name in the file's
#     own symbol table;
#   - each import from a DLL of the folder is exported by it, by name or ordinal;
#   - a file named by --exactly exports exactly those names (so no 32-bit decorated
#     duplicate such as TRSendFile@24 either) and imports nothing but the system's
#     own DLLs (no MinGW runtime that a user's Windows lacks or that could be
#     planted) and BY_ORDINAL, that one by exactly ORDINALS.
# Usage: loader_tables_check.py OBJDUMP NM [--exactly DLL:EXPORTS[:BY_ORDINAL:ORDINALS]]... FOLDER
#   (EXPORTS and ORDINALS comma-separated; exit status 0: every check held)
import argparse
import re
import subprocess
import sys
from pathlib import Path

# The system's own DLLs: every Windows has them, and none can be planted beside a program.
SYSTEM_DLL = re.compile(r"(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|ole32|oleaut32"
                        r"|winspool\.drv|version|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)(\.dll)?")
failures = []


class Tables:
    def __init__(self, path, objdump, nm):
        self.name = path.name
        dump = subprocess.run([objdump, "-p", path], capture_output=True, text=True).stdout
        base = re.search(r"^ImageBase\s+([0-9a-f]+)$", dump, re.M)
        if base is None:
            raise ValueError(path)
        # Function RVAs by ordinal and by ordinal - base, which the stored names give.
        functions = re.findall(r"^\t\[ *(\d+)\] \+base\[ *(\d+)\] ([0-9a-f]+) Export RVA$", dump, re.M)
        self.by_index = {int(i): int(rva, 16) for i, _, rva in functions}
        self.by_ordinal = {int(o): int(rva, 16) for _, o, rva in functions}
        names = dump.partition("\n[Ordinal/Name Pointer] Table\n")[2].partition("\n\n")[0]
        self.names = [(n, int(i)) for i, n in re.findall(r"^\t\[ *(\d+)\] (\S+)$", names, re.M)]
        # (dll in lower case, name or None, ordinal or None) of each import.
        self.imports = []
        for dll, entries in re.findall(r"\tDLL Name: (\S+)\n\tvma: .*\n((?:\t.*\n)*)", dump):
            for thunk, name in re.findall(r"^\t([0-9a-f]+)\t +\d+ +(\S+)", entries, re.M):
                self.imports.append((dll.lower(), None, int(thunk, 16) & 0xFFFF) if name == "<none>"
                                    else (dll.lower(), name, None))
        # Plain name (no 32-bit leading underscore, no WINAPI argument bytes:
        # _TRSendFile@24 -> TRSendFile) -> RVAs of the external symbols.
        self.symbols = {}
        symbols = subprocess.run([nm, "--extern-only", "--defined-only", path],
                                 capture_output=True, text=True).stdout
        for address, name in re.findall(r"^([0-9a-f]+) \w (\S+)$", symbols, re.M):
            name = re.sub(r"(?<=.)@\d*$", "", name if "(PE32+)" in dump else name.removeprefix("_"))
            self.symbols.setdefault(name, set()).add(int(address, 16) - int(base[1], 16))

    def find(self, name):
        # The loader's lookup by name: a binary search over the stored name table.
        low, high, key = 0, len(self.names), name.encode("latin-1")
        while low < high:
            middle = (low + high) // 2
            stored, index = self.names[middle][0].encode("latin-1"), self.names[middle][1]
            if stored == key:
                return self.by_index.get(index)
            low, high = (low, middle) if key < stored else (middle + 1, high)


def check_exports(pe):
    names = [name for name, _ in pe.names]
    for before, name in zip([None] + names, names):
        if before is not None and before.encode("latin-1") >= name.encode("latin-1"):
            failures.append(f"{pe.name}: export names out of order: {before} before {name}")
        rva = pe.find(name)
        if rva is None:
            failures.append(f"{pe.name}: the loader's binary search does not find the export {name}")
        elif rva not in pe.symbols.get(name, ()):
            failures.append(f"{pe.name}: the export {name} does not lead to its function")


def check_imports(pe, ours):
    for dll, name, ordinal in pe.imports:
        provider = ours.get(dll)  # none for a system DLL
        if provider and not (provider.find(name) if ordinal is None else provider.by_ordinal.get(ordinal)):
            failures.append(f"{pe.name} imports {dll} {name or f'ordinal {ordinal}'}, which it does not export")


def check_exactly(pe, exports, by_ordinal="", ordinals=""):
    exported = sorted(name for name, _ in pe.names)
    if exported != sorted(filter(None, exports.split(","))):
        failures.append(f"{pe.name}: exports are {exported}, not {exports}")
    if not pe.imports:
        failures.append(f"{pe.name}: no imports found")
    for dll in sorted({dll for dll, _, _ in pe.imports
                       if dll != by_ordinal.lower() and not SYSTEM_DLL.fullmatch(dll)}):
        failures.append(f"{pe.name} imports {dll}, which is no system DLL"
                        + (f" nor {by_ordinal}" if by_ordinal else ""))
    # By ordinal: no name in the import table.
    imported = sorted(name or str(ordinal) for dll, name, ordinal in pe.imports if dll == by_ordinal.lower())
    if by_ordinal and imported != sorted(filter(None, ordinals.split(","))):
        failures.append(f"{pe.name} imports {imported} from {by_ordinal}, not the ordinals {ordinals}")


def main(args):
    parser = argparse.ArgumentParser()
    parser.add_argument("objdump")
    parser.add_argument("nm")
    parser.add_argument("--exactly", action="append", default=[])
    parser.add_argument("folder", type=Path)
    options = parser.parse_args(args)
    exactly = {dll.lower(): expected for dll, *expected in (e.split(":") for e in options.exactly)}
    ours = {}
    files = sorted(options.folder.glob("*.exe")) + sorted(options.folder.glob("*.dll"))
    for path in files:
        try:
            ours[path.name.lower()] = Tables(path, options.objdump, options.nm)
        except ValueError:
            failures.append(f"{path}: not a readable PE file")
    for pe in ours.values():
        check_exports(pe)
        check_imports(pe, ours)
        if pe.name.lower() in exactly:
            check_exactly(pe, *exactly.pop(pe.name.lower()))
    failures.extend(f"{dll}: named by --exactly, but not among the files" for dll in exactly)
    print("\n".join(f"FAILED {text}" for text in failures)
          or f"{len(files)} files: export and import tables hold")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
