// Starts airvane.exe from a folder and samples what it holds every
// INTERVAL seconds for MINUTES minutes: its handles (counted in the
// system's handle table, which Wine keeps), its GDI and USER objects
// (GetGuiResources; Wine answers 0) and its private bytes (committed
// private memory, summed over its address space). Then closes it and the
// player. One line per sample on standard output:
//   seconds handles gdi user private_kb
//   soak_sampler.exe FOLDER MINUTES [INTERVAL]
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../e2e/airvane_start.h"

namespace {

// One row of SystemHandleInformation (class 16).
struct HandleRow {
    USHORT processId;
    USHORT creatorBackTraceIndex;
    UCHAR objectType;
    UCHAR flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};

long handlesOf(DWORD processId) {
    std::vector<char> buffer(1 << 20);
    ULONG length = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(16), buffer.data(),
                                              static_cast<ULONG>(buffer.size()), &length)) ==
           static_cast<NTSTATUS>(0xC0000004)) {  // the table grew: a bigger buffer
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) return -1;
    const ULONG count = *reinterpret_cast<ULONG*>(buffer.data());
    const auto* rows = reinterpret_cast<const HandleRow*>(buffer.data() + sizeof(ULONG_PTR));
    long mine = 0;
    for (ULONG i = 0; i < count; ++i) mine += rows[i].processId == static_cast<USHORT>(processId);
    return mine;
}

unsigned long long privateBytesOf(HANDLE process) {
    unsigned long long total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (char* at = nullptr; VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;
         at = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    }
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: soak_sampler FOLDER MINUTES [INTERVAL]\n");
        return 2;
    }
    const DWORD minutes = std::atoi(argv[2]), interval = argc > 3 ? std::atoi(argv[3]) : 30;
    const PROCESS_INFORMATION airvane = airvane::e2e::startAirvane(argv[1]);
    if (!airvane.hProcess || !airvane::e2e::waitForAirvaneWindow(airvane.dwProcessId, 15000)) {
        std::fprintf(stderr, "airvane.exe did not start in %s\n", argv[1]);
        return 1;
    }
    const DWORD start = GetTickCount();
    for (DWORD second = 0; second <= minutes * 60; second += interval) {
        while (GetTickCount() - start < second * 1000) Sleep(100);
        if (WaitForSingleObject(airvane.hProcess, 0) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "airvane.exe ended during the soak\n");
            return 1;
        }
        std::printf("%lu %ld %lu %lu %llu\n", second, handlesOf(airvane.dwProcessId),
                    GetGuiResources(airvane.hProcess, GR_GDIOBJECTS),
                    GetGuiResources(airvane.hProcess, GR_USEROBJECTS),
                    privateBytesOf(airvane.hProcess) / 1024);
        std::fflush(stdout);
    }
    HWND window = airvane::e2e::waitForAirvaneWindow(airvane.dwProcessId, 0);
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(airvane.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(airvane.hProcess, 1);
    if (HWND player = FindWindowA("Winamp v1.x", nullptr)) PostMessageA(player, WM_CLOSE, 0, 0);
    return 0;
}
