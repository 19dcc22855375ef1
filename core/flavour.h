// Character-width traits: one source, built once over char (ANSI calls) and once
// over WCHAR (Unicode calls). Add the calls a control needs, in both widths.
// The member names are the generic API names, which windows.h turns into macros;
// the bodies therefore call the global functions with :: so that a member never
// calls itself.
#pragma once

#include <windows.h>
#include <commctrl.h>

template <class C>
struct Win;

template <>
struct Win<char> {
    typedef char Char;
    static LRESULT DefWindowProc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        return ::DefWindowProcA(h, m, w, l);
    }
    static LRESULT SendMessage(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        return ::SendMessageA(h, m, w, l);
    }
    static LONG_PTR GetWindowLongPtr(HWND h, int i) { return ::GetWindowLongPtrA(h, i); }
    static LONG_PTR SetWindowLongPtr(HWND h, int i, LONG_PTR v)
    {
        return ::SetWindowLongPtrA(h, i, v);
    }
    static BOOL PostMessage(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        return ::PostMessageA(h, m, w, l);
    }
    static LRESULT CallWindowProc(WNDPROC p, HWND h, UINT m, WPARAM w, LPARAM l)
    {
        return ::CallWindowProcA(p, h, m, w, l);
    }
    typedef WNDCLASSEXA WndClassEx;
    static BOOL GetClassInfoEx(HINSTANCE i, const char *n, WNDCLASSEXA *c)
    {
        return ::GetClassInfoExA(i, n, c);
    }
    static ATOM RegisterClassEx(const WNDCLASSEXA *c) { return ::RegisterClassExA(c); }
    static void NotifyParent(HWND h, int code);
    // Fonts and text (web link).
    typedef LOGFONTA LogFont;
    static int GetObject(HGDIOBJ h, int size, void *out) { return ::GetObjectA(h, size, out); }
    static HFONT CreateFontIndirect(const LOGFONTA *f) { return ::CreateFontIndirectA(f); }
    static int DrawText(HDC dc, const Char *s, int n, RECT *r, UINT f)
    {
        return ::DrawTextA(dc, s, n, r, f);
    }
    static BOOL TextExtent(HDC dc, const Char *s, int n, SIZE *size)
    {
        return ::GetTextExtentPoint32A(dc, s, n, size);
    }
    // Registry, strings and resources (MRU lists).
    static LONG RegCreateKeyEx(HKEY k, const Char *path, REGSAM sam, HKEY *out)
    {
        return ::RegCreateKeyExA(k, path, 0, NULL, REG_OPTION_NON_VOLATILE, sam, NULL, out, NULL);
    }
    static LONG RegOpenKeyEx(HKEY k, const Char *path, REGSAM sam, HKEY *out)
    {
        return ::RegOpenKeyExA(k, path, 0, sam, out);
    }
    static LONG RegQueryValueEx(HKEY k, const Char *name, DWORD *type, BYTE *data, DWORD *size)
    {
        return ::RegQueryValueExA(k, name, NULL, type, data, size);
    }
    static LONG RegSetValueEx(HKEY k, const Char *name, DWORD type, const BYTE *data, DWORD size)
    {
        return ::RegSetValueExA(k, name, 0, type, data, size);
    }
    static LONG RegDeleteValue(HKEY k, const Char *name) { return ::RegDeleteValueA(k, name); }
    static LONG RegQueryInfoKey(HKEY k, DWORD *values, DWORD *maxName, DWORD *maxData)
    {
        return ::RegQueryInfoKeyA(k, NULL, NULL, NULL, NULL, NULL, NULL, values, maxName, maxData,
                                  NULL, NULL);
    }
    static LONG RegEnumValue(HKEY k, DWORD i, Char *name, DWORD *nameLen, DWORD *type, BYTE *data,
                             DWORD *size)
    {
        return ::RegEnumValueA(k, i, name, nameLen, NULL, type, data, size);
    }
    static int lstrlen(const Char *s) { return ::lstrlenA(s); }
    static int lstrcmp(const Char *a, const Char *b) { return ::lstrcmpA(a, b); }
    static int lstrcmpi(const Char *a, const Char *b) { return ::lstrcmpiA(a, b); }
    static Char *lstrcpyn(Char *to, const Char *from, int size)
    {
        return ::lstrcpynA(to, from, size);
    }
    static Char *CharUpper(Char *s) { return ::CharUpperA(s); }
    static int LoadString(HINSTANCE m, UINT id, Char *to, int size)
    {
        return ::LoadStringA(m, id, to, size);
    }
    // Text drawing and child windows (analog meter).
    typedef TEXTMETRICA TextMetric;
    static BOOL GetTextMetrics(HDC dc, TEXTMETRICA *tm) { return ::GetTextMetricsA(dc, tm); }
    static BOOL TextOut(HDC dc, int x, int y, const Char *s, int n)
    {
        return ::TextOutA(dc, x, y, s, n);
    }
    static HWND CreateWindowEx(DWORD ex, const Char *cls, const Char *text, DWORD style, int x,
                               int y, int w, int h, HWND parent, HMENU menu, HINSTANCE inst,
                               void *param)
    {
        return ::CreateWindowExA(ex, cls, text, style, x, y, w, h, parent, menu, inst, param);
    }
    typedef HDITEMA HdItem;
    static const UINT kHdmInsertItem = HDM_INSERTITEMA;
    static const UINT kHdmSetItem = HDM_SETITEMA;
};

