// Hex editor: layout, caret placement, scroll bars and painting.
#include "hexedit.h"

#include <limits.h>

#include <algorithm>

bool hexPaintCellByCell = false;

namespace hexedit {

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

void PlaceCaret(HWND hwnd, HexEditorState *s)
{
    FixAppendDigit(s);
    if (!HasFocus(hwnd))
        return;
    const int cw = s->cellWidth;
    const int ch = s->cellHeight;
    const DWORD flags = s->viewFlags;
    const int hexX0 =
        ((flags & HXV_HEX) && (flags & HXV_ADDRESS)) ? (s->addressDigits + 2) * cw + 1 : 1;
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
    if (x > kMaxPixels)
        x = kMaxPixels;
    if (x < -kMaxPixels)
        x = -kMaxPixels;
    if (y > kMaxPixels)
        y = kMaxPixels;
    if (y < -kMaxPixels)
        y = -kMaxPixels;
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

namespace {

// Moves the content by the change of a scroll position (in cells) and puts the
// caret back onto its byte (the system moves it only while it is in view).
void ScrollContent(HWND hwnd, HexEditorState *s, int bar, int oldPos, int newPos)
{
    int width, height;
    ClientSize(hwnd, &width, &height);
    const long long cell = bar == SB_HORZ ? s->cellWidth : s->cellHeight;
    const long long limit = (bar == SB_HORZ ? width : height) + cell;
    long long amount = (static_cast<long long>(oldPos) - newPos) * cell;
    if (amount > limit)
        amount = limit;
    if (amount < -limit)
        amount = -limit;
    if (bar == SB_HORZ)
        ScrollWindow(hwnd, static_cast<int>(amount), 0, NULL, NULL);
    else
        ScrollWindow(hwnd, 0, static_cast<int>(amount), NULL, NULL);
    PlaceCaret(hwnd, s);
}

void SetBarPosition(HWND hwnd, HexEditorState *s, int bar, int oldPos, long long wanted)
{
    if (wanted > INT_MAX)
        wanted = INT_MAX;
    if (wanted < INT_MIN)
        wanted = INT_MIN;
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
    if (GetScrollInfo(hwnd, bar, &info) && info.nMin == 0 && info.nMax == maximum &&
        info.nPage == kept)
        return;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = maximum;
    info.nPage = page;
    SetScrollInfo(hwnd, bar, &info, TRUE);
}

}  // namespace

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
    case SB_LINEUP:
        pos = pos - 1;
        break;
    case SB_LINEDOWN:
        pos = pos + 1;
        break;
    case SB_PAGEUP:
        pos = pos - static_cast<long long>(info.nPage);
        break;
    case SB_PAGEDOWN:
        pos = pos + static_cast<long long>(info.nPage);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        pos = info.nTrackPos;
        break;  // 32-bit, not HIWORD(wParam)
    case SB_TOP:
        pos = info.nMin;
        break;
    case SB_BOTTOM:
        pos = info.nMax;
        break;
    case SB_ENDSCROLL:
        return;
    default:
        break;
    }
    if (pos > info.nMax)
        pos = info.nMax;
    else if (pos < info.nMin)
        pos = info.nMin;
    SetBarPosition(hwnd, s, bar, old, pos);
}

// ---------------------------------------------------------------------------
// Painting

