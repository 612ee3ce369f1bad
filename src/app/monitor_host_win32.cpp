#include "app/monitor_host_win32.h"

#include "app/app_state.h"
#include "app/keep_on_air_win32.h"
#include "app/on_air_win32.h"
#include "resources/resource.h"
#include "storage/text.h"

namespace airvane {

namespace {

// Everything that may wait on the player goes to the conversation's
// thread; what is done here reads only the player's caption.
class WindowsMonitorHost final : public MonitorHost {
public:
    explicit WindowsMonitorHost(AppState& state) : state_(state) {}

    std::string playerTitle() override {
        char title[260] = "";
        GetWindowTextA(state_.winampWindow, title, sizeof title);
        std::string text = title;
        dropCutCharacter(text);
        return text;
    }
    void showStatus(const std::string& text) override {
        // A program search shows where it looks until it ends, and a word
        // for the operator stays a while.
        if ((state_.companions && state_.companions->searching()) || state_.statusHeld()) return;
        SetDlgItemTextA(state_.mainWindow, IDC_STATUS_LINE, text.c_str());
    }
    void askPlayingPath(uint64_t question) override {
        if (state_.conversation) state_.conversation->askPlayingPath(state_.winampWindow, question);
    }
    // A modal dialog or message box of the main window disables it.
    bool mayMoveCaret() override { return IsWindowEnabled(state_.mainWindow) != FALSE; }
    void selectItem(NodeItem item) override { state_.tree->selectNode(item); }
    void setStreamTitle(const std::optional<std::string>& title) override {
        if (state_.conversation) state_.conversation->setStreamTitle(state_.winampWindow, title);
    }
    const std::string& programFolder() const override { return state_.programFolder; }
    void titleSeen(const std::string& cleanedTitle) override {
        state_.trackWatch.titleChanged(watchMoment(), cleanedTitle);
    }
    void playingPathLearnt(const std::string& path) override {
        state_.trackWatch.pathLearnt(watchMoment(), path);
        writeTrackRows(state_);
    }

private:
    AppState& state_;
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

void takePlayingPathAnswer(AppState& state) {
    uint64_t question = 0;
    std::string path;
    if (!state.conversation || !state.conversation->takeAnswer(question, path)) return;
    const bool current = question != 0 && question == state.monitorState.openQuestion;
    WindowsMonitorHost host(state);
    playingPathAnswered(*state.tree, state.monitorState, host, question, path);
    if (current) keepOnAirPathAnswered(state, path);
}

void takeTrackAnswer(AppState& state) {
    TrackAnswer answer;
    if (!state.conversation || !state.conversation->takeTrackAnswer(answer)) return;
    state.trackWatch.answered(watchMoment(), answer);
    writeTrackRows(state);
    watchPositionNow(state);
}

void holdStatus(AppState& state, const std::string& text) {
    state.statusHeldUntil = GetTickCount() + 60'000;
    SetDlgItemTextA(state.mainWindow, IDC_STATUS_LINE, text.c_str());
}

void handBackStreamTitle(AppState& state) {
    // Bounded: a player that hangs must not keep the exit waiting.
    if (state.conversation) state.conversation->handBackStreamTitle(state.winampWindow, 2500);
}

}  // namespace airvane
