#include "recording_format.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>

namespace support {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// The fields of each call, in the order they are written.
struct CallShape {
  PortCall call;
  const char* word;
  std::array<const char*, 8> keys;
};

constexpr CallShape kShapes[] = {
    {PortCall::kOpen, "open@3", {"name", "block", "result", "us"}},
    {PortCall::kWrite, "write@4", {"count", "timeout", "data", "result", "written", "us"}},
    {PortCall::kRead, "read@5", {"count", "timeout", "result", "read", "data", "us"}},
    {PortCall::kPurge, "purge@6", {"result", "us"}},
    {PortCall::kBeginTransfer, "begin@7", {"name", "reserved", "timeout", "result", "us"}},
    {PortCall::kEndTransfer, "end@8", {"result", "us"}},
    {PortCall::kWriteByName,
     "SKWriteFile",
     {"name", "reserved", "count", "timeout", "data", "result", "written", "us"}},
    {PortCall::kReadByName,
     "SKReadFile",
     {"name", "reserved", "count", "timeout", "result", "read", "data", "us"}},
};

const CallShape& ShapeOf(PortCall call) {
  for (const CallShape& shape : kShapes) {
    if (shape.call == call) {
      return shape;
    }
  }
  return kShapes[0];
}

void AppendHex(std::string* out, const std::vector<uint8_t>& bytes) {
  for (uint8_t b : bytes) {
    *out += kHexDigits[b >> 4];
    *out += kHexDigits[b & 15];
  }
}

// Printable ASCII stands as it is; quotes, backslashes and every other byte
// (a name in the PC's code page, say) as \" \\ \xHH.
void AppendQuoted(std::string* out, const std::optional<std::string>& text) {
  if (!text) {
    *out += '-';
    return;
  }
  *out += '"';
  for (unsigned char c : *text) {
    if (c == '"' || c == '\\') {
      *out += '\\';
      *out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      *out += static_cast<char>(c);
    } else {
      *out += "\\x";
      *out += kHexDigits[c >> 4];
      *out += kHexDigits[c & 15];
    }
  }
  *out += '"';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  return -1;
}

bool ParseHex(std::string_view text, std::vector<uint8_t>* bytes) {
  if (text.size() % 2 != 0) {
    return false;
  }
  bytes->clear();
  bytes->reserve(text.size() / 2);
  for (size_t i = 0; i < text.size(); i += 2) {
    const int high = HexValue(text[i]);
    const int low = HexValue(text[i + 1]);
    if (high < 0 || low < 0) {
      return false;
    }
    bytes->push_back(static_cast<uint8_t>(high << 4 | low));
  }
  return true;
}

bool ParseUnsigned(std::string_view text, uint64_t max, uint64_t* value) {
  if (text.empty() || text.size() > 20) {
    return false;
  }
  uint64_t n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
    const uint64_t digit = static_cast<uint64_t>(c - '0');
    if (n > (max - digit) / 10) {
      return false;
    }
    n = n * 10 + digit;
  }
  *value = n;
  return true;
}

bool ParseU32(std::string_view text, uint32_t* value) {
  uint64_t n = 0;
  if (!ParseUnsigned(text, std::numeric_limits<uint32_t>::max(), &n)) {
    return false;
  }
  *value = static_cast<uint32_t>(n);
  return true;
}

bool ParseResult(std::string_view text, int32_t* value) {
  const bool negative = !text.empty() && text[0] == '-';
  uint64_t n = 0;
  const uint64_t max = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
  if (!ParseUnsigned(negative ? text.substr(1) : text, max, &n)) {
    return false;
  }
  *value = static_cast<int32_t>(negative ? -static_cast<int64_t>(n) : static_cast<int64_t>(n));
  return true;
}

