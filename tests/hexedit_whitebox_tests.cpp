// Hex editor white-box tests: the library objects are linked into this program
// (its module stands in for the library's, resources included), so the state
// record, the buffer growth and the code-page helpers can be read directly.
#include <gtest/gtest.h>

#include "hexedit.h"
#include "input.h"
#include "testing.h"

#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <wctype.h>

#include <chrono>
#include <vector>

using namespace orvtest;

namespace {

typedef std::vector<BYTE> Bytes;

class HexWhiteBox : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InitORVCC(ORVCC_HEXEDITOR_CLASS)); }
    HWND Create(DWORD style = 0, int width = 400, int height = 300)
    {
        HWND hwnd = CreateWindowInFlavour("ORV_HexEditorClass", WS_CHILD | WS_VISIBLE | style, 0, 0, width,
                                          height, host_.hwnd(), 7);
        EXPECT_NE(hwnd, nullptr);
        return hwnd;
    }
    LRESULT Send(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessage(hwnd, message, wParam, lParam);
    }
    int OutOfMemoryNotes() const
    {
        int count = 0;
        for (const Notification &n : host_.notifications())
            count += n.code == static_cast<int>(NM_OUTOFMEMORY);
        return count;
    }
    HostWindow host_{640, 520};
};

TEST_F(HexWhiteBox, CreationSetsEveryField)
{
    HWND hex = Create(WS_VSCROLL);
    HexEditorState *s = HexEditorStateOf(hex);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->heap, GetProcessHeap());
    EXPECT_EQ(s->data, nullptr);
    EXPECT_EQ(s->dataSize, 0u);
    EXPECT_EQ(s->capacity, 0u);
    EXPECT_EQ(s->selStart, 0xFFFFFFFFu);
    EXPECT_EQ(s->selEnd, 0xFFFFFFFFu);
    EXPECT_EQ(s->caretPos, 0u);
    EXPECT_EQ(s->mode, static_cast<DWORD>(HXMODE_INSERT));
    EXPECT_EQ(s->viewFlags, 0x00200007u);
    EXPECT_EQ(s->bytesPerLine, 8);
    EXPECT_EQ(s->addressDigits, 4);
    EXPECT_EQ(s->baseAddress, 0u);
    EXPECT_EQ(s->font, GetStockObject(ANSI_FIXED_FONT));
    HDC dc = GetDC(hex);
    HGDIOBJ old = SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    SIZE size;
    GetTextExtentPoint32A(dc, "0", 1, &size);
    SelectObject(dc, old);
    ReleaseDC(hex, dc);
    EXPECT_EQ(s->cellWidth, size.cx);
    EXPECT_EQ(s->cellHeight, size.cy);
    DestroyWindow(hex);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, NULL));
}

TEST_F(HexWhiteBox, ReserveBytesGrowsBySmallSteps)
{
    HWND hex = Create();
    HexEditorState *s = HexEditorStateOf(hex);
    ASSERT_TRUE(HexReserveBytes(s, 1));
    ASSERT_NE(s->data, nullptr);
    EXPECT_EQ(s->capacity, HeapSize(s->heap, 0, s->data));
    EXPECT_GE(s->capacity, 33u);  // n + 32
    // Typing byte after byte: a new block only when capacity <= size + 1.
    Send(hex, HXM_SETMODE, 0, HXMODE_CHAR | HXMODE_INSERT);
    int growths = 0;
    DWORD capacity = s->capacity;
    for (int i = 0; i < 200; ++i) {
        const bool full = !(s->capacity > s->dataSize + 1);
        Send(hex, WM_CHAR, 'a' + i % 26);
        if (s->capacity != capacity) {
            EXPECT_TRUE(full);
            EXPECT_GE(s->capacity, s->dataSize - 1 + 1 + 33);  // dataSize + n + 33 before the byte
            EXPECT_LE(s->capacity, s->dataSize - 1 + 1 + 33 + 16);  // small headroom, not doubling
            capacity = s->capacity;
            ++growths;
        }
        ASSERT_EQ(s->capacity, HeapSize(s->heap, 0, s->data));
        ASSERT_LE(s->dataSize, s->capacity);
    }
    EXPECT_EQ(s->dataSize, 200u);
    EXPECT_GE(growths, 4);
    EXPECT_LE(growths, 7);
    // Room enough: nothing moves.
    BYTE *data = s->data;
    s->dataSize = 10;
    EXPECT_TRUE(HexReserveBytes(s, 5));
    EXPECT_EQ(s->data, data);
    // A request that cannot be represented fails and changes nothing.
    EXPECT_FALSE(HexReserveBytes(s, 0xFFFFFFF0u));
    EXPECT_EQ(s->data, data);
    EXPECT_EQ(s->dataSize, 10u);
    DestroyWindow(hex);
}

