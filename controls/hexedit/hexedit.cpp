// Hex editor (ORV_HexEditorClass): state record, buffer,
// private messages and the window procedure. Layout and painting are in paint.cpp,
// keys, mouse and clipboard in input.cpp (see hexedit.h).
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
#include "hexedit.h"

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
// The colours the host did not set: the system's, or the dark set's while dark
// mode is in effect.
void SetDefaultColors(HexEditorState *s)
{
    const int indexes[4] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
    COLORREF *fields[4] = {&s->colorBk, &s->colorText, &s->colorSelBk, &s->colorSelText};
    for (int i = 0; i < 4; ++i) {
        if (!(s->colorsSet & (1u << i)))
            *fields[i] = ControlSysColor(s->theme, indexes[i]);
    }
}

// The stock fixed font, or a copy of it made for the window's DPI when that is
// not the screen's.
void MakeDefaultFont(HexEditorState *s)
{
    s->font = DefaultFontForDpi(ANSI_FIXED_FONT, s->dpi, &s->ownFont);
    s->hostFont = false;
    s->glyphs.font = NULL;
}

template <class C>
LRESULT OnCreate(HWND hwnd)
{
    OrvccInitThemeHlp();
    HANDLE heap = GetProcessHeap();
    HexEditorState *s = static_cast<HexEditorState *>(HeapAlloc(heap, 0, sizeof(HexEditorState)));
    ControlSetState(hwnd, s);
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
    s->colorsSet = 0;
    SetDefaultColors(s);
    s->glyphs.font = NULL;
    s->backBuffer = NULL;
    s->backWidth = 0;
    s->backHeight = 0;
    s->dpi = WindowDpi(hwnd);
    s->ownFont = NULL;
    MakeDefaultFont(s);
    MeasureCell<C>(hwnd, s->font, &s->cellWidth, &s->cellHeight);
    if (DarkModeActive())
        ControlApplyDarkTheme(hwnd);  // the scroll bars
    UpdateScrollRanges<C>(hwnd, s);
    return 0;
}

