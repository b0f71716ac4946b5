#include "list_control.h"

#include "window_search.h"

namespace winauto {
namespace {

constexpr UINT kMessageTimeoutMs = 3000;

struct ListMessages {
  UINT getCount;
  UINT getTextLength;
  UINT getText;
  UINT getCurrentSelection;
  UINT setCurrentSelection;
};

constexpr ListMessages kComboBox = {CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_GETCURSEL,
                                    CB_SETCURSEL};
constexpr ListMessages kListBox = {LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_GETCURSEL,
                                   LB_SETCURSEL};

const ListMessages* MessagesFor(HWND control) {
  const std::wstring className = ClassNameOf(control);
  if (className == L"ComboBox") {
    return &kComboBox;
  }
  if (className == L"ListBox" || className == L"ComboLBox") {
    return &kListBox;
  }
  return nullptr;
}

// The answer of a message, or null when the owner did not answer in time.
std::optional<LRESULT> Ask(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(control, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                           &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

}  // namespace

std::optional<ListEntries> ReadListEntries(HWND control) {
  const ListMessages* messages = MessagesFor(control);
  if (messages == nullptr) {
    return std::nullopt;
  }
  const std::optional<LRESULT> count = Ask(control, messages->getCount);
  if (!count || *count < 0) {
    return std::nullopt;
  }
  ListEntries entries;
  for (LRESULT index = 0; index < *count; ++index) {
    const std::optional<LRESULT> length = Ask(control, messages->getTextLength, index);
    if (!length || *length < 0) {
      return std::nullopt;
    }
    std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
    const std::optional<LRESULT> copied =
        Ask(control, messages->getText, index, reinterpret_cast<LPARAM>(text.data()));
    if (!copied || *copied < 0) {
      return std::nullopt;
    }
    text.resize(static_cast<size_t>(*copied < *length ? *copied : *length));
    entries.texts.push_back(text);
  }
  const std::optional<LRESULT> selected = Ask(control, messages->getCurrentSelection);
  entries.selected = selected ? static_cast<int>(*selected) : -1;
  return entries;
}

bool SelectListEntry(HWND control, int index) {
  const ListMessages* messages = MessagesFor(control);
  if (messages == nullptr) {
    return false;
  }
  const std::optional<LRESULT> set = Ask(control, messages->setCurrentSelection, index);
  if (!set || *set != index) {
    return false;
  }
  // Setting the selection by message notifies nobody; a user's choice does.
  const bool isCombo = messages == &kComboBox;
  if (!isCombo && (GetWindowLongW(control, GWL_STYLE) & LBS_NOTIFY) == 0) {
    return true;
  }
  const WORD notification = isCombo ? CBN_SELCHANGE : LBN_SELCHANGE;
  const WORD id = static_cast<WORD>(GetDlgCtrlID(control));
  // Not waiting for the parent: its handler may open a modal box.
  return SendNotifyMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(id, notification),
                            reinterpret_cast<LPARAM>(control)) != FALSE;
}

}  // namespace winauto
