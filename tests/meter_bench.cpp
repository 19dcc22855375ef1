// Benchmark (not a test): a needle sweep at 60 frames per second on a 300x200
// analog meter with peak hold, next to a stock progress bar of the same size
// repainted at each frame of the same run. Each frame moves both controls and
// times their repaints (UpdateWindow) one after the other.
//
// Usage: meter_bench.exe [frames]   (default 300, five seconds)
// Prints the median, mean and maximum paint cost per frame in milliseconds and
// the median as a share of the 16.7 ms frame budget.
#include "support/benchclock.h"
#include "orvcc32.h"

#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

namespace {

const double kFrameMs = 1000.0 / 60.0;

using orvbench::Now;
using orvbench::Pump;

// Waits until the given time, handling messages meanwhile.
void PumpUntil(double when)
{
    for (double now = Now(); now < when; now = Now()) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, static_cast<DWORD>(when - now) + 1, QS_ALLINPUT);
        Pump();
    }
}

double TimedUpdate(HWND hwnd)
{
    const double t0 = Now();
    UpdateWindow(hwnd);
    GdiFlush();
    return Now() - t0;
}

void Report(const char *name, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times)
        sum += t;
    const double median = times[times.size() / 2];
    printf("%-34s median %6.3f ms  mean %6.3f ms  max %6.3f ms  (%.1f%% of a frame)\n", name, median,
           sum / times.size(), times.back(), 100.0 * median / kFrameMs);
}

// A window whose paint does nothing but begin and end: the cost of a repaint
// round trip itself.
LRESULT CALLBACK EmptyPaintProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int main(int argc, char **argv)
{
    const int frames = argc > 1 ? atoi(argv[1]) : 300;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS};
    if (frames < 1 || !InitCommonControlsEx(&icc) || !InitORVCC(ORVCC_ANALOGMETER_CLASS)) {
        fprintf(stderr, "set-up failed\n");
        return 1;
    }
    HWND host = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 640, 440,
                                NULL, NULL, GetModuleHandleW(NULL), NULL);
    HWND meter = CreateWindowExW(0, L"ORV_AnalogMeterClass", L"Volt", WS_CHILD | WS_VISIBLE, 10, 10,
                                 300, 200, host, NULL, NULL, NULL);
    HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 320, 10, 300, 200, host,
                               NULL, NULL, NULL);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = EmptyPaintProc;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.lpszClassName = L"EmptyPaint";
    RegisterClassW(&wc);
    HWND empty = CreateWindowExW(0, L"EmptyPaint", L"", WS_CHILD | WS_VISIBLE, 10, 220, 300, 200, host,
                                 NULL, NULL, NULL);
    if (!meter || !bar || !empty) {
        fprintf(stderr, "window creation failed\n");
        return 1;
    }
    AMINFO info = {AMIF_STYLE | AMIF_LABELSTEP | AMIF_MAX, AMS_PEAKHOLD, AMS_PEAKHOLD, 0, 2, 180, 0, 0};
    SendMessageW(meter, AMM_SETINFO, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(meter, AMM_SETLABELSW, 6, reinterpret_cast<LPARAM>(L"0\0 36\0 72\0 108\0 144\0 180\0"));
    SendMessageW(bar, PBM_SETRANGE32, 0, 180);
    Pump();

    // The floor: one 300x200 block transfer from a memory context to the screen.
    HDC screen = GetDC(meter);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 200);
    HGDIOBJ old = SelectObject(memory, bitmap);

    std::vector<double> meterTimes, barTimes, blitTimes, emptyTimes, frameTimes;
    double next = Now();
    for (int frame = 0; frame < frames; ++frame) {
        next += kFrameMs;
        // Up and down across the scale, two degrees a frame.
        const int phase = (frame * 2) % 360;
        const int pos = phase <= 180 ? phase : 360 - phase;
        const double start = Now();
        SendMessageW(meter, AMM_SETPOS, 0, pos);
        meterTimes.push_back(TimedUpdate(meter));
        SendMessageW(bar, PBM_SETPOS, pos, 0);
        InvalidateRect(bar, NULL, FALSE);  // the whole bar, as the meter's whole area
        barTimes.push_back(TimedUpdate(bar));
        frameTimes.push_back(Now() - start);
        const double t0 = Now();
        BitBlt(screen, 0, 0, 300, 200, memory, 0, 0, SRCCOPY);
        GdiFlush();
        blitTimes.push_back(Now() - t0);
        InvalidateRect(empty, NULL, FALSE);
        emptyTimes.push_back(TimedUpdate(empty));
        PumpUntil(next);
    }
    printf("# %d frames at 60 fps, 300x200 each\n", frames);
    Report("analog meter (needle, peak, blit)", meterTimes);
    Report("stock progress bar repaint", barTimes);
    Report("whole frame (moves and both repaints)", frameTimes);
    Report("reference: one 300x200 BitBlt", blitTimes);
    Report("reference: empty repaint", emptyTimes);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(meter, screen);
    DestroyWindow(host);
    return 0;
}
