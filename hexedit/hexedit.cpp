// Hex editor (ORV_HexEditorClass): state record, buffer,
// private messages and the window procedure. Layout and painting are in view.cpp,
// keys in keyboard.cpp, mouse and clipboard in mouse.cpp (see editor.h).
// One source, built as the ANSI procedure (HexEditorWndProcA, over char) and the
// Unicode procedure (HexEditorWndProcW, over WCHAR).
//
// Where a careless caller or odd input could do harm, the control behaves as follows:
//  - HXM_SETSEL: (DWORD)-1 in either value removes the selection; other values
//    are limited to 0..dataSize and a start after the end is swapped with it.
//  - HXM_SETMODE: the position value 3 is no position; the old position stays.
//  - The low digit (HXMODE_HEXLOW) never stays at the append position: whatever
//    puts the caret there clears bit 0, and typing and Backspace treat a low
//    digit without a byte under it as the high digit.
//  - Paste: a block smaller than 8 bytes, or whose count exceeds its size minus
//    8, is rejected before anything changes.
//  - Unicode build: a byte that is a lead byte of a double-byte code page, or
//    that does not convert on its own, shows as "."; a typed character that needs
//    two bytes beeps and changes nothing.
//  - Page Up/Down with Ctrl or Alt, and Page Down with less than one full line
//    of data, leave the caret where it is (instead of moving it to 0).
//  - A click right of the hex pane while the character pane is hidden is no hit.
//  - The caret is moved (SetCaretPos) and built only while the control has the
//    focus, and it is placed again after every scroll of the content.
//  - Cut deletes the selection only when its own copy reached the clipboard.
//  - Layout changes (font, data, view flags, address digits, bytes per line)
//    place the caret again, so it follows the new layout.
//  - HXM_SETDATA from a range inside the control's own buffer that runs past
//    the buffer is refused (ERROR_INVALID_PARAMETER); so is a count beyond 32
//    bits, which a 64-bit host can pass.
#include "access.h"
#include "editor.h"

#include <string.h>
#include <wctype.h>

