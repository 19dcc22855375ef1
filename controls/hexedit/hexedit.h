// Hex editor (ORV_HexEditorClass), internal: the per-window state, the routines
// white-box tests reach directly, and what the parts of the control share. The
// control is one source per concern, each built as the ANSI procedure (over char)
// and the Unicode procedure (over WCHAR):
//   hexedit.cpp   state record, buffer, private messages, window procedure
//   paint.cpp     layout, caret placement, scroll bars, painting
//   input.cpp     keys and typing; clicks and dragging, edit commands, clipboard,
//                 context menu
//   access.cpp    what screen readers are told
#pragma once

#include "control.h"
#include "display.h"

// Internal mode bit: the selection's anchor is selStart (clear: selEnd).
#define HXMODE_ANCHORSTART 0x00020000

// Where the glyphs of the font fall, so that painting can draw a run of cells
// with one text call and still give the picture of one call per cell. Measured
// at the first paint after a font change.
struct HexGlyphs {
    HFONT font;              // the font measured; null: measure again
    bool digitsInside;       // no hex digit's ink starts left of its place
    bool digitsFit;          // and every pair of hex digits stays inside its cell
    short digitWidest;       // widest advance or ink of a hex digit
    short digitAdvance[16];  // advance of each hex digit
    short charAdvance[256];  // advance of the character shown for each byte value
    short charReach[256];    // right edge of that character's box and ink
    bool charFits[256];      // that character's box and ink stay inside its cell
};

struct HexEditorState {
    HANDLE heap;        // holds this record and the data buffer: the process heap
    HTHEME theme;       // theme data of "WINDOW", or null
    BYTE *data;         // data buffer; null until the first allocation
    DWORD dataSize;     // number of data bytes
    DWORD capacity;     // usable size of the buffer block (HeapSize)
    DWORD selStart;     // first selected byte, 0xFFFFFFFF = no selection
    DWORD selEnd;       // last selected byte (inclusive), may equal dataSize
    DWORD caretPos;     // 0..dataSize
    DWORD mode;         // HXMODE_* position | HXMODE_INSERT | HXMODE_ANCHORSTART
    DWORD viewFlags;    // HXV_* | WS_HSCROLL | WS_VSCROLL
    int bytesPerLine;   // 1..256
    int addressDigits;  // 1..8
    DWORD baseAddress;  // address shown for byte 0
    HFONT font;         // not owned
    int cellWidth;      // extent of "0" in font
    int cellHeight;
    COLORREF colorBk;
    COLORREF colorText;
    COLORREF colorSelBk;
    COLORREF colorSelText;
    HexGlyphs glyphs;
    HBITMAP backBuffer;  // off-screen picture of the client area, kept between paints
    int backWidth;       // its size
    int backHeight;
    // The display the window is shown on, and what the host set (that stays
    // as set when the DPI or dark mode changes).
    UINT dpi;         // DPI the own font was made for
    HFONT ownFont;    // default font made for that DPI (owned), or null
    bool hostFont;    // font was set by the host
    DWORD colorsSet;  // HXC_* bits of the colours the host set
};

// Painting one text call per cell instead of one per run of cells (for
// comparing the two; false in normal use).
extern bool hexPaintCellByCell;

// The state of a hex editor window (user-data slot), or null.
HexEditorState *HexEditorStateOf(HWND hwnd);

// Makes room for n more bytes behind dataSize (ReserveBytes): TRUE when
// capacity > dataSize + n afterwards; FALSE leaves everything unchanged.
BOOL HexReserveBytes(HexEditorState *state, DWORD n);

// The character the Unicode build shows for a byte in code page codePage: the
// byte converted on its own when that gives one printable UTF-16 unit, else '.'
// (control characters, lead bytes of a double-byte code page, failures).
WCHAR HexDisplayCharW(BYTE byte, UINT codePage);
// The ANSI build's character: the byte itself for 0x20..0x7E, else '.'.
char HexDisplayCharA(BYTE byte);
// The byte a character typed into a Unicode window stores in the character
// pane: TRUE with *byte when it converts to exactly one byte of codePage
// (missing characters become the code page's default character); FALSE for a
// character that needs two bytes (double-byte code pages).
BOOL HexCharToByte(WCHAR ch, UINT codePage, BYTE *byte);

// Shared by the parts of the control.
struct AccessClass;