namespace {

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

// Text colours of the selection state (0 normal, 1 selected), set only when
// the state changes.
void UseColours(HDC dc, const HexEditorState *s, int *state, bool selected)
{
    if (*state == static_cast<int>(selected))
        return;
    *state = selected;
    SetTextColor(dc, selected ? s->colorSelText : s->colorText);
    SetBkColor(dc, selected ? s->colorSelBk : s->colorBk);
}

// One line of one pane to draw.
template <class C>
struct PaneLine {
    HDC dc;
    const HexEditorState *s;
    HBRUSH selBrush;
    long long left;  // x of the pane's first cell
    int span;        // cells per byte: 3 (hex digits and a gap) or 1
    int width;       // client width
    int y;
    unsigned long long first;  // index of the line's first byte
    const C *table;            // character shown for each byte value
    int *colours;              // UseColours state
};

// What the per-cell loop and the run loop share: the byte k of the line, if it
// exists and is in view (x: its left edge).
template <class C>
bool CellInView(const PaneLine<C> &l, int k, long long *x, bool *selected, bool *past)
{
    const HexEditorState *s = l.s;
    const unsigned long long index = l.first + k;
    *x = l.left + static_cast<long long>(l.span) * k * s->cellWidth;
    *past = index >= s->dataSize || *x >= l.width;
    if (*past || *x + static_cast<long long>(l.span) * s->cellWidth <= 0)
        return false;  // past the data or the window, or scrolled out to the left
    *selected = index >= s->selStart && index <= s->selEnd;
    return true;
}

// Background of selected cells [x, x + cells * cell width).
template <class C>
void FillSelected(const PaneLine<C> &l, long long x, int cells)
{
    if (!l.selBrush)
        return;
    const long long right = x + static_cast<long long>(cells) * l.s->cellWidth;
    RECT rect = {static_cast<int>(x), l.y, static_cast<int>(right), l.y + l.s->cellHeight};
    FillRect(l.dc, &rect, l.selBrush);
}

// One cell with its own text call.
template <class C>
void DrawCell(const PaneLine<C> &l, long long x, bool selected, BYTE value)
{
    UseColours(l.dc, l.s, l.colours, selected);
    if (selected)
        FillSelected(l, x, l.span);
    if (l.span == 3) {
        C text[2];
        FormatHex(text, value, 2);
        HexApi<C>::TextOut(l.dc, static_cast<int>(x), l.y, text, 2);
    } else {
        HexApi<C>::TextOut(l.dc, static_cast<int>(x), l.y, &l.table[value], 1);
    }
}

// The line with one text call per cell.
template <class C>
void DrawCells(const PaneLine<C> &l)
{
    for (int k = 0; k < l.s->bytesPerLine; ++k) {
        long long x;
        bool selected, past;
        if (CellInView(l, k, &x, &selected, &past))
            DrawCell(l, x, selected, l.s->data[l.first + k]);
        else if (past)
            break;
    }
}

// Characters drawn with one text call: each at its own place, the box ending
// at the last character's own advance. A run of selected cells fills their
// cells first, as each selected cell does.
template <class C>
struct Run {
    HDC dc;
    const HexEditorState *s;
    HBRUSH selBrush;
    int y;
    int *colours;  // UseColours state
    int n;
    bool selected;
    long long fillLeft;  // selected cells covered: [fillLeft, fillRight)
    long long fillRight;
    C text[8 + 3 * 256];
    long long x[8 + 3 * 256];
    int advance[8 + 3 * 256];

