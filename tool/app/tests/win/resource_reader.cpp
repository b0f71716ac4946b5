#include "resource_reader.h"

#include <cstring>
#include <vector>

namespace vexlow::win::testing {

namespace {

std::optional<std::pair<const uint8_t*, DWORD>> Find(LPCWSTR type, unsigned name, LANGID language) {
  HRSRC found = FindResourceExW(nullptr, type, MAKEINTRESOURCEW(name), language);
  if (found == nullptr) {
    return std::nullopt;
  }
  HGLOBAL loaded = LoadResource(nullptr, found);
  const auto* data = static_cast<const uint8_t*>(LockResource(loaded));
  if (data == nullptr) {
    return std::nullopt;
  }
  return std::make_pair(data, SizeofResource(nullptr, found));
}

// Reads a zero-terminated wide string, an ordinal (0xFFFF, value) or nothing (0).
std::wstring ReadSzOrOrd(const uint8_t*& p) {
  const auto* words = reinterpret_cast<const uint16_t*>(p);
  if (words[0] == 0xFFFF) {
    p += 4;
    return L"#" + std::to_wstring(words[1]);
  }
  std::wstring text;
  while (*words != 0) {
    text += static_cast<wchar_t>(*words++);
  }
  p = reinterpret_cast<const uint8_t*>(words + 1);
  return text;
}

template <typename T>
T Take(const uint8_t*& p) {
  T value;
  memcpy(&value, p, sizeof(T));
  p += sizeof(T);
  return value;
}

void AlignDword(const uint8_t*& p, const uint8_t* base) {
  p = base + ((p - base + 3) & ~3);
}

}  // namespace

std::optional<std::wstring> StringInLanguage(unsigned id, LANGID language) {
  const auto block = Find(MAKEINTRESOURCEW(6), id / 16 + 1, language);
  if (!block) {
    return std::nullopt;
  }
  const auto* words = reinterpret_cast<const uint16_t*>(block->first);
  for (unsigned index = 0; index < id % 16; ++index) {
    words += 1 + words[0];
  }
  if (words[0] == 0) {
    return std::nullopt;
  }
  return std::wstring(reinterpret_cast<const wchar_t*>(words + 1), words[0]);
}

std::optional<DialogHeader> DialogInLanguage(unsigned id, LANGID language) {
  const auto resource = Find(MAKEINTRESOURCEW(5), id, language);
  if (!resource) {
    return std::nullopt;
  }
  const uint8_t* base = resource->first;
  const uint8_t* p = base;
  if (Take<uint16_t>(p) != 1 || Take<uint16_t>(p) != 0xFFFF) {
    return std::nullopt;  // not an extended template
  }
  DialogHeader header;
  Take<uint32_t>(p);  // help id
  Take<uint32_t>(p);  // extended style
  const uint32_t style = Take<uint32_t>(p);
  const uint16_t count = Take<uint16_t>(p);
  Take<int16_t>(p);
  Take<int16_t>(p);
  header.width = Take<int16_t>(p);
  header.height = Take<int16_t>(p);
  ReadSzOrOrd(p);  // menu
  ReadSzOrOrd(p);  // class
  header.caption = ReadSzOrOrd(p);
  if (style & DS_SETFONT) {
    header.pointSize = Take<uint16_t>(p);
    Take<uint16_t>(p);  // weight
    Take<uint8_t>(p);   // italic
    Take<uint8_t>(p);   // character set
    header.typeface = ReadSzOrOrd(p);
  }
  for (uint16_t i = 0; i < count; ++i) {
    AlignDword(p, base);
    DialogHeader::Control control{};
    Take<uint32_t>(p);  // help id
    Take<uint32_t>(p);  // extended style
    Take<uint32_t>(p);  // style
    control.x = Take<int16_t>(p);
    control.y = Take<int16_t>(p);
    control.cx = Take<int16_t>(p);
    control.cy = Take<int16_t>(p);
    control.id = Take<uint32_t>(p);
    ReadSzOrOrd(p);  // class
    control.text = ReadSzOrOrd(p);
    const uint16_t extra = Take<uint16_t>(p);
    p += extra;
    header.controls.push_back(control);
  }
  return header;
}

}  // namespace vexlow::win::testing
