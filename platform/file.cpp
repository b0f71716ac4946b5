#include "platform/file.h"

namespace platform {

namespace {

// 64-bit positions on both platforms: long is 32 bits wide on Windows.
int64_t Tell(std::FILE* file) {
#if defined(_WIN32)
  return _ftelli64(file);
#else
  return ftello(file);
#endif
}

bool SeekTo(std::FILE* file, int64_t offset, int whence) {
#if defined(_WIN32)
  return _fseeki64(file, offset, whence) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), whence) == 0;
#endif
}

int Whence(File::Origin origin) {
  switch (origin) {
    case File::Origin::Current:
      return SEEK_CUR;
    case File::Origin::End:
      return SEEK_END;
    case File::Origin::Begin:
      break;
  }
  return SEEK_SET;
}

}  // namespace

bool File::Open(const std::string& path) {
  Close();
  file_ = std::fopen(path.c_str(), "rb");
  return file_ != nullptr;
}

std::size_t File::Read(void* buffer, std::size_t size) {
  if (file_ == nullptr || buffer == nullptr) {
    return 0;
  }
  return std::fread(buffer, 1, size, file_);
}

int64_t File::Seek(int64_t offset, Origin origin) {
  if (file_ == nullptr || !SeekTo(file_, offset, Whence(origin))) {
    return -1;
  }
  return Tell(file_);
}

void File::Close() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
}

}  // namespace platform
