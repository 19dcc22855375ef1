#include "input.h"

#include "testing.h"

#include <ctype.h>

namespace orvtest {

void Settle()
{
    // Injected input reaches the queue through the system; wait until the queue
    // stays empty for a few rounds.
    int quiet = 0;
    for (int round = 0; round < 400 && quiet < 4; ++round) {
        if (GetQueueStatus(QS_ALLINPUT) == 0) {
            ++quiet;
            Sleep(2);
        } else {
            quiet = 0;
        }
        PumpMessages();
    }
}

void FocusForInput(HWND hwnd)
{
    HWND top = GetAncestor(hwnd, GA_ROOT);
    SetForegroundWindow(top);
    SetActiveWindow(top);
    SetFocus(hwnd);
    Settle();
}

void KeyEvent(WORD vk, bool down)
{
    INPUT input;
    ZeroMemory(&input, sizeof input);
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0 /* MAPVK_VK_TO_VSC */));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_APPS:
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    default:
        break;
    }
    SendInput(1, &input, sizeof input);
}

void Tap(WORD vk, std::initializer_list<WORD> modifiers)
{
    for (WORD m : modifiers)
        KeyEvent(m, true);
    KeyEvent(vk, true);
    Settle();
    KeyEvent(vk, false);
    for (auto it = modifiers.end(); it != modifiers.begin();) {
        --it;
        KeyEvent(*it, false);
    }
    Settle();
}

void TypeUnicode(WCHAR ch)
{
    INPUT inputs[2];
    ZeroMemory(inputs, sizeof inputs);
    for (int i = 0; i < 2; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wScan = ch;
        inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
    }
    SendInput(2, inputs, sizeof inputs[0]);
    Settle();
}

void TypeKeys(const char *keys)
{
    for (; *keys; ++keys)
        Tap(static_cast<WORD>(toupper(static_cast<unsigned char>(*keys))));
}

void MoveMouse(HWND hwnd, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(hwnd, &point);
    MoveMouseScreen(point.x, point.y);
}

void MoveMouseScreen(int x, int y)
{
    SetCursorPos(x, y);
    // A relative move of 0 makes the system deliver WM_MOUSEMOVE at the new place.
    INPUT input;
    ZeroMemory(&input, sizeof input);
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
    Settle();
}

namespace {
void Button(DWORD flags)
{
    INPUT input;
    ZeroMemory(&input, sizeof input);
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    Settle();
}
}  // namespace

void LeftButton(bool down)
{
    Button(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
}

void RightButton(bool down)
{
    Button(down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP);
}

void Click(HWND hwnd, int x, int y, std::initializer_list<WORD> modifiers)
{
    MoveMouse(hwnd, x, y);
    for (WORD m : modifiers)
        KeyEvent(m, true);
    Settle();
    LeftButton(true);
    LeftButton(false);
    for (auto it = modifiers.end(); it != modifiers.begin();) {
        --it;
        KeyEvent(*it, false);
    }
    Settle();
}

void DoubleClick(HWND hwnd, int x, int y)
{
    MoveMouse(hwnd, x, y);
    LeftButton(true);
    LeftButton(false);
    LeftButton(true);
    LeftButton(false);
}

void RightClick(HWND hwnd, int x, int y)
{
    MoveMouse(hwnd, x, y);
    RightButton(true);
    RightButton(false);
}

void ClickAtTime(HWND hwnd, int x, int y, DWORD time)
{
    MoveMouse(hwnd, x, y);
    INPUT inputs[2];
    ZeroMemory(inputs, sizeof inputs);
    for (int i = 0; i < 2; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = i ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
        inputs[i].mi.time = time + i;
    }
    SendInput(2, inputs, sizeof inputs[0]);
    Settle();
}

}  // namespace orvtest
