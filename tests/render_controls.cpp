// Shows the finished controls in one window and saves a picture of it as a PNG,
// so a person can look at them. Usage: orvcc_render.exe out.png
#include "orvcc32.h"
#include "pngshot.h"

#include <stdio.h>
#include <string.h>

#include <vector>

// The wrapper macros' results are dropped here; a 64-bit build would report each
// result cast as an unused value.
#pragma GCC diagnostic ignored "-Wunused-value"

namespace {

HWND CreateControl(const wchar_t *className, HWND parent, int x, int y, int width, int height)
{
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                           NULL, GetModuleHandleW(NULL), NULL);
}

void AddProgressBars(HWND parent)
{
    const int positions[] = {0, 37, 50, 100};
    for (int i = 0; i < 4; ++i) {
        HWND bar = CreateControl(ORV_PROGRESSCLASSW, parent, 10, 10 + i * 30, 300, 22);
        Progress_SetPos(bar, positions[i]);
    }
    HWND custom = CreateControl(ORV_PROGRESSCLASSW, parent, 10, 130, 300, 22);
    COLORREF back = RGB(255, 255, 224), bar = RGB(0, 128, 0);
    Progress_SetBkColor(custom, &back);
    Progress_SetBarColor(custom, &bar);
    Progress_SetPos(custom, 64);
}

// A hex editor with text and binary data, a selection and the caret behind it;
// returns its width.
int AddHexEditor(HWND parent, int x, int y, int height)
{
    HWND hex = CreateWindowExW(WS_EX_CLIENTEDGE, ORV_HEXEDITORCLASSW, L"",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL, x, y, 10, height, parent, NULL,
                               GetModuleHandleW(NULL), NULL);
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
        panes[i] = CreateWindowExW(WS_EX_CLIENTEDGE, L"STATIC", texts[i],
                                   WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, 0, 0, 1, 1,
                                   parent, NULL, GetModuleHandleW(NULL), NULL);
    const double third = 0.35;
    (void)Splitter_SetPos(outer, &third);
    (void)Splitter_SetPane1(outer, panes[0], TRUE);
    (void)Splitter_SetPane2(outer, inner, TRUE);
    (void)Splitter_SetPane1(inner, panes[1], TRUE);
    (void)Splitter_SetPane2(inner, panes[2], TRUE);
}

// A row of LEDs (a two-digit counter showing 4.2, the lamp shapes lit and dark)
// and two web links; returns the height used.
int AddLedsAndLinks(HWND parent, int x, int y)
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
    const wchar_t *texts[2] = {L"www.example.org", L"Hilfe und Support"};
    for (int i = 0; i < 2; ++i) {
        HWND link = CreateControl(ORV_WEBLINKCLASSW, parent, x + 230, y + i * 22, 150, 20);
        SetWindowTextW(link, texts[i]);
        SendMessageW(link, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
        WebLink_SetStyle(link, WLS_UNDERLINEMASK, i == 0 ? WLS_UNDERLINEALWAYS : WLS_UNDERLINENONE);
    }
    return 51;
}

bool SaveClientArea(HWND hwnd, const char *path)
{
    RECT rect;
    GetClientRect(hwnd, &rect);
    HDC window = GetDC(hwnd);
    const bool saved = SaveAreaAsPng(window, 0, 0, rect.right, rect.bottom, path);
    ReleaseDC(hwnd, window);
    return saved;
}

}  // namespace

int main(int argc, char **argv)
{
    const char *path = argc > 1 ? argv[1] : "controls.png";
    if (!InitORVCC(0x7F))
        return 1;
    HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 320, 162,
                                 NULL, NULL, GetModuleHandleW(NULL), NULL);
    AddProgressBars(frame);
    const int hexWidth = AddHexEditor(frame, 320, 10, 142);
    const int ledHeight = AddLedsAndLinks(frame, 10, 162);
    // Splitters in a row of their own below.
    AddSplitters(frame, 10, 162 + ledHeight, 300 + hexWidth + 10, 110);
    MoveWindow(frame, 0, 0, 320 + hexWidth + 10, 162 + ledHeight + 120, TRUE);
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    RedrawWindow(frame, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const bool saved = SaveClientArea(frame, path);
    DestroyWindow(frame);
    printf("%s %s\n", saved ? "saved" : "could not save", path);
    return saved ? 0 : 1;
}
