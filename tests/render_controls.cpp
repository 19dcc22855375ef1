// Shows the finished controls in one window and saves a picture of it as a PNG,
// so a person can look at them; a host list view with its extensions goes into
// a second picture. With --dark the controls are in dark mode on a dark window.
// With --parts it saves one picture of each control into a folder instead.
// Usage: orvcc_render.exe [--dark] controls.png [listview.png]
//        orvcc_render.exe [--dark] --parts DIR
#include "orvcc32.h"
#include "pngshot.h"

#include <stdio.h>
#include <string.h>

#include <vector>

// The wrapper macros' results are dropped here; a 64-bit build would report each
// result cast as an unused value.
#pragma GCC diagnostic ignored "-Wunused-value"

namespace {

HWND CreateControl(const wchar_t *className, HWND parent, int x, int y, int width, int height,
                   const wchar_t *text = L"", DWORD style = 0, DWORD exStyle = 0)
{
    return CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                           parent, NULL, GetModuleHandleW(NULL), NULL);
}

// Columns with titles and widths (the one at index right is right-aligned) and
// rows of cells, into a list view or a grid.
void FillList(HWND list, int columns, const wchar_t *const *titles, const int *widths, int right, int rows,
              const wchar_t *const *cells)
{
    for (int c = 0; c < columns; ++c) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = const_cast<wchar_t *>(titles[c]);
        column.cx = widths[c];
        column.fmt = c == right ? LVCFMT_RIGHT : LVCFMT_LEFT;
        SendMessageW(list, LVM_INSERTCOLUMNW, c, (LPARAM)&column);
    }
    for (int r = 0; r < rows; ++r) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<wchar_t *>(cells[r * columns]);
        SendMessageW(list, LVM_INSERTITEMW, 0, (LPARAM)&item);
        for (item.iSubItem = 1; item.iSubItem < columns; ++item.iSubItem) {
            item.pszText = const_cast<wchar_t *>(cells[r * columns + item.iSubItem]);
            SendMessageW(list, LVM_SETITEMTEXTW, r, (LPARAM)&item);
        }
    }
}

// Lets the window settle and paint, then saves its client area.
bool SaveClientArea(HWND hwnd, const char *path)
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT rect;
    GetClientRect(hwnd, &rect);
    HDC window = GetDC(hwnd);
    const bool saved = SaveAreaAsPng(window, 0, 0, rect.right, rect.bottom, path);
    ReleaseDC(hwnd, window);
    return saved;
}

void AddProgressBars(HWND parent)
{
    const int positions[] = {0, 37, 50, 100, 64};  // the last in colours of its own
    const COLORREF back = RGB(255, 255, 224), fill = RGB(0, 128, 0);
    for (int i = 0; i < 5; ++i) {
        HWND bar = CreateControl(ORV_PROGRESSCLASSW, parent, 10, 10 + i * 30, 300, 22);
        if (i == 4)
            Progress_SetBkColor(bar, &back), Progress_SetBarColor(bar, &fill);
        Progress_SetPos(bar, positions[i]);
    }
}

// A hex editor with text and binary data, a selection and the caret behind it;
// returns its width.
int AddHexEditor(HWND parent, int x, int y, int height)
{
    HWND hex = CreateControl(ORV_HEXEDITORCLASSW, parent, x, y, 10, height, L"", WS_VSCROLL, WS_EX_CLIENTEDGE);
    const char text[] = "orvcc32 hex editor: \x01\x02 Gr\xfc\xdf" "e aus M\xfcnchen! 0123456789 "
                        "The quick brown fox jumps over the lazy dog.\r\n\x7f\x80\xff";
    std::vector<BYTE> data(text, text + sizeof text - 1);
    for (int i = 0; i < 96; ++i)
        data.push_back(static_cast<BYTE>(i * 37 + 5));
    HexEdit_SetBytesPerLine(hex, 16);
    HexEdit_SetBaseAddress(hex, 0x00401000);
    HexEdit_SetAddressDigits(hex, 8);
    HexEdit_SetData(hex, data.data(), data.size());
    const int width = HexEdit_GetIdealWidth(hex) + GetSystemMetrics(SM_CXVSCROLL) + 4;
    MoveWindow(hex, x, y, width, height, TRUE);
    HexEdit_SetSel(hex, 20, 45);
    HexEdit_SetCaretPos(hex, 46);
    SetFocus(hex);
    return width;
}