namespace hexedit {

const DWORD kNone = 0xFFFFFFFFu;
const DWORD kPositionMask = 0x0000FFFFu;
const DWORD kModeBits = 0x00010003u;
const int kMaxPixels = 0x3FFFFFFF;

// Calls that differ by character width, beyond the shared traits of flavour.h.
template <class C>
struct HexApi;

template <>
struct HexApi<char> : Win<char> {
    static HMENU LoadMenu(HINSTANCE module, WORD id)
    {
        return ::LoadMenuA(module, MAKEINTRESOURCEA(id));
    }
    static BOOL ExtTextOut(HDC dc, int x, int y, const char *text, int length, const INT *dx)
    {
        return ::ExtTextOutA(dc, x, y, 0, NULL, text, static_cast<UINT>(length), dx);
    }
    static void CompactHeap(HANDLE) {}
};

template <>
struct HexApi<WCHAR> : Win<WCHAR> {
    static HMENU LoadMenu(HINSTANCE module, WORD id)
    {
        return ::LoadMenuW(module, MAKEINTRESOURCEW(id));
    }
    static BOOL ExtTextOut(HDC dc, int x, int y, const WCHAR *text, int length, const INT *dx)
    {
        return ::ExtTextOutW(dc, x, y, 0, NULL, text, static_cast<UINT>(length), dx);
    }
    static void CompactHeap(HANDLE heap) { HeapCompact(heap, 0); }
};

// ---------------------------------------------------------------------------
// State (hexedit.cpp; the small ones inline)

inline bool HasSelection(const HexEditorState *s)
{
    return s->selStart != kNone && s->selEnd != kNone;
}

inline DWORD Position(const HexEditorState *s)
{
    return s->mode & kPositionMask;
}

inline void SetPosition(HexEditorState *s, DWORD position)
{
    s->mode = (s->mode & ~kPositionMask) | position;
}

inline bool HasFocus(HWND hwnd)
{
    return GetFocus() == hwnd;
}

// The low digit exists only on a byte: at the append position it becomes the high digit.
inline void FixAppendDigit(HexEditorState *s)
{
    if (s->caretPos > s->dataSize)
        s->caretPos = s->dataSize;
    if (s->caretPos >= s->dataSize && Position(s) == HXMODE_HEXLOW)
        s->mode &= ~1u;
}

inline void Invalidate(HWND hwnd)
{
    InvalidateRect(hwnd, NULL, FALSE);
}

inline void ClearSelection(HexEditorState *s)
{
    s->selStart = kNone;
    s->selEnd = kNone;
    s->mode &= ~static_cast<DWORD>(HXMODE_ANCHORSTART);
}

// Moves the free end of the selection to p.
void ExtendSelection(HexEditorState *s, DWORD p);
// Number of data bytes the selection covers (the append position is no byte).
DWORD SelectedBytes(const HexEditorState *s);
// Removes count bytes at index (index + count <= dataSize).
void RemoveBytes(HexEditorState *s, DWORD index, DWORD count);
// Removes the selected bytes; the caret goes to where they were.
void DeleteSelection(HexEditorState *s);
// Opens a gap of count bytes at caretPos (room reserved) and grows dataSize.
void OpenGap(HexEditorState *s, DWORD count);
// position limited to 0..dataSize.
DWORD LimitPosition(const HexEditorState *s, long long position);

// ---------------------------------------------------------------------------
// Layout and painting (paint.cpp)

// Position of a scroll bar the control manages, else 0.
int ScrollPos(HWND hwnd, const HexEditorState *s, int bar);
void ClientSize(HWND hwnd, int *width, int *height);
// Column where the hex pane starts and where the character pane starts.
int HexColumn(const HexEditorState *s);
int CharColumn(const HexEditorState *s);
// Puts the caret onto its byte and digit (only while the control has the focus).
void PlaceCaret(HWND hwnd, HexEditorState *s);
// Builds the caret of the current mode and shows it (only with the focus).
void CreateEditCaret(HWND hwnd, HexEditorState *s);
// Scroll ranges and pages from the data and the client size.
template <class C>
void UpdateScrollRanges(HWND hwnd, HexEditorState *s);
// Scrolls so that the caret's byte is in view.
void EnsureCaretVisible(HWND hwnd, HexEditorState *s);
// PlaceCaret, EnsureCaretVisible and a full invalidation.
void Refresh(HWND hwnd, HexEditorState *s);
void OnScroll(HWND hwnd, HexEditorState *s, int bar, WORD code);
template <class C>
void OnPaint(HWND hwnd, HexEditorState *s);
// The cell size of a font: the extent of "0", at least 1x1.
template <class C>
bool MeasureCell(HWND hwnd, HFONT font, int *width, int *height);

// ---------------------------------------------------------------------------
// Keyboard (input.cpp)

bool KeyDown(int key);
void OnNavigationKey(HWND hwnd, HexEditorState *s, WPARAM key);
template <class C>
void OnEditKey(HWND hwnd, HexEditorState *s, WPARAM key);
template <class C>
void OnChar(HWND hwnd, HexEditorState *s, WPARAM code);

// ---------------------------------------------------------------------------
// Mouse, edit commands, clipboard, context menu (input.cpp)

void OnButtonDown(HWND hwnd, HexEditorState *s, WPARAM keys, LPARAM point);
void OnMouseMove(HWND hwnd, HexEditorState *s, LPARAM point);
void OnDoubleClick(HWND hwnd, HexEditorState *s, LPARAM point);
template <class C>
void OnCommand(HWND hwnd, HexEditorState *s, WORD id);
template <class C>
void OnContextMenu(HWND hwnd, HexEditorState *s, LPARAM lParam);

// ---------------------------------------------------------------------------
// Accessibility (access.cpp)

// The control's accessibility table (role, caret reading, selection).
extern const AccessClass *const hexAccess;
// Whether a message can change what the table reads.
bool AccessMayChange(HWND hwnd, UINT message);

}  // namespace hexedit
