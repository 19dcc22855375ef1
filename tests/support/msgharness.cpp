#include "msgharness.h"

#include "testing.h"

#include <gtest/gtest.h>

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <vector>

namespace orvtest {

namespace {

// Actions that are not a single message to the control.
const UINT kActResize = 0xFFFF0001;
const UINT kActPaint = 0xFFFF0002;
const UINT kActFocus = 0xFFFF0003;
const UINT kActCapture = 0xFFFF0004;

const MsgRow kCommonRows[] = {
    {WM_SETFOCUS, kArgWindow, kArgZero, 0, 0},
    {WM_KILLFOCUS, kArgWindow, kArgZero, 0, 0},
    {kActFocus, kArgZero, kArgZero, 0, 0},
    {kActResize, kArgZero, kArgZero, 0, 0},
    {kActPaint, kArgZero, kArgZero, 0, 0},
    {kActCapture, kArgZero, kArgZero, 0, 0},
    {WM_SIZE, kArgZero, kArgAny, 0, 0},
    {WM_PAINT, kArgZero, kArgZero, 0, 0},
    {WM_ERASEBKGND, kArgDC, kArgZero, 0, 0},
    {WM_SETFONT, kArgFont, kArgBool, 0, 0},
    {WM_GETFONT, kArgZero, kArgZero, 0, 0},
    {WM_MOUSEMOVE, kArgMouseKeys, kArgPoint, 0, 0},
    {WM_MOUSEMOVE, kArgMouseKeys, kArgPoint, 0, 0},
    {WM_LBUTTONDOWN, kArgMouseKeys, kArgPoint, 0, 0},
    {WM_LBUTTONUP, kArgMouseKeys, kArgPoint, 0, 0},
    {WM_LBUTTONDBLCLK, kArgMouseKeys, kArgPoint, 0, 0},
    {WM_RBUTTONDOWN, kArgMouseKeys, kArgPoint, 0, kRowModal},
    {WM_RBUTTONUP, kArgMouseKeys, kArgPoint, 0, kRowModal},
    {WM_MOUSEWHEEL, kArgAny, kArgPoint, 0, 0},
    {WM_CAPTURECHANGED, kArgZero, kArgWindow, 0, 0},
    {WM_CANCELMODE, kArgZero, kArgZero, 0, 0},
    {WM_KEYDOWN, kArgKey, kArgAny, 0, kRowModal},
    {WM_KEYUP, kArgKey, kArgAny, 0, kRowModal},
    {WM_CHAR, kArgChar, kArgAny, 0, 0},
    {WM_HSCROLL, kArgAny, kArgZero, 0, 0},
    {WM_VSCROLL, kArgAny, kArgZero, 0, 0},
    {WM_GETDLGCODE, kArgKey, kArgInOpt, sizeof(MSG), 0},
    {WM_THEMECHANGED, kArgZero, kArgZero, 0, 0},
    {WM_SYSCOLORCHANGE, kArgZero, kArgZero, 0, 0},
    {0x02E3 /* WM_DPICHANGED_AFTERPARENT */, kArgZero, kArgZero, 0, 0},
    {0x02E0 /* WM_DPICHANGED */, kArgAny, kArgInOpt, sizeof(RECT), 0},
    {WM_ENABLE, kArgBool, kArgZero, 0, 0},
    {WM_SETTEXT, kArgZero, kArgString, 40, 0},
    {WM_GETTEXT, kArgCount, kArgOut, 64, kRowChars},
    {WM_GETTEXTLENGTH, kArgZero, kArgZero, 0, 0},
    {WM_NCHITTEST, kArgZero, kArgPoint, 0, 0},
};

// xorshift32: the same stream for the same seed on every run.
struct Random {
    uint32_t state;
    explicit Random(unsigned seed) : state(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    int Range(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint32_t>(hi - lo + 1)); }
    bool OneIn(int n) { return Next() % static_cast<uint32_t>(n) == 0; }
};

// A buffer that ends where an inaccessible page begins, so any access past its end
// faults; the bytes before it are a pattern that must survive the call.
class GuardedBuffer {
public:
    ~GuardedBuffer()
    {
        if (base_)
            VirtualFree(base_, 0, MEM_RELEASE);
    }
    BYTE *Place(size_t bytes)
    {
        Reserve(bytes + 16);
        size_ = bytes;
        data_ = base_ + capacity_ - bytes;
        memset(base_ + capacity_ - bytes - 16, 0xA5, 16);
        return data_;
    }
    bool HeadIntact() const
    {
        const BYTE *head = data_ - 16;
        for (int i = 0; i < 16; ++i)
            if (head[i] != 0xA5)
                return false;
        return true;
    }
    BYTE *data() const { return data_; }
    size_t size() const { return size_; }

private:
    void Reserve(size_t bytes)
    {
        if (bytes <= capacity_)
            return;
        if (base_)
            VirtualFree(base_, 0, MEM_RELEASE);
        const size_t page = 4096;
        capacity_ = (bytes + page - 1) / page * page;
        base_ = static_cast<BYTE *>(VirtualAlloc(NULL, capacity_ + page, MEM_RESERVE, PAGE_NOACCESS));
        VirtualAlloc(base_, capacity_, MEM_COMMIT, PAGE_READWRITE);
    }
    BYTE *base_ = nullptr;
    size_t capacity_ = 0;
    BYTE *data_ = nullptr;
    size_t size_ = 0;
};

// The message being sent, for the report of an unhandled fault inside it.
struct InFlight {
    const char *className;
    unsigned long index;
    unsigned seed;
    UINT msg;
    WPARAM w;
    LPARAM l;
    bool active;
};
InFlight inFlight;

LONG WINAPI ReportFault(EXCEPTION_POINTERS *info)
{
    if (inFlight.active) {
        fprintf(stderr,
                "harness: exception 0x%08lx in %s, message %lu of seed %u: msg 0x%04x wParam 0x%llx "
                "lParam 0x%llx\n",
                info->ExceptionRecord->ExceptionCode, inFlight.className, inFlight.index,
                inFlight.seed, inFlight.msg, static_cast<unsigned long long>(inFlight.w),
                static_cast<unsigned long long>(inFlight.l));
        fflush(stderr);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// Ends any menu or modal loop that a message opened.
LRESULT CALLBACK EndModal(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_MENU)
        EndMenu();
    return CallNextHookEx(NULL, code, wParam, lParam);
}

// A plain child window for the host's panes.
HWND MakeChild(HWND parent, int x, int y, int w, int h, DWORD visible)
{
    return CreateWindowExW(0, L"STATIC", L"pane", WS_CHILD | visible, x, y, w, h, parent, NULL,
                           GetModuleHandleW(NULL), NULL);
}

bool HeapsValid(const HarnessSetup &setup)
{
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i)
        if (!HeapValidate(heaps[i], 0, NULL))
            return false;
    return !setup.validateHeaps || setup.validateHeaps();
}

// One stream session: the host, its helper windows and objects, the random source.
class Session {
public:
    Session(const HarnessSetup &setup, unsigned seed) : spec_(setup), random_(seed), seed_(seed)
    {
        ansi_ = IsAnsiFlavour();
        host_ = hostWindow_.hwnd();
        for (int i = 0; i < 2; ++i)
            panes_[i] = MakeChild(host_, 300, 10 + 40 * i, 30, 30, WS_VISIBLE);
        dead_ = MakeChild(host_, 0, 0, 1, 1, 0);
        DestroyWindow(dead_);
        screen_ = GetDC(NULL);
        dc_ = CreateCompatibleDC(screen_);
        bitmap_ = CreateCompatibleBitmap(screen_, 64, 64);
        oldBitmap_ = SelectObject(dc_, bitmap_);
        font_ = CreateFontW(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
        hook_ = SetWindowsHookExW(WH_MSGFILTER, EndModal, NULL, GetCurrentThreadId());
        for (size_t i = 0; i < setup.rowCount; ++i)
            own_.push_back(setup.rows[i]);
        if (setup.commonRows) {
            common_.assign(kCommonRows, kCommonRows + sizeof kCommonRows / sizeof kCommonRows[0]);
            // The library's dark-mode change, a registered message.
            common_.push_back({RegisterWindowMessageW(L"OrvccDarkModeChanged"), kArgBool, kArgZero, 0, 0});
        }
        PumpMessages();
    }
    ~Session()
    {
        if (hook_)
            UnhookWindowsHookEx(hook_);
        SelectObject(dc_, oldBitmap_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        ReleaseDC(NULL, screen_);
        DeleteObject(font_);
    }

    HWND Create()
    {
        // A control may have adopted a pane and taken it down with it.
        for (int i = 0; i < 2; ++i)
            if (!IsWindow(panes_[i]))
                panes_[i] = MakeChild(host_, 300, 10 + 40 * i, 30, 30, WS_VISIBLE);
        if (spec_.create)
            control_ = spec_.create(host_);
        else
            control_ = CreateWindowInFlavour(spec_.className, spec_.style, 10, 10, spec_.width,
                                             spec_.height, host_, 1001);
        return control_;
    }
    void Destroy()
    {
        if (spec_.destroy)
            spec_.destroy(control_);
        else
            DestroyWindow(control_);
        control_ = NULL;
        ReleaseCapture();
        PumpMessages();
    }

    // Sends one random message; returns a fault description or "".
    std::string Step(unsigned long index)
    {
        const MsgRow &row = PickRow();
        switch (row.msg) {
        case kActResize:
            SetWindowPos(control_, NULL, random_.Range(-5, 20), random_.Range(-5, 20),
                         RandomExtent(), RandomExtent(), SWP_NOZORDER | SWP_NOACTIVATE);
            return "";
        case kActPaint:
            InvalidateRect(control_, NULL, random_.OneIn(2));
            UpdateWindow(control_);
            return "";
        case kActFocus: {
            const HWND targets[] = {control_, host_, panes_[0]};
            SetFocus(targets[random_.Range(0, 2)]);
            return "";
        }
        case kActCapture:
            if (random_.OneIn(2))
                SetCapture(control_);
            else
                ReleaseCapture();
            return "";
        default:
            break;
        }
        // A count on one side sizes the buffer on the other side.
        LPARAM w, l;
        if (row.l == kArgCount) {
            l = MakeArg(row, row.l, 0, lBuf_, &lIn_);
            w = MakeArg(row, row.w, static_cast<size_t>(l), wBuf_, &wIn_);
        } else {
            w = MakeArg(row, row.w, row.bufBytes, wBuf_, &wIn_);
            const size_t size = row.w == kArgCount ? static_cast<size_t>(w) : row.bufBytes;
            l = MakeArg(row, row.l, size, lBuf_, &lIn_);
        }
        const WPARAM wFinal = static_cast<WPARAM>(w);
        const LPARAM lFinal = l;
        if (row.flags & kRowModal)
            PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
        inFlight = {spec_.className, index, seed_, row.msg, wFinal, lFinal, true};
        if (trace_) {
            fprintf(stderr, "%lu: msg 0x%04x wParam 0x%llx lParam 0x%llx\n", index, row.msg,
                    static_cast<unsigned long long>(wFinal), static_cast<unsigned long long>(lFinal));
            fflush(stderr);
        }
        if (ansi_)
            SendMessageA(control_, row.msg, wFinal, lFinal);
        else
            SendMessageW(control_, row.msg, wFinal, lFinal);
        inFlight.active = false;
        std::string fault = CheckBuffer(row.w, wBuf_, wIn_, "wParam");
        if (fault.empty())
            fault = CheckBuffer(row.l, lBuf_, lIn_, "lParam");
        if (!fault.empty()) {
            char where[160];
            snprintf(where, sizeof where, " (%s, message %lu of seed %u: msg 0x%04x)", spec_.className,
                     index, seed_, row.msg);
            fault += where;
        }
        return fault;
    }
    bool Valid() const { return HeapsValid(spec_); }

private:
    const MsgRow &PickRow()
    {
        if (common_.empty() || (!own_.empty() && random_.OneIn(2)))
            return own_[random_.Next() % own_.size()];
        return common_[random_.Next() % common_.size()];
    }
    int RandomExtent()
    {
        switch (random_.Range(0, 5)) {
        case 0:
            return 0;
        case 1:
            return random_.Range(1, 8);
        default:
            return random_.Range(1, 400);
        }
    }
    LPARAM Scalar()
    {
        static const uint32_t special[] = {0, 1, 2, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0xFFFFu,
                                           0x10000u, 0xFFFFFFFEu};
        switch (random_.Range(0, 3)) {
        case 0:
            return static_cast<LPARAM>(static_cast<int32_t>(special[random_.Next() % 9]));
        case 1:
            return random_.Range(-8, 300);
        default:
            return static_cast<LPARAM>(static_cast<int32_t>(random_.Next()));
        }
    }
    // An argument; size is the buffer size of a pointer argument.
    LPARAM MakeArg(const MsgRow &row, ArgKind kind, size_t size, GuardedBuffer &buffer,
                   std::vector<BYTE> *inCopy)
    {
        switch (kind) {
        case kArgZero:
            return 0;
        case kArgAny:
            return Scalar();
        case kArgBool:
            return random_.Range(0, 1);
        case kArgSmall:
            return random_.Range(-8, 300);
        case kArgPoint: {
            RECT rect = {0, 0, 0, 0};
            GetClientRect(control_, &rect);
            const int x = random_.Range(-10, rect.right + 10), y = random_.Range(-10, rect.bottom + 10);
            return MAKELPARAM(x, y);
        }
        case kArgMouseKeys: {
            static const WPARAM keys[] = {0, MK_LBUTTON, MK_SHIFT, MK_CONTROL, MK_LBUTTON | MK_SHIFT,
                                          MK_RBUTTON};
            return static_cast<LPARAM>(keys[random_.Next() % 6]);
        }
        case kArgKey: {
            static const BYTE keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END, VK_PRIOR,
                                        VK_NEXT, VK_INSERT, VK_DELETE, VK_BACK, VK_TAB, VK_RETURN,
                                        VK_ESCAPE, VK_SPACE, VK_SHIFT, VK_CONTROL, VK_F1, 'A', 'C',
                                        'V', 'X', '0', '9', 0xFF, 0};
            return keys[random_.Next() % sizeof keys];
        }
        case kArgChar:
            return random_.OneIn(4) ? random_.Range(0, 31) : random_.Range(32, ansi_ ? 255 : 0x3000);
        case kArgDC:
            return reinterpret_cast<LPARAM>(dc_);
        case kArgFont: {
            const HGDIOBJ fonts[] = {NULL, GetStockObject(DEFAULT_GUI_FONT), GetStockObject(SYSTEM_FONT),
                                     font_};
            return reinterpret_cast<LPARAM>(fonts[random_.Range(0, 3)]);
        }
        case kArgWindow: {
            const HWND windows[] = {NULL, panes_[0], panes_[1], control_, host_, dead_};
            return reinterpret_cast<LPARAM>(windows[random_.Range(0, 5)]);
        }
        case kArgCount:
            return random_.Range(0, static_cast<int>(row.bufBytes));
        case kArgPick:
            return row.picks && row.bufBytes ? row.picks[random_.Next() % row.bufBytes] : 0;
        default:
            return MakePointer(row, kind, size, buffer, inCopy);
        }
    }
    // A pointer argument of bytes bytes (characters of the flavour for text).
    LPARAM MakePointer(const MsgRow &row, ArgKind kind, size_t count, GuardedBuffer &buffer,
                       std::vector<BYTE> *inCopy)
    {
        if ((kind == kArgInOpt || kind == kArgOutOpt) && random_.OneIn(8)) {
            buffer.Place(0);
            return 0;
        }
        const size_t charSize = ansi_ ? 1 : 2;
        if (kind == kArgString) {
            const size_t chars = count ? random_.Next() % count : 0;
            BYTE *p = buffer.Place((chars + 1) * charSize);
            for (size_t i = 0; i < chars * charSize; ++i)
                p[i] = static_cast<BYTE>(random_.Range(1, 255));
            memset(p + chars * charSize, 0, charSize);
            inCopy->assign(p, p + buffer.size());
            return reinterpret_cast<LPARAM>(p);
        }
        if (kind != kArgIn && kind != kArgOut && kind != kArgInOpt && kind != kArgOutOpt)
            return 0;
        const size_t bytes = row.flags & kRowChars ? count * charSize : count;
        BYTE *p = buffer.Place(bytes);
        const bool in = kind == kArgIn || kind == kArgInOpt;
        for (size_t i = 0; i < bytes; ++i)
            p[i] = in ? static_cast<BYTE>(random_.Next()) : 0xCD;
        if (in)
            inCopy->assign(p, p + bytes);
        else
            inCopy->clear();
        return reinterpret_cast<LPARAM>(p);
    }
    static std::string CheckBuffer(ArgKind kind, const GuardedBuffer &buffer,
                                   const std::vector<BYTE> &inCopy, const char *which)
    {
        const bool pointer = kind == kArgIn || kind == kArgOut || kind == kArgInOpt ||
                             kind == kArgOutOpt || kind == kArgString;
        if (!pointer || !buffer.data())
            return "";
        if (!buffer.HeadIntact())
            return std::string("write before the start of the ") + which + " buffer";
        const bool in = kind == kArgIn || kind == kArgInOpt || kind == kArgString;
        if (in && buffer.size() && inCopy.size() == buffer.size() &&
            memcmp(inCopy.data(), buffer.data(), buffer.size()) != 0)
            return std::string("input buffer of ") + which + " changed";
        return "";
    }

    const HarnessSetup &spec_;
    Random random_;
    unsigned seed_;
    bool ansi_;
    HostWindow hostWindow_{420, 320};
    HWND host_, panes_[2], dead_, control_ = NULL;
    HDC screen_, dc_;
    HBITMAP bitmap_;
    HGDIOBJ oldBitmap_;
    HFONT font_;
    HHOOK hook_;
    bool trace_ = EnvInt("ORVCC_HARNESS_TRACE", 0) != 0;  // prints every message before it is sent
    std::vector<MsgRow> own_, common_;
    GuardedBuffer wBuf_, lBuf_;
    std::vector<BYTE> wIn_, lIn_;
};

struct HeapCount {
    long blocks = 0;
    long bytes = 0;
};

HeapCount CountProcessHeap()
{
    HeapCount count;
    HANDLE heap = GetProcessHeap();
    HeapLock(heap);
    PROCESS_HEAP_ENTRY entry;
    entry.lpData = NULL;
    while (HeapWalk(heap, &entry)) {
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
            ++count.blocks;
            count.bytes += static_cast<long>(entry.cbData);
        }
    }
    HeapUnlock(heap);
    return count;
}

const unsigned long kMessagesPerWindow = 2000;

}  // namespace

long GdiObjectCount()
{
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported)
        return static_cast<long>(reported);
    // Without that figure: probe every slot of the handle table by its index.
    long live = 0;
    for (ULONG_PTR slot = 1; slot < 0x10000; ++slot)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)))
            ++live;
    return live;
}

