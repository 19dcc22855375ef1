// Benchmark (not a test): full repaints of a 1280x1024 hex editor at 16 bytes
// per line with little and with much data. Painting covers only the lines that
// fit into the window, so the cost follows the window, not the data.
// Each case is painted both ways in the same run: "cells" (one text call per
// cell, the earlier painting) and "runs" (one call per run of cells of the same
// colours); beside them a stock multi-line EDIT with the same font showing the
// same text. The library's objects are linked in, so the program can switch.
//
// Usage: hexedit_bench.exe [rounds]   (run in a 1280x1024 screen, e.g. Xvfb)
// Prints the median, mean and minimum of each case in milliseconds.
#include "support/benchclock.h"
#include "hexedit.h"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Case {
    const char *name;
    DWORD bytes;
    HFONT font;      // null: the default ANSI_FIXED_FONT
    bool middle;     // scrolled to the middle of the data
    HWND hwnd;
    std::vector<double> times;      // runs
    std::vector<double> cellTimes;  // cells
};

// A stock EDIT control showing the text a hex editor shows for its first lines.
struct StockEdit {
    const char *name;
    HFONT font;
    HWND hwnd;
    std::vector<double> times;
};

using orvbench::Now;
using orvbench::Pump;

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

// Time of one full repaint of a window, in milliseconds.
double Repaint(HWND hwnd)
{
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Pump();
    const double start = Now();
    InvalidateRect(hwnd, NULL, FALSE);
    UpdateWindow(hwnd);
    GdiFlush();
    return Now() - start;
}

// The hex editor's text of `lines` lines at 16 bytes per line, CR LF separated.
std::string HexText(const std::vector<BYTE> &data, int lines)
{
    std::string text;
    char line[128];
    for (int r = 0; r < lines; ++r) {
        int n = sprintf(line, "%04X  ", (r * 16) & 0xFFFF);
        for (int k = 0; k < 16; ++k)
            n += sprintf(line + n, "%02X ", data[r * 16 + k]);
        line[n++] = ' ';
        for (int k = 0; k < 16; ++k) {
            const BYTE b = data[r * 16 + k];
            line[n++] = b >= 0x20 && b <= 0x7E ? static_cast<char>(b) : '.';
        }
        line[n] = 0;
        text += line;
        text += "\r\n";
    }
    return text;
}

struct Figures {
    double median, mean, min;
};

Figures Summary(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times)
        sum += t;
    return {times[times.size() / 2], sum / times.size(), times.front()};
}

}  // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? atoi(argv[1]) : 60;
    LibraryProcessAttach(GetModuleHandleW(NULL));
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
        {"512 B, default font", 512, NULL, false, NULL, {}, {}},
        {"16 MiB, default font", big, NULL, false, NULL, {}, {}},
        {"16 MiB, default font, middle", big, NULL, true, NULL, {}, {}},
        {"window-full (4 KiB), default font", 4096, NULL, false, NULL, {}, {}},
        {"512 B, 32-px cells", 512, tall, false, NULL, {}, {}},
        {"16 MiB, 32-px cells", big, tall, false, NULL, {}, {}},
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
    StockEdit edits[] = {
        {"stock EDIT, window-full, default font", static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT)), NULL, {}},
        {"stock EDIT, window-full, 32-px cells", tall, NULL, {}},
    };
    for (StockEdit &e : edits) {
        const int lines = 1024 / static_cast<int>(Cell(e.font).cy) + 1;
        e.hwnd = CreateWindowExA(WS_EX_TOPMOST, "EDIT", HexText(data, lines).c_str(),
                                 WS_POPUP | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 1280, 1024, NULL, NULL,
                                 GetModuleHandleW(NULL), NULL);
        SendMessageW(e.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(e.font), FALSE);
        SetWindowPos(e.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        Pump();
    }
    // Rounds interleave the cases and both paintings, so that drifts of the
    // machine hit all alike.
    for (int round = 0; round < rounds + 3; ++round) {
        for (Case &c : cases) {
            hexPaintCellByCell = true;
            const double cells = Repaint(c.hwnd);
            hexPaintCellByCell = false;
            const double runs = Repaint(c.hwnd);
            if (round >= 3) {  // warm-up
                c.cellTimes.push_back(cells);
                c.times.push_back(runs);
            }
        }
        for (StockEdit &e : edits) {
            const double t = Repaint(e.hwnd);
            if (round >= 3)
                e.times.push_back(t);
        }
    }
    printf("hex editor full repaint, 1280x1024 client, 16 bytes per line, %d rounds\n", rounds);
    printf("default font cell %ldx%ld (%d lines in view); 32-px font cell %ldx%ld (%d lines)\n", fixed.cx,
           fixed.cy, linesInView, tallCell.cx, tallCell.cy, 1024 / static_cast<int>(tallCell.cy) + 1);
    printf("%-38s %22s %22s %8s\n", "", "cells (before)", "runs (after)", "after/");
    printf("%-38s %7s %7s %6s %7s %7s %6s %8s\n", "case", "median", "mean", "min", "median", "mean", "min",
           "before");
    double medians[6];
    int index = 0;
    for (Case &c : cases) {
        const Figures before = Summary(c.cellTimes), after = Summary(c.times);
        medians[index++] = after.median;
        printf("%-38s %7.2f %7.2f %6.2f %7.2f %7.2f %6.2f %8.3f\n", c.name, before.median, before.mean,
               before.min, after.median, after.mean, after.min, after.median / before.median);
    }
    for (StockEdit &e : edits) {
        const Figures f = Summary(e.times);
        printf("%-38s %7s %7s %6s %7.2f %7.2f %6.2f\n", e.name, "", "", "", f.median, f.mean, f.min);
        DestroyWindow(e.hwnd);
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
