// Character-width traits: one source, built once over char (ANSI calls) and once
// over WCHAR (Unicode calls). Add the calls a control needs, in both widths.
// The member names are the generic API names, which windows.h turns into macros;
// the bodies therefore call the global functions with :: so that a member never
// calls itself.
#pragma once

#include <windows.h>

template <class C>
struct Win;

template <>
struct Win<char> {
    typedef char Char;
    static LRESULT DefWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) { return ::DefWindowProcA(h, m, w, l); }
    static LRESULT SendMessage(HWND h, UINT m, WPARAM w, LPARAM l) { return ::SendMessageA(h, m, w, l); }
    static LONG_PTR GetWindowLongPtr(HWND h, int i) { return ::GetWindowLongPtrA(h, i); }
    static LONG_PTR SetWindowLongPtr(HWND h, int i, LONG_PTR v) { return ::SetWindowLongPtrA(h, i, v); }
    typedef WNDCLASSEXA WndClassEx;
    static BOOL GetClassInfoEx(HINSTANCE i, const char *n, WNDCLASSEXA *c) { return ::GetClassInfoExA(i, n, c); }
    static ATOM RegisterClassEx(const WNDCLASSEXA *c) { return ::RegisterClassExA(c); }
    static void NotifyParent(HWND h, int code);
};

template <>
struct Win<WCHAR> {
    typedef WCHAR Char;
    static LRESULT DefWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) { return ::DefWindowProcW(h, m, w, l); }
    static LRESULT SendMessage(HWND h, UINT m, WPARAM w, LPARAM l) { return ::SendMessageW(h, m, w, l); }
    static LONG_PTR GetWindowLongPtr(HWND h, int i) { return ::GetWindowLongPtrW(h, i); }
    static LONG_PTR SetWindowLongPtr(HWND h, int i, LONG_PTR v) { return ::SetWindowLongPtrW(h, i, v); }
    typedef WNDCLASSEXW WndClassEx;
    static BOOL GetClassInfoEx(HINSTANCE i, const WCHAR *n, WNDCLASSEXW *c) { return ::GetClassInfoExW(i, n, c); }
    static ATOM RegisterClassEx(const WNDCLASSEXW *c) { return ::RegisterClassExW(c); }
    static void NotifyParent(HWND h, int code);
};

void NotifyParentA(HWND hwnd, int code);
void NotifyParentW(HWND hwnd, int code);
inline void Win<char>::NotifyParent(HWND h, int code) { NotifyParentA(h, code); }
inline void Win<WCHAR>::NotifyParent(HWND h, int code) { NotifyParentW(h, code); }