StreamResult RunMessageStream(const HarnessSetup &setup, unsigned seed, unsigned long messages)
{
    static bool filterSet = false;
    if (!filterSet) {
        SetUnhandledExceptionFilter(ReportFault);
        filterSet = true;
    }
    StreamResult result;
    Session session(setup, seed);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    unsigned long sent = 0;
    while (sent < messages && result.fault.empty()) {
        if (!session.Create()) {
            result.fault = std::string("cannot create ") + setup.className;
            break;
        }
        for (unsigned long i = 0; i < kMessagesPerWindow && sent < messages; ++i, ++sent) {
            result.fault = session.Step(sent);
            if (!result.fault.empty())
                break;
            if (sent % 16 == 15)
                PumpMessages();
            if (sent % 1024 == 1023 && !session.Valid()) {
                char text[120];
                snprintf(text, sizeof text, "heap corrupt after message %lu of seed %u", sent, seed);
                result.fault = text;
                break;
            }
        }
        session.Destroy();
        if (result.fault.empty() && !session.Valid())
            result.fault = "heap corrupt after destroying the window";
    }
    QueryPerformanceCounter(&end);
    result.messages = sent;
    result.seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
    return result;
}

BalanceResult CheckCreateDestroyBalance(const HarnessSetup &setup, int cycles)
{
    BalanceResult result;
    result.cycles = cycles;
    Session session(setup, 12345);
    auto cycle = [&](unsigned long index) {
        session.Create();
        for (int i = 0; i < 30; ++i)
            session.Step(index);
        session.Destroy();
    };
    for (int i = 0; i < 5; ++i)
        cycle(i);
    const HeapCount heapBefore = CountProcessHeap();
    const long gdiBefore = GdiObjectCount();
    for (int i = 0; i < cycles; ++i)
        cycle(i);
    const HeapCount heapAfter = CountProcessHeap();
    result.heapBlocks = heapAfter.blocks - heapBefore.blocks;
    result.heapBytes = heapAfter.bytes - heapBefore.bytes;
    result.gdiObjects = GdiObjectCount() - gdiBefore;
    char text[200];
    if (result.heapBlocks * 2 >= cycles) {
        snprintf(text, sizeof text, "%s: %ld heap blocks (%ld bytes) more after %d cycles",
                 setup.className, result.heapBlocks, result.heapBytes, cycles);
        result.fault = text;
    } else if (result.gdiObjects * 2 >= cycles) {
        snprintf(text, sizeof text, "%s: %ld GDI objects more after %d cycles", setup.className,
                 result.gdiObjects, cycles);
        result.fault = text;
    }
    return result;
}