TEST_F(HexWhiteBox, SetDataAllocatesCountPlusEightZeroed)
{
    HWND hex = Create();
    HexEditorState *s = HexEditorStateOf(hex);
    Bytes bytes(100, 0x55);
    ASSERT_TRUE(Send(hex, HXM_SETDATA, bytes.size(), reinterpret_cast<LPARAM>(bytes.data())));
    EXPECT_EQ(s->capacity, HeapSize(s->heap, 0, s->data));
    EXPECT_GE(s->capacity, 108u);
    for (DWORD i = 100; i < 108; ++i)
        EXPECT_EQ(s->data[i], 0) << i;
    // Smaller data keeps the block.
    BYTE *block = s->data;
    ASSERT_TRUE(Send(hex, HXM_SETDATA, 10, reinterpret_cast<LPARAM>(bytes.data())));
    EXPECT_EQ(s->data, block);
    EXPECT_EQ(s->dataSize, 10u);
    DestroyWindow(hex);
}

// The heap of the record is a small fixed heap for a while, so that growing fails.
struct SmallHeap {
    explicit SmallHeap(HexEditorState *s) : state(s)
    {
        heap = HeapCreate(0, 0x4000, 0x4000);
        state->heap = heap;
    }
    ~SmallHeap()
    {
        // Give the control a process-heap buffer again before it is destroyed.
        if (state->data) {
            BYTE *copy = static_cast<BYTE *>(HeapAlloc(GetProcessHeap(), 0, state->capacity));
            memcpy(copy, state->data, state->capacity);
            HeapFree(heap, 0, state->data);
            state->data = copy;
        }
        state->heap = GetProcessHeap();
        HeapDestroy(heap);
    }
    HexEditorState *state;
    HANDLE heap;
};

TEST_F(HexWhiteBox, NoRoomForATypedByteNotifiesTheParent)
{
    HWND hex = Create();
    HexEditorState *s = HexEditorStateOf(hex);
    {
        SmallHeap small(s);
        Send(hex, HXM_SETMODE, 0, HXMODE_CHAR | HXMODE_INSERT);
        host_.messages.Flush();
        int typed = 0;
        while (OutOfMemoryNotes() == 0 && typed < 200000) {
            Send(hex, WM_CHAR, 'x');
            ++typed;
        }
        ASSERT_EQ(OutOfMemoryNotes(), 1);
        const DWORD size = s->dataSize;
        EXPECT_EQ(static_cast<int>(size), typed - 1);
        EXPECT_EQ(s->caretPos, size);
        // Hex digits too; nothing changes.
        Send(hex, HXM_SETMODE, 0, HXMODE_HEXHIGH | HXMODE_INSERT);
        Send(hex, WM_CHAR, '7');
        EXPECT_EQ(OutOfMemoryNotes(), 2);
        EXPECT_EQ(s->dataSize, size);
        EXPECT_EQ(s->mode & 0xFFFF, 0u);
        // Overwrite mode inside the data still works.
        Send(hex, HXM_SETCARETPOS, 0, 0);
        Send(hex, HXM_SETMODE, 0, HXMODE_HEXHIGH);
        Send(hex, WM_CHAR, '7');
        EXPECT_EQ(s->data[0], 0x78);
        EXPECT_EQ(OutOfMemoryNotes(), 2);
        // Typing over a selection frees its room first: the byte goes in.
        Send(hex, HXM_SETMODE, 0, HXMODE_CHAR | HXMODE_INSERT);
        Send(hex, HXM_SETSEL, 0, 0);
        Send(hex, WM_CHAR, 'y');
        EXPECT_EQ(s->dataSize, size);
        EXPECT_EQ(s->data[0], 'y');
        for (const Notification &n : host_.notifications())
            EXPECT_EQ(n.idFrom, 7u);
    }
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, NULL));
    DestroyWindow(hex);
}

