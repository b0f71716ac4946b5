// Checks built Windows programs and DLLs the way the loader uses them, by
// reading the files on the build machine (nothing runs under Wine):
//   - a DLL's export names are in ascending byte order, each is found by the
//     loader's binary search and leads to the function of that name in the
//     file's own symbol table;
//   - each import from a DLL among the given files (or beside the importer,
//     where the loader looks first) is exported by it, by name or ordinal.
// Usage: loader_tables_check FILE...   (exit status 0: every check held)
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Section {
  uint32_t rva = 0;
  uint32_t size = 0;
  uint32_t file_offset = 0;
};

struct Import {
  std::string dll;
  std::string name;  // empty when imported by ordinal
  uint32_t ordinal = 0;
};

struct PeFile {
  std::string label;
  std::vector<uint8_t> bytes;
  bool pe32_plus = false;
  std::vector<Section> sections;
  uint32_t symbol_table = 0;
  uint32_t symbol_count = 0;
  uint32_t export_rva = 0;
  uint32_t import_rva = 0;

  uint32_t u16(uint64_t at) const {
    return at + 2 <= bytes.size() ? bytes[at] | bytes[at + 1] << 8 : 0;
  }
  uint32_t u32(uint64_t at) const {
    return at + 4 <= bytes.size() ? u16(at) | u16(at + 2) << 16 : 0;
  }
  uint64_t u64(uint64_t at) const { return u32(at) | uint64_t{u32(at + 4)} << 32; }

  std::optional<uint32_t> offset_of(uint32_t rva) const {
    for (const Section& s : sections) {
      if (rva >= s.rva && rva - s.rva < s.size)
        return s.file_offset + (rva - s.rva);
    }
    return std::nullopt;
  }
  std::string string_at(uint64_t offset) const {
    std::string text;
    while (offset < bytes.size() && bytes[offset] != 0)
      text += static_cast<char>(bytes[offset++]);
    return text;
  }
  std::string string_at_rva(uint32_t rva) const {
    auto offset = offset_of(rva);
    return offset ? string_at(*offset) : std::string();
  }
};

struct Exports {
  uint32_t base = 0;
  std::vector<uint32_t> functions;  // RVAs, indexed by ordinal - base
  std::vector<std::string> names;   // in stored order
  std::vector<uint32_t> name_ordinals;
};

std::vector<std::string> failures;

void fail(const std::string& text) {
  failures.push_back(text);
}

std::optional<PeFile> read_pe(const fs::path& path) {
  PeFile pe;
  pe.label = path.filename().string();
  std::ifstream in(path, std::ios::binary);
  pe.bytes.assign(std::istreambuf_iterator<char>(in), {});
  uint32_t header = pe.u32(0x3c);
  if (pe.u16(0) != 0x5a4d || pe.u32(header) != 0x4550)
    return std::nullopt;
  uint32_t coff = header + 4;
  uint32_t section_count = pe.u16(coff + 2);
  pe.symbol_table = pe.u32(coff + 8);
  pe.symbol_count = pe.u32(coff + 12);
  uint32_t optional = coff + 20;
  pe.pe32_plus = pe.u16(optional) == 0x20b;
  uint32_t directories = optional + (pe.pe32_plus ? 112 : 96);
  pe.export_rva = pe.u32(directories);
  pe.import_rva = pe.u32(directories + 8);
  uint32_t table = optional + pe.u16(coff + 16);
  for (uint32_t i = 0; i < section_count; ++i) {
    uint32_t at = table + i * 40;
    pe.sections.push_back({pe.u32(at + 12), pe.u32(at + 16), pe.u32(at + 20)});
  }
  return pe;
}

Exports read_exports(const PeFile& pe) {
  Exports exports;
  auto dir = pe.export_rva ? pe.offset_of(pe.export_rva) : std::nullopt;
  if (!dir)
    return exports;
  exports.base = pe.u32(*dir + 16);
  uint32_t function_count = pe.u32(*dir + 20);
  uint32_t name_count = pe.u32(*dir + 24);
  auto functions = pe.offset_of(pe.u32(*dir + 28));
  auto names = pe.offset_of(pe.u32(*dir + 32));
  auto ordinals = pe.offset_of(pe.u32(*dir + 36));
  for (uint32_t i = 0; functions && i < function_count; ++i) {
    exports.functions.push_back(pe.u32(*functions + 4 * i));
  }
  for (uint32_t i = 0; names && ordinals && i < name_count; ++i) {
    exports.names.push_back(pe.string_at_rva(pe.u32(*names + 4 * i)));
    exports.name_ordinals.push_back(pe.u16(*ordinals + 2 * i));
  }
  return exports;
}