    // Whether a cell at cellX in that state can join: the same colours, and for
    // selected cells no gap between them (an unselected run paints its gaps in
    // the background colour they have).
    bool Joins(bool cellSelected, long long cellX) const
    {
        return n != 0 && cellSelected == selected && (!selected || cellX == fillRight);
    }
    void Start(bool cellSelected, long long cellX)
    {
        Flush();
        selected = cellSelected;
        fillLeft = fillRight = cellX;
    }
    void Add(C ch, long long at, int width)
    {
        text[n] = ch;
        x[n] = at;
        advance[n] = width;
        ++n;
    }
    // Hex digits of value from at onwards, each after its predecessor's advance.
    void AddDigits(DWORD value, int digits, long long at)
    {
        for (int i = digits - 1; i >= 0; --i) {
            const int d = (value >> (4 * i)) & 0xF;
            Add(static_cast<C>("0123456789ABCDEF"[d]), at, s->glyphs.digitAdvance[d]);
            at += s->glyphs.digitAdvance[d];
        }
    }
    void Flush()
    {
        if (n == 0)
            return;
        UseColours(dc, s, colours, selected);
        if (selected && selBrush) {
            RECT rect = {static_cast<int>(fillLeft), y, static_cast<int>(fillRight),
                         y + s->cellHeight};
            FillRect(dc, &rect, selBrush);
        }
        INT dx[8 + 3 * 256];
        for (int i = 0; i + 1 < n; ++i)
            dx[i] = static_cast<INT>(x[i + 1] - x[i]);
        dx[n - 1] = advance[n - 1];
        HexApi<C>::ExtTextOut(dc, static_cast<int>(x[0]), y, text, n, dx);
        n = 0;
    }
};

// Whether the address column can join the runs: its digits stay inside the
// column and its gap.
bool AddressFits(const HexEditorState *s)
{
    const HexGlyphs &g = s->glyphs;
    return g.digitsInside && static_cast<long long>(s->addressDigits) * g.digitWidest <=
                                 static_cast<long long>(s->addressDigits + 2) * s->cellWidth;
}

// One line with one text call per run of cells of the same colours, across the
// address (when it fits) and both panes. A character whose box or ink leaves
// its cell, and a cell that such a character reaches into, are drawn alone, in
// their order; so the picture is the one of a call per cell.
template <class C>
void DrawRuns(Run<C> &run, const PaneLine<C> *panes, int paneCount, bool address,
              long long addressX, DWORD addressValue)
{
    const HexEditorState *s = run.s;
    const HexGlyphs &g = s->glyphs;
    if (address) {
        run.Start(false, addressX);
        run.AddDigits(addressValue, s->addressDigits, addressX);
    }
    long long reach = LLONG_MIN;  // right edge of what the cells drawn alone cover
    for (int p = 0; p < paneCount; ++p) {
        const PaneLine<C> &l = panes[p];
        const bool hex = l.span == 3;
        for (int k = 0; k < s->bytesPerLine; ++k) {
            long long x;
            bool selected, past;
            if (!CellInView(l, k, &x, &selected, &past)) {
                if (past)
                    break;
                continue;
            }
            const BYTE value = s->data[l.first + k];
            if (!(hex ? g.digitsFit : g.charFits[value] && x >= reach)) {
                run.Flush();
                DrawCell(l, x, selected, value);
                reach = std::max(reach, x + (hex ? 2 * g.digitWidest : g.charReach[value]));
                continue;
            }
            if (!run.Joins(selected, x))
                run.Start(selected, x);
            if (hex)
                run.AddDigits(value, 2, x);
            else
                run.Add(l.table[value], x, g.charAdvance[value]);
            run.fillRight = x + static_cast<long long>(l.span) * s->cellWidth;
        }
    }
    run.Flush();
}

// Measures the digits and the shown characters in the painting's font.
int Overhang(HDC dc, char)
{
    TEXTMETRICA metrics;
    return GetTextMetricsA(dc, &metrics) ? metrics.tmOverhang : 0;
}

int Overhang(HDC dc, WCHAR)
{
    TEXTMETRICW metrics;
    return GetTextMetricsW(dc, &metrics) ? metrics.tmOverhang : 0;
}

BOOL CharAbc(HDC dc, char ch, ABC *abc)
{
    const UINT code = static_cast<BYTE>(ch);
    return GetCharABCWidthsA(dc, code, code, abc);
}

BOOL CharAbc(HDC dc, WCHAR ch, ABC *abc)
{
    return GetCharABCWidthsW(dc, ch, ch, abc);
}

// Advance of ch, and the left and right edges of its ink (a font without
// ABC widths draws inside the advance plus its overhang).
template <class C>
void MeasureGlyph(HDC dc, C ch, int overhang, int *advance, int *left, int *right)
{
    SIZE size = {0, 0};
    HexApi<C>::TextExtent(dc, &ch, 1, &size);
    *advance = size.cx;
    ABC abc;
    if (CharAbc(dc, ch, &abc)) {
        *left = abc.abcA;
        *right = abc.abcA + static_cast<int>(abc.abcB);
    } else {
        *left = 0;
        *right = size.cx + overhang;
    }
}

short Short(int value)
{
    return static_cast<short>(value < -0x7FFF ? -0x7FFF : value > 0x7FFF ? 0x7FFF : value);
}

template <class C>
void MeasureGlyphs(HDC dc, HexEditorState *s, const C *table)
{
    HexGlyphs &g = s->glyphs;
    const int cw = s->cellWidth;
    const int overhang = Overhang(dc, C());
    int advance, left, right, widest = 0;
    g.digitsInside = true;
    for (int d = 0; d < 16; ++d) {
        C digit;
        FormatHex(&digit, static_cast<DWORD>(d), 1);
        MeasureGlyph(dc, digit, overhang, &advance, &left, &right);
        g.digitAdvance[d] = Short(advance);
        widest = std::max(widest, std::max(advance, right));
        g.digitsInside = g.digitsInside && left >= 0 && advance >= 0;
    }
    g.digitWidest = Short(widest);
    g.digitsFit = g.digitsInside && 2LL * widest <= 3LL * cw;
    for (int b = 0; b < 256; ++b) {
        MeasureGlyph(dc, table[b], overhang, &advance, &left, &right);
        g.charAdvance[b] = Short(advance);
        g.charReach[b] = Short(std::max(advance, right));
        g.charFits[b] = left >= 0 && advance >= 0 && advance <= cw && right <= cw;
    }
    g.font = s->font;
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
    const long long hexX =
        (flags & HXV_ADDRESS) ? x0 + static_cast<long long>(s->addressDigits + 2) * cw : x0;
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
        const long long dataLines =
            static_cast<long long>(s->dataSize / static_cast<DWORD>(bpl)) - vpos + 1;
        if (dataLines < lines)
            lines = dataLines;
    }

