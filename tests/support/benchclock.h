// Shared by the benchmark programs: a millisecond clock and a message pump.
#pragma once

#include <windows.h>

namespace orvbench {

// Milliseconds from the performance counter.
inline double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Dispatches every queued message of this thread.
inline void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

}  // namespace orvbench
