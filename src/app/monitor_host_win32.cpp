#include "app/monitor_host_win32.h"

#include "app/app_state.h"
#include "monitor/player_windows_win32.h"
#include "resources/resource.h"
#include "storage/text.h"

namespace airvane {

namespace {

class WindowsMonitorHost final : public MonitorHost {
public:
    explicit WindowsMonitorHost(AppState& state) : state_(state), stream_(state.winampWindow) {}

    std::string playerTitle() override {
        char title[260] = "";
        GetWindowTextA(state_.winampWindow, title, sizeof title);
        std::string text = title;
        dropCutCharacter(text);
        return text;
    }
    void showStatus(const std::string& text) override {
        // A program search shows where it looks until it ends.
        if (state_.companions && state_.companions->searching()) return;
        SetDlgItemTextA(state_.mainWindow, IDC_STATUS_LINE, text.c_str());
    }
    std::string playingPath() override { return readPlayingPath(state_.winampWindow); }
    void selectItem(NodeItem item) override { state_.tree->selectNode(item); }
    StreamTitleWindow& streamTitleWindow() override { return stream_; }
    const std::string& programFolder() const override { return state_.programFolder; }

private:
    AppState& state_;
    ShoutcastWindow stream_;
};

}  // namespace

void runMonitor(AppState& state, const LocalTime& time) {
    WindowsMonitorHost host(state);
    monitorTick(*state.tree, state.monitorState, state.settings, time, *state.lastTitle, host);
}

void markPlayingItemAgain(AppState& state) {
    if (!state.winampWindow || !IsWindow(state.winampWindow)) return;
    WindowsMonitorHost host(state);
    findAndMarkPlayingItem(*state.tree, state.monitorState, host);
}

void handBackStreamTitle(AppState& state) {
    ShoutcastWindow stream(state.winampWindow);
    setStreamTitle(stream, std::nullopt);
}

}  // namespace airvane
