// Starts airvane.exe from a folder and looks every second, for MINUTES
// minutes, at what it holds: its handles (counted in the system's handle
// table, which Wine keeps), its GDI and USER objects (GetGuiResources;
// Wine answers 0) and its private bytes (committed private memory, summed
// over its address space). Then closes it and the player. Every INTERVAL
// seconds one line on standard output, with the least of each seen since
// the line before, and the most handles:
//   seconds handles gdi user private_kb handles_peak
//   soak_sampler.exe FOLDER MINUTES [INTERVAL]
// The least, because a worker that fades or hands a programme over holds a
// thread and an event (and a stack) for a second or more: a single look
// every 10 s, in step with programmes every 10 s, can catch one at every
// look from some point on and read it as growth. What is kept stays in
// the least; what comes and goes shows only in the peak.
#include <windows.h>
#include <winternl.h>

#include <algorithm>
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

struct Held {
    long handles;
    unsigned long gdi, user;
    unsigned long long privateKb;
};

Held heldBy(const PROCESS_INFORMATION& process) {
    return {handlesOf(process.dwProcessId), GetGuiResources(process.hProcess, GR_GDIOBJECTS),
            GetGuiResources(process.hProcess, GR_USEROBJECTS), privateBytesOf(process.hProcess) / 1024};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: soak_sampler FOLDER MINUTES [INTERVAL]\n");
        return 2;
    }
    const DWORD minutes = std::atoi(argv[2]), interval = std::max(argc > 3 ? std::atoi(argv[3]) : 30, 1);
    const PROCESS_INFORMATION airvane = airvane::e2e::startAirvane(argv[1]);
    if (!airvane.hProcess || !airvane::e2e::waitForAirvaneWindow(airvane.dwProcessId, 15000)) {
        std::fprintf(stderr, "airvane.exe did not start in %s\n", argv[1]);
        return 1;
    }
    const DWORD start = GetTickCount();
    Held least{}, most{};
    bool fresh = true;  // nothing seen since the last line
    for (DWORD second = 0; second <= minutes * 60; ++second) {
        while (GetTickCount() - start < second * 1000) Sleep(20);
        if (WaitForSingleObject(airvane.hProcess, 0) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "airvane.exe ended during the soak\n");
            return 1;
        }
        const Held now = heldBy(airvane);
        if (fresh) {
            least = most = now;
            fresh = false;
        }
        least = {std::min(least.handles, now.handles), std::min(least.gdi, now.gdi),
                 std::min(least.user, now.user), std::min(least.privateKb, now.privateKb)};
        most.handles = std::max(most.handles, now.handles);
        if (second % interval != 0) continue;
        std::printf("%lu %ld %lu %lu %llu %ld\n", second, least.handles, least.gdi, least.user,
                    least.privateKb, most.handles);
        std::fflush(stdout);
        fresh = true;
    }
    HWND window = airvane::e2e::waitForAirvaneWindow(airvane.dwProcessId, 0);
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(airvane.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(airvane.hProcess, 1);
    if (HWND player = FindWindowA("Winamp v1.x", nullptr)) PostMessageA(player, WM_CLOSE, 0, 0);
    return 0;
}
