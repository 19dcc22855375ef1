// Hex editor (ORV_HexEditorClass): the per-window state and the routines that
// white-box tests reach directly (internal).
#pragma once

#include "library.h"

// Internal mode bit: the selection's anchor is selStart (clear: selEnd).
#define HXMODE_ANCHORSTART 0x00020000

// Where the glyphs of the font fall, so that painting can draw a run of cells
// with one text call and still give the picture of one call per cell. Measured
// at the first paint after a font change.
struct HexGlyphs {
    HFONT font;               // the font measured; null: measure again
    bool digitsInside;        // no hex digit's ink starts left of its place
    bool digitsFit;           // and every pair of hex digits stays inside its cell
    short digitWidest;        // widest advance or ink of a hex digit
    short digitAdvance[16];   // advance of each hex digit
    short charAdvance[256];   // advance of the character shown for each byte value
    short charReach[256];     // right edge of that character's box and ink
    bool charFits[256];       // that character's box and ink stay inside its cell
};

struct HexEditorState {
    HANDLE heap;          // holds this record and the data buffer: the process heap
    HTHEME theme;         // theme data of "WINDOW", or null
    BYTE *data;           // data buffer; null until the first allocation
    DWORD dataSize;       // number of data bytes
    DWORD capacity;       // usable size of the buffer block (HeapSize)
    DWORD selStart;       // first selected byte, 0xFFFFFFFF = no selection
    DWORD selEnd;         // last selected byte (inclusive), may equal dataSize
    DWORD caretPos;       // 0..dataSize
    DWORD mode;           // HXMODE_* position | HXMODE_INSERT | HXMODE_ANCHORSTART
    DWORD viewFlags;      // HXV_* | WS_HSCROLL | WS_VSCROLL
    int bytesPerLine;     // 1..256
    int addressDigits;    // 1..8
    DWORD baseAddress;    // address shown for byte 0
    HFONT font;           // not owned
    int cellWidth;        // extent of "0" in font
    int cellHeight;
    COLORREF colorBk;
    COLORREF colorText;
    COLORREF colorSelBk;
    COLORREF colorSelText;
    HexGlyphs glyphs;
    HBITMAP backBuffer;   // off-screen picture of the client area, kept between paints
    int backWidth;        // its size
    int backHeight;
    bool accessWatching;  // a message is being watched for accessibility events
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
