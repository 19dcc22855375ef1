// Hex editor (ORV_HexEditorClass): buffer, messages, layout,
// painting, caret, scrolling, editing, selection, clipboard and context menu.
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
//    the buffer is refused (ERROR_INVALID_PARAMETER).
#include "hexedit.h"

#include <ctype.h>
#include <limits.h>
#include <string.h>
#include <wctype.h>

namespace {

const DWORD kNone = 0xFFFFFFFFu;
const DWORD kPositionMask = 0x0000FFFFu;
const DWORD kModeBits = 0x00010003u;
const int kMaxPixels = 0x3FFFFFFF;

// Calls that differ by character width, beyond the shared traits of flavour.h.
template <class C>
struct HexApi;

template <>
struct HexApi<char> : Win<char> {
    static BOOL TextExtent(HDC dc, const char *text, int length, SIZE *size)
    {
        return ::GetTextExtentPoint32A(dc, text, length, size);
    }
    static BOOL TextOut(HDC dc, int x, int y, const char *text, int length)
    {
        return ::TextOutA(dc, x, y, text, length);
    }
    static HMENU LoadMenu(HINSTANCE module, WORD id) { return ::LoadMenuA(module, MAKEINTRESOURCEA(id)); }
    static void CompactHeap(HANDLE) {}
};

template <>
struct HexApi<WCHAR> : Win<WCHAR> {
    static BOOL TextExtent(HDC dc, const WCHAR *text, int length, SIZE *size)
    {
        return ::GetTextExtentPoint32W(dc, text, length, size);
    }
    static BOOL TextOut(HDC dc, int x, int y, const WCHAR *text, int length)
    {
        return ::TextOutW(dc, x, y, text, length);
    }
    static HMENU LoadMenu(HINSTANCE module, WORD id) { return ::LoadMenuW(module, MAKEINTRESOURCEW(id)); }
    static void CompactHeap(HANDLE heap) { HeapCompact(heap, 0); }
};

// ---------------------------------------------------------------------------
// State helpers

bool HasSelection(const HexEditorState *s)
{
    return s->selStart != kNone && s->selEnd != kNone;
}

DWORD Position(const HexEditorState *s)
{
    return s->mode & kPositionMask;
}

void SetPosition(HexEditorState *s, DWORD position)
{
    s->mode = (s->mode & ~kPositionMask) | position;
}

bool HasFocus(HWND hwnd)
{
    return GetFocus() == hwnd;
}

// The low digit exists only on a byte: at the append position it becomes the high digit.
void FixAppendDigit(HexEditorState *s)
{
    if (s->caretPos > s->dataSize)
        s->caretPos = s->dataSize;
    if (s->caretPos >= s->dataSize && Position(s) == HXMODE_HEXLOW)
        s->mode &= ~1u;
}

void Invalidate(HWND hwnd)
{
    InvalidateRect(hwnd, NULL, FALSE);
}

void ClearSelection(HexEditorState *s)
{
    s->selStart = kNone;
    s->selEnd = kNone;
    s->mode &= ~static_cast<DWORD>(HXMODE_ANCHORSTART);
}

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

// ---------------------------------------------------------------------------
// Layout

int ScrollPos(HWND hwnd, const HexEditorState *s, int bar)
{
    const DWORD flag = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    if (!(s->viewFlags & flag))
        return 0;
    SCROLLINFO info;
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    if (!GetScrollInfo(hwnd, bar, &info))
        return 0;
    return info.nPos;
}

void ClientSize(HWND hwnd, int *width, int *height)
{
    RECT rect;
    if (!GetClientRect(hwnd, &rect)) {
        rect.right = 0;
        rect.bottom = 0;
    }
    *width = rect.right;
    *height = rect.bottom;
}

// Column where the hex pane starts (a) and where the character pane starts (c0).
int HexColumn(const HexEditorState *s)
{
    return (s->viewFlags & HXV_ADDRESS) ? s->addressDigits + 2 : 0;
}

int CharColumn(const HexEditorState *s)
{
    const int a = HexColumn(s);
    return (s->viewFlags & HXV_HEX) ? a + 3 * s->bytesPerLine + 1 : a;
}

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

void PlaceCaret(HWND hwnd, HexEditorState *s)
{
    FixAppendDigit(s);
    if (!HasFocus(hwnd))
        return;
    const int cw = s->cellWidth;
    const int ch = s->cellHeight;
    const DWORD flags = s->viewFlags;
    const int hexX0 = ((flags & HXV_HEX) && (flags & HXV_ADDRESS)) ? (s->addressDigits + 2) * cw + 1 : 1;
    int charX0 = 1;
    if (flags & HXV_CHARS) {
        if (flags & HXV_HEX)
            charX0 = hexX0 + (3 * s->bytesPerLine + 1) * cw;
        else if (flags & HXV_ADDRESS)
            charX0 = (s->addressDigits + 2) * cw + 1;
    }
    const long long dx = -static_cast<long long>(cw) * ScrollPos(hwnd, s, SB_HORZ);
    const long long dy = -static_cast<long long>(ch) * ScrollPos(hwnd, s, SB_VERT);
    const DWORD column = s->caretPos % s->bytesPerLine;
    const DWORD line = s->caretPos / s->bytesPerLine;
    long long y = static_cast<long long>(line) * ch + dy;
    long long x;
    if (Position(s) == HXMODE_CHAR)
        x = static_cast<long long>(column) * cw + dx + charX0;
    else
        x = ((s->mode & 1) ? cw : 0) + 3LL * column * cw + dx + hexX0;
    if (x > kMaxPixels) x = kMaxPixels;
    if (x < -kMaxPixels) x = -kMaxPixels;
    if (y > kMaxPixels) y = kMaxPixels;
    if (y < -kMaxPixels) y = -kMaxPixels;
    SetCaretPos(static_cast<int>(x), static_cast<int>(y));
}

void CreateEditCaret(HWND hwnd, HexEditorState *s)
{
    if (Position(s) > HXMODE_CHAR || !HasFocus(hwnd))
        return;
    const int width = (s->mode & HXMODE_INSERT) ? GetSystemMetrics(SM_CXBORDER) : s->cellWidth;
    CreateCaret(hwnd, NULL, width, s->cellHeight);
    PlaceCaret(hwnd, s);
    ShowCaret(hwnd);
}

// Moves the content by the change of a scroll position (in cells) and puts the
// caret back onto its byte (the system moves it only while it is in view).
void ScrollContent(HWND hwnd, HexEditorState *s, int bar, int oldPos, int newPos)
{
    int width, height;
    ClientSize(hwnd, &width, &height);
    const long long cell = bar == SB_HORZ ? s->cellWidth : s->cellHeight;
    const long long limit = (bar == SB_HORZ ? width : height) + cell;
    long long amount = (static_cast<long long>(oldPos) - newPos) * cell;
    if (amount > limit) amount = limit;
    if (amount < -limit) amount = -limit;
    if (bar == SB_HORZ)
        ScrollWindow(hwnd, static_cast<int>(amount), 0, NULL, NULL);
    else
        ScrollWindow(hwnd, 0, static_cast<int>(amount), NULL, NULL);
    PlaceCaret(hwnd, s);
}

void SetBarPosition(HWND hwnd, HexEditorState *s, int bar, int oldPos, long long wanted)
{
    if (wanted > INT_MAX) wanted = INT_MAX;
    if (wanted < INT_MIN) wanted = INT_MIN;
    SCROLLINFO info;
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = static_cast<int>(wanted);
    SetScrollInfo(hwnd, bar, &info, TRUE);
    info.fMask = SIF_POS;
    if (!GetScrollInfo(hwnd, bar, &info))
        return;
    if (info.nPos != oldPos)
        ScrollContent(hwnd, s, bar, oldPos, info.nPos);
}

// Sets range 0..maximum and page of a bar (SIF_RANGE | SIF_PAGE, redraw). A bar
// that has these values already is left alone: setting them again changes
// nothing but costs a redraw of the bar, on every typed byte.
void SetRangeAndPage(HWND hwnd, int bar, int maximum, UINT page)
{
    SCROLLINFO info;
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    // The system keeps the page within the size of the range.
    const unsigned long long range = static_cast<unsigned long long>(maximum) + 1;
    const UINT kept = page > range ? static_cast<UINT>(range) : page;
    if (GetScrollInfo(hwnd, bar, &info) && info.nMin == 0 && info.nMax == maximum && info.nPage == kept)
        return;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = maximum;
    info.nPage = page;
    SetScrollInfo(hwnd, bar, &info, TRUE);
}

template <class C>
void UpdateScrollRanges(HWND hwnd, HexEditorState *s)
{
    // Setting a range can show or hide a bar, which changes the client area; go
    // again until the style settles (bounded, in case the system never settles).
    for (int pass = 0; pass < 16; ++pass) {
        const LONG_PTR style = HexApi<C>::GetWindowLongPtr(hwnd, GWL_STYLE);
        int width, height;
        if (s->viewFlags & WS_VSCROLL) {
            ClientSize(hwnd, &width, &height);
            const DWORD lines = s->dataSize / static_cast<DWORD>(s->bytesPerLine);
            SetRangeAndPage(hwnd, SB_VERT, lines > INT_MAX ? INT_MAX : static_cast<int>(lines),
                            static_cast<UINT>(height / s->cellHeight));
        }
        if (s->viewFlags & WS_HSCROLL) {
            ClientSize(hwnd, &width, &height);
            const DWORD flags = s->viewFlags;
            int maximum = 0;
            if (flags & HXV_ADDRESS)
                maximum += s->addressDigits;
            if (flags & HXV_HEX)
                maximum += 3 * s->bytesPerLine - 1 + ((flags & HXV_ADDRESS) ? 2 : 0);
            if (flags & HXV_CHARS)
                maximum += s->bytesPerLine + ((flags & (HXV_ADDRESS | HXV_HEX)) ? 2 : 0);
            SetRangeAndPage(hwnd, SB_HORZ, maximum, static_cast<UINT>(width / s->cellWidth));
        }
        if (HexApi<C>::GetWindowLongPtr(hwnd, GWL_STYLE) == style)
            break;
    }
}

void EnsureCaretVisible(HWND hwnd, HexEditorState *s)
{
    int width, height;
    ClientSize(hwnd, &width, &height);
    if (s->viewFlags & WS_VSCROLL) {
        const long long rows = height / s->cellHeight;
        const long long line = s->caretPos / static_cast<DWORD>(s->bytesPerLine);
        const int old = ScrollPos(hwnd, s, SB_VERT);
        long long pos = old;
        if (line >= pos + rows)
            pos = line - rows + 1;
        if (line < pos)
            pos = line;
        if (pos != old)
            SetBarPosition(hwnd, s, SB_VERT, old, pos);
    }
    if (s->viewFlags & WS_HSCROLL) {
        const long long columns = width / s->cellWidth;
        const DWORD flags = s->viewFlags;
        const long long column = s->caretPos % static_cast<DWORD>(s->bytesPerLine);
        long long t = (flags & HXV_ADDRESS) ? s->addressDigits : 0;
        if (Position(s) < HXMODE_CHAR) {
            if (flags & HXV_HEX)
                t += 3 * column + 2;
        } else {
            if (flags & HXV_HEX)
                t += 3LL * s->bytesPerLine + 1;
            if (flags & HXV_CHARS)
                t += column;
        }
        const int old = ScrollPos(hwnd, s, SB_HORZ);
        long long pos = old;
        if (pos + columns <= t + 2)
            pos = t + 3 - columns;
        if (pos >= t)
            pos = t - 1;
        if (pos != old)
            SetBarPosition(hwnd, s, SB_HORZ, old, pos);
    }
}

// PlaceCaret, EnsureCaretVisible and a full invalidation.
void Refresh(HWND hwnd, HexEditorState *s)
{
    PlaceCaret(hwnd, s);
    EnsureCaretVisible(hwnd, s);
    Invalidate(hwnd);
}

void OnScroll(HWND hwnd, HexEditorState *s, int bar, WORD code)
{
    SCROLLINFO info;
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(hwnd, bar, &info))
        return;
    const int old = info.nPos;
    long long pos = old;
    switch (code) {
    case SB_LINEUP: pos = pos - 1; break;
    case SB_LINEDOWN: pos = pos + 1; break;
    case SB_PAGEUP: pos = pos - static_cast<long long>(info.nPage); break;
    case SB_PAGEDOWN: pos = pos + static_cast<long long>(info.nPage); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = info.nTrackPos; break;  // 32-bit, not HIWORD(wParam)
    case SB_TOP: pos = info.nMin; break;
    case SB_BOTTOM: pos = info.nMax; break;
    case SB_ENDSCROLL: return;
    default: break;
    }
    if (pos > info.nMax)
        pos = info.nMax;
    else if (pos < info.nMin)
        pos = info.nMin;
    SetBarPosition(hwnd, s, bar, old, pos);
}

