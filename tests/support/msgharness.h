// Random-message harness: drives a control with a long seeded stream of messages
// and checks the heaps and the create-destroy balance of heap blocks and GDI objects.
//
// Adding a control takes a table and one registration, appended as a block of its
// own to tests/harness_controls.cpp:
//
//     static const orvtest::MsgRow kLedRows[] = {
//         {LDM_SETCOLORS, orvtest::kArgZero, orvtest::kArgIn, sizeof(LedColors)},
//         {LDM_SETDIGIT, orvtest::kArgAny, orvtest::kArgZero},
//         ...
//     };
//     ORV_HARNESS_CONTROL(Led, ORVCC_LED_CLASS, orvtest::HarnessSetup("ORV_LEDClass", kLedRows));
//
// The test program (orvcc_harness_tests) then runs a short stream and the balance
// check on it in both flavours, and the soak program takes its class name
// (scripts/soak.sh COUNT ORV_LEDClass). A setup that needs more than the table
// (a style, host mode) is built by a function: ORV_HARNESS_CONTROL(Name, flag, MakeSetup()).
//
// One row per private message (and per standard message the control handles beyond
// the common set below): the message, how to make wParam and lParam, and for a
// pointer argument the size in bytes of the buffer it points to. Pointer buffers
// are valid, sized exactly, and end at an inaccessible page, so a read or write
// past them faults at once; buffers are also checked for writes before their
// start, and input buffers for any write. kArgCount makes the other argument's
// buffer a random 0..bufBytes long and passes that length. Every stream also
// carries the common messages: focus, size, paint, erase, font, mouse (both
// buttons, wheel), keys, characters, capture loss, theme and colour changes,
// DPI changes, the library's dark-mode change, scrolling, WM_GETDLGCODE, text.
//
// A control that attaches to an existing window, or needs one prepared (host mode),
// sets setup.create (or passes it to the constructor) to make that window, attach
// and return it; setup.destroy (optional) detaches and
// destroys it. setup.validateHeaps (optional) checks private heaps the harness
// cannot see; every heap of GetProcessHeaps is validated anyway.
//
// Stream length in the tests: ORVCC_HARNESS_MESSAGES (default 3000), seed
// ORVCC_HARNESS_SEED (default 7). scripts/soak.sh runs a million per control.
// ORVCC_HARNESS_TRACE=1 prints every message before it is sent (to find a hang).
#pragma once

#include <windows.h>

#include <stddef.h>
#include <string>
#include <vector>

namespace orvtest {

enum ArgKind {
    kArgZero,    // 0
    kArgAny,     // random: 0, 1, -1, extremes, small numbers, any 32 bits
    kArgBool,    // 0 or 1
    kArgSmall,   // -8 .. 300
    kArgPoint,   // MAKELPARAM of a client point, a little outside the window too
    kArgMouseKeys,  // MK_ bits
    kArgKey,     // a virtual key code
    kArgChar,    // a character code
    kArgIn,      // pointer to bufBytes random bytes
    kArgOut,     // pointer to bufBytes bytes to be written
    kArgInOpt,   // as kArgIn, sometimes NULL
    kArgOutOpt,  // as kArgOut, sometimes NULL
    kArgCount,   // 0..bufBytes, the size of the other argument's buffer
    kArgString,  // NUL-terminated text of up to bufBytes characters, process flavour
    kArgDC,      // a memory device context
    kArgFont,    // a font, a stock font or NULL
    kArgWindow,  // a child window of the host, the control itself, its parent, NULL or a dead handle
    kArgPick,    // one of the row's picks (bufBytes of them)
};

// Row flags.
enum {
    kRowModal = 0x1,  // may open a menu or another modal loop: the harness ends it
    kRowChars = 0x2,  // counts and buffer sizes are in characters of the flavour
};

struct MsgRow {
    UINT msg;
    ArgKind w;
    ArgKind l;
    size_t bufBytes = 0;  // buffer size of a pointer argument; number of picks for kArgPick
    unsigned flags = 0;
    const LPARAM *picks = nullptr;
};

struct HarnessSetup {
    template <size_t N>
    HarnessSetup(const char *name, const MsgRow (&table)[N]) : className(name), rows(table), rowCount(N)
    {
    }
    template <size_t N>
    HarnessSetup(const char *name, const MsgRow (&table)[N], HWND (*make)(HWND parent))
        : className(name), rows(table), rowCount(N), create(make)
    {
    }
    HarnessSetup(const char *name, const MsgRow *table, size_t count)
        : className(name), rows(table), rowCount(count)
    {
    }
    const char *className;
    const MsgRow *rows;
    size_t rowCount;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    int width = 240;
    int height = 160;
    bool commonRows = true;  // add the common standard messages
    // Host mode: make the window under test (a child of parent) and attach.
    HWND (*create)(HWND parent) = nullptr;
    void (*destroy)(HWND window) = nullptr;
    // Extra heap check; false reports a corrupt heap.
    bool (*validateHeaps)() = nullptr;
};

struct StreamResult {
    unsigned long messages = 0;
    double seconds = 0.0;
    std::string fault;  // empty when clean
};

// Creates windows one after another and sends each a share of the stream, then
// destroys it; checks heaps and buffers as it goes and stops at the first fault.
StreamResult RunMessageStream(const HarnessSetup &setup, unsigned seed, unsigned long messages);

struct BalanceResult {
    long heapBlocks = 0;  // growth of busy blocks over the cycles (process heap)
    long heapBytes = 0;
    long gdiObjects = 0;  // growth of live GDI objects over the cycles
    int cycles = 0;
    std::string fault;  // empty when flat
};

// Creates and destroys the control (with a little traffic) cycles times after a
// warm-up; flat means less than one heap block and one GDI object per two cycles.
BalanceResult CheckCreateDestroyBalance(const HarnessSetup &setup, int cycles);

// Live GDI objects of this process (GetGuiResources, or counting the handle table).
long GdiObjectCount();

// Both checks with gtest expectations; prints the stream's messages per second.
void ExpectHarnessClean(const HarnessSetup &setup);

// The controls known to the harness, in registration order.
struct HarnessControl {
    const char *className;
    DWORD initFlag;  // InitORVCC bit of the class
    HarnessSetup setup;
};
std::vector<HarnessControl> &HarnessControls();
// The registered control of that class name, or NULL.
const HarnessControl *FindHarnessControl(const char *className);

struct HarnessRegistration {
    HarnessRegistration(DWORD initFlag, const HarnessSetup &setup)
    {
        HarnessControls().push_back(HarnessControl{setup.className, initFlag, setup});
    }
};
#define ORV_HARNESS_CONTROL(name, initFlag, setup) \
    static const orvtest::HarnessRegistration harnessControl##name((initFlag), (setup))

}  // namespace orvtest
