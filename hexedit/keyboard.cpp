// Hex editor: navigation and editing keys, typing.
#include "editor.h"

#include <ctype.h>
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

}  // namespace hexedit