struct Hit {
    bool hit;
    DWORD position;
    int part;  // -1 character pane, 0 high digit, 1 low digit, 2 blank behind the digits
};

DWORD LimitPosition(const HexEditorState *s, long long position)
{
    if (position < 0)
        return 0;
    if (position > s->dataSize)
        return s->dataSize;
    return static_cast<DWORD>(position);
}

Hit HitTest(HWND hwnd, const HexEditorState *s, LPARAM point)
{
    Hit result = {false, kNone, -1};
    const int x = static_cast<short>(LOWORD(point));
    const int y = static_cast<short>(HIWORD(point));
    long long column = (x - 1) / s->cellWidth;
    long long line = y / s->cellHeight;
    column += ScrollPos(hwnd, s, SB_HORZ);
    line += ScrollPos(hwnd, s, SB_VERT);
    const int bpl = s->bytesPerLine;
    const int a = HexColumn(s);
    const int c0 = CharColumn(s);
    if ((s->viewFlags & HXV_HEX) && column >= a && column < a + 3LL * bpl) {
        const long long rel = column - a;
        result.hit = true;
        result.part = static_cast<int>(rel % 3);
        result.position = LimitPosition(s, line * bpl + rel / 3);
    } else if ((s->viewFlags & HXV_CHARS) && column >= c0 && column < c0 + static_cast<long long>(bpl)) {
        result.hit = true;
        result.position = LimitPosition(s, line * bpl + (column - c0));
    }
    return result;
}