void ExpectHarnessClean(const HarnessSetup &setup)
{
    const unsigned long messages = static_cast<unsigned long>(EnvInt("ORVCC_HARNESS_MESSAGES", 3000));
    const unsigned seed = static_cast<unsigned>(EnvInt("ORVCC_HARNESS_SEED", 7));
    const StreamResult stream = RunMessageStream(setup, seed, messages);
    EXPECT_EQ(stream.fault, "");
    printf("harness %s (%s): %lu messages in %.2f s, %.0f messages/s%s\n", setup.className,
           IsAnsiFlavour() ? "ANSI" : "Unicode", stream.messages, stream.seconds,
           stream.seconds > 0 ? stream.messages / stream.seconds : 0.0,
           stream.fault.empty() ? "" : ", FAULT");
    fflush(stdout);
    const BalanceResult balance = CheckCreateDestroyBalance(setup, 60);
    EXPECT_EQ(balance.fault, "");
}

std::vector<HarnessControl> &HarnessControls()
{
    static std::vector<HarnessControl> controls;
    return controls;
}

const HarnessControl *FindHarnessControl(const char *className)
{
    for (const HarnessControl &control : HarnessControls())
        if (lstrcmpiA(control.className, className) == 0)
            return &control;
    return nullptr;
}

}  // namespace orvtest
