/* Consumer host: asks InitORVCC for every control class of orvcc32.h and
   creates one window of each class it registered, in both character widths.
   Prints what it made; the exit code tells whether anything failed. */
#include <windows.h>
#include <stdio.h>

#include "orvcc32.h"

static const struct {
    DWORD bit;
    const char *name;
} kClasses[] = {
    {ORVCC_PROGRESS_CLASS, ORV_PROGRESSCLASSA},       {ORVCC_ANALOGMETER_CLASS, ORV_ANALOGMETERCLASSA},
    {ORVCC_WEBLINK_CLASS, ORV_WEBLINKCLASSA},         {ORVCC_LED_CLASS, ORV_LEDCLASSA},
    {ORVCC_GRIDCONTROL_CLASS, ORV_GRIDCONTROLCLASSA}, {ORVCC_SPLITTER_CLASS, ORV_SPLITTERCLASSA},
    {ORVCC_HEXEDITOR_CLASS, ORV_HEXEDITORCLASSA},
};

int main(void)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    HINSTANCE library = GetModuleHandleA("orvcc32.dll");
    HWND parent = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, NULL, NULL,
                                  instance, NULL);
    int failures = parent ? 0 : 1, made = 0;
    size_t i;
    for (i = 0; i < sizeof kClasses / sizeof kClasses[0]; ++i) {
        WCHAR wide[64];
        WNDCLASSEXA info;
        HWND a, w;
        info.cbSize = sizeof info;
        if (!InitORVCC(kClasses[i].bit)) {
            ++failures;
            printf("%-22s InitORVCC FAILED (error %lu)\n", kClasses[i].name, GetLastError());
            continue;
        }
        if (!GetClassInfoExA(library, kClasses[i].name, &info)) {
            printf("%-22s not registered by this build\n", kClasses[i].name);
            continue;
        }
        MultiByteToWideChar(CP_ACP, 0, kClasses[i].name, -1, wide, 64);
        a = CreateWindowExA(0, kClasses[i].name, "a", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, parent,
                            (HMENU)(INT_PTR)(100 + i), instance, NULL);
        w = CreateWindowExW(0, wide, L"w", WS_CHILD | WS_VISIBLE, 0, 100, 200, 100, parent,
                            (HMENU)(INT_PTR)(200 + i), instance, NULL);
        if (a && w) {
            UpdateWindow(a);
            UpdateWindow(w);
            ++made;
            printf("%-22s created\n", kClasses[i].name);
        } else {
            ++failures;
            printf("%-22s FAILED (error %lu)\n", kClasses[i].name, GetLastError());
        }
        if (a)
            DestroyWindow(a);
        if (w)
            DestroyWindow(w);
    }
    if (parent)
        DestroyWindow(parent);
    printf("%d classes created, %d failures\n", made, failures);
    return failures || !made;
}