// ---------------------------------------------------------------------------
// Painting

template <class C>
void FormatHex(C *out, DWORD value, int digits)
{
    static const char kDigits[] = "0123456789ABCDEF";
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = static_cast<C>(kDigits[value & 0xF]);
        value >>= 4;
    }
}

// The character of each byte value for this paint.
void BuildCharTable(char *table)
{
    for (int b = 0; b < 256; ++b)
        table[b] = HexDisplayCharA(static_cast<BYTE>(b));
}

void BuildCharTable(WCHAR *table)
{
    for (int b = 0; b < 256; ++b)
        table[b] = HexDisplayCharW(static_cast<BYTE>(b), CP_ACP);
}

template <class C>
void DrawContent(HWND hwnd, HexEditorState *s, HDC dc, int width, int height)
{
    const int cw = s->cellWidth;
    const int ch = s->cellHeight;
    const int bpl = s->bytesPerLine;
    const DWORD flags = s->viewFlags;
    const int hpos = ScrollPos(hwnd, s, SB_HORZ);
    const int vpos = ScrollPos(hwnd, s, SB_VERT);
    const long long x0 = 1 - static_cast<long long>(hpos) * cw;
    const long long hexX = (flags & HXV_ADDRESS) ? x0 + static_cast<long long>(s->addressDigits + 2) * cw : x0;
    long long charX = x0;
    if (flags & HXV_HEX)
        charX = hexX + (3LL * bpl + 1) * cw;
    else if (flags & HXV_ADDRESS)
        charX = x0 + static_cast<long long>(s->addressDigits + 2) * cw;

    const COLORREF oldText = GetTextColor(dc);
    const COLORREF oldBk = GetBkColor(dc);
    const UINT oldAlign = GetTextAlign(dc);
    HBRUSH selBrush = CreateSolidBrush(s->colorSelBk);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SetBkMode(dc, OPAQUE);

    const DWORD mask = s->addressDigits >= 8 ? 0xFFFFFFFFu : (1u << (4 * s->addressDigits)) - 1;
    C text[8];
    long long lines = 0;
    if (s->dataSize != 0 && s->data) {
        lines = height / ch + 1;
        const long long dataLines = static_cast<long long>(s->dataSize / static_cast<DWORD>(bpl)) - vpos + 1;
        if (dataLines < lines)
            lines = dataLines;
    }

    if ((flags & HXV_ADDRESS) && x0 < width) {
        SetTextColor(dc, s->colorText);
        SetBkColor(dc, s->colorBk);
        for (long long r = 0; r < lines; ++r) {
            const DWORD address =
                (static_cast<DWORD>((vpos + r) * bpl) + s->baseAddress) & mask;
            FormatHex(text, address, s->addressDigits);
            HexApi<C>::TextOut(dc, static_cast<int>(x0), static_cast<int>(r * ch), text, s->addressDigits);
        }
    }

    // One pass per pane; colours change only where the selection state changes.
    for (int pane = 0; pane < 2; ++pane) {
        const bool hex = pane == 0;
        if (!(flags & (hex ? HXV_HEX : HXV_CHARS)))
            continue;
        const long long left = hex ? hexX : charX;
        if (left >= width)
            continue;
        const int cells = hex ? 3 : 1;
        C table[256];
        if (!hex)
            BuildCharTable(table);
        int state = -1;  // 0 normal, 1 selected
        for (long long r = 0; r < lines; ++r) {
            const int y = static_cast<int>(r * ch);
            const unsigned long long first = static_cast<unsigned long long>(vpos + r) * bpl;
            for (int k = 0; k < bpl; ++k) {
                const unsigned long long index = first + k;
                if (index >= s->dataSize)
                    break;
                const long long x = left + static_cast<long long>(cells) * k * cw;
                if (x >= width)
                    break;
                if (x + static_cast<long long>(cells) * cw <= 0)
                    continue;  // scrolled out to the left
                const bool selected = index >= s->selStart && index <= s->selEnd;
                if (state != static_cast<int>(selected)) {
                    state = selected;
                    SetTextColor(dc, selected ? s->colorSelText : s->colorText);
                    SetBkColor(dc, selected ? s->colorSelBk : s->colorBk);
                }
                if (selected && selBrush) {
                    RECT cell = {static_cast<int>(x), y, static_cast<int>(x + cells * cw), y + ch};
                    FillRect(dc, &cell, selBrush);
                }
                const BYTE value = s->data[index];
                if (hex) {
                    FormatHex(text, value, 2);
                    HexApi<C>::TextOut(dc, static_cast<int>(x), y, text, 2);
                } else {
                    HexApi<C>::TextOut(dc, static_cast<int>(x), y, &table[value], 1);
                }
            }
        }
    }

    if ((s->dataSize == 0 || !s->data) && (flags & HXV_ADDRESS) && x0 < width) {
        SetTextColor(dc, s->colorText);
        SetBkColor(dc, s->colorBk);
        FormatHex(text, 0, s->addressDigits);
        HexApi<C>::TextOut(dc, static_cast<int>(x0), 0, text, s->addressDigits);
    }

    SetTextAlign(dc, oldAlign);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
    if (selBrush)
        DeleteObject(selBrush);
}

