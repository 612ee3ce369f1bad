// The now-playing monitor's cost under Wine on 1,000 Schedules of 50 Files
// in the real tree-view control: a tick whose title did not change (the
// title read and compared, the status line set), and a title change (the
// log line written to disk and the search of the whole tree, the path given
// at once instead of through the player's file-info box). Reports means.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "../station_tree.h"
#include "model/tree_view_win32.h"
#include "monitor/last_title.h"
#include "monitor/now_playing.h"

namespace {

using namespace airvane;

class BenchHost final : public MonitorHost {
public:
    BenchHost(HWND player, HWND status, ScheduleTree& tree) : player_(player), status_(status), tree_(tree) {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        folder_ = folder;
        CreateDirectoryA((folder_ + "LOG").c_str(), nullptr);
    }
    std::string playerTitle() override {
        char title[260] = "";
        GetWindowTextA(player_, title, sizeof title);
        return title;
    }
    void showStatus(const std::string& text) override { SetWindowTextA(status_, text.c_str()); }
    // Answered at once with the last File of the last Schedule: the search
    // walks the whole tree.
    void askPlayingPath(uint64_t question) override { question_ = question; }
    bool mayMoveCaret() override { return true; }
    void selectItem(NodeItem item) override { tree_.selectNode(item); }
    void setStreamTitle(const std::optional<std::string>&) override {}
    const std::string& programFolder() const override { return folder_; }

    // What the UI thread does with the answer, when one is due.
    void answer(MonitorState& state) {
        if (question_) playingPathAnswered(tree_, state, *this, question_, "D:\\Music\\Programme 999\\Track 49.mp3");
        question_ = 0;
    }

private:
    HWND player_, status_;
    ScheduleTree& tree_;
    uint64_t question_ = 0;
    std::string folder_;
};

double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND frame = CreateWindowA("STATIC", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr, nullptr, instance, nullptr);
    HWND control = CreateWindowA(WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES, 0, 0, 380,
                                 300, frame, nullptr, instance, nullptr);
    HWND status = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 300, 380, 20, frame, nullptr, instance, nullptr);
    HWND player = CreateWindowA("STATIC", "1. Track 49 - Winamp", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                instance, nullptr);
    TreeViewTree tree(control);
    bench::buildStation(tree, 1000, 50);
    BenchHost host(player, status, tree);
    MonitorState state;
    LastTitle last;
    Settings settings;
    settings.dispNowPlayFile = 0;
    const LocalTime now = localTimeAt(2026, 12, 8, 3600);
    monitorTick(tree, state, settings, now, last, host);  // the first title: seen once
    host.answer(state);

    constexpr int kTicks = 200;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kTicks; ++i) {
        monitorTick(tree, state, settings, now, last, host);
        host.answer(state);
    }
    std::printf("monitor tick, title unchanged: %.4f ms\n", millisecondsSince(start) / kTicks);

    // The first new title after a change of the tree reads its Files once;
    // the others search what was read.
    constexpr int kChanges = 20;
    double first = 0, changes = 0;
    for (int i = 0; i <= kChanges; ++i) {
        SetWindowTextA(player, (std::to_string(i) + ". Track 49 - Winamp").c_str());
        if (i == 0) state = MonitorState{};  // as after a change of the tree: the Files are read again
        QueryPerformanceCounter(&start);
        monitorTick(tree, state, settings, now, last, host);
        host.answer(state);
        (i == 0 ? first : changes) += millisecondsSince(start);
    }
    std::printf("monitor tick, new title, first after a change of the tree (reads every item): %.3f ms\n", first);
    std::printf("monitor tick, new title (log line and search of 51,000 Files): %.3f ms\n", changes / kChanges);

    // The common case: the File is in the Schedule that plays, and only
    // that Schedule's Files are read after a change.
    const_cast<ScheduleNode*>(state.schedules.back().record)->playing = true;
    state = MonitorState{};
    SetWindowTextA(player, "playing. Track 49 - Winamp");
    QueryPerformanceCounter(&start);
    monitorTick(tree, state, settings, now, last, host);
    host.answer(state);
    std::printf("monitor tick, new title in the playing Schedule, first after a change of the tree: %.3f ms\n",
                millisecondsSince(start));
    tree.freeNodeRecords(kNoNode);
    DestroyWindow(frame);
    DestroyWindow(player);
    return 0;
}
