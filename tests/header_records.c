/* The records of the public header have the same layout in every compiler a host
 * may use: their sizes and the offsets a host reads, for 32-bit and 64-bit builds.
 * Compiled (never run) as C and as C++ by the orvcc32_header_* tests. */
#include <windows.h>
#include <commctrl.h>
#include <stddef.h>
#include "orvcc32.h"

#ifdef _WIN64
#define ORV_BITS(size32, size64) (size64)
#else
#define ORV_BITS(size32, size64) (size32)
#endif
#define ORV_RECORD(name, cond) typedef char orv_record_##name[(cond) ? 1 : -1];

ORV_RECORD(mru_params_a, sizeof(MruOpenParamsA) == ORV_BITS(20, 32))
ORV_RECORD(mru_params_w, sizeof(MruOpenParamsW) == ORV_BITS(20, 32))
ORV_RECORD(mru_subkey, offsetof(MruOpenParamsW, subKey) == ORV_BITS(16, 24))
ORV_RECORD(hex_range, sizeof(HexRange) == 8)
ORV_RECORD(led_colors, sizeof(LedColors) == 12)
ORV_RECORD(am_info, sizeof(AMINFO) == ORV_BITS(32, 40))
ORV_RECORD(am_info_param, offsetof(AMINFO, lParam) == ORV_BITS(28, 32))
ORV_RECORD(am_colors, sizeof(AMCOLORS) == 20)
ORV_RECORD(am_metrics, sizeof(AMMETRICS) == 28)
ORV_RECORD(lv_sort_option, sizeof(LVSORTOPTION) == ORV_BITS(24, 32))
ORV_RECORD(lv_sort_notify_hwnd, offsetof(LVSORTOPTION, hwndNotify) == ORV_BITS(20, 24))
ORV_RECORD(lv_edit_option, sizeof(LVEDITOPTION) == 12)
ORV_RECORD(lv_sort_notify, sizeof(LVSORTNOTIFY) == ORV_BITS(12, 16))
ORV_RECORD(lv_edit_item_a, sizeof(LVEDITITEMA) == ORV_BITS(40, 56))
ORV_RECORD(lv_edit_item_w, sizeof(LVEDITITEMW) == ORV_BITS(40, 56))
ORV_RECORD(lv_edit_notify_a, sizeof(LVEDITNOTIFYA) == ORV_BITS(68, 104))
ORV_RECORD(lv_edit_notify_w, sizeof(LVEDITNOTIFYW) == ORV_BITS(68, 104))
ORV_RECORD(lv_edit_editor, offsetof(LVEDITNOTIFYW, hwndEditor) == ORV_BITS(64, 96))
ORV_RECORD(lv_edit_dispinfo, offsetof(LVEDITNOTIFYA, item.lParam) == offsetof(NMLVDISPINFOA, item.lParam))
ORV_RECORD(grid_colors, sizeof(GRIDCOLORS) == 32)
ORV_RECORD(dll_version, sizeof(DLLVERSIONINFO) == 20)
