// The entries of a combo box or list box in another process, and choosing one
// as a user would.
#ifndef TESTING_WINAUTO_LIST_CONTROL_H
#define TESTING_WINAUTO_LIST_CONTROL_H

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace winauto {

struct ListEntries {
  std::vector<std::wstring> texts;
  int selected = -1;  // -1: none
};

// Null when the control is no combo box or list box, or does not answer.
std::optional<ListEntries> ReadListEntries(HWND control);
// Makes entry index the selection and tells the parent with CBN_SELCHANGE
// (combo box) or LBN_SELCHANGE (list box with LBS_NOTIFY), as a click would.
bool SelectListEntry(HWND control, int index);

}  // namespace winauto

#endif  // TESTING_WINAUTO_LIST_CONTROL_H