// A vertical splitter whose right pane is a horizontal splitter, with three text panes.
void AddSplitters(HWND parent, int x, int y, int width, int height)
{
    HWND outer = CreateControl(ORV_SPLITTERCLASSW, parent, x, y, width, height);
    HWND inner = CreateControl(ORV_SPLITTERCLASSW, parent, 0, 0, 1, 1);
    (void)Splitter_SetFlags(inner, SPF_HORIZONTAL, SPF_HORIZONTAL);
    const wchar_t *texts[] = {L"pane 1", L"pane 2: top", L"pane 2: bottom"};
    HWND panes[3];
    for (int i = 0; i < 3; ++i)
        panes[i] = CreateControl(L"STATIC", parent, 0, 0, 1, 1, texts[i], SS_CENTER | SS_CENTERIMAGE,
                                 WS_EX_CLIENTEDGE);
    const double third = 0.35;
    (void)Splitter_SetPos(outer, &third);
    (void)Splitter_SetPane1(outer, panes[0], TRUE);
    (void)Splitter_SetPane2(outer, inner, TRUE);
    (void)Splitter_SetPane1(inner, panes[1], TRUE);
    (void)Splitter_SetPane2(inner, panes[2], TRUE);
}

// Three analog meters in a row: caption below with labels, caption on top with
// a held peak and own colours, no caption; the row must be visible already.
void AddAnalogMeters(HWND parent, int x, int y, int height)
{
    const int width = 200;
    HWND below = CreateControl(ORV_ANALOGMETERCLASSW, parent, x, y, width, height, L"Volt");
    AMINFO info = {AMIF_LABELSTEP, 0, 0, 0, 2, 0, 0, 0};
    AnalogMeter_SetInfo(below, &info);
    AnalogMeter_SetLabelsW(below, 6, L"0\0 36\0 72\0 108\0 144\0 180\0");
    AMMETRICS metrics;
    AnalogMeter_GetMetrics(below, &metrics);
    metrics.nLabelReserve = 24;  // room for "180" beside the right end
    AnalogMeter_SetMetrics(below, &metrics);
    AnalogMeter_SetPos(below, 120);

    HWND top = CreateControl(ORV_ANALOGMETERCLASSW, parent, x + width + 10, y, width, height, L"Peak hold");
    AMINFO peak = {AMIF_STYLE | AMIF_INTERVALS | AMIF_LABELSTEP | AMIF_HOLDTIME,
                   AMS_CAPTIONTOP | AMS_PEAKHOLD, 0xFF, 25, 5, 0, 600000, 0};
    AnalogMeter_SetInfo(top, &peak);
    const AMCOLORS colors = {RGB(255, 255, 240), RGB(96, 96, 96), RGB(0, 64, 160), RGB(220, 0, 0),
                             RGB(0, 96, 0)};
    AnalogMeter_SetColors(top, &colors);
    AnalogMeter_SetLabelsW(top, 6, L"0\0 1\0 2\0 3\0 4\0 5\0");
    AnalogMeter_SetPos(top, 150);
    UpdateWindow(top);  // the peak stays at 150
    AnalogMeter_SetPos(top, 70);

    HWND bare = CreateControl(ORV_ANALOGMETERCLASSW, parent, x + 2 * (width + 10), y, width, height);
    AMINFO none = {AMIF_STYLE | AMIF_INTERVALS, AMS_NOCAPTION, AMS_NOCAPTION, 6, 0, 0, 0, 0};
    AnalogMeter_SetInfo(bare, &none);
    AnalogMeter_SetPos(bare, 90);
}

// A row of LEDs: a two-digit counter showing 4.2, the lamp shapes lit and dark.
void AddLeds(HWND parent, int x, int y)
{
    const int digits[2] = {4, 2};
    for (int i = 0; i < 2; ++i) {
        HWND led = CreateControl(ORV_LEDCLASSW, parent, x + i * 32, y, 31, 41);
        Led_SetType(led, LDT_DIGITDP | LDT_BKBORDER);
        Led_SetDigit(led, digits[i]);
        Led_SetFlags(led, i == 0 ? LDF_POINT : 0);
    }
    const DWORD shapes[5] = {LDT_ROUND, LDT_ROUND, LDT_RECT, LDT_HBAR, LDT_VBAR};
    const RECT places[5] = {{80, 10, 20, 20}, {104, 10, 20, 20}, {128, 10, 20, 20},
                            {152, 14, 40, 13}, {196, 0, 13, 41}};
    for (int i = 0; i < 5; ++i) {
        HWND led = CreateControl(ORV_LEDCLASSW, parent, x + places[i].left, y + places[i].top,
                                 places[i].right, places[i].bottom);
        Led_SetType(led, shapes[i]);
        Led_SetFlags(led, i == 1 ? LDF_OFF : 0);
    }
}