// The loader's lookup by name: a binary search over the stored name table.
std::optional<uint32_t> find_by_name(const Exports& exports, const std::string& name) {
  size_t low = 0;
  size_t high = exports.names.size();
  while (low < high) {
    size_t middle = low + (high - low) / 2;
    int order = std::strcmp(name.c_str(), exports.names[middle].c_str());
    if (order == 0) {
      uint32_t index = exports.name_ordinals[middle];
      if (index >= exports.functions.size())
        return std::nullopt;
      return exports.functions[index];
    }
    if (order < 0) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return std::nullopt;
}

// A function's plain name: without the 32-bit leading underscore and the
// argument bytes of a WINAPI symbol (_TRSendFile@24 -> TRSendFile).
std::string plain_name(std::string symbol, bool pe32_plus) {
  if (!pe32_plus && !symbol.empty() && symbol[0] == '_')
    symbol.erase(0, 1);
  size_t at = symbol.rfind('@');
  if (at != std::string::npos && at > 0 &&
      symbol.find_first_not_of("0123456789", at + 1) == std::string::npos) {
    symbol.erase(at);
  }
  return symbol;
}

// Plain name -> addresses (RVAs) of the external symbols of that name.
std::multimap<std::string, uint32_t> read_symbols(const PeFile& pe) {
  std::multimap<std::string, uint32_t> symbols;
  uint64_t strings = pe.symbol_table + uint64_t{18} * pe.symbol_count;
  for (uint32_t i = 0; pe.symbol_table && i < pe.symbol_count; ++i) {
    uint64_t at = pe.symbol_table + uint64_t{18} * i;
    if (at + 18 > pe.bytes.size())
      break;
    auto section = static_cast<int16_t>(pe.u16(at + 12));
    uint8_t storage_class = pe.bytes[at + 16];
    if (storage_class == 2 && section > 0 && static_cast<size_t>(section) <= pe.sections.size()) {
      // A short name lies in the record itself, padded with zeros to 8 bytes.
      std::string name = pe.u32(at) == 0 ? pe.string_at(strings + pe.u32(at + 4))
                                         : std::string(&pe.bytes[at], &pe.bytes[at] + 8).c_str();
      symbols.emplace(plain_name(name, pe.pe32_plus),
                      pe.sections[section - 1].rva + pe.u32(at + 8));
    }
    i += pe.bytes[at + 17];  // auxiliary records
  }
  return symbols;
}

void check_exports(const PeFile& pe, const Exports& exports) {
  if (exports.names.empty())
    return;
  if (pe.symbol_count == 0)
    fail(pe.label + ": no symbol table to resolve its exports against");
  auto symbols = read_symbols(pe);
  for (size_t i = 1; i < exports.names.size(); ++i) {
    if (std::strcmp(exports.names[i - 1].c_str(), exports.names[i].c_str()) >= 0) {
      fail(pe.label + ": export names out of order: " + exports.names[i - 1] + " before " +
           exports.names[i]);
    }
  }
  for (const std::string& name : exports.names) {
    auto rva = find_by_name(exports, name);
    if (!rva) {
      fail(pe.label + ": the loader's binary search does not find the export " + name);
      continue;
    }
    bool resolves = false;
    for (auto [it, end] = symbols.equal_range(name); it != end; ++it)
      resolves |= it->second == *rva;
    if (!resolves)
      fail(pe.label + ": the export " + name + " leads to another function");
  }
}

std::vector<Import> read_imports(const PeFile& pe) {
  std::vector<Import> imports;
  auto dir = pe.import_rva ? pe.offset_of(pe.import_rva) : std::nullopt;
  for (uint64_t at = dir.value_or(0); dir && pe.u32(at + 12) != 0; at += 20) {
    std::string dll = pe.string_at_rva(pe.u32(at + 12));
    auto thunk = pe.offset_of(pe.u32(at) ? pe.u32(at) : pe.u32(at + 16));
    uint32_t width = pe.pe32_plus ? 8 : 4;
    for (uint64_t entry = thunk.value_or(0); thunk; entry += width) {
      uint64_t value = pe.pe32_plus ? pe.u64(entry) : pe.u32(entry);
      if (value == 0)
        break;
      bool by_ordinal = pe.pe32_plus ? value >> 63 : value >> 31;
      if (by_ordinal) {
        imports.push_back({dll, "", static_cast<uint32_t>(value & 0xffff)});
      } else {
        imports.push_back({dll, pe.string_at_rva(static_cast<uint32_t>(value) + 2), 0});
      }
    }
  }
  return imports;
}

std::string lower(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The DLL the loader would bind: beside the importer first, else the given
// file of that name; none when the DLL is not one of ours (a system DLL).
std::optional<fs::path> provider_of(const fs::path& importer, const std::string& dll,
                                    const std::vector<fs::path>& given) {
  for (const auto& entry : fs::directory_iterator(importer.parent_path())) {
    if (lower(entry.path().filename().string()) == lower(dll))
      return entry.path();
  }
  for (const fs::path& path : given) {
    if (lower(path.filename().string()) == lower(dll))
      return path;
  }
  return std::nullopt;
}

void check_imports(const fs::path& path, const PeFile& pe, const std::vector<fs::path>& given) {
  for (const Import& import : read_imports(pe)) {
    auto provider_path = provider_of(path, import.dll, given);
    if (!provider_path)
      continue;
    auto provider = read_pe(*provider_path);
    Exports exports = provider ? read_exports(*provider) : Exports{};
    bool found = import.name.empty()
                     ? import.ordinal >= exports.base &&
                           import.ordinal - exports.base < exports.functions.size() &&
                           exports.functions[import.ordinal - exports.base] != 0
                     : find_by_name(exports, import.name).has_value();
    if (!found) {
      fail(pe.label + " imports " + import.dll + " " +
           (import.name.empty() ? "ordinal " + std::to_string(import.ordinal) : import.name) +
           ", which " + provider_path->string() + " does not export");
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> given(argv + 1, argv + argc);
  for (const fs::path& path : given) {
    auto pe = read_pe(path);
    if (!pe) {
      fail(path.string() + ": not a readable PE file");
      continue;
    }
    check_exports(*pe, read_exports(*pe));
    check_imports(path, *pe, given);
  }
  for (const std::string& text : failures)
    std::printf("FAILED %s\n", text.c_str());
  if (failures.empty())
    std::printf("%zu files: export and import tables hold\n", given.size());
  return failures.empty() ? 0 : 1;
}
