#include "app/scheduler_host_win32.h"

#include "app/app_state.h"
#include "app/player_commands_win32.h"
#include "player/playlist_file.h"
#include "resources/resource.h"
#include "scheduler/scheduler_tick.h"
#include "scheduler/system_clock_win32.h"
#include "storage/message_box_win32.h"
#include "storage/schedule_file.h"

namespace airvane {

namespace {

class WindowsSchedulerHost final : public SchedulerHost {
public:
    explicit WindowsSchedulerHost(AppState& state) : state_(state) {}

    void loadJobFile(const std::string& jobFile) override {
        state_.config.writeProfileText("Config", "JobFile", jobFile);
        WindowMessages messages(state_.mainWindow);
        replaceTree(*state_.tree, jobFile, &messages);
    }

    void endProgramme(const ScheduleNode&, bool fade) override {
        if (fade) startEndWorker(workerKit(state_));
    }

    std::string writePlaylist(NodeItem schedule) override {
        PlaylistResult playlist = writePlaylistFile(*state_.tree, schedule, state_.programFolder);
        if (playlist.path.empty() && !playlist.error.empty()) {
            SetDlgItemTextA(state_.mainWindow, IDC_STATUS_LINE, playlist.error.c_str());
        }
        return playlist.path;
    }

    void startProgramme(const ScheduleNode& schedule, const std::string& playlistPath) override {
        startStartWorker(workerKit(state_), schedule.options, playlistPath);
    }

private:
    AppState& state_;
};

}  // namespace

void runSchedulerTick(AppState& state) {
    SystemClock clock;
    WindowsSchedulerHost host(state);
    schedulerTick(*state.tree, state.loadingList, state.settings, clock, host, state.tickState);
}

}  // namespace airvane
