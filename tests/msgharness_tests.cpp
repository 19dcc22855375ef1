// The random-message harness on every registered control (harness_controls.cpp),
// and checks that the harness itself notices a leak or a scribbled buffer.
#include <gtest/gtest.h>

#include "msgharness.h"
#include "orvcc32.h"
#include "testing.h"

using namespace orvtest;

namespace {

class Harness : public ::testing::TestWithParam<const char *> {};

TEST_P(Harness, RandomMessages)
{
    const HarnessControl *control = FindHarnessControl(GetParam());
    ASSERT_NE(control, nullptr);
    ASSERT_TRUE(InitORVCC(control->initFlag));
    ExpectHarnessClean(control->setup);
}

std::vector<const char *> ControlNames()
{
    std::vector<const char *> names;
    for (const HarnessControl &control : HarnessControls())
        names.push_back(control.className);
    return names;
}

INSTANTIATE_TEST_SUITE_P(Controls, Harness, ::testing::ValuesIn(ControlNames()),
                         [](const ::testing::TestParamInfo<const char *> &info) {
                             return std::string(info.param);
                         });

// Test classes for the harness itself: one leaks a GDI object per window, one a
// heap block per window, one writes into the input buffer it is given.
LRESULT CALLBACK FaultyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    wchar_t name[32];
    GetClassNameW(hwnd, name, 32);
    if (message == WM_CREATE && name[10] == 'G')
        CreateSolidBrush(RGB(1, 2, 3));
    if (message == WM_CREATE && name[10] == 'H')
        HeapAlloc(GetProcessHeap(), 0, 24);
    if (message == WM_USER && name[10] == 'S' && lParam)
        *reinterpret_cast<BYTE *>(lParam) ^= 1;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterFaulty(const wchar_t *name)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = FaultyProc;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}

const MsgRow kFaultyRows[] = {{WM_USER, kArgZero, kArgIn, 8}};

TEST(HarnessSelfCheck, NoticesLeaksAndScribbles)
{
    RegisterFaulty(L"OrvFaulty_Gdi");
    RegisterFaulty(L"OrvFaulty_Heap");
    RegisterFaulty(L"OrvFaulty_Scribble");
    RegisterFaulty(L"OrvFaulty_Clean");

    const BalanceResult gdi = CheckCreateDestroyBalance(HarnessSetup("OrvFaulty_Gdi", kFaultyRows), 40);
    EXPECT_GE(gdi.gdiObjects, 40);
    EXPECT_NE(gdi.fault, "");
    const BalanceResult heap = CheckCreateDestroyBalance(HarnessSetup("OrvFaulty_Heap", kFaultyRows), 40);
    EXPECT_GE(heap.heapBlocks, 40);
    EXPECT_NE(heap.fault, "");
    const BalanceResult clean = CheckCreateDestroyBalance(HarnessSetup("OrvFaulty_Clean", kFaultyRows), 40);
    EXPECT_EQ(clean.fault, "");

    const StreamResult scribble = RunMessageStream(HarnessSetup("OrvFaulty_Scribble", kFaultyRows), 1, 500);
    EXPECT_NE(scribble.fault.find("input buffer of lParam changed"), std::string::npos) << scribble.fault;
    EXPECT_EQ(RunMessageStream(HarnessSetup("OrvFaulty_Clean", kFaultyRows), 1, 500).fault, "");
}

}  // namespace
