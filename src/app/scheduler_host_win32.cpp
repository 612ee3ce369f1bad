#include "app/scheduler_host_win32.h"

#include "app/app_state.h"
#include "app/main_commands_win32.h"
#include "app/monitor_host_win32.h"
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

    void monitor(const LocalTime& time) override { runMonitor(state_, time); }

    // Under UAC even an administrator runs without the right to set the
    // time; Airvane does not ask for elevation (an elevated program takes no
    // drops from Explorer and would start the player elevated), it says so.
    void clockCorrected(bool set) override {
        if (!set) holdStatus(state_, "시계를 00:00:00으로 맞추지 못했습니다: 이 계정에는 시간을 바꿀 권한이 없습니다");
    }

    // The load is on air and happens even when "JobFile" cannot be
    // written; saves then still go to the file loaded, never to the one the
    // INI names. The operator is told once the tick is over.
    void loadJobFile(const std::string& jobFile) override {
        const bool recorded = state_.config.writeProfileText("Config", "JobFile", jobFile);
        showJobFile(state_, jobFile, true);
        if (!recorded) {
            state_.pendingNotice = "'" + state_.config.path() + "' 파일이 열리지 않습니다";
            PostMessageA(state_.mainWindow, kShowNotice, 0, 0);
        }
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

    bool startProgramme(const ScheduleNode& schedule, const std::string& playlistPath) override {
        return startStartWorker(workerKit(state_), schedule.options, playlistPath);
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
