#include "package_file.h"

#include <cstdio>

namespace cli {

namespace {

// The file's length, or -1 when it cannot be told.
long long LengthOf(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) {
    return -1;
  }
  long long length = std::ftell(file);
  if (std::fseek(file, 0, SEEK_SET) != 0) {
    return -1;
  }
  return length;
}

}  // namespace

const char* FileProblemText(FileProblem problem) {
  switch (problem) {
    case FileProblem::kNone:
      return "usable";
    case FileProblem::kCannotOpen:
      return "cannot be opened";
    case FileProblem::kShorterThanHeader:
      return "is shorter than a 64-byte header";
    case FileProblem::kEmptyPayload:
      return "announces an empty payload";
    case FileProblem::kShorterThanPayload:
      return "is shorter than the header and the payload it announces";
  }
  return "is not usable";
}

uint16_t Le16At(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Le32At(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint32_t PayloadSizeOf(const Header& h) {
  return Le32At(h.data() + 16);
}

uint16_t ModelOf(const Header& h) {
  return Le16At(h.data() + 2);
}

FileProblem ReadPackageFile(const std::string& path, PackageFile* package) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return FileProblem::kCannotOpen;
  }
  FileProblem problem = FileProblem::kNone;
  const long long length = LengthOf(file);
  if (length < 64 || std::fread(package->header.data(), 1, package->header.size(), file) != 64) {
    problem = FileProblem::kShorterThanHeader;
  } else if (PayloadSizeOf(package->header) == 0) {
    problem = FileProblem::kEmptyPayload;
  } else if (static_cast<unsigned long long>(length - 64) < PayloadSizeOf(package->header)) {
    problem = FileProblem::kShorterThanPayload;
  } else {
    package->payload.resize(PayloadSizeOf(package->header));
    if (std::fread(package->payload.data(), 1, package->payload.size(), file) !=
        package->payload.size()) {
      problem = FileProblem::kShorterThanPayload;
    }
  }
  std::fclose(file);
  return problem;
}

FileProblem ReadEntryFile(const std::string& path, Header* entry) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return FileProblem::kCannotOpen;
  }
  const bool whole = std::fread(entry->data(), 1, entry->size(), file) == entry->size();
  std::fclose(file);
  return whole ? FileProblem::kNone : FileProblem::kShorterThanHeader;
}

bool WritePackageFile(const std::string& path, const Header& header,
                      const std::vector<uint8_t>& payload) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return false;
  }
  bool ok =
      std::fwrite(header.data(), 1, header.size(), file) == header.size() &&
      (payload.empty() || std::fwrite(payload.data(), 1, payload.size(), file) == payload.size());
  ok = std::fclose(file) == 0 && ok;
  if (!ok) {
    std::remove(path.c_str());
  }
  return ok;
}

}  // namespace cli