TEST_F(HexWhiteBox, NoRoomForPastedDataNotifiesTheParent)
{
    HWND hex = Create();
    HexEditorState *s = HexEditorStateOf(hex);
    // A valid block of 256 KiB on the clipboard.
    const DWORD count = 256 * 1024;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, count + 8);
    memcpy(GlobalLock(block), &count, 4);
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(host_.hwnd()));
    EmptyClipboard();
    SetClipboardData(rawBinaryFormat, block);
    CloseClipboard();
    Bytes bytes(16, 0x11);
    Send(hex, HXM_SETDATA, bytes.size(), reinterpret_cast<LPARAM>(bytes.data()));
    {
        SmallHeap small(s);
        // Data from the small heap first (HXM_SETDATA of a larger block).
        Bytes more(64, 0x22);
        HeapFree(GetProcessHeap(), 0, s->data);
        s->data = NULL;
        s->capacity = 0;
        ASSERT_TRUE(Send(hex, HXM_SETDATA, more.size(), reinterpret_cast<LPARAM>(more.data())));
        host_.messages.Flush();
        Send(hex, HXM_SETSEL, 2, 5);
        Send(hex, WM_COMMAND, IDM_HEX_PASTE);
        EXPECT_EQ(OutOfMemoryNotes(), 1);
        EXPECT_EQ(s->dataSize, 60u);  // the selection went, nothing came in
        EXPECT_EQ(s->caretPos, 2u);
        // HXM_SETDATA beyond the heap: FALSE, ERROR_OUTOFMEMORY, old data kept.
        Bytes huge(0x20000, 0x33);
        SetLastError(0);
        EXPECT_FALSE(Send(hex, HXM_SETDATA, huge.size(), reinterpret_cast<LPARAM>(huge.data())));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_OUTOFMEMORY));
        EXPECT_EQ(s->dataSize, 60u);
        EXPECT_EQ(s->data[0], 0x22);
    }
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, NULL));
    DestroyWindow(hex);
}

// The Unicode build's character pane: what one byte shows in a code page.
TEST(HexCharacters, DisplayCharacterOfAByte)
{
    EXPECT_EQ(HexDisplayCharW(0x41, 1252), L'A');
    EXPECT_EQ(HexDisplayCharW(0x20, 1252), L' ');
    EXPECT_EQ(HexDisplayCharW(0x07, 1252), L'.');
    EXPECT_EQ(HexDisplayCharW(0x7F, 1252), L'.');
    EXPECT_EQ(HexDisplayCharW(0x81, 1252), L'.');  // undefined in 1252: a C1 control
    EXPECT_EQ(HexDisplayCharW(0xE4, 1252), 0x00E4);
    // The euro sign, as printable as the runtime's iswprint says.
    EXPECT_EQ(HexDisplayCharW(0x80, 1252), iswprint(0x20AC) ? 0x20AC : L'.');
    // Left to the implementer: a lead byte of a double-byte code page is ".".
    for (UINT codePage : {932u, 936u, 949u, 950u}) {
        CPINFO info;
        if (!GetCPInfo(codePage, &info))
            continue;
        int leads = 0;
        for (int b = 0x80; b < 0x100; ++b) {
            if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(b))) {
                ++leads;
                EXPECT_EQ(HexDisplayCharW(static_cast<BYTE>(b), codePage), L'.') << codePage << " " << b;
            }
        }
        EXPECT_GT(leads, 0) << codePage;
        EXPECT_EQ(HexDisplayCharW('A', codePage), L'A');
    }
    // Single-byte half-width katakana of 932 shows as itself.
    EXPECT_EQ(HexDisplayCharW(0xB1, 932), 0xFF71);
    // The ANSI build: 0x20..0x7E only.
    EXPECT_EQ(HexDisplayCharA(0x41), 'A');
    EXPECT_EQ(HexDisplayCharA(0x7E), '~');
    EXPECT_EQ(HexDisplayCharA(0x7F), '.');
    EXPECT_EQ(HexDisplayCharA(0xE4), '.');
    EXPECT_EQ(HexDisplayCharA(0x1F), '.');
}

