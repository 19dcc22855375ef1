// Hex editor (ORV_HexEditorClass): the per-window state and the routines that
// white-box tests reach directly (internal).
#pragma once

#include "library.h"

// Internal mode bit: the selection's anchor is selStart (clear: selEnd).
#define HXMODE_ANCHORSTART 0x00020000

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
};

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
