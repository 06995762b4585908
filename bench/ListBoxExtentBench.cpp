// The result list's extent fitting on a real list box (CHSListBox): 10,000 lines added one by
// one from a worker thread (as the scan adds them), each followed by a fit, against adding them
// without fitting and against one full measurement of all of them. Prints the ratios of one run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

#include "picker/CHSListBox.h"

namespace {

constexpr int kLines = 10000;

// <chrono> cannot be compiled with GBK narrow literals: the performance counter instead.
double Now() {
    LARGE_INTEGER counter{};
    LARGE_INTEGER frequency{};
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Line(int i) {
    // Paths of varied length, like those of a scanned tree.
    return "C:\\users\\tester\\AppData\\Local\\Temp\\folder" + std::to_string(i % 97) + "\\" +
           std::string(static_cast<size_t>(i % 41), 'n') + std::to_string(i) + ".tmp";
}

// Runs work on a worker thread while this thread carries out the list box's messages.
double TimeOnWorker(const std::function<void()>& work) {
    HANDLE hDone = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const double start = Now();
    std::thread worker([&] {
        work();
        ::SetEvent(hDone);
    });
    for (;;) {
        const DWORD woken = ::MsgWaitForMultipleObjects(1, &hDone, FALSE, INFINITE, QS_ALLINPUT);
        if (woken != WAIT_OBJECT_0 + 1) break;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    }
    const double seconds = Now() - start;
    worker.join();
    ::CloseHandle(hDone);
    return seconds;
}

}  // namespace

int main() {
    HWND hHost = ::CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                   nullptr, ::GetModuleHandleA(nullptr), nullptr);
    HWND hList =
        ::CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | LBS_SORT, 0, 0,
                          380, 260, hHost, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    CHSListBox list;
    if (hList == nullptr || !list.SubclassWindow(hList)) {
        std::fprintf(stderr, "no list box\n");
        return 1;
    }

    // The machine is shared: each way of adding is timed twice, alternately, and the faster run
    // of each counts.
    auto addPlain = [&] {
        for (int i = 0; i < kLines; ++i)
            ::SendMessageA(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Line(i).c_str()));
    };
    auto addFitted = [&] {
        for (int i = 0; i < kLines; ++i) {
            ::SendMessageA(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Line(i).c_str()));
            list.FitHorizontalExtent();
        }
    };
    double plain = 1e300;
    double fitted = 1e300;
    for (int round = 0; round < 2; ++round) {
        list.ResetContent();
        plain = std::min(plain, TimeOnWorker(addPlain));
        list.ResetContent();
        fitted = std::min(fitted, TimeOnWorker(addFitted));
    }
    const int extent = list.GetHorizontalExtent();

    // The interface thread's own additions (a batch of published lines), painting held: the
    // system's list box alone, and the same through the result list's wrapper with its fits.
    HWND hPlain =
        ::CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | LBS_SORT, 0, 0,
                          380, 260, hHost, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    auto addHere = [&](HWND hTarget, bool bFit) {
        ::SendMessageA(hTarget, WM_SETREDRAW, FALSE, 0);
        const double start = Now();
        for (int i = 0; i < kLines; ++i) {
            ::SendMessageA(hTarget, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Line(i).c_str()));
            if (bFit && i % 200 == 199) list.FitHorizontalExtent();
        }
        return Now() - start;
    };
    list.ResetContent();
    const double system = addHere(hPlain, false);
    const double wrapped = addHere(hList, true);
    // With nothing added since the last fit, a fit measures every line.
    const double full = TimeOnWorker([&] { list.FitHorizontalExtent(); });

    std::printf("extent fitting, %d lines added one by one from a worker thread (list box hidden)\n", kLines);
    std::printf("  additions without fitting:        %8.3f s\n", plain);
    std::printf("  additions, each followed by a fit: %8.3f s  (fitting alone %.1f us per line)\n", fitted,
                (fitted - plain) * 1e6 / kLines);
    std::printf("  one full measurement of all lines: %8.3f s  (%.1f us per line)\n", full,
                full * 1e6 / kLines);
    std::printf("  ratio fitted additions / one full measurement: %.2f\n", fitted / full);
    std::printf("  a fit measuring every line after each addition would take about %.0f s (%.0fx)\n",
                full * (kLines + 1) / 2, full * (kLines + 1) / 2 / fitted);
    std::printf("  final extent %d px\n", extent);
    std::printf(
        "additions on the interface thread, painting held: system list box %.1f us per line,\n"
        "  result list with a fit per 200 lines %.1f us per line (%.2fx)\n",
        system * 1e6 / kLines, wrapped * 1e6 / kLines, wrapped / system);
    ::DestroyWindow(hHost);
    return 0;
}
