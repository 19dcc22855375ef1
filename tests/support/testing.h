// Helpers shared by the test programs: flavour, windows, message pumping, pixels.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "msgseq.h"

namespace orvtest {

// True when the system reports the non-NT platform (the library's ANSI flavour).
bool IsAnsiFlavour();
// Major version in the high word, minor in the low word.
DWORD OsVersionWord();
// The version name the run was started under (ORVCC_EXPECT_VERSION), or "".
std::string ExpectedVersionName();

// Dispatches every queued message of this thread.
void PumpMessages();

// Creates a window of a registered class in the process's flavour (A on 9x, W on NT).
HWND CreateWindowInFlavour(const char *className, DWORD style, int x, int y, int width,
                           int height, HWND parent, int id, DWORD exStyle = 0,
                           void *createParam = NULL);

// A top-level window that logs the WM_NOTIFY and WM_COMMAND messages it receives
// as a parent's (kParent) in messages; a test may watch its controls into the
// same log.
struct Notification {
    WPARAM wParam;
    HWND hwndFrom;
    UINT_PTR idFrom;
    int code;
};
class HostWindow {
public:
    HostWindow(int width = 400, int height = 300);
    ~HostWindow();
    HostWindow(const HostWindow &) = delete;
    HostWindow &operator=(const HostWindow &) = delete;
    HWND hwnd() const { return hwnd_; }
    MsgRecorder messages;
    // The WM_NOTIFY messages of the log, in order (messages.Flush() clears them).
    std::vector<Notification> notifications() const;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_;
};

// What a window shows: its client area read back after UpdateWindow.
class Capture {
public:
    explicit Capture(HWND hwnd);
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF At(int x, int y) const;
    bool operator==(const Capture &other) const;
    // Number of pixels of the given colour in the rectangle [x0,x1) x [y0,y1).
    int Count(COLORREF color, int x0, int y0, int x1, int y1) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<DWORD> pixels_;
};

// Environment value as an integer, or fallback.
int EnvInt(const char *name, int fallback);

// A visible top-level window at (0, 0) whose class (registered on first use, with
// the window colour as background) has the test's own procedure.
HWND CreateParentWindow(const wchar_t *className, WNDPROC proc, int width, int height);
// The screen's dots per inch (vertical).
int ScreenDpi();

}  // namespace orvtest
