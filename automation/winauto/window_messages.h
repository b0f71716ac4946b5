// What winauto sends beyond pressing controls: system commands and keys.
#ifndef TESTING_WINAUTO_WINDOW_MESSAGES_H
#define TESTING_WINAUTO_WINDOW_MESSAGES_H

#include <windows.h>

#include <string>

namespace winauto {

// Posts WM_SYSCOMMAND with this command, as a choice from the system menu.
bool PostSystemCommand(HWND window, unsigned command);

// Posts the key's down and up messages to the window, as the keyboard would
// to a dialog without a focused control: the dialog's message loop then acts
// on Escape and Enter. Key names: escape, enter, space. False for another name.
bool PostKey(HWND window, const std::wstring& key);

// Presses and releases the key through the system's input queue, as the
// keyboard does: it reaches whichever window has the keyboard focus when its
// thread takes it from the queue. False for an unknown name or refused input.
bool PressKey(const std::wstring& key);

}  // namespace winauto

#endif  // TESTING_WINAUTO_WINDOW_MESSAGES_H
