// Hex editor input: navigation and editing keys, typing; clicks and dragging,
// edit commands, clipboard, context menu.
#include "hexedit.h"

#include <ctype.h>
#include <string.h>
#include <wctype.h>

namespace hexedit {

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

namespace {

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

}  // namespace

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

template void OnEditKey<char>(HWND, HexEditorState *, WPARAM);
template void OnEditKey<WCHAR>(HWND, HexEditorState *, WPARAM);
template void OnChar<char>(HWND, HexEditorState *, WPARAM);
template void OnChar<WCHAR>(HWND, HexEditorState *, WPARAM);

// Mouse, edit commands and the context menu.

namespace {

struct Hit {
    bool hit;
    DWORD position;
    int part;  // -1 character pane, 0 high digit, 1 low digit, 2 blank behind the digits
};

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
    } else if ((s->viewFlags & HXV_CHARS) && column >= c0 &&
               column < c0 + static_cast<long long>(bpl)) {
        result.hit = true;
        result.position = LimitPosition(s, line * bpl + (column - c0));
    }
    return result;
}

}  // namespace

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

namespace {

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

}  // namespace

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

template void OnCommand<char>(HWND, HexEditorState *, WORD);
template void OnCommand<WCHAR>(HWND, HexEditorState *, WORD);
template void OnContextMenu<char>(HWND, HexEditorState *, LPARAM);
template void OnContextMenu<WCHAR>(HWND, HexEditorState *, LPARAM);

}  // namespace hexedit