template <>
struct Win<WCHAR> {
    typedef WCHAR Char;
    static LRESULT DefWindowProc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        return ::DefWindowProcW(h, m, w, l);
    }
    static LRESULT SendMessage(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        return ::SendMessageW(h, m, w, l);
    }
    static LONG_PTR GetWindowLongPtr(HWND h, int i) { return ::GetWindowLongPtrW(h, i); }
    static LONG_PTR SetWindowLongPtr(HWND h, int i, LONG_PTR v)
    {
        return ::SetWindowLongPtrW(h, i, v);
    }
    static BOOL PostMessage(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        return ::PostMessageW(h, m, w, l);
    }
    static LRESULT CallWindowProc(WNDPROC p, HWND h, UINT m, WPARAM w, LPARAM l)
    {
        return ::CallWindowProcW(p, h, m, w, l);
    }
    typedef WNDCLASSEXW WndClassEx;
    static BOOL GetClassInfoEx(HINSTANCE i, const WCHAR *n, WNDCLASSEXW *c)
    {
        return ::GetClassInfoExW(i, n, c);
    }
    static ATOM RegisterClassEx(const WNDCLASSEXW *c) { return ::RegisterClassExW(c); }
    static void NotifyParent(HWND h, int code);
    // Fonts and text (web link).
    typedef LOGFONTW LogFont;
    static int GetObject(HGDIOBJ h, int size, void *out) { return ::GetObjectW(h, size, out); }
    static HFONT CreateFontIndirect(const LOGFONTW *f) { return ::CreateFontIndirectW(f); }
    static int DrawText(HDC dc, const Char *s, int n, RECT *r, UINT f)
    {
        return ::DrawTextW(dc, s, n, r, f);
    }
    static BOOL TextExtent(HDC dc, const Char *s, int n, SIZE *size)
    {
        return ::GetTextExtentPoint32W(dc, s, n, size);
    }
    // Registry, strings and resources (MRU lists).
    static LONG RegCreateKeyEx(HKEY k, const Char *path, REGSAM sam, HKEY *out)
    {
        return ::RegCreateKeyExW(k, path, 0, NULL, REG_OPTION_NON_VOLATILE, sam, NULL, out, NULL);
    }
    static LONG RegOpenKeyEx(HKEY k, const Char *path, REGSAM sam, HKEY *out)
    {
        return ::RegOpenKeyExW(k, path, 0, sam, out);
    }
    static LONG RegQueryValueEx(HKEY k, const Char *name, DWORD *type, BYTE *data, DWORD *size)
    {
        return ::RegQueryValueExW(k, name, NULL, type, data, size);
    }
    static LONG RegSetValueEx(HKEY k, const Char *name, DWORD type, const BYTE *data, DWORD size)
    {
        return ::RegSetValueExW(k, name, 0, type, data, size);
    }
    static LONG RegDeleteValue(HKEY k, const Char *name) { return ::RegDeleteValueW(k, name); }
    static LONG RegQueryInfoKey(HKEY k, DWORD *values, DWORD *maxName, DWORD *maxData)
    {
        return ::RegQueryInfoKeyW(k, NULL, NULL, NULL, NULL, NULL, NULL, values, maxName, maxData,
                                  NULL, NULL);
    }
    static LONG RegEnumValue(HKEY k, DWORD i, Char *name, DWORD *nameLen, DWORD *type, BYTE *data,
                             DWORD *size)
    {
        return ::RegEnumValueW(k, i, name, nameLen, NULL, type, data, size);
    }
    static int lstrlen(const Char *s) { return ::lstrlenW(s); }
    static int lstrcmp(const Char *a, const Char *b) { return ::StrCmpW(a, b); }
    static int lstrcmpi(const Char *a, const Char *b) { return ::StrCmpIW(a, b); }
    static Char *lstrcpyn(Char *to, const Char *from, int size)
    {
        return ::StrCpyNW(to, from, size);
    }
    static Char *CharUpper(Char *s) { return ::CharUpperW(s); }
    static int LoadString(HINSTANCE m, UINT id, Char *to, int size)
    {
        return ::LoadStringW(m, id, to, size);
    }
    // Text drawing and child windows (analog meter).
    typedef TEXTMETRICW TextMetric;
    static BOOL GetTextMetrics(HDC dc, TEXTMETRICW *tm) { return ::GetTextMetricsW(dc, tm); }
    static BOOL TextOut(HDC dc, int x, int y, const Char *s, int n)
    {
        return ::TextOutW(dc, x, y, s, n);
    }
    static HWND CreateWindowEx(DWORD ex, const Char *cls, const Char *text, DWORD style, int x,
                               int y, int w, int h, HWND parent, HMENU menu, HINSTANCE inst,
                               void *param)
    {
        return ::CreateWindowExW(ex, cls, text, style, x, y, w, h, parent, menu, inst, param);
    }
    typedef HDITEMW HdItem;
    static const UINT kHdmInsertItem = HDM_INSERTITEMW;
    static const UINT kHdmSetItem = HDM_SETITEMW;
};

void NotifyParentA(HWND hwnd, int code);
void NotifyParentW(HWND hwnd, int code);
inline void Win<char>::NotifyParent(HWND h, int code)
{
    NotifyParentA(h, code);
}
inline void Win<WCHAR>::NotifyParent(HWND h, int code)
{
    NotifyParentW(h, code);
}