    const bool runs = !hexPaintCellByCell;
    C table[256];
    BuildCharTable(table);
    if (runs && s->glyphs.font != s->font)
        MeasureGlyphs<C>(dc, s, table);
    const bool address = (flags & HXV_ADDRESS) && x0 < width;
    const bool addressInRuns = address && runs && AddressFits(s);

    if (address && !addressInRuns) {
        SetTextColor(dc, s->colorText);
        SetBkColor(dc, s->colorBk);
        for (long long r = 0; r < lines; ++r) {
            const DWORD value = (static_cast<DWORD>((vpos + r) * bpl) + s->baseAddress) & mask;
            FormatHex(text, value, s->addressDigits);
            HexApi<C>::TextOut(dc, static_cast<int>(x0), static_cast<int>(r * ch), text,
                               s->addressDigits);
        }
    }

    int colours = -1;
    PaneLine<C> panes[2];
    int paneCount = 0;
    if (flags & HXV_HEX)
        panes[paneCount++] = {dc, s, selBrush, hexX, 3, width, 0, 0, table, &colours};
    if (flags & HXV_CHARS)
        panes[paneCount++] = {dc, s, selBrush, charX, 1, width, 0, 0, table, &colours};
    if (runs) {
        // Line by line, each line's runs across the panes.
        Run<C> run;
        run.dc = dc;
        run.s = s;
        run.selBrush = selBrush;
        run.colours = &colours;
        run.n = 0;
        for (long long r = 0; r < lines; ++r) {
            run.y = static_cast<int>(r * ch);
            for (int p = 0; p < paneCount; ++p) {
                panes[p].y = run.y;
                panes[p].first = static_cast<unsigned long long>(vpos + r) * bpl;
            }
            const DWORD value = (static_cast<DWORD>((vpos + r) * bpl) + s->baseAddress) & mask;
            DrawRuns(run, panes, paneCount, addressInRuns, x0, value);
        }
    } else {
        // Pane by pane, a text call per cell.
        for (int p = 0; p < paneCount; ++p) {
            for (long long r = 0; r < lines; ++r) {
                panes[p].y = static_cast<int>(r * ch);
                panes[p].first = static_cast<unsigned long long>(vpos + r) * bpl;
                DrawCells(panes[p]);
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

}  // namespace

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
        // The picture is drawn off screen, into a bitmap kept for the next
        // paint (a fresh one costs more than the drawing).
        if (s->backBuffer && (s->backWidth != width || s->backHeight != height)) {
            DeleteObject(s->backBuffer);
            s->backBuffer = NULL;
        }
        if (!s->backBuffer && width > 0 && height > 0) {
            s->backBuffer = CreateCompatibleBitmap(dc, width, height);
            s->backWidth = width;
            s->backHeight = height;
        }
        HGDIOBJ oldFont = SelectObject(memory, s->font);
        if (s->backBuffer) {
            HGDIOBJ oldBitmap = SelectObject(memory, s->backBuffer);
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

template void UpdateScrollRanges<char>(HWND, HexEditorState *);
template void UpdateScrollRanges<WCHAR>(HWND, HexEditorState *);
template void OnPaint<char>(HWND, HexEditorState *);
template void OnPaint<WCHAR>(HWND, HexEditorState *);
template bool MeasureCell<char>(HWND, HFONT, int *, int *);
template bool MeasureCell<WCHAR>(HWND, HFONT, int *, int *);

}  // namespace hexedit
