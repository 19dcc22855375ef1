// Benchmark (not a test): full repaints of a 1280x1024 hex editor at 16 bytes
// per line with little and with much data. Painting covers only the lines that
// fit into the window, so the cost follows the window, not the data.
//
// Usage: hexedit_bench.exe [rounds]   (run in a 1280x1024 screen, e.g. Xvfb)
// Prints the median, mean and minimum of each case in milliseconds.
#include "orvcc32.h"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

namespace {

struct Case {
    const char *name;
    DWORD bytes;
    HFONT font;      // null: the default ANSI_FIXED_FONT
    bool middle;     // scrolled to the middle of the data
    HWND hwnd;
    std::vector<double> times;
};

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

SIZE Cell(HFONT font)
{
    HDC dc = GetDC(NULL);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size;
    GetTextExtentPoint32A(dc, "0", 1, &size);
    SelectObject(dc, old);
    ReleaseDC(NULL, dc);
    return size;
}

// A fixed-pitch font whose cell is about `height` pixels high.
HFONT FontOfCellHeight(int height)
{
    for (int request = height; request > 4; --request) {
        HFONT font = CreateFontA(request, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
        if (Cell(font).cy <= height)
            return font;
        DeleteObject(font);
    }
    return static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
}

}  // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? atoi(argv[1]) : 60;
    if (!InitORVCC(ORVCC_HEXEDITOR_CLASS)) {
        fprintf(stderr, "InitORVCC failed\n");
        return 1;
    }
    const DWORD big = 16u * 1024 * 1024;
    std::vector<BYTE> data(big);
    for (DWORD i = 0; i < big; ++i)
        data[i] = static_cast<BYTE>(i * 31 + (i >> 8));

    const SIZE fixed = Cell(static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT)));
    const int linesInView = 1024 / fixed.cy + 1;
    // A font whose 1024-pixel window holds 33 lines: exactly what 512 bytes at
    // 16 per line need (32 lines and the append position's line).
    HFONT tall = FontOfCellHeight(1024 / 32);
    const SIZE tallCell = Cell(tall);

    Case cases[] = {
        {"512 B, default font", 512, NULL, false, NULL, {}},
        {"16 MiB, default font", big, NULL, false, NULL, {}},
        {"16 MiB, default font, middle", big, NULL, true, NULL, {}},
        {"window-full (4 KiB), default font", 4096, NULL, false, NULL, {}},
        {"512 B, 32-px cells", 512, tall, false, NULL, {}},
        {"16 MiB, 32-px cells", big, tall, false, NULL, {}},
    };
    for (Case &c : cases) {
        c.hwnd = CreateWindowExW(WS_EX_TOPMOST, ORV_HEXEDITORCLASSW, L"", WS_POPUP | (c.middle ? WS_VSCROLL : 0),
                                 0, 0, 1280, 1024, NULL, NULL, GetModuleHandleW(NULL), NULL);
        if (!c.hwnd) {
            fprintf(stderr, "window creation failed\n");
            return 1;
        }
        if (c.font)
            SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), FALSE);
        SendMessageW(c.hwnd, HXM_SETBYTESPERLINE, 0, 16);
        const double t0 = Now();
        SendMessageW(c.hwnd, HXM_SETDATA, c.bytes, reinterpret_cast<LPARAM>(data.data()));
        const double t1 = Now();
        if (c.middle) {
            // The view at the middle line of the data (the control reads its bar).
            SCROLLINFO info = {sizeof info, SIF_POS, 0, 0, 0, static_cast<int>(c.bytes / 32), 0};
            SetScrollInfo(c.hwnd, SB_VERT, &info, TRUE);
        }
        SetWindowPos(c.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        Pump();
        printf("# %-36s HXM_SETDATA %.2f ms\n", c.name, t1 - t0);
    }
    // Rounds interleave the cases, so that drifts of the machine hit all alike.
    for (int round = 0; round < rounds + 3; ++round) {
        for (Case &c : cases) {
            SetWindowPos(c.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            Pump();
            const double start = Now();
            InvalidateRect(c.hwnd, NULL, FALSE);
            UpdateWindow(c.hwnd);
            GdiFlush();
            const double end = Now();
            if (round >= 3)  // warm-up
                c.times.push_back(end - start);
        }
    }
    printf("hex editor full repaint, 1280x1024 client, 16 bytes per line, %d rounds\n", rounds);
    printf("default font cell %ldx%ld (%d lines in view); 32-px font cell %ldx%ld (%d lines)\n", fixed.cx,
           fixed.cy, linesInView, tallCell.cx, tallCell.cy, 1024 / static_cast<int>(tallCell.cy) + 1);
    printf("%-38s %10s %10s %10s\n", "case", "median ms", "mean ms", "min ms");
    double medians[6];
    int index = 0;
    for (Case &c : cases) {
        std::vector<double> sorted = c.times;
        std::sort(sorted.begin(), sorted.end());
        double sum = 0;
        for (double t : sorted)
            sum += t;
        medians[index++] = sorted[sorted.size() / 2];
        printf("%-38s %10.3f %10.3f %10.3f\n", c.name, sorted[sorted.size() / 2], sum / sorted.size(), sorted.front());
    }
    printf("ratio 16 MiB / 512 B, default font (512 B fill %d of %d lines): %.3f\n", 512 / 16 + 1, linesInView,
           medians[1] / medians[0]);
    printf("ratio 16 MiB / window-full 4 KiB, default font: %.3f\n", medians[1] / medians[3]);
    printf("ratio 16 MiB middle / 16 MiB top, default font: %.3f\n", medians[2] / medians[1]);
    printf("ratio 16 MiB / 512 B, 32-px cells (both fill the window): %.3f\n", medians[5] / medians[4]);
    for (Case &c : cases)
        DestroyWindow(c.hwnd);
    if (tall != GetStockObject(ANSI_FIXED_FONT))
        DeleteObject(tall);
    return 0;
}