TEST(HexCharacters, TypedCharacterToByte)
{
    BYTE byte = 0;
    EXPECT_TRUE(HexCharToByte(0x00E4, 1252, &byte));
    EXPECT_EQ(byte, 0xE4);
    EXPECT_TRUE(HexCharToByte(0x4E00, 1252, &byte));  // missing: the default character
    EXPECT_EQ(byte, '?');
    // A character that needs two bytes is refused (nothing is stored).
    byte = 0x5A;
    EXPECT_FALSE(HexCharToByte(0x3042, 932, &byte));
    EXPECT_EQ(byte, 0x5A);
    EXPECT_TRUE(HexCharToByte(0xFF71, 932, &byte));
    EXPECT_EQ(byte, 0xB1);
}

// ===========================================================================
// The randomized test: 100,000 random keys, clicks, commands and messages (all
// pointers valid) with the state's invariants checked after every step.

class Random {
public:
    explicit Random(uint32_t seed) : state_(seed) {}
    uint32_t Next()
    {
        // xorshift32: the same sequence on every run.
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }

private:
    uint32_t state_;
};

// Dispatches what is queued except input, which the test produces itself.
void DrainQueue()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if ((msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
            (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST))
            continue;
        if (IsAnsiFlavour())
            DispatchMessageA(&msg);
        else
            DispatchMessageW(&msg);
    }
}

LRESULT CALLBACK CloseMenus(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT *call = reinterpret_cast<const CWPSTRUCT *>(lParam);
    if (code == HC_ACTION && call->message == WM_ENTERIDLE)
        EndMenu();
    return CallNextHookEx(NULL, code, wParam, lParam);
}