template <class C>
void OnDestroy(HWND hwnd, HexEditorState *s)
{
    if (s) {
        ControlSetState(hwnd, NULL);
        if (s->data)
            HeapFree(s->heap, 0, s->data);
        if (s->theme)
            OrvccCloseThemeData(s->theme);
        if (s->backBuffer)
            DeleteObject(s->backBuffer);
        FreeOwnedFont(&s->ownFont);
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
    if (font != s->ownFont) {
        FreeOwnedFont(&s->ownFont);
        s->font = font;
        s->hostFont = true;
    }
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
    if ((static_cast<unsigned long long>(wParam) >> 16 >> 16) != 0 ||
        (count != 0 && IsBadReadPtr(source, count))) {
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

LRESULT OnGetData(const HexEditorState *s, WPARAM wParam, LPARAM lParam)
{
    void *buffer = reinterpret_cast<void *>(lParam);
    if (wParam == 0 || !buffer || IsBadWritePtr(buffer, wParam))
        return 0;
    const DWORD count = s->dataSize < wParam ? s->dataSize : static_cast<DWORD>(wParam);
    if (count && s->data)
        memcpy(buffer, s->data, count);
    return count;
}

// The view changed its layout: scroll ranges, caret and picture follow.
template <class C>
void Relayout(HWND hwnd, HexEditorState *s)
{
    UpdateScrollRanges<C>(hwnd, s);
    EnsureCaretVisible(hwnd, s);
    PlaceCaret(hwnd, s);
    Invalidate(hwnd);
}

template <class C>
LRESULT OnSetViewFlags(HWND hwnd, HexEditorState *s, WPARAM wParam, LPARAM lParam)
{
    const DWORD old = s->viewFlags;
    s->viewFlags = (old & ~static_cast<DWORD>(wParam)) |
                   (static_cast<DWORD>(wParam) & static_cast<DWORD>(lParam));
    if (s->viewFlags != old)
        Relayout<C>(hwnd, s);
    return old;
}

LRESULT OnSetSel(HWND hwnd, HexEditorState *s, WPARAM wParam, LPARAM lParam)
{
    DWORD first = static_cast<DWORD>(wParam);
    DWORD last = static_cast<DWORD>(lParam);
    if (first == kNone || last == kNone) {
        s->selStart = kNone;
        s->selEnd = kNone;
    } else {
        if (first > s->dataSize)
            first = s->dataSize;
        if (last > s->dataSize)
            last = s->dataSize;
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

LRESULT OnGetSel(const HexEditorState *s, WPARAM wParam, LPARAM lParam)
{
    if (wParam)
        *reinterpret_cast<DWORD *>(wParam) = s->selStart;
    if (lParam)
        *reinterpret_cast<DWORD *>(lParam) = s->selEnd;
    if (!HasSelection(s))
        return -1;
    return static_cast<LRESULT>(MAKELONG(LOWORD(s->selStart), LOWORD(s->selEnd + 1)));
}

LRESULT OnExGetSel(const HexEditorState *s, LPARAM lParam)
{
    HexRange *range = reinterpret_cast<HexRange *>(lParam);
    if (range) {
        const bool has = HasSelection(s);
        range->first = has ? s->selStart : kNone;
        range->last = has ? s->selEnd : kNone;
    }
    return 0;
}

// HXM_SETCOLORS and HXM_GETCOLORS: the colours wParam's bits name.
LRESULT OnColors(HWND hwnd, HexEditorState *s, UINT message, WPARAM wParam, LPARAM lParam)
{
    COLORREF *record = reinterpret_cast<COLORREF *>(lParam);
    if (!record)
        return 0;
    COLORREF *fields[4] = {&s->colorBk, &s->colorText, &s->colorSelBk, &s->colorSelText};
    for (int i = 0; i < 4; ++i) {
        if (!(wParam & (1u << i)))
            continue;
        if (message == HXM_SETCOLORS) {
            *fields[i] = record[i];
            s->colorsSet |= 1u << i;
        } else
            record[i] = *fields[i];
    }
    if (message == HXM_SETCOLORS)
        Invalidate(hwnd);
    return 0;
}

LRESULT OnSetCaretPos(HWND hwnd, HexEditorState *s, LPARAM lParam)
{
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

LRESULT OnSetBaseAddress(HWND hwnd, HexEditorState *s, LPARAM lParam)
{
    const DWORD old = s->baseAddress;
    s->baseAddress = static_cast<DWORD>(lParam);
    if (s->baseAddress != old)
        Invalidate(hwnd);
    return old;
}

// HXM_SETADDRESSDIGITS (1 to 8) and HXM_SETBYTESPERLINE (1 to 256).
template <class C>
LRESULT OnSetLayoutCount(HWND hwnd, HexEditorState *s, UINT message, LPARAM lParam)
{
    const bool digits = message == HXM_SETADDRESSDIGITS;
    int *field = digits ? &s->addressDigits : &s->bytesPerLine;
    const int old = *field;
    *field = Clamp(static_cast<int>(lParam), 1, digits ? 8 : 256);
    if (*field != old)
        Relayout<C>(hwnd, s);
    return old;
}

LRESULT OnGetIdealWidth(const HexEditorState *s)
{
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

LRESULT OnSetMode(HWND hwnd, HexEditorState *s, LPARAM lParam)
{
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

// ---------------------------------------------------------------------------
// Standard messages

template <class C>
LRESULT OnSize(HWND hwnd, HexEditorState *s)
{
    UpdateScrollRanges<C>(hwnd, s);
    PlaceCaret(hwnd, s);
    return 0;
}

LRESULT OnFocus(HWND hwnd, HexEditorState *s, UINT message)
{
    if (message == WM_SETFOCUS) {
        ControlOnFocus(hwnd, message);
        CreateEditCaret(hwnd, s);
    } else {
        DestroyCaret();
        ControlOnFocus(hwnd, message);
    }
    return 0;
}

template <class C>
LRESULT OnKeyDown(HWND hwnd, HexEditorState *s, WPARAM wParam, LPARAM lParam)
{
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
        return HexApi<C>::DefWindowProc(hwnd, WM_KEYDOWN, wParam, lParam);
    }
}

template <class C>
LRESULT OnMenuCommand(HWND hwnd, HexEditorState *s, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) < IDM_HEX_CUT || LOWORD(wParam) > IDM_HEX_SELECTALL)
        return HexApi<C>::DefWindowProc(hwnd, WM_COMMAND, wParam, lParam);
    OnCommand<C>(hwnd, s, LOWORD(wParam));
    return 0;
}

LRESULT OnLButtonUp(HWND hwnd)
{
    if (GetCapture() == hwnd)
        ReleaseCapture();
    return 0;
}

// The window moved to a display of another DPI: the default font is made
// anew (the host's stays), the cells follow the font, and scroll ranges, caret
// and picture follow the cells. A top-level editor also takes the place the
// system suggests.
template <class C>
LRESULT OnDpiChanged(HWND hwnd, HexEditorState *s, UINT message, LPARAM lParam)
{
    MoveToSuggestedDpiRect(hwnd, message, lParam);
    s->dpi = WindowDpi(hwnd);
    if (!s->hostFont)
        MakeDefaultFont(s);
    s->glyphs.font = NULL;
    MeasureCell<C>(hwnd, s->font, &s->cellWidth, &s->cellHeight);
    if (HasFocus(hwnd))
        CreateEditCaret(hwnd, s);  // in the new cell size
    Relayout<C>(hwnd, s);
    return 0;
}

// Dark mode came into or went out of effect: the scroll bars and the default
// colours follow.
LRESULT OnDarkModeChanged(HWND hwnd, HexEditorState *s)
{
    ControlApplyDarkTheme(hwnd);
    SetDefaultColors(s);
    Invalidate(hwnd);
    return 0;
}

// ---------------------------------------------------------------------------
// The window procedure

template <class C>
LRESULT Dispatch(HWND hwnd, HexEditorState *s, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == DarkModeMessage())
        return OnDarkModeChanged(hwnd, s);
    switch (message) {
    case WM_SIZE:
        return OnSize<C>(hwnd, s);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return OnFocus(hwnd, s, message);
    case WM_PAINT:
        OnPaint<C>(hwnd, s);
        return 0;
    case WM_ERASEBKGND:
        return ControlOnEraseBkgnd();
    case WM_SETFONT:
        OnSetFont<C>(hwnd, s, wParam, lParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        return OnKeyDown<C>(hwnd, s, wParam, lParam);
    case WM_CHAR:
        OnChar<C>(hwnd, s, wParam);
        return 0;
    case WM_COMMAND:
        return OnMenuCommand<C>(hwnd, s, wParam, lParam);
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
        return OnLButtonUp(hwnd);
    case WM_LBUTTONDBLCLK:
        OnDoubleClick(hwnd, s, lParam);
        return 0;
    case WM_THEMECHANGED:
        return ControlOnThemeChanged(hwnd, &s->theme, L"WINDOW");
    case kWmDpiChanged:
    case kWmDpiChangedAfterParent:
        return OnDpiChanged<C>(hwnd, s, message, lParam);
    case WM_GETOBJECT:
        return AccessGetObject(hwnd, wParam, lParam, hexAccess);
    case HXM_SETDATA:
        return OnSetData<C>(hwnd, s, wParam, lParam);
    case HXM_GETDATA:
        return OnGetData(s, wParam, lParam);
    case HXM_SETVIEWFLAGS:
        return OnSetViewFlags<C>(hwnd, s, wParam, lParam);
    case HXM_GETVIEWFLAGS:
        return s->viewFlags;
    case HXM_SETSEL:
        return OnSetSel(hwnd, s, wParam, lParam);
    case HXM_GETSEL:
        return OnGetSel(s, wParam, lParam);
    case HXM_EXGETSEL:
        return OnExGetSel(s, lParam);
    case HXM_SETCOLORS:
    case HXM_GETCOLORS:
        return OnColors(hwnd, s, message, wParam, lParam);
    case HXM_SETCARETPOS:
        return OnSetCaretPos(hwnd, s, lParam);
    case HXM_GETCARETPOS:
        return s->caretPos;
    case HXM_GETDATASIZE:
        return s->dataSize;
    case HXM_SETBASEADDRESS:
        return OnSetBaseAddress(hwnd, s, lParam);
    case HXM_GETBASEADDRESS:
        return s->baseAddress;
    case HXM_SETADDRESSDIGITS:
    case HXM_SETBYTESPERLINE:
        return OnSetLayoutCount<C>(hwnd, s, message, lParam);
    case HXM_GETADDRESSDIGITS:
        return s->addressDigits;
    case HXM_GETBYTESPERLINE:
        return s->bytesPerLine;
    case HXM_GETDATAPTR:
        return reinterpret_cast<LRESULT>(s->data);
    case HXM_GETIDEALWIDTH:
        return OnGetIdealWidth(s);
    case HXM_SETMODE:
        return OnSetMode(hwnd, s, lParam);
    case HXM_GETMODE:
        return s->mode & kModeBits;
    default:
        return HexApi<C>::DefWindowProc(hwnd, message, wParam, lParam);
    }
}

// A message that can change the caret reading or the selection is watched for
// screen readers, once: what it sends the control itself (an edit command from
// a shortcut) is part of it. Whatever a message did, the state keeps its
// invariants afterwards.
template <class C>
LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
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
    LRESULT result;
    if (AccessMayChange(hwnd, message)) {
        ControlWatch watch(hwnd, hexAccess, false, true);
        result = Dispatch<C>(hwnd, s, message, wParam, lParam);
    } else {
        result = Dispatch<C>(hwnd, s, message, wParam, lParam);
    }
    if (HexEditorState *after = HexEditorStateOf(hwnd))
        FixAppendDigit(after);
    return result;
}

}  // namespace
}  // namespace hexedit

using namespace hexedit;

HexEditorState *HexEditorStateOf(HWND hwnd)
{
    return ControlState<HexEditorState>(hwnd);
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
    s->capacity =
        size == static_cast<SIZE_T>(-1) ? (s->dataSize + n + 32) : static_cast<DWORD>(size);
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
