// Real input for tests: keys and mouse through SendInput, so that the receiving
// control sees them as a user's (message order, GetAsyncKeyState, capture).
#pragma once

#include <windows.h>

#include <initializer_list>

namespace orvtest {

// Makes the top-level window of hwnd the foreground window and gives hwnd the focus.
void FocusForInput(HWND hwnd);

// Dispatches messages until the injected input has been processed.
void Settle();

// One key event (no settling).
void KeyEvent(WORD vk, bool down);
// Presses the modifiers, taps vk while they are held (the receiver handles the
// key while the modifiers are still down), then releases them in reverse order.
void Tap(WORD vk, std::initializer_list<WORD> modifiers = {});
// Types one UTF-16 character (VK_PACKET; TranslateMessage makes WM_CHAR of it).
void TypeUnicode(WCHAR ch);
// Taps each character's key: digits and letters (lower case without Shift).
void TypeKeys(const char *keys);

// Mouse at a screen point, or at a client point of hwnd.
void MoveMouseScreen(int x, int y);
void MoveMouse(HWND hwnd, int x, int y);
void LeftButton(bool down);
void RightButton(bool down);
void Click(HWND hwnd, int x, int y, std::initializer_list<WORD> modifiers = {});
void DoubleClick(HWND hwnd, int x, int y);
void RightClick(HWND hwnd, int x, int y);
// A left click whose two messages carry the given message time (and time + 1):
// lets a test place clicks further apart than the double-click time without waiting.
void ClickAtTime(HWND hwnd, int x, int y, DWORD time);

}  // namespace orvtest