template <class C>
void OnPaint(HWND hwnd, HexEditorState *s)
{
    if (!s->font)
        s->font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    HideCaret(hwnd);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    int width, height;
    ClientSize(hwnd, &width, &height);
    HDC memory = dc ? CreateCompatibleDC(dc) : NULL;
    if (memory) {
        HGDIOBJ oldFont = SelectObject(memory, s->font);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
        if (bitmap) {
            HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
            RECT all = {0, 0, width, height};
            HBRUSH back = CreateSolidBrush(s->colorBk);
            if (back) {
                FillRect(memory, &all, back);
                DeleteObject(back);
            }
            DrawContent<C>(hwnd, s, memory, width, height);
            BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                   ps.rcPaint.bottom - ps.rcPaint.top, memory, ps.rcPaint.left, ps.rcPaint.top,
                   SRCCOPY);
            SelectObject(memory, oldBitmap);
            DeleteObject(bitmap);
        }
        SelectObject(memory, oldFont);
        DeleteDC(memory);
    }
    EndPaint(hwnd, &ps);
    ShowCaret(hwnd);
}

// ---------------------------------------------------------------------------
// Creation, destruction, fonts

template <class C>
bool MeasureCell(HWND hwnd, HFONT font, int *width, int *height)
{
    HDC dc = GetDC(hwnd);
    if (!dc)
        return false;
    HGDIOBJ old = SelectObject(dc, font);
    const C zero[1] = {static_cast<C>('0')};
    SIZE size = {0, 0};
    const BOOL ok = HexApi<C>::TextExtent(dc, zero, 1, &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    // A cell is never narrower or lower than one pixel (every division uses it).
    *width = ok && size.cx > 0 ? size.cx : 1;
    *height = ok && size.cy > 0 ? size.cy : 1;
    return ok != FALSE;
}

HTHEME OpenTheme(HWND hwnd)
{
    if (OrvccIsThemeActive() && (OrvccGetThemeAppProperties() & STAP_ALLOW_CONTROLS))
        return OrvccOpenThemeData(hwnd, L"WINDOW");
    return NULL;
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
    s->theme = OpenTheme(hwnd);
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
    if (count != 0 && IsBadReadPtr(source, count)) {
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
// Keys

bool KeyDown(int key)
{
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

void OnNavigationKey(HWND hwnd, HexEditorState *s, WPARAM key)
{
    const long long c = s->caretPos;
    const long long size = s->dataSize;
    const long long bpl = s->bytesPerLine;
    int width, height;
    ClientSize(hwnd, &width, &height);
    const long long lines = height / s->cellHeight;
    const bool ctrl = KeyDown(VK_CONTROL);
    const bool alt = KeyDown(VK_MENU);
    const DWORD position = Position(s);
    long long n = c;
    switch (key) {
    case VK_PRIOR:
        if (!ctrl && !alt) {
            n = c - lines * bpl;
            if (n < 0)
                n = c % bpl;
        }
        break;
    case VK_NEXT:
        if (!ctrl && !alt && size >= bpl) {
            n = c + lines * bpl;
            if (n > size)
                n = (size / bpl) * bpl + c % bpl;
            if (n > size)
                n -= bpl;
        }
        break;
    case VK_END:
        if (ctrl) {
            n = size;
        } else {
            n = (c / bpl + 1) * bpl - 1;
            if (size < n)
                n = size;
        }
        if (position == HXMODE_HEXLOW)
            s->mode &= ~1u;
        break;
    case VK_HOME:
        n = ctrl ? 0 : c - c % bpl;
        if (position == HXMODE_HEXLOW)
            s->mode &= ~1u;
        break;
    case VK_LEFT:
        if (position == HXMODE_HEXHIGH && c > 0) {
            s->mode |= 1u;
            n = c - 1;
        } else if (position == HXMODE_CHAR && c > 0) {
            n = c - 1;
        } else {
            s->mode &= ~1u;
            n = c;
        }
        break;
    case VK_UP:
        n = c - bpl;
        if (n < 0)
            n = c;
        break;
    case VK_RIGHT:
        if (position == HXMODE_HEXHIGH && c < size) {
            s->mode |= 1u;
            n = c;
        } else if (c < size) {
            if (position == HXMODE_HEXLOW)
                s->mode &= ~1u;
            n = c + 1;
        }
        break;
    case VK_DOWN:
        n = c + bpl;
        if (n > size)
            n = c;
        if (n == size && (s->mode & 1u))
            s->mode &= ~1u;
        break;
    default:
        break;
    }
    const DWORD target = LimitPosition(s, n);
    if (KeyDown(VK_SHIFT)) {
        ExtendSelection(s, target);
        Invalidate(hwnd);
    } else {
        if (HasSelection(s))
            Invalidate(hwnd);
        ClearSelection(s);
    }
    s->caretPos = target;
    FixAppendDigit(s);
    EnsureCaretVisible(hwnd, s);
    PlaceCaret(hwnd, s);
}

template <class C>
void OnEditKey(HWND hwnd, HexEditorState *s, WPARAM key)
{
    if (key == VK_INSERT) {
        s->mode ^= HXMODE_INSERT;
        if (HasFocus(hwnd)) {
            DestroyCaret();
            CreateEditCaret(hwnd, s);
        }
        return;
    }
    FixAppendDigit(s);
    const DWORD position = Position(s);
    if (HasSelection(s)) {
        DeleteSelection(s);
        if (position == HXMODE_HEXLOW)
            s->mode &= ~1u;
    } else if (key == VK_DELETE || position == HXMODE_HEXLOW) {
        // Delete, and Backspace after a half-typed byte: the byte at the caret.
        if (s->caretPos < s->dataSize) {
            RemoveBytes(s, s->caretPos, 1);
            if (position == HXMODE_HEXLOW)
                s->mode &= ~1u;
        }
    } else if (s->caretPos > 0) {
        // Backspace on the high digit or in the character pane: the byte before.
        s->caretPos -= 1;
        RemoveBytes(s, s->caretPos, 1);
    }
    FixAppendDigit(s);
    UpdateScrollRanges<C>(hwnd, s);
    PlaceCaret(hwnd, s);
    Invalidate(hwnd);
}

// ---------------------------------------------------------------------------
// Typing

template <class C>
bool HexDigitValue(HWND hwnd, WPARAM code, int *value);

template <>
bool HexDigitValue<char>(HWND, WPARAM code, int *value)
{
    const unsigned char ch = static_cast<unsigned char>(code);
    if (!isxdigit(ch))
        return false;
    char text[4] = {'0', 'x', static_cast<char>(ch), 0};
    return StrToIntExA(text, STIF_SUPPORT_HEX, value) && *value >= 0 && *value <= 15;
}

template <>
bool HexDigitValue<WCHAR>(HWND hwnd, WPARAM code, int *value)
{
    WCHAR ch = static_cast<WCHAR>(code);
    if (!IsWindowUnicode(hwnd)) {
        const char narrow = static_cast<char>(code);
        if (MultiByteToWideChar(CP_ACP, 0, &narrow, 1, &ch, 1) != 1)
            return false;
    }
    if (!iswxdigit(ch))
        return false;
    WCHAR text[4] = {L'0', L'x', ch, 0};
    return StrToIntExW(text, STIF_SUPPORT_HEX, value) && *value >= 0 && *value <= 15;
}

// Inserts one byte at the caret; false (and NM_OUTOFMEMORY) when there is no room.
template <class C>
bool InsertByte(HWND hwnd, HexEditorState *s, BYTE value)
{
    if (!HexReserveBytes(s, 1)) {
        HexApi<C>::NotifyParent(hwnd, NM_OUTOFMEMORY);
        return false;
    }
    OpenGap(s, 1);
    s->data[s->caretPos] = value;
    return true;
}

template <class C>
void OnChar(HWND hwnd, HexEditorState *s, WPARAM code)
{
    if (code == 8)
        return;
    if (KeyDown(VK_CONTROL)) {
        WORD command;
        if (KeyDown('X'))
            command = IDM_HEX_CUT;
        else if (KeyDown('C'))
            command = IDM_HEX_COPY;
        else if (KeyDown('V'))
            command = IDM_HEX_PASTE;
        else if (KeyDown('A'))
            command = IDM_HEX_SELECTALL;
        else {
            MessageBeep(0);
            return;
        }
        HexApi<C>::SendMessage(hwnd, WM_COMMAND, command, 0);
        return;
    }
    FixAppendDigit(s);
    if (Position(s) == HXMODE_CHAR) {
        BYTE value;
        if (IsWindowUnicode(hwnd)) {
            if (!HexCharToByte(static_cast<WCHAR>(code), CP_ACP, &value)) {
                MessageBeep(0);
                return;
            }
        } else {
            value = static_cast<BYTE>(code);
        }
        if (HasSelection(s)) {
            DeleteSelection(s);
            UpdateScrollRanges<C>(hwnd, s);
        }
        if (!(s->mode & HXMODE_INSERT) && s->caretPos < s->dataSize) {
            s->data[s->caretPos] = value;
            s->caretPos += 1;
        } else if (InsertByte<C>(hwnd, s, value)) {
            s->caretPos += 1;
            UpdateScrollRanges<C>(hwnd, s);
        }
        Refresh(hwnd, s);
        return;
    }
    int value;
    if (!HexDigitValue<C>(hwnd, code, &value)) {
        MessageBeep(0);
        return;
    }
    if (HasSelection(s)) {
        DeleteSelection(s);
        UpdateScrollRanges<C>(hwnd, s);
        SetPosition(s, HXMODE_HEXHIGH);
    }
    if ((s->mode & 1u) && s->caretPos < s->dataSize) {
        BYTE *byte = &s->data[s->caretPos];
        *byte = static_cast<BYTE>((*byte & 0xF0) | value);
        s->mode &= ~1u;
        s->caretPos += 1;
    } else if (!(s->mode & HXMODE_INSERT) && s->caretPos < s->dataSize) {
        s->mode &= ~1u;
        BYTE *byte = &s->data[s->caretPos];
        *byte = static_cast<BYTE>((*byte & 0x0F) | (value << 4));
        s->mode |= 1u;
    } else {
        s->mode &= ~1u;
        if (InsertByte<C>(hwnd, s, static_cast<BYTE>(value << 4))) {
            s->mode |= 1u;
            UpdateScrollRanges<C>(hwnd, s);
        }
    }
    Refresh(hwnd, s);
}

// ---------------------------------------------------------------------------
// Mouse

void OnButtonDown(HWND hwnd, HexEditorState *s, WPARAM keys, LPARAM point)
{
    if (!HasFocus(hwnd))
        SetFocus(hwnd);
    if (!GetCapture())
        SetCapture(hwnd);
    const Hit hit = HitTest(hwnd, s, point);
    if (!(keys & MK_SHIFT))
        ClearSelection(s);
    if (hit.hit) {
        if (keys & MK_SHIFT)
            ExtendSelection(s, hit.position);
        else
            s->mode &= ~static_cast<DWORD>(HXMODE_ANCHORSTART);
        s->caretPos = hit.position;
        if (hit.part < 0)
            SetPosition(s, HXMODE_CHAR);
        else if (hit.part >= 1 && hit.position < s->dataSize)
            SetPosition(s, HXMODE_HEXLOW);
        else
            SetPosition(s, HXMODE_HEXHIGH);
    }
    Refresh(hwnd, s);
}

void OnMouseMove(HWND hwnd, HexEditorState *s, LPARAM point)
{
    if (GetCapture() != hwnd)
        return;
    const Hit hit = HitTest(hwnd, s, point);
    if (!hit.hit)
        return;
    s->caretPos = hit.position;
    PlaceCaret(hwnd, s);
    ExtendSelection(s, hit.position);
    Invalidate(hwnd);
    EnsureCaretVisible(hwnd, s);
}

void OnDoubleClick(HWND hwnd, HexEditorState *s, LPARAM point)
{
    const Hit hit = HitTest(hwnd, s, point);
    if (!hit.hit)
        return;
    s->caretPos = hit.position;
    ClearSelection(s);
    ExtendSelection(s, hit.position);
    PlaceCaret(hwnd, s);
    Invalidate(hwnd);
    EnsureCaretVisible(hwnd, s);
}

// ---------------------------------------------------------------------------
// Edit commands, clipboard, context menu

// Puts the selected bytes on the clipboard; true when the clipboard took them.
bool CopySelection(HWND hwnd, HexEditorState *s)
{
    if (!HasSelection(s) || !rawBinaryFormat || s->dataSize > 0xFFFFFFFFu - 8)
        return false;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, s->dataSize + 8);
    if (!block)
        return false;
    BYTE *bytes = static_cast<BYTE *>(GlobalLock(block));
    if (!bytes) {
        GlobalFree(block);
        return false;
    }
    const DWORD count = SelectedBytes(s);
    const DWORD header[2] = {count, 0};
    memcpy(bytes, header, sizeof header);
    if (count)
        memcpy(bytes + 8, s->data + s->selStart, count);
    GlobalUnlock(block);
    if (!OpenClipboard(hwnd)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(rawBinaryFormat, block) != NULL;
    if (!placed)
        GlobalFree(block);
    CloseClipboard();
    return placed;
}

template <class C>
void Paste(HWND hwnd, HexEditorState *s)
{
    if (!rawBinaryFormat || !IsClipboardFormatAvailable(rawBinaryFormat) || !OpenClipboard(hwnd))
        return;
    HANDLE block = GetClipboardData(rawBinaryFormat);
    const BYTE *bytes = block ? static_cast<const BYTE *>(GlobalLock(block)) : NULL;
    if (bytes) {
        // The count must fit the block: a short or lying block is rejected whole.
        const SIZE_T size = GlobalSize(block);
        DWORD count = 0;
        if (size >= 8)
            memcpy(&count, bytes, sizeof count);
        if (size >= 8 && count <= size - 8) {
            const DWORD oldMode = s->mode;
            bool changed = false;
            if (HasSelection(s)) {
                DeleteSelection(s);
                changed = true;
            }
            if (Position(s) != HXMODE_CHAR)
                SetPosition(s, HXMODE_HEXHIGH);
            if (count) {
                if (HexReserveBytes(s, count)) {
                    OpenGap(s, count);
                    memcpy(s->data + s->caretPos, bytes + 8, count);
                    changed = true;
                } else {
                    HexApi<C>::NotifyParent(hwnd, NM_OUTOFMEMORY);
                }
            }
            if (changed)
                UpdateScrollRanges<C>(hwnd, s);
            if (changed || s->mode != oldMode)
                Refresh(hwnd, s);
        }
        GlobalUnlock(block);
    }
    CloseClipboard();
}

template <class C>
void OnCommand(HWND hwnd, HexEditorState *s, WORD id)
{
    switch (id) {
    case IDM_HEX_CUT:
        if (HasSelection(s) && rawBinaryFormat) {
            // Delete only what this copy placed on the clipboard.
            const DWORD before = GetClipboardSequenceNumber();
            HexApi<C>::SendMessage(hwnd, WM_COMMAND, IDM_HEX_COPY, 0);
            if (GetClipboardSequenceNumber() != before && GetClipboardOwner() == hwnd &&
                IsClipboardFormatAvailable(rawBinaryFormat))
                HexApi<C>::SendMessage(hwnd, WM_COMMAND, IDM_HEX_DELETE, 0);
        }
        break;
    case IDM_HEX_COPY:
        CopySelection(hwnd, s);
        break;
    case IDM_HEX_PASTE:
        Paste<C>(hwnd, s);
        break;
    case IDM_HEX_DELETE:
        if (HasSelection(s)) {
            if (Position(s) != HXMODE_CHAR)
                SetPosition(s, HXMODE_HEXHIGH);
            DeleteSelection(s);
            UpdateScrollRanges<C>(hwnd, s);
            Refresh(hwnd, s);
        }
        break;
    case IDM_HEX_SELECTALL:
        if (s->dataSize != 0) {
            if (Position(s) != HXMODE_CHAR)
                SetPosition(s, HXMODE_HEXHIGH);
            ClearSelection(s);
            s->caretPos = 0;
            ExtendSelection(s, s->dataSize);
            s->caretPos = s->dataSize;
            Refresh(hwnd, s);
        }
        break;
    default:
        break;
    }
}

template <class C>
void OnContextMenu(HWND hwnd, HexEditorState *s, LPARAM lParam)
{
    HMENU menu = HexApi<C>::LoadMenu(libInstance, 100);
    if (!menu)
        return;
    HMENU popup = GetSubMenu(menu, 0);
    if (popup) {
        const UINT selection = HasSelection(s) ? MF_ENABLED : MF_GRAYED;
        EnableMenuItem(popup, IDM_HEX_CUT, MF_BYCOMMAND | selection);
        EnableMenuItem(popup, IDM_HEX_COPY, MF_BYCOMMAND | selection);
        EnableMenuItem(popup, IDM_HEX_DELETE, MF_BYCOMMAND | selection);
        const bool paste = rawBinaryFormat && IsClipboardFormatAvailable(rawBinaryFormat);
        EnableMenuItem(popup, IDM_HEX_PASTE, MF_BYCOMMAND | (paste ? MF_ENABLED : MF_GRAYED));
        const bool all = s->selEnd - s->selStart >= s->dataSize;
        EnableMenuItem(popup, IDM_HEX_SELECTALL, MF_BYCOMMAND | (all ? MF_GRAYED : MF_ENABLED));
        POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (at.x == -1 && at.y == -1) {
            at.x = 0;
            at.y = 0;
            ClientToScreen(hwnd, &at);
        }
        TrackPopupMenu(popup, 0, at.x, at.y, 0, hwnd, NULL);
    }
    DestroyMenu(menu);
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
        s->theme = OpenTheme(hwnd);
        return 0;
    default:
        return HexApi<C>::DefWindowProc(hwnd, message, wParam, lParam);
    }
}

template <class C>
LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = Dispatch<C>(hwnd, message, wParam, lParam);
    // Whatever a message did, the state keeps its invariants.
    if (HexEditorState *s = HexEditorStateOf(hwnd))
        FixAppendDigit(s);
    return result;
}

}  // namespace

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