// A quoted name (at the start of text) up to its closing quote; *used says how
// many characters it took.
bool ParseQuoted(std::string_view text, std::string* out, size_t* used) {
  if (text.empty() || text[0] != '"') {
    return false;
  }
  out->clear();
  size_t i = 1;
  while (i < text.size() && text[i] != '"') {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) {
      return false;
    }
    if (c == '\\') {
      if (i + 1 >= text.size()) {
        return false;
      }
      const char escaped = text[i + 1];
      if (escaped == '"' || escaped == '\\') {
        c = static_cast<unsigned char>(escaped);
        i += 2;
      } else if (escaped == 'x' && i + 3 < text.size() && HexValue(text[i + 2]) >= 0 &&
                 HexValue(text[i + 3]) >= 0) {
        c = static_cast<unsigned char>(HexValue(text[i + 2]) << 4 | HexValue(text[i + 3]));
        i += 4;
      } else {
        return false;
      }
    } else {
      ++i;
    }
    // A name is a C string: it cannot hold a zero byte.
    if (c == 0 || out->size() == kMaxPrinterNameBytes) {
      return false;
    }
    *out += static_cast<char>(c);
  }
  if (i >= text.size()) {
    return false;
  }
  *used = i + 1;
  return true;
}

// Reads one line's fields in the order of its call's shape.
class LineReader {
 public:
  explicit LineReader(std::string_view line) : rest_(line) {}

  // The next blank-separated word.
  std::string_view Word() {
    SkipBlanks();
    return Value();
  }

  // The text up to the next blank (empty right before one).
  std::string_view Value() {
    size_t end = 0;
    while (end < rest_.size() && rest_[end] != ' ') {
      ++end;
    }
    std::string_view word = rest_.substr(0, end);
    rest_.remove_prefix(end);
    return word;
  }

  // "key=" and then the value, which for a name may hold blanks.
  bool Field(const char* key, std::string_view* value, std::string* error) {
    SkipBlanks();
    const std::string_view k(key);
    if (rest_.substr(0, k.size()) != k || rest_.substr(k.size(), 1) != "=") {
      *error = std::string("expected ") + key + "=";
      return false;
    }
    rest_.remove_prefix(k.size() + 1);
    if (k == "name" && !rest_.empty() && rest_[0] == '"') {
      size_t used = 0;
      if (!ParseQuoted(rest_, &quoted_, &used) || (used < rest_.size() && rest_[used] != ' ')) {
        *error = "name is not a quoted printer name of at most 259 bytes";
        return false;
      }
      *value = rest_.substr(0, used);
      rest_.remove_prefix(used);
      return true;
    }
    *value = Value();
    return true;
  }

  bool AtEnd() {
    SkipBlanks();
    return rest_.empty();
  }

  const std::string& Quoted() const { return quoted_; }

 private:
  void SkipBlanks() {
    while (!rest_.empty() && rest_[0] == ' ') {
      rest_.remove_prefix(1);
    }
  }

  std::string_view rest_;
  std::string quoted_;
};

// Stores one field's value in call; empty text when it is understood.
std::string TakeField(std::string_view key, std::string_view value, const std::string& quoted,
                      RecordedCall* call) {
  if (key == "name") {
    if (value == "-") {
      call->printerName.reset();
    } else {
      call->printerName = quoted;
    }
    return {};
  }
  if (key == "block") {
    if (value == "-") {
      call->openBlock.reset();
      return {};
    }
    std::vector<uint8_t> block;
    if (!ParseHex(value, &block) || block.size() != kOpenBlockBytes) {
      return "block must be 10 bytes in hex, or -";
    }
    call->openBlock = std::move(block);
    return {};
  }
  if (key == "data") {
    return ParseHex(value, &call->data) ? "" : "data must be bytes in hex";
  }
  if (key == "result") {
    return ParseResult(value, &call->result) ? "" : "result must be a 32-bit signed number";
  }
  if (key == "us") {
    // At most the longest time-out a call can be given, in microseconds.
    uint64_t us = 0;
    if (!ParseUnsigned(value, uint64_t{std::numeric_limits<uint32_t>::max()} * 1000, &us)) {
      return "us must be the call's microseconds";
    }
    call->elapsedUs = us;
    return {};
  }
  uint32_t* target = key == "count"      ? &call->count
                     : key == "timeout"  ? &call->timeoutMs
                     : key == "reserved" ? &call->reserved
                                         : &call->moved;
  return ParseU32(value, target) ? "" : std::string(key) + " must be a 32-bit unsigned number";
}

// What the fields must agree on: a write carries the bytes it was given, a read
// the bytes that came, never more than asked.
std::string CheckConsistent(const RecordedCall& call) {
  if (IsWrite(call.call) && call.data.size() != call.count) {
    return "data must hold count bytes";
  }
  if (IsRead(call.call) && call.data.size() != std::min(call.moved, call.count)) {
    return "data must hold the bytes read, at most count";
  }
  return {};
}