namespace hexedit {

// Moves the free end of the selection to p.
void ExtendSelection(HexEditorState *s, DWORD p)
{
    if (!HasSelection(s)) {
        const DWORD anchor = s->caretPos;
        if (p >= anchor) {
            s->selStart = anchor;
            s->selEnd = p;
            s->mode |= HXMODE_ANCHORSTART;
        } else {
            s->selStart = p;
            s->selEnd = anchor;
            s->mode &= ~static_cast<DWORD>(HXMODE_ANCHORSTART);
        }
        return;
    }
    const bool anchorStart = (s->mode & HXMODE_ANCHORSTART) != 0;
    if (static_cast<LONG>(p) > static_cast<LONG>(s->selEnd)) {
        if (anchorStart) {
            s->selEnd = p;
        } else {
            s->selStart = s->selEnd;
            s->selEnd = p;
            s->mode |= HXMODE_ANCHORSTART;
        }
    } else if (anchorStart) {
        if (p < s->selStart) {
            s->selEnd = s->selStart;
            s->selStart = p;
            s->mode &= ~static_cast<DWORD>(HXMODE_ANCHORSTART);
        } else {
            s->selEnd = p;
        }
    } else {
        s->selStart = p;
    }
}

// Number of data bytes the selection covers (the append position is no byte).
DWORD SelectedBytes(const HexEditorState *s)
{
    if (!HasSelection(s) || s->selStart >= s->dataSize || s->selStart > s->selEnd)
        return 0;
    const DWORD last = s->selEnd >= s->dataSize ? s->dataSize - 1 : s->selEnd;
    return last - s->selStart + 1;
}

// Removes count bytes at index (index + count <= dataSize).
void RemoveBytes(HexEditorState *s, DWORD index, DWORD count)
{
    if (!count)
        return;
    for (DWORD i = index + count; i < s->dataSize; ++i)
        s->data[i - count] = s->data[i];
    s->dataSize -= count;
}

void DeleteSelection(HexEditorState *s)
{
    const DWORD start = s->selStart;
    const DWORD count = SelectedBytes(s);
    RemoveBytes(s, start, count);
    s->caretPos = start > s->dataSize ? s->dataSize : start;
    ClearSelection(s);
}

// Opens a gap of count bytes at caretPos (room reserved) and grows dataSize.
void OpenGap(HexEditorState *s, DWORD count)
{
    for (DWORD i = s->dataSize; i > s->caretPos; --i)
        s->data[i - 1 + count] = s->data[i - 1];
    s->dataSize += count;
}

DWORD LimitPosition(const HexEditorState *s, long long position)
{
    if (position < 0)
        return 0;
    if (position > s->dataSize)
        return s->dataSize;
    return static_cast<DWORD>(position);
}

namespace {

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}
template <class C>
LRESULT OnCreate(HWND hwnd)
{
    OrvccInitThemeHlp();
    HANDLE heap = GetProcessHeap();
    HexEditorState *s = static_cast<HexEditorState *>(HeapAlloc(heap, 0, sizeof(HexEditorState)));
    HexApi<C>::SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
    if (!s) {
        SetLastError(ERROR_OUTOFMEMORY);
        return -1;
    }
    s->heap = heap;
    s->theme = OpenControlTheme(hwnd, L"WINDOW");
    s->data = NULL;
    s->dataSize = 0;
    s->capacity = 0;
    s->selStart = kNone;
    s->selEnd = kNone;
    s->caretPos = 0;
    s->mode = HXMODE_INSERT | HXMODE_HEXHIGH;
    const DWORD style = static_cast<DWORD>(HexApi<C>::GetWindowLongPtr(hwnd, GWL_STYLE));
    s->viewFlags = (style & (WS_HSCROLL | WS_VSCROLL)) | HXV_ADDRESS | HXV_HEX | HXV_CHARS;
    s->bytesPerLine = 8;
    s->addressDigits = 4;
    s->baseAddress = 0;
    s->colorBk = OrvccGetThemeSysColor(s->theme, COLOR_WINDOW);
    s->colorText = OrvccGetThemeSysColor(s->theme, COLOR_WINDOWTEXT);
    s->colorSelBk = OrvccGetThemeSysColor(s->theme, COLOR_HIGHLIGHT);
    s->colorSelText = OrvccGetThemeSysColor(s->theme, COLOR_HIGHLIGHTTEXT);
    s->font = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    s->glyphs.font = NULL;
    s->backBuffer = NULL;
    s->backWidth = 0;
    s->backHeight = 0;
    s->accessWatching = false;
    MeasureCell<C>(hwnd, s->font, &s->cellWidth, &s->cellHeight);
    UpdateScrollRanges<C>(hwnd, s);
    return 0;
}

template <class C>
void OnDestroy(HWND hwnd, HexEditorState *s)
{
    if (s) {
        HexApi<C>::SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
        if (s->data)
            HeapFree(s->heap, 0, s->data);
        if (s->theme)
            OrvccCloseThemeData(s->theme);
        if (s->backBuffer)
            DeleteObject(s->backBuffer);
        HexApi<C>::CompactHeap(s->heap);
        HeapFree(s->heap, 0, s);
    }
    OrvccReleaseThemeHlp();
}

template <class C>
void OnSetFont(HWND hwnd, HexEditorState *s, WPARAM wParam, LPARAM lParam)
{
    HFONT font = reinterpret_cast<HFONT>(wParam);
    if (!font || GetObjectType(font) != OBJ_FONT)
        return;
    s->font = font;
    s->glyphs.font = NULL;
    MeasureCell<C>(hwnd, font, &s->cellWidth, &s->cellHeight);
    if (LOWORD(lParam))
        Invalidate(hwnd);
    UpdateScrollRanges<C>(hwnd, s);
    PlaceCaret(hwnd, s);
}

// ---------------------------------------------------------------------------
// Private messages

template <class C>
LRESULT OnSetData(HWND hwnd, HexEditorState *s, WPARAM wParam, LPARAM lParam)
{
    const DWORD count = static_cast<DWORD>(wParam);
    const BYTE *source = reinterpret_cast<const BYTE *>(lParam);
    // A count beyond 32 bits (a 64-bit host) is refused, not cut to its low half.
    if ((static_cast<unsigned long long>(wParam) >> 16 >> 16) != 0 || (count != 0 && IsBadReadPtr(source, count))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const bool fromOwnBuffer = s->data && source >= s->data && source < s->data + s->capacity;
    if (fromOwnBuffer && count > static_cast<DWORD>(s->data + s->capacity - source)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (s->capacity < count) {
        void *block = NULL;
        if (count <= 0xFFFFFFFFu - 8) {
            block = s->data ? HeapReAlloc(s->heap, HEAP_ZERO_MEMORY, s->data, count + 8)
                            : HeapAlloc(s->heap, HEAP_ZERO_MEMORY, count + 8);
        }
        if (!block) {
            SetLastError(ERROR_OUTOFMEMORY);
            return FALSE;
        }
        s->data = static_cast<BYTE *>(block);
        const SIZE_T size = HeapSize(s->heap, 0, block);
        s->capacity = size == static_cast<SIZE_T>(-1) ? count + 8 : static_cast<DWORD>(size);
    }
    s->dataSize = count;
    if (count)
        memmove(s->data, source, count);  // the source may lie in our own buffer
    s->selStart = kNone;
    s->selEnd = kNone;
    if (s->caretPos > s->dataSize)
        s->caretPos = s->dataSize;
    FixAppendDigit(s);
    UpdateScrollRanges<C>(hwnd, s);
    EnsureCaretVisible(hwnd, s);
    PlaceCaret(hwnd, s);
    Invalidate(hwnd);
    return TRUE;
}

template <class C>
LRESULT OnPrivate(HWND hwnd, HexEditorState *s, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case HXM_SETDATA:
        return OnSetData<C>(hwnd, s, wParam, lParam);
    case HXM_GETDATA: {
        void *buffer = reinterpret_cast<void *>(lParam);
        if (wParam == 0 || !buffer || IsBadWritePtr(buffer, wParam))
            return 0;
        const DWORD count = s->dataSize < wParam ? s->dataSize : static_cast<DWORD>(wParam);
        if (count && s->data)
            memcpy(buffer, s->data, count);
        return count;
    }
    case HXM_SETVIEWFLAGS: {
        const DWORD old = s->viewFlags;
        s->viewFlags = (old & ~static_cast<DWORD>(wParam)) | (static_cast<DWORD>(wParam) & static_cast<DWORD>(lParam));
        if (s->viewFlags != old) {
            UpdateScrollRanges<C>(hwnd, s);
            EnsureCaretVisible(hwnd, s);
            PlaceCaret(hwnd, s);
            Invalidate(hwnd);
        }
        return old;
    }
    case HXM_GETVIEWFLAGS:
        return s->viewFlags;
    case HXM_SETSEL: {
        DWORD first = static_cast<DWORD>(wParam);
        DWORD last = static_cast<DWORD>(lParam);
        if (first == kNone || last == kNone) {
            s->selStart = kNone;
            s->selEnd = kNone;
        } else {
            if (first > s->dataSize) first = s->dataSize;
            if (last > s->dataSize) last = s->dataSize;
            if (first > last) {
                const DWORD swap = first;
                first = last;
                last = swap;
            }
            s->selStart = first;
            s->selEnd = last;
        }
        Invalidate(hwnd);
        return 0;
    }
    case HXM_GETSEL: {
        if (wParam)
            *reinterpret_cast<DWORD *>(wParam) = s->selStart;
        if (lParam)
            *reinterpret_cast<DWORD *>(lParam) = s->selEnd;
        if (!HasSelection(s))
            return -1;
        return static_cast<LRESULT>(MAKELONG(LOWORD(s->selStart), LOWORD(s->selEnd + 1)));
    }
    case HXM_EXGETSEL: {
        HexRange *range = reinterpret_cast<HexRange *>(lParam);
        if (range) {
            const bool has = HasSelection(s);
            range->first = has ? s->selStart : kNone;
            range->last = has ? s->selEnd : kNone;
        }
        return 0;
    }
    case HXM_SETCOLORS:
    case HXM_GETCOLORS: {
        COLORREF *record = reinterpret_cast<COLORREF *>(lParam);
        if (!record)
            return 0;
        COLORREF *fields[4] = {&s->colorBk, &s->colorText, &s->colorSelBk, &s->colorSelText};
        for (int i = 0; i < 4; ++i) {
            if (!(wParam & (1u << i)))
                continue;
            if (message == HXM_SETCOLORS)
                *fields[i] = record[i];
            else
                record[i] = *fields[i];
        }
        if (message == HXM_SETCOLORS)
            Invalidate(hwnd);
        return 0;
    }
    case HXM_SETCARETPOS: {
        const DWORD old = s->caretPos;
        const DWORD wanted = static_cast<DWORD>(lParam);
        s->caretPos = wanted < s->dataSize ? wanted : s->dataSize;
        FixAppendDigit(s);
        if (s->caretPos != old && HasFocus(hwnd)) {
            PlaceCaret(hwnd, s);
            EnsureCaretVisible(hwnd, s);
        }
        return old;
    }
    case HXM_GETCARETPOS:
        return s->caretPos;
    case HXM_GETDATASIZE:
        return s->dataSize;
    case HXM_SETBASEADDRESS: {
        const DWORD old = s->baseAddress;
        s->baseAddress = static_cast<DWORD>(lParam);
        if (s->baseAddress != old)
            Invalidate(hwnd);
        return old;
    }
    case HXM_GETBASEADDRESS:
        return s->baseAddress;
    case HXM_SETADDRESSDIGITS:
    case HXM_SETBYTESPERLINE: {
        const bool digits = message == HXM_SETADDRESSDIGITS;
        int *field = digits ? &s->addressDigits : &s->bytesPerLine;
        const int old = *field;
        *field = Clamp(static_cast<int>(lParam), 1, digits ? 8 : 256);
        if (*field != old) {
            UpdateScrollRanges<C>(hwnd, s);
            EnsureCaretVisible(hwnd, s);
            PlaceCaret(hwnd, s);
            Invalidate(hwnd);
        }
        return old;
    }
    case HXM_GETADDRESSDIGITS:
        return s->addressDigits;
    case HXM_GETBYTESPERLINE:
        return s->bytesPerLine;
    case HXM_GETDATAPTR:
        return reinterpret_cast<LRESULT>(s->data);
    case HXM_GETIDEALWIDTH: {
        const DWORD flags = s->viewFlags;
        int cells = 0;
        if (flags & HXV_ADDRESS)
            cells += s->addressDigits + 2;
        if (flags & HXV_HEX)
            cells += 3 * s->bytesPerLine + 1;
        if (flags & HXV_CHARS)
            cells += s->bytesPerLine;
        return cells * s->cellWidth + 2;
    }
    case HXM_SETMODE: {
        const DWORD old = s->mode;
        DWORD wanted = static_cast<DWORD>(lParam) & kModeBits;
        if ((wanted & kPositionMask) > HXMODE_CHAR)
            wanted = (wanted & ~kPositionMask) | Position(s);  // 3 is no position
        s->mode = (old & ~kModeBits) | wanted;
        if (s->caretPos >= s->dataSize)
            s->mode &= ~1u;
        if (s->mode != old && HasFocus(hwnd)) {
            PlaceCaret(hwnd, s);
            EnsureCaretVisible(hwnd, s);
        }
        return old & kModeBits;
    }
    case HXM_GETMODE:
        return s->mode & kModeBits;
    default:
        return 0;
    }
}
// ---------------------------------------------------------------------------
// The window procedure

template <class C>
LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return OnCreate<C>(hwnd);
    HexEditorState *s = HexEditorStateOf(hwnd);
    if (message == WM_DESTROY) {
        OnDestroy<C>(hwnd, s);
        return 0;
    }
    if (!s)
        return HexApi<C>::DefWindowProc(hwnd, message, wParam, lParam);
    if (message >= HXM_SETDATA && message <= HXM_GETMODE)
        return OnPrivate<C>(hwnd, s, message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        UpdateScrollRanges<C>(hwnd, s);
        PlaceCaret(hwnd, s);
        return 0;
    case WM_SETFOCUS:
        HexApi<C>::NotifyParent(hwnd, NM_SETFOCUS);
        CreateEditCaret(hwnd, s);
        return 0;
    case WM_KILLFOCUS:
        DestroyCaret();
        HexApi<C>::NotifyParent(hwnd, NM_KILLFOCUS);
        return 0;
    case WM_PAINT:
        OnPaint<C>(hwnd, s);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        OnSetFont<C>(hwnd, s, wParam, lParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            OnNavigationKey(hwnd, s, wParam);
            return 0;
        case VK_INSERT:
        case VK_DELETE:
        case VK_BACK:
            OnEditKey<C>(hwnd, s, wParam);
            return 0;
        default:
            return HexApi<C>::DefWindowProc(hwnd, message, wParam, lParam);
        }
    case WM_CHAR:
        OnChar<C>(hwnd, s, wParam);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) >= IDM_HEX_CUT && LOWORD(wParam) <= IDM_HEX_SELECTALL) {
            OnCommand<C>(hwnd, s, LOWORD(wParam));
            return 0;
        }
        return HexApi<C>::DefWindowProc(hwnd, message, wParam, lParam);
    case WM_CONTEXTMENU:
        OnContextMenu<C>(hwnd, s, lParam);
        return 0;
    case WM_HSCROLL:
        OnScroll(hwnd, s, SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        OnScroll(hwnd, s, SB_VERT, LOWORD(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(hwnd, s, wParam, lParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(hwnd, s, lParam);
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        return 0;
    case WM_LBUTTONDBLCLK:
        OnDoubleClick(hwnd, s, lParam);
        return 0;
    case WM_THEMECHANGED:
        if (s->theme)
            OrvccCloseThemeData(s->theme);
        s->theme = OpenControlTheme(hwnd, L"WINDOW");
        return 0;
    case WM_GETOBJECT:
        return AccessGetObject(hwnd, wParam, lParam, hexAccess);
    default:
        return HexApi<C>::DefWindowProc(hwnd, message, wParam, lParam);
    }
}

template <class C>
LRESULT DispatchAndFix(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = Dispatch<C>(hwnd, message, wParam, lParam);
    // Whatever a message did, the state keeps its invariants.
    if (HexEditorState *s = HexEditorStateOf(hwnd))
        FixAppendDigit(s);
    return result;
}

// A message that can change the caret reading or the selection is watched for
// screen readers, once: what it sends the control itself (an edit command from
// a shortcut) is part of it.
template <class C>
LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    HexEditorState *s = HexEditorStateOf(hwnd);
    if (!s || s->accessWatching || !AccessMayChange(hwnd, message))
        return DispatchAndFix<C>(hwnd, message, wParam, lParam);
    s->accessWatching = true;
    LRESULT result;
    {
        AccessWatch watch(hwnd, hexAccess);
        result = DispatchAndFix<C>(hwnd, message, wParam, lParam);
    }
    if (HexEditorState *after = HexEditorStateOf(hwnd))
        after->accessWatching = false;
    return result;
}

}  // namespace
}  // namespace hexedit

