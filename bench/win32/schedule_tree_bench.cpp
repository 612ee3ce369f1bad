// A large station schedule (200 Schedules of 100 Files) loaded into the real
// tree-view control and saved from it, in both forms, under Wine.
//   usage: schedule_tree_bench [SCHEDULES FILES]
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "../station_tree.h"
#include "model/memory_tree.h"
#include "model/tree_view_win32.h"
#include "storage/filesystem.h"
#include "storage/schedule_file.h"

namespace {

double secondsSince(LONGLONG start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start) / static_cast<double>(frequency.QuadPart);
}

LONGLONG now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

HWND makeTreeControl() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HWND frame = CreateWindowA("STATIC", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 600, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    return CreateWindowA(WC_TREEVIEWA, "",
                         WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                             TVS_SHOWSELALWAYS,
                         0, 0, 480, 580, frame, reinterpret_cast<HMENU>(100), GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    const int schedules = argc > 2 ? std::atoi(argv[1]) : 200;
    const int files = argc > 2 ? std::atoi(argv[2]) : 100;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string scd = std::string(folder) + "airvane-bench.scd";
    const std::string ini = std::string(folder) + "airvane-bench.INI";
    airvane::removeFile(ini);
    {
        airvane::MemoryTree source;
        airvane::bench::buildStation(source, schedules, files);
        airvane::writeScheduleFile(source, scd);
        airvane::writeScheduleFile(source, ini);
    }

    std::printf("%d Schedules of %d Files, into the tree-view control:\n", schedules, files);
    for (const std::string& path : {scd, ini}) {
        airvane::TreeViewTree tree(makeTreeControl());
        LONGLONG start = now();
        airvane::loadScheduleFile(tree, path, nullptr);
        const double load = secondsSince(start);
        const int items = tree.countNodes();

        airvane::removeFile(path);
        start = now();
        bool saved = airvane::writeScheduleFile(tree, path);
        const double save = secondsSince(start);
        std::printf("  %-9s load %.3f s (%d items)   save %.3f s%s\n", airvane::isIniForm(path) ? "INI form" : "line form",
                    load, items, save, saved ? "" : " (FAILED)");
        tree.freeNodeRecords(airvane::kNoNode);
        DestroyWindow(GetParent(tree.window()));
    }
    airvane::removeFile(scd);
    airvane::removeFile(ini);
    return 0;
}