// Two web links, one always underlined, one never.
void AddLinks(HWND parent, int x, int y)
{
    const wchar_t *texts[2] = {L"www.example.org", L"Hilfe und Support"};
    for (int i = 0; i < 2; ++i) {
        HWND link = CreateControl(ORV_WEBLINKCLASSW, parent, x, y + i * 22, 150, 20, texts[i]);
        SendMessageW(link, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
        WebLink_SetStyle(link, WLS_UNDERLINEMASK, i == 0 ? WLS_UNDERLINEALWAYS : WLS_UNDERLINENONE);
    }
}

// The LEDs and the links side by side; returns the height used.
int AddLedsAndLinks(HWND parent, int x, int y)
{
    AddLeds(parent, x, y);
    AddLinks(parent, x + 230, y);
    return 51;
}

// A grid with row headers, a right-aligned price column, a text too long for its
// column and the cell cursor on one price; returns the height used.
int AddGrid(HWND parent, int x, int y, int width)
{
    const int height = 112;
    HWND grid = CreateControl(ORV_GRIDCONTROLCLASSW, parent, x, y, width, height, L"",
                              LVS_SHOWSELALWAYS | LVS_EDITLABELS, WS_EX_CLIENTEDGE);
    const wchar_t *titles[4] = {L"Nr.", L"Artikel", L"Preis", L"Bemerkung"};
    const int widths[4] = {36, 150, 80, width - 36 - 150 - 80 - 8};
    const wchar_t *cells[] = {
        L"1", L"Schrauben M4", L"3,20", L"Kiste zu 100 St\u00fcck",
        L"2", L"Unterlegscheiben", L"1,85", L"",
        L"3", L"Winkel verzinkt, 40 x 40 x 2 mm, gelocht", L"12,40", L"nachbestellen",
        L"4", L"D\u00fcbel", L"0,95", L"Lager B",
    };
    FillList(grid, 4, titles, widths, 2, 4, cells);
    Grid_SetGridStyle(grid, GCS_HORZLINES | GCS_VERTLINES | GCS_ROWHEADERS | GCS_FIXEDFIRSTCOLUMN);
    LVITEMW cell = {};
    cell.iSubItem = 2;
    cell.state = cell.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    Grid_SetItemState(grid, 1, &cell);
    return height;
}

// A host list view with the sort arrow on column 1 and an open cell editor,
// saved to its own picture.
// The window the controls are shown in: a static one, or in dark mode one
// with a dark background.
const wchar_t *g_frameClass = L"STATIC";
HWND CreateFrame(int width, int height)
{
    return CreateWindowExW(0, g_frameClass, L"", WS_POPUP | WS_VISIBLE, 0, 0, width, height, NULL,
                           NULL, GetModuleHandleW(NULL), NULL);
}

void UseDarkFrame()
{
    WNDCLASSW frame = {};
    frame.lpfnWndProc = DefWindowProcW;
    frame.hInstance = GetModuleHandleW(NULL);
    frame.hbrBackground = CreateSolidBrush(RGB(32, 32, 32));
    frame.lpszClassName = L"OrvRenderDarkFrame";
    if (RegisterClassW(&frame))
        g_frameClass = frame.lpszClassName;
}

bool RenderListView(const char *path)
{
    HWND frame = CreateFrame(380, 130);
    HWND list = CreateControl(WC_LISTVIEWW, frame, 10, 10, 360, 110, L"", WS_BORDER | LVS_REPORT | LVS_EDITLABELS);
    const wchar_t *names[] = {L"Datei", L"Gr\u00f6\u00dfe", L"Ge\u00e4ndert"};
    const int widths[] = {130, 105, 105};
    const wchar_t *rows[] = {L"bericht.txt", L"12 KB", L"03.11.2026", L"daten.csv", L"48 KB", L"21.10.2026",
                             L"notizen.md", L"3 KB", L"02.09.2026"};
    FillList(list, 3, names, widths, 1, 3, rows);
    LVSORTOPTION sort = {LVSO_SORTHEADER, 0, WM_APP, 1, FALSE, NULL};
    LVEDITOPTION edit = {LVSO_EDITSUBITEMS, 0, WM_APP + 1};
    ListViewSetSpecialOption(list, &sort);
    ListViewSetSpecialOption(list, &edit);
    HWND editor = ListView_EditSubItem(list, 1, 2);
    const bool saved = editor && SaveClientArea(frame, path);
    DestroyWindow(frame);
    return saved;
}

// One picture per control, each in a window of its own with a margin of 10
// pixels: DIR/<name>.png, or <name>-dark.png in dark mode.
bool RenderParts(const char *directory, bool dark)
{
    struct Part {
        const char *name;
        int width, height;  // of the window; 0: the width the part reports
        int (*add)(HWND frame);
    };
    static const Part parts[] = {
        {"progress", 320, 162, [](HWND f) { AddProgressBars(f); return 0; }},
        {"led", 229, 61, [](HWND f) { AddLeds(f, 10, 10); return 0; }},
        {"weblink", 170, 62, [](HWND f) { AddLinks(f, 10, 10); return 0; }},
        {"splitter", 420, 130, [](HWND f) { AddSplitters(f, 10, 10, 400, 110); return 0; }},
        {"meter", 640, 160, [](HWND f) { AddAnalogMeters(f, 10, 10, 140); return 0; }},
        {"hexeditor", 0, 162, [](HWND f) { return AddHexEditor(f, 10, 10, 142) + 20; }},
        {"grid", 520, 132, [](HWND f) { AddGrid(f, 10, 10, 500); return 0; }},
    };
    bool saved = true;
    char path[MAX_PATH];
    for (const Part &part : parts) {
        HWND frame = CreateFrame(part.width ? part.width : 100, part.height);
        const int width = part.add(frame);
        if (!part.width)
            MoveWindow(frame, 0, 0, width, part.height, TRUE);
        snprintf(path, sizeof path, "%s/%s%s.png", directory, part.name, dark ? "-dark" : "");
        saved = SaveClientArea(frame, path) && saved;
        DestroyWindow(frame);
    }
    snprintf(path, sizeof path, "%s/listview%s.png", directory, dark ? "-dark" : "");
    return RenderListView(path) && saved;
}

}  // namespace