using namespace hexedit;

HexEditorState *HexEditorStateOf(HWND hwnd)
{
    // The user-data slot reads the same through either call.
    return reinterpret_cast<HexEditorState *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

BOOL HexReserveBytes(HexEditorState *s, DWORD n)
{
    if (s->capacity > s->dataSize && s->capacity - s->dataSize > n)
        return TRUE;
    if (n > 0xFFFFFFFFu - 33 - s->dataSize)
        return FALSE;
    void *block = s->data ? HeapReAlloc(s->heap, 0, s->data, s->dataSize + n + 33)
                          : HeapAlloc(s->heap, 0, n + 32);
    if (!block)
        return FALSE;
    s->data = static_cast<BYTE *>(block);
    const SIZE_T size = HeapSize(s->heap, 0, block);
    s->capacity = size == static_cast<SIZE_T>(-1)
        ? (s->dataSize + n + 32)
        : static_cast<DWORD>(size);
    return TRUE;
}

WCHAR HexDisplayCharW(BYTE byte, UINT codePage)
{
    if (IsDBCSLeadByteEx(codePage, byte))
        return L'.';
    const char narrow = static_cast<char>(byte);
    WCHAR wide[2] = {0, 0};
    int count = MultiByteToWideChar(codePage, MB_PRECOMPOSED, &narrow, 1, wide, 2);
    if (count == 0 && GetLastError() == ERROR_INVALID_FLAGS)
        count = MultiByteToWideChar(codePage, 0, &narrow, 1, wide, 2);
    if (count != 1 || wide[0] == 0xFFFD || !iswprint(wide[0]))
        return L'.';
    return wide[0];
}

char HexDisplayCharA(BYTE byte)
{
    return byte >= 0x20 && byte <= 0x7E ? static_cast<char>(byte) : '.';
}

BOOL HexCharToByte(WCHAR ch, UINT codePage, BYTE *byte)
{
    char narrow[4] = {0, 0, 0, 0};
    const int count = WideCharToMultiByte(codePage, 0, &ch, 1, narrow, sizeof narrow, NULL, NULL);
    if (count != 1)
        return FALSE;
    *byte = static_cast<BYTE>(narrow[0]);
    return TRUE;
}

LRESULT CALLBACK HexEditorWndProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc<char>(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK HexEditorWndProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc<WCHAR>(hwnd, message, wParam, lParam);
}
