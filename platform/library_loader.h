// The loader seam: load a library by name or by full path, resolve exports by
// name, free it. The Windows adapter is LoadLibraryA, LoadLibraryExA,
// GetProcAddress and FreeLibrary.
#ifndef PLATFORM_LIBRARY_LOADER_H
#define PLATFORM_LIBRARY_LOADER_H

namespace platform {

class LibraryLoader {
 public:
  using Handle = void*;
  using Symbol = void (*)();

  virtual ~LibraryLoader() = default;
  // Null when the library cannot be loaded.
  virtual Handle Load(const char* name) = 0;
  // Loads a library that a registration names by its full path, such as a
  // printer driver's information library. Its own dependencies are found
  // beside it and in the system folders. Null when the path is not absolute
  // or the library cannot be loaded.
  virtual Handle LoadFromFullPath(const char* path) = 0;
  // Null when the library has no export of that name.
  virtual Symbol Resolve(Handle library, const char* name) = 0;
  virtual void Free(Handle library) = 0;
};

}  // namespace platform

#endif  // PLATFORM_LIBRARY_LOADER_H
