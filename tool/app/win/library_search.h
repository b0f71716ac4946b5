// Where the loader looks for a library loaded by bare name.
#ifndef TOOL_APP_WIN_LIBRARY_SEARCH_H
#define TOOL_APP_WIN_LIBRARY_SEARCH_H

namespace vexlow::win {

// Limits every later load by name to the program's folder and the system
// folders, so a library planted in the current folder or along PATH is never
// taken for a missing one. Where the system lacks that switch, at least the
// current folder is dropped. False when neither could be set.
bool RestrictLibrarySearch();

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_LIBRARY_SEARCH_H