::testing::AssertionResult Invariants(HWND hex, const HexEditorState *s)
{
    char why[200] = "";
    if (s->dataSize > s->capacity)
        snprintf(why, sizeof why, "size %lu > capacity %lu", s->dataSize, s->capacity);
    else if (s->data && s->capacity > HeapSize(s->heap, 0, s->data))
        snprintf(why, sizeof why, "capacity %lu beyond the block", s->capacity);
    else if (!s->data && (s->capacity || s->dataSize))
        snprintf(why, sizeof why, "no buffer but capacity %lu", s->capacity);
    else if (s->caretPos > s->dataSize)
        snprintf(why, sizeof why, "caret %lu > size %lu", s->caretPos, s->dataSize);
    else if ((s->selStart == 0xFFFFFFFF) != (s->selEnd == 0xFFFFFFFF))
        snprintf(why, sizeof why, "half a selection %lu %lu", s->selStart, s->selEnd);
    else if (s->selStart != 0xFFFFFFFF && !(s->selStart <= s->selEnd && s->selEnd <= s->dataSize))
        snprintf(why, sizeof why, "selection %lu..%lu, size %lu", s->selStart, s->selEnd, s->dataSize);
    else if ((s->mode & 0xFFFF) > 2)
        snprintf(why, sizeof why, "position %lu", s->mode & 0xFFFF);
    else if ((s->mode & 0xFFFF) == 1 && s->caretPos >= s->dataSize)
        snprintf(why, sizeof why, "low digit at the append position %lu", s->caretPos);
    else if (s->bytesPerLine < 1 || s->bytesPerLine > 256 || s->addressDigits < 1 || s->addressDigits > 8)
        snprintf(why, sizeof why, "layout %d %d", s->bytesPerLine, s->addressDigits);
    if (*why)
        return ::testing::AssertionFailure() << why;
    // The messages tell the same.
    HexRange range;
    SendMessage(hex, HXM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    if (static_cast<DWORD>(SendMessage(hex, HXM_GETDATASIZE, 0, 0)) != s->dataSize ||
        static_cast<DWORD>(SendMessage(hex, HXM_GETCARETPOS, 0, 0)) != s->caretPos ||
        range.first != s->selStart || range.last != s->selEnd)
        return ::testing::AssertionFailure() << "messages disagree with the state";
    return ::testing::AssertionSuccess();
}

TEST_F(HexWhiteBox, RandomizedSoakKeepsTheInvariants)
{
    const int steps = EnvInt("ORVCC_SOAK_STEPS", 100000);
    Random random(0x5EED1234u);
    HWND hex = Create(WS_HSCROLL | WS_VSCROLL, 600, 480);
    HexEditorState *s = HexEditorStateOf(hex);
    FocusForInput(hex);
    if (OpenClipboard(host_.hwnd())) {
        EmptyClipboard();
        CloseClipboard();
    }
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CloseMenus, NULL, GetCurrentThreadId());
    bool shift = false, ctrl = false;
    auto modifier = [](WORD key, bool &held, bool down) {
        if (held != down) {
            KeyEvent(key, down);
            held = down;
        }
    };
    const WORD navigation[] = {VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN};
    const WORD editing[] = {VK_INSERT, VK_DELETE, VK_BACK, VK_F5, 'A'};
    const char hexChars[] = "0123456789abcdefABCDEFxz g";
    std::vector<BYTE> buffer(70000);
    for (size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = static_cast<BYTE>(i * 7 + 3);
    HFONT fonts[] = {static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT)),
                     static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT)),
                     static_cast<HFONT>(GetStockObject(OEM_FIXED_FONT))};
    int counts[12] = {};
    const auto started = std::chrono::steady_clock::now();
    double spent[10] = {};
    LARGE_INTEGER frequency, t0, t1;
    QueryPerformanceFrequency(&frequency);
    for (int step = 0; step < steps; ++step) {
        const int kind = random.Below(100);
        if (step == steps / 10) {
            // The rest runs with the host hidden: the same code paths (focus and
            // caret included), without the X server drawing every scroll bar
            // change, which costs milliseconds under Wine.
            ShowWindow(host_.hwnd(), SW_HIDE);
            SetFocus(hex);
        }
        QueryPerformanceCounter(&t0);
        // Shift and Ctrl through real input: the control reads them asynchronously.
        if (random.Chance(8))
            modifier(VK_SHIFT, shift, random.Chance(40));
        if (random.Chance(3))
            modifier(VK_CONTROL, ctrl, random.Chance(15));
        const LPARAM point = MAKELPARAM(random.Below(660) - 30, random.Below(540) - 30);
        if (kind < 30 || (kind >= 96 && kind < 99)) {
            ++counts[0];
            Send(hex, WM_KEYDOWN, navigation[random.Below(8)], 0);
        } else if (kind < 38) {
            ++counts[1];
            Send(hex, WM_KEYDOWN, editing[random.Below(5)], 0);
        } else if (kind < 58) {
            ++counts[2];
            // Ctrl with a character: a shortcut only with the letter key down,
            // otherwise a beep; keep that rare (beeps are slow).
            if (ctrl && !random.Chance(5))
                modifier(VK_CONTROL, ctrl, false);
            const WPARAM ch = random.Chance(70) ? static_cast<BYTE>(hexChars[random.Below(sizeof hexChars - 1)])
                                                : static_cast<WPARAM>(random.Below(256));
            Send(hex, WM_CHAR, ch, 0);
        } else if (kind < 70) {
            ++counts[3];
            const UINT mouse[] = {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
            const UINT message = mouse[random.Below(5)];
            Send(hex, message, (random.Chance(30) ? MK_SHIFT : 0) | (message == WM_MOUSEMOVE ? MK_LBUTTON : 0),
                 point);
        } else if (kind < 76) {
            ++counts[4];
            Send(hex, WM_COMMAND, 40002 + random.Below(6), 0);
        } else if (kind < 78) {
            ++counts[5];
            // A crafted block on the clipboard, its count honest or not.
            const DWORD size = 8 + random.Below(40);
            const DWORD count = random.Chance(50) ? static_cast<DWORD>(random.Below(size - 7))
                                                  : random.Next() % 1000;
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
            BYTE *p = static_cast<BYTE *>(GlobalLock(block));
            memcpy(p, &count, 4);
            for (DWORD i = 8; i < size; ++i)
                p[i] = static_cast<BYTE>(random.Next());
            GlobalUnlock(block);
            if (OpenClipboard(host_.hwnd())) {
                EmptyClipboard();
                SetClipboardData(rawBinaryFormat, block);
                CloseClipboard();
            } else {
                GlobalFree(block);
            }
        } else if (kind < 95) {
            ++counts[6];
            const int which = random.Below(14);
            switch (which) {
            case 0: {
                // Mostly data that fits the window; now and then much more (then
                // the view scrolls, which redraws the bars: the slow part here).
                const int size = random.Chance(75) ? random.Below(64)
                               : random.Chance(80) ? random.Below(400) : random.Below(70000);
                Send(hex, HXM_SETDATA, size, reinterpret_cast<LPARAM>(buffer.data() + random.Below(64)));
                break;
            }
            case 1: {
                const DWORD a = random.Chance(80) ? random.Below(s->dataSize + 3) : random.Next();
                const DWORD b = random.Chance(80) ? random.Below(s->dataSize + 3) : random.Next();
                Send(hex, HXM_SETSEL, a, random.Chance(5) ? 0xFFFFFFFF : b);
                break;
            }
            case 2:
                Send(hex, HXM_SETCARETPOS, 0, random.Chance(80) ? random.Below(s->dataSize + 5) : random.Next());
                break;
            case 3:
                Send(hex, HXM_SETMODE, 0, random.Chance(70) ? random.Below(4) | (random.Chance(50) ? HXMODE_INSERT : 0)
                                                           : random.Next());
                break;
            case 4:
                Send(hex, HXM_SETVIEWFLAGS, random.Next(), random.Next() | (random.Chance(80) ? 0x00300007 : 0));
                break;
            case 5:
                Send(hex, HXM_SETBYTESPERLINE, 0, random.Chance(85) ? 4 + random.Below(16) : random.Below(300) - 10);
                break;
            case 6:
                Send(hex, HXM_SETADDRESSDIGITS, 0, random.Below(12) - 2);
                break;
            case 7:
                Send(hex, HXM_SETBASEADDRESS, 0, random.Next());
                break;
            case 8: {
                COLORREF colors[4] = {random.Next() & 0xFFFFFF, random.Next() & 0xFFFFFF,
                                      random.Next() & 0xFFFFFF, random.Next() & 0xFFFFFF};
                Send(hex, random.Chance(50) ? HXM_SETCOLORS : HXM_GETCOLORS, random.Below(16),
                     reinterpret_cast<LPARAM>(colors));
                break;
            }
            case 9: {
                DWORD a = 0, b = 0;
                Send(hex, HXM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
                Send(hex, HXM_GETDATA, random.Below(400), reinterpret_cast<LPARAM>(buffer.data() + 1000));
                Send(hex, HXM_GETIDEALWIDTH);
                Send(hex, HXM_GETMODE);
                Send(hex, HXM_GETDATAPTR);
                break;
            }
            case 10:
                Send(hex, random.Chance(50) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(random.Below(10), random.Below(100)));
                break;
            case 11:
                Send(hex, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[random.Below(3)]), random.Below(2));
                break;
            case 12:
                if (random.Chance(40))
                    MoveWindow(hex, 0, 0, 20 + random.Below(600), 5 + random.Below(480), random.Chance(50));
                break;
            default:
                if (random.Chance(50))
                    SetFocus(host_.hwnd());
                else
                    SetFocus(hex);
                break;
            }
        } else if (kind < 96) {
            ++counts[7];
            if (random.Chance(10))
                Send(hex, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hex),
                     random.Chance(50) ? -1 : MAKELPARAM(100, 100));
        } else {
            ++counts[8];
            if (IsWindowVisible(hex)) {
                UpdateWindow(hex);
            } else {
                InvalidateRect(hex, NULL, FALSE);
                Send(hex, WM_PAINT);
            }
        }
        QueryPerformanceCounter(&t1);
        {
            const int bucket = kind < 30 ? 0 : kind < 38 ? 1 : kind < 58 ? 2 : kind < 70 ? 3 : kind < 76 ? 4
                             : kind < 78 ? 5 : kind < 95 ? 6 : kind < 96 ? 7 : kind < 99 ? 0 : 8;
            spent[bucket] += double(t1.QuadPart - t0.QuadPart) / frequency.QuadPart;
        }
        if (step % 64 == 0)
            DrainQueue();
        ASSERT_TRUE(Invariants(hex, s)) << "after step " << step << " (kind " << kind << ")";
        if (step % 5000 == 0) {
            ASSERT_TRUE(HeapValidate(GetProcessHeap(), 0, NULL)) << "step " << step;
        }
    }
    modifier(VK_SHIFT, shift, false);
    modifier(VK_CONTROL, ctrl, false);
    DrainQueue();
    UnhookWindowsHookEx(hook);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    printf("soak: %d steps in %.1f s; keys %d, edit keys %d, chars %d, mouse %d, commands %d, "
           "clipboard blocks %d, messages %d, menus %d, paints %d; final size %lu\n",
           steps, seconds, counts[0], counts[1], counts[2], counts[3], counts[4], counts[5], counts[6],
           counts[7], counts[8], s->dataSize);
    printf("soak seconds by kind:");
    for (int i = 0; i < 9; ++i)
        printf(" %.2f", spent[i]);
    printf("\n");
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, NULL));
    DestroyWindow(hex);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, NULL));
}

}  // namespace