int main(int argc, char **argv)
{
    bool dark = false;
    if (argc > 1 && strcmp(argv[1], "--dark") == 0) {
        OrvccSetDarkMode(ORVCC_DARK_ON);
        UseDarkFrame();
        dark = true;
        --argc;
        ++argv;
    }
    if (argc > 2 && strcmp(argv[1], "--parts") == 0) {
        const bool saved = InitORVCC(0x7F) && RenderParts(argv[2], dark);
        printf("%s %s\n", saved ? "saved the pictures of each control in" : "could not save all pictures in",
               argv[2]);
        return saved ? 0 : 1;
    }
    const char *path = argc > 1 ? argv[1] : "controls.png";
    if (!InitORVCC(0x7F))
        return 1;
    HWND frame = CreateFrame(320, 162);
    AddProgressBars(frame);
    const int hexWidth = AddHexEditor(frame, 320, 10, 142);
    const int ledHeight = AddLedsAndLinks(frame, 10, 162);
    // Splitters in a row of their own below.
    AddSplitters(frame, 10, 162 + ledHeight, 300 + hexWidth + 10, 110);
    // Analog meters in a row below the splitters.
    const int meterTop = 162 + ledHeight + 120, meterHeight = 140;
    AddAnalogMeters(frame, 10, meterTop, meterHeight);
    // The grid below the meters.
    const int gridTop = meterTop + meterHeight + 6;
    const int gridHeight = AddGrid(frame, 10, gridTop, 320 + hexWidth - 10);
    MoveWindow(frame, 0, 0, 320 + hexWidth + 10, gridTop + gridHeight + 10, TRUE);
    const bool saved = SaveClientArea(frame, path);
    DestroyWindow(frame);
    printf("%s %s\n", saved ? "saved" : "could not save", path);
    if (argc > 2 && !RenderListView(argv[2]))
        return 1;
    return saved ? 0 : 1;
}
