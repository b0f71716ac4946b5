// Where the loader looks for a library loaded by bare name. The update tool
// and the console client restrict it before they load ostrand.dll.
#ifndef PLATFORM_WIN_LIBRARY_SEARCH_H
#define PLATFORM_WIN_LIBRARY_SEARCH_H

namespace platform {

// Limits every later load by name to the program's folder and the system
// folders, so a library planted in the current folder or along PATH is never
// taken for a missing one. Where the system lacks that switch, at least the
// current folder is dropped. False when neither could be set.
bool RestrictLibrarySearch();

}  // namespace platform

#endif  // PLATFORM_WIN_LIBRARY_SEARCH_H