// Painting runs of cells with one text call gives the picture of one call per
// cell: captures of both agree over fonts (fixed and proportional, raster and
// outline, italic whose ink leaves its cell), data, selections, colours, line
// widths, view flags and scroll positions.
TEST_F(HexWhiteBox, RunPaintingMatchesCellPainting)
{
    struct FontSpec {
        const char *face;  // null: the stock font
        int stock, height, weight;
        BOOL italic;
    };
    const FontSpec fonts[] = {
        {nullptr, ANSI_FIXED_FONT, 0, 0, FALSE},  {nullptr, SYSTEM_FONT, 0, 0, FALSE},
        {"DejaVu Sans Mono", 0, 15, FW_NORMAL, FALSE}, {"DejaVu Sans", 0, 22, FW_NORMAL, TRUE},
        {"DejaVu Serif", 0, 13, FW_BOLD, FALSE},  {"Courier", 0, 20, FW_BOLD, TRUE},
    };
    enum Data { kRandom, kAscending, kText };
    struct Case {
        int font, bytesPerLine;
        Data data;
        DWORD selFirst, selLast;  // kNoSel: none
        bool colours;             // custom colours instead of the system's
        DWORD viewFlags;          // HXV_ADDRESS | HXV_HEX | HXV_CHARS subset
        int down, right;          // scroll steps
    };
    const DWORD kNoSel = 0xFFFFFFFFu, kAll = HXV_ADDRESS | HXV_HEX | HXV_CHARS;
    const Case cases[] = {
        {0, 16, kRandom, kNoSel, 0, false, kAll, 0, 0},
        {0, 16, kAscending, 5, 40, false, kAll, 0, 0},
        {0, 7, kRandom, 3, 3, true, kAll, 2, 0},
        {1, 16, kText, 20, 300, false, kAll, 1, 3},
        {1, 13, kRandom, 0, 700, true, HXV_HEX | HXV_CHARS, 0, 0},
        {2, 16, kAscending, 17, 100, true, kAll, 3, 0},
        {2, 32, kRandom, 31, 32, false, HXV_CHARS, 0, 5},
        {3, 8, kAscending, 9, 60, false, kAll, 0, 0},
        {3, 16, kText, kNoSel, 0, true, HXV_ADDRESS | HXV_CHARS, 4, 2},
        {4, 11, kRandom, 2, 250, false, kAll, 1, 7},
        {5, 16, kAscending, 40, 90, true, kAll, 0, 0},
        {5, 9, kText, 0, 4, false, HXV_HEX, 2, 1},
    };
    const COLORREF custom[4] = {RGB(250, 240, 200), RGB(20, 40, 160), RGB(30, 120, 30), RGB(255, 255, 0)};
    Random random(0xC0FFEEu);
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const Case &c = cases[i];
        SCOPED_TRACE(testing::Message() << "case " << i);
        const FontSpec &f = fonts[c.font];
        HFONT font = f.face ? CreateFontA(f.height, 0, 0, 0, f.weight, f.italic, FALSE, FALSE, DEFAULT_CHARSET, 0,
                                          0, 0, 0, f.face)
                            : static_cast<HFONT>(GetStockObject(f.stock));
        HWND hex = Create(WS_HSCROLL | WS_VSCROLL, 520, 260);
        Send(hex, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        Send(hex, HXM_SETBYTESPERLINE, 0, c.bytesPerLine);
        Send(hex, HXM_SETVIEWFLAGS, kAll, c.viewFlags);
        Bytes data(1000);
        for (size_t k = 0; k < data.size(); ++k)
            data[k] = static_cast<BYTE>(c.data == kRandom      ? random.Next()
                                        : c.data == kAscending ? k
                                                               : "Wim jumps; fix Qy_|@%~ "[k % 23]);
        Send(hex, HXM_SETDATA, data.size(), reinterpret_cast<LPARAM>(data.data()));
        Send(hex, HXM_SETSEL, c.selFirst, c.selLast);
        if (c.colours)
            Send(hex, HXM_SETCOLORS, 0xF, reinterpret_cast<LPARAM>(custom));
        for (int k = 0; k < c.down; ++k)
            Send(hex, WM_VSCROLL, SB_LINEDOWN);
        for (int k = 0; k < c.right; ++k)
            Send(hex, WM_HSCROLL, SB_LINERIGHT);
        PumpMessages();
        hexPaintCellByCell = true;
        InvalidateRect(hex, NULL, FALSE);
        const Capture cells(hex);
        hexPaintCellByCell = false;
        InvalidateRect(hex, NULL, FALSE);
        const Capture runs(hex);
        int differ = 0, firstX = -1, firstY = -1, ink = 0;
        const COLORREF back = cells.At(cells.width() - 1, cells.height() - 1);
        for (int y = 0; y < cells.height(); ++y)
            for (int x = 0; x < cells.width(); ++x) {
                ink += cells.At(x, y) != back;
                if (cells.At(x, y) != runs.At(x, y) && differ++ == 0) {
                    firstX = x;
                    firstY = y;
                }
            }
        EXPECT_GT(ink, 1000);  // the picture shows text
        EXPECT_EQ(differ, 0) << "first at " << firstX << "," << firstY;
        DestroyWindow(hex);
        if (f.face)
            DeleteObject(font);
    }
}
