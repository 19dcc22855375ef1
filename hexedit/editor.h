// Hex editor (internal): what the parts of the control share. The control is
// one source per concern, each built as the ANSI procedure (over char) and the
// Unicode procedure (over WCHAR):
//   hexedit.cpp   state record, buffer, private messages, window procedure
//   view.cpp      layout, caret placement, scroll bars, painting
//   keyboard.cpp  navigation and editing keys, typing
//   mouse.cpp     clicks and dragging, edit commands, clipboard, context menu
#pragma once

#include "hexedit.h"

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
    static HMENU LoadMenu(HINSTANCE module, WORD id) { return ::LoadMenuA(module, MAKEINTRESOURCEA(id)); }
    static BOOL ExtTextOut(HDC dc, int x, int y, const char *text, int length, const INT *dx)
    {
        return ::ExtTextOutA(dc, x, y, 0, NULL, text, static_cast<UINT>(length), dx);
    }
    static void CompactHeap(HANDLE) {}
};

template <>
struct HexApi<WCHAR> : Win<WCHAR> {
    static HMENU LoadMenu(HINSTANCE module, WORD id) { return ::LoadMenuW(module, MAKEINTRESOURCEW(id)); }
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
// Layout and painting (view.cpp)

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
// Keyboard (keyboard.cpp)

bool KeyDown(int key);
void OnNavigationKey(HWND hwnd, HexEditorState *s, WPARAM key);
template <class C>
void OnEditKey(HWND hwnd, HexEditorState *s, WPARAM key);
template <class C>
void OnChar(HWND hwnd, HexEditorState *s, WPARAM code);

// ---------------------------------------------------------------------------
// Mouse, edit commands, clipboard, context menu (mouse.cpp)

void OnButtonDown(HWND hwnd, HexEditorState *s, WPARAM keys, LPARAM point);
void OnMouseMove(HWND hwnd, HexEditorState *s, LPARAM point);
void OnDoubleClick(HWND hwnd, HexEditorState *s, LPARAM point);
template <class C>
void OnCommand(HWND hwnd, HexEditorState *s, WORD id);
template <class C>
void OnContextMenu(HWND hwnd, HexEditorState *s, LPARAM lParam);

// ---------------------------------------------------------------------------
// Accessibility (accessible.cpp)

// The control's accessibility table (role, caret reading, selection).
extern const AccessClass *const hexAccess;
// Whether a message can change what the table reads.
bool AccessMayChange(HWND hwnd, UINT message);

}  // namespace hexedit
