// Hex editor: what screen readers are told. The object is editable text whose
// value reads the caret position: the address (base address included, at least
// as many digits as the address column shows), the byte there in hex and, when
// it is printable, the character the character pane shows for it:
//     "0x0010: 41 'A'"     a printable byte
//     "0x0011: 0A"         a byte without a printable character
//     "0x0020: end of data" the caret behind the last byte
//     "0x0000: no data"    an empty buffer
// The description tells the selection ("16 bytes selected from 0x0010 to
// 0x001F", "1 byte selected at 0x0010"; empty without selected bytes). The
// control has no read-only mode: the read-only state is never set; focus and
// focusability come from the standard object.
#include "access.h"
#include "hexedit.h"

namespace hexedit {

namespace {

// A bounded wide string being built from ASCII pieces.
struct Text {
    WCHAR *out;
    int size;
    int length;

    void Add(const char *text)
    {
        for (; *text; ++text)
            Add(static_cast<WCHAR>(static_cast<unsigned char>(*text)));
    }
    void Add(WCHAR ch)
    {
        if (length < size - 1)
            out[length++] = ch;
        out[length] = 0;
    }
    void AddHex(DWORD value, int digits)
    {
        int needed = 1;
        while (needed < 8 && (value >> (4 * needed)) != 0)
            ++needed;
        if (needed < digits)
            needed = digits;
        for (int i = needed - 1; i >= 0; --i)
            Add(static_cast<WCHAR>("0123456789ABCDEF"[(value >> (4 * i)) & 0xF]));
    }
    void AddAddress(const HexEditorState *s, DWORD position)
    {
        Add("0x");
        AddHex(s->baseAddress + position, s->addressDigits);
    }
    void AddDecimal(DWORD value)
    {
        char digits[12];
        int n = 0;
        do {
            digits[n++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value);
        while (n)
            Add(static_cast<WCHAR>(digits[--n]));
    }
};

// The character the character pane shows for a byte, or 0 when it shows the
// placeholder for an unprintable one or a control character (which a reader
// would not speak as one).
WCHAR ShownCharacter(HWND hwnd, BYTE byte)
{
    const WCHAR ch = IsWindowUnicode(hwnd) ? HexDisplayCharW(byte, CP_ACP)
                                           : static_cast<WCHAR>(HexDisplayCharA(byte));
    if (ch < 0x20 || (ch >= 0x7F && ch <= 0x9F))
        return 0;
    return ch == L'.' && byte != '.' ? 0 : ch;
}

void ReadCaret(HWND hwnd, const HexEditorState *s, Text *text)
{
    const DWORD caret = s->caretPos < s->dataSize ? s->caretPos : s->dataSize;
    text->AddAddress(s, caret);
    if (!s->dataSize || !s->data) {
        text->Add(": no data");
        return;
    }
    if (caret >= s->dataSize) {
        text->Add(": end of data");
        return;
    }
    const BYTE byte = s->data[caret];
    text->Add(": ");
    text->AddHex(byte, 2);
    if (const WCHAR ch = ShownCharacter(hwnd, byte)) {
        text->Add(" '");
        text->Add(ch);
        text->Add(L'\'');
    }
}

void ReadSelection(const HexEditorState *s, Text *text)
{
    const DWORD count = SelectedBytes(s);
    if (!count)
        return;
    text->AddDecimal(count);
    if (count == 1) {
        text->Add(" byte selected at ");
        text->AddAddress(s, s->selStart);
        return;
    }
    text->Add(" bytes selected from ");
    text->AddAddress(s, s->selStart);
    text->Add(" to ");
    text->AddAddress(s, s->selStart + count - 1);
}

bool DescribeForAccess(HWND hwnd, AccessAnswers *answers)
{
    const HexEditorState *s = HexEditorStateOf(hwnd);
    if (!s)
        return false;
    answers->role = ROLE_SYSTEM_TEXT;
    answers->stateMask = STATE_SYSTEM_READONLY;
    answers->hasValue = true;
    Text value = {answers->value, static_cast<int>(sizeof answers->value / sizeof(WCHAR)), 0};
    ReadCaret(hwnd, s, &value);
    Text description = {answers->description,
                        static_cast<int>(sizeof answers->description / sizeof(WCHAR)), 0};
    ReadSelection(s, &description);
    answers->textSelection[0] = s->selStart;
    answers->textSelection[1] = s->selEnd;
    return true;
}

const AccessClass kAccess = {DescribeForAccess, NULL};

}  // namespace

const AccessClass *const hexAccess = &kAccess;

// Messages that can move the caret, change the bytes or addresses it reads, or
// the selection. A mouse move does so only while the control drags.
bool AccessMayChange(HWND hwnd, UINT message)
{
    switch (message) {
    case HXM_SETDATA:
    case HXM_SETSEL:
    case HXM_SETCARETPOS:
    case HXM_SETBASEADDRESS:
    case HXM_SETADDRESSDIGITS:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_COMMAND:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_CONTEXTMENU:
        return true;
    case WM_MOUSEMOVE:
        return GetCapture() == hwnd;
    default:
        return false;
    }
}

}  // namespace hexedit