std::string ParseCallLine(std::string_view line, uint64_t expectedNumber, RecordedCall* call) {
  LineReader reader(line);
  uint64_t number = 0;
  if (!ParseUnsigned(reader.Word(), std::numeric_limits<uint64_t>::max(), &number) ||
      number != expectedNumber) {
    return "expected call number " + std::to_string(expectedNumber);
  }
  const std::string_view word = reader.Word();
  const CallShape* shape = nullptr;
  for (const CallShape& s : kShapes) {
    if (word == s.word) {
      shape = &s;
    }
  }
  if (shape == nullptr) {
    return "unknown call '" + std::string(word.substr(0, 40)) + "'";
  }
  *call = RecordedCall{};
  call->number = number;
  call->call = shape->call;
  for (const char* key : shape->keys) {
    if (key == nullptr) {
      break;
    }
    std::string_view value;
    std::string error;
    if (!reader.Field(key, &value, &error)) {
      return error;
    }
    error = TakeField(key, value, reader.Quoted(), call);
    if (!error.empty()) {
      return error;
    }
  }
  if (!reader.AtEnd()) {
    return "unexpected text after us=";
  }
  return CheckConsistent(*call);
}

}  // namespace

const char* PortCallWord(PortCall call) {
  return ShapeOf(call).word;
}

namespace {

// The call's line; up to its result only when argumentsOnly.
std::string FormatLine(const RecordedCall& call, bool argumentsOnly) {
  std::string line = std::to_string(call.number) + " " + PortCallWord(call.call);
  for (const char* key : ShapeOf(call.call).keys) {
    const std::string_view k(key == nullptr ? "" : key);
    if (k.empty() || (argumentsOnly && k == "result")) {
      break;
    }
    line += ' ';
    line += k;
    line += '=';
    if (k == "name") {
      AppendQuoted(&line, call.printerName);
    } else if (k == "block") {
      if (call.openBlock) {
        AppendHex(&line, *call.openBlock);
      } else {
        line += '-';
      }
    } else if (k == "data") {
      AppendHex(&line, call.data);
    } else if (k == "result") {
      line += std::to_string(call.result);
    } else if (k == "us") {
      line += std::to_string(call.elapsedUs);
    } else {
      line += std::to_string(k == "count"      ? call.count
                             : k == "timeout"  ? call.timeoutMs
                             : k == "reserved" ? call.reserved
                                               : call.moved);
    }
  }
  return line;
}

}  // namespace

std::string FormatCall(const RecordedCall& call) {
  return FormatLine(call, false) + "\n";
}

std::string FormatArguments(const RecordedCall& call) {
  return FormatLine(call, true);
}

bool ParseRecording(std::string_view text, std::vector<RecordedCall>* calls, std::string* error) {
  calls->clear();
  bool headerSeen = false;
  uint64_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    if (line.empty() || line[0] == '#') {
      continue;
    }
    std::string problem;
    if (!headerSeen) {
      headerSeen = line == kRecordingHeader;
      if (!headerSeen) {
        problem =
            "not a recording: the first line must read \"" + std::string(kRecordingHeader) + "\"";
      }
    } else {
      RecordedCall call;
      problem = ParseCallLine(line, calls->size() + 1, &call);
      if (problem.empty()) {
        calls->push_back(std::move(call));
      }
    }
    if (!problem.empty()) {
      *error = "line " + std::to_string(lineNumber) + ": " + problem;
      calls->clear();
      return false;
    }
  }
  if (!headerSeen) {
    *error = "not a recording: it is empty";
    return false;
  }
  return true;
}

bool LoadRecordingFile(const std::string& path, std::vector<RecordedCall>* calls,
                       std::string* error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    *error = path + ": cannot be opened";
    return false;
  }
  std::string text;
  char buffer[65536];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 &&
         text.size() + got <= kMaxRecordingBytes) {
    text.append(buffer, got);
  }
  const bool tooLarge = got > 0;
  std::fclose(file);
  if (tooLarge) {
    *error = path + ": larger than any recording";
    return false;
  }
  if (!ParseRecording(text, calls, error)) {
    *error = path + ": " + *error;
    return false;
  }
  return true;
}

}  // namespace support
