// What one launcher -> game -> launcher round trip costs a running program,
// measured in the program itself: the page's call opens the game window, the
// confirmed close brings a fresh launcher, again and again. Prints the
// private bytes and the stack that each trip adds after a warm-up.
//   round_trip_bench.exe [TRIPS] [WARM-UP]
#include "support/ProgramDriver.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

size_t PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof(counters));
    // Wine leaves PrivateUsage empty; PagefileUsage is the same figure there.
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// The thread's windows, children included.
BOOL CALLBACK CountWindows(HWND hwnd, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(hwnd, CountChild, count);
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int trips = argc > 1 ? _wtoi(argv[1]) : 100;
    const int warmUp = argc > 2 ? _wtoi(argv[2]) : 10;
    DeleteFileW(L"config.ini");

    std::vector<size_t> memory;
    std::vector<uintptr_t> stack;
    test::ProgramDriver driver;
    test::RoundTrips roundTrips(driver, warmUp + trips, L"window.external.outLink('Trip', 'http://127.0.0.1:1/play')");
    roundTrips.atLauncher = [&](int done) {
        volatile char here = 0;
        stack.push_back(reinterpret_cast<uintptr_t>(&here));
        memory.push_back(PrivateBytes());
        // SELVANE_BENCH_TRACE=1: a line per trip in trace.txt (trip, private
        // bytes, tick count, windows of the thread), written as it happens.
        if (getenv("SELVANE_BENCH_TRACE")) {
            if (FILE* trace = fopen("trace.txt", "a")) {
                int windows = 0;
                EnumThreadWindows(GetCurrentThreadId(), CountWindows, reinterpret_cast<LPARAM>(&windows));
                fprintf(trace, "%d %u %lu windows %d\n", done, static_cast<unsigned>(memory.back()), GetTickCount(),
                        windows);
                fclose(trace);
            }
        }
    };
    roundTrips.Arm();
    DWORD start = GetTickCount();
    int code;
    {
        CTranslucentApp app;
        app.InitInstance();
        code = app.ExitInstance();
    }
    DWORD elapsed = GetTickCount() - start;

    if (static_cast<int>(memory.size()) < warmUp + trips + 1) {
        std::printf("only %u launchers of %d came up\n", static_cast<unsigned>(memory.size()), warmUp + trips + 1);
        return 2;
    }
    const size_t first = static_cast<size_t>(warmUp), last = memory.size() - 1;
    const double perTripMemory = (static_cast<double>(memory[last]) - memory[first]) / (last - first);
    const double perTripStack = (static_cast<double>(stack[first]) - stack[last]) / (last - first);
    std::printf("%-8s %6s %14s %14s %14s %12s %10s\n", "arch", "trips", "private start", "private end",
                "bytes/trip", "stack/trip", "ms/trip");
    std::printf("%-8s %6d %14u %14u %14.0f %12.0f %10.1f\n", sizeof(void*) == 8 ? "x86-64" : "i686",
                static_cast<int>(last - first), static_cast<unsigned>(memory[first]),
                static_cast<unsigned>(memory[last]), perTripMemory, perTripStack,
                static_cast<double>(elapsed) / (warmUp + trips));
    std::printf("exit code of the program: %d\n", code);
    return code;
}
