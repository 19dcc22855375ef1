// Benchmark (not a test): a full repaint of a grid showing 50 rows of 10 columns
// next to a plain report-view list view with the same items, in the same run.
//
// Usage: grid_bench.exe [rounds]   (run in a 1280x1024 screen, e.g. Xvfb;
// scripts/grid-bench.sh). Prints the median and minimum of each in milliseconds
// and the ratio of the medians (grid / list view).
#include "orvcc32.h"

#include "benchclock.h"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

using orvbench::Now;
using orvbench::Pump;

namespace {

const int kRows = 50;
const int kColumns = 10;

struct Case {
    const char *name;
    HWND host;
    HWND list;  // the window that paints the rows
    std::vector<double> times;
};

// Columns and items sent to `target` (the grid, or the list view itself).
void FillItems(HWND target)
{
    for (int c = 0; c < kColumns; ++c) {
        LVCOLUMNW column = {};
        column.mask = LVCF_WIDTH | LVCF_FMT;
        column.cx = 84;
        column.fmt = c % 3 == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        SendMessageW(target, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (int r = 0; r < kRows; ++r) {
        wchar_t text[64];
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = text;
        swprintf(text, 64, L"row %d", r);
        SendMessageW(target, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (item.iSubItem = 1; item.iSubItem < kColumns; ++item.iSubItem) {
            // Every fourth cell is too long for its column.
            if (item.iSubItem % 4 == 1)
                swprintf(text, 64, L"a longer text in cell %d of row %d", item.iSubItem, r);
            else
                swprintf(text, 64, L"%d.%02d", r * 37 + item.iSubItem, item.iSubItem);
            SendMessageW(target, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
        }
    }
}

HWND Host(int height)
{
    return CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                           kColumns * 84 + 8, height, NULL, NULL, GetModuleHandleW(NULL), NULL);
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? atoi(argv[1]) : 40;
    if (!InitORVCC(ORVCC_GRIDCONTROL_CLASS)) {
        fprintf(stderr, "InitORVCC failed\n");
        return 1;
    }
    const int height = 1000;
    Case cases[2] = {{"grid", NULL, NULL, {}}, {"list view", NULL, NULL, {}}};

    cases[0].host = Host(height);
    HWND grid = CreateWindowExW(0, ORV_GRIDCONTROLCLASSW, L"", WS_CHILD | WS_VISIBLE | LVS_SHOWSELALWAYS, 0, 0,
                                kColumns * 84 + 8, height, cases[0].host, NULL, GetModuleHandleW(NULL), NULL);
    cases[0].list = GetDlgItem(grid, 100);
    FillItems(grid);
    LVITEMW cell = {};
    cell.iSubItem = 3;
    cell.state = cell.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageW(grid, GCM_SETITEMSTATE, 7, reinterpret_cast<LPARAM>(&cell));

    cases[1].host = Host(height);
    cases[1].list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                                    0, 0, kColumns * 84 + 8, height, cases[1].host, NULL,
                                    GetModuleHandleW(NULL), NULL);
    FillItems(cases[1].list);
    cell.iSubItem = 0;
    SendMessageW(cases[1].list, LVM_SETITEMSTATE, 7, reinterpret_cast<LPARAM>(&cell));

    for (Case &c : cases) {
        if (!c.list) {
            fprintf(stderr, "window creation failed\n");
            return 1;
        }
        RECT last;
        last.left = LVIR_BOUNDS;
        SendMessageW(c.list, LVM_GETITEMRECT, kRows - 1, reinterpret_cast<LPARAM>(&last));
        printf("# %-10s row %d ends at y %ld of %d\n", c.name, kRows - 1, last.bottom, height);
    }
    // Rounds interleave the two, so that drifts of the machine hit both alike.
    for (int round = 0; round < rounds + 3; ++round) {
        for (Case &c : cases) {
            SetWindowPos(c.host, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            Pump();
            const double t0 = Now();
            InvalidateRect(c.list, NULL, TRUE);
            UpdateWindow(c.list);
            GdiFlush();
            const double t1 = Now();
            if (round >= 3)
                c.times.push_back(t1 - t0);
        }
    }
    for (const Case &c : cases)
        printf("%-10s full repaint, %d rows x %d columns: median %.2f ms, min %.2f ms\n", c.name, kRows,
               kColumns, Median(c.times), *std::min_element(c.times.begin(), c.times.end()));
    printf("grid / list view: %.2f\n", Median(cases[0].times) / Median(cases[1].times));
    return 0;
}
