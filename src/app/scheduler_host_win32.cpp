#include "app/scheduler_host_win32.h"

#include "app/app_state.h"
#include "app/fallback_win32.h"
#include "app/main_commands_win32.h"
#include "app/monitor_host_win32.h"
#include "app/on_air_win32.h"
#include "model/node_label.h"
#include "app/player_commands_win32.h"
#include "player/playlist_file.h"
#include "resources/resource.h"
#include "scheduler/scheduler_tick.h"
#include "scheduler/system_clock_win32.h"
#include "storage/message_box_win32.h"
#include "storage/schedule_file.h"

namespace airvane {

namespace {

constexpr const char* kClockNotSet = "시계를 00:00:00으로 맞추지 못했습니다: 이 계정에는 시간을 바꿀 권한이 없습니다";

class WindowsSchedulerHost final : public SchedulerHost {
public:
    explicit WindowsSchedulerHost(AppState& state) : state_(state) {}

    void monitor(const LocalTime& time) override { runMonitor(state_, time); }

    // Under UAC even an administrator runs without the right to set the
    // time; Airvane does not ask for elevation (an elevated program takes no
    // drops from Explorer and would start the player elevated), it says so.
    void clockCorrected(bool set) override {
        if (!set) holdStatus(state_, kClockNotSet);
        const char* detail = !set ? kClockNotSet : state_.settings.adjRealTimeSec == 0 ? "AdjRealTimeSec 0: 바꾸지 않음" : "";
        noteOnAir(state_, set ? onair::kClockSet : onair::kClockNotSet, "", 0, detail);
    }

    void loadJobFile(const std::string& jobFile) override { loadJobFileOnAir(state_, jobFile, loadingSecond(jobFile)); }

    // The stop is due when the fade is over; without it, now.
    void endProgramme(const ScheduleNode& schedule, bool fade) override {
        const int32_t due = (second_ + (fade ? state_.settings.fadeoutTime : 0)) % 86400;
        // FillGaps keeps a fallback that stood in for this programme on after its time.
        if (state_.settings.fillGaps && !state_.settings.fallbackPlaylist.empty() && fallbackOnAir(state_)) {
            noteOnAir(state_, onair::kEnd, schedule.text, due, "대체 방송이 이어집니다");
            return;
        }
        if (!fade) {
            noteOnAir(state_, onair::kEnd, schedule.text, due, "nofade");
            return;
        }
        WorkerKit kit = workerKit(state_);
        noteWhenDone(state_, kit, onair::kEnd, schedule.text, due);
        if (!startEndWorker(kit)) noteOnAir(state_, onair::kNotEnded, schedule.text, due, kNoWorkerToEnd);
    }

    std::string writePlaylist(NodeItem schedule) override {
        PlaylistResult playlist = writePlaylistFile(*state_.tree, schedule, state_.programFolder);
        // Held, or the monitor that comes later in this tick paints over it.
        if (playlist.path.empty() && !playlist.error.empty()) holdStatus(state_, playlist.error);
        if (playlist.path.empty()) {
            if (const ScheduleNode* record = state_.tree->nodeRecord(schedule))
                noteNotStarted(state_, *record, playlist.error.empty() ? "재생목록을 쓰지 못했습니다" : playlist.error);
        }
        return playlist.path;
    }

    // From the track watch: the position the player last told, carried on
    // by the steady clock while it plays.
    TrackLeft trackLeft() override {
        const std::optional<TrackNow> track = state_.trackWatch.current();
        if (!track || track->state < 0) return {};
        if (track->state != 1) return {false, std::nullopt};
        const int64_t sinceMs = static_cast<int64_t>(GetTickCount64()) - track->learntAt;
        if (sinceMs > kTrackAnswerStaleMs || track->lengthMs <= 0 || track->positionMs < 0) return {true, std::nullopt};
        return {true, track->lengthMs - track->positionMs - sinceMs};
    }

    uint64_t latestCommand() override { return latestAirCommand(); }

    bool startSoftly(const ScheduleNode& schedule, const std::string& playlistPath, bool fade, int64_t inMs,
                     int64_t waitedMs) override {
        WorkerKit kit = softKit(fade, inMs);
        noteWhenDone(state_, kit, onair::kStart, schedule.text, schedule.startSec, {}, softDetail(fade), waitedMs);
        if (startStartWorker(kit, schedule.options, playlistPath)) return true;
        noteNotStarted(state_, schedule, kNoWorkerToStart);
        return false;
    }

    void endSoftly(const ScheduleNode& schedule, bool fade, int64_t inMs, int64_t waitedMs) override {
        WorkerKit kit = softKit(fade, inMs);
        noteWhenDone(state_, kit, onair::kEnd, schedule.text, schedule.endSec, {}, softDetail(fade), waitedMs);
        if (!startEndWorker(kit)) noteOnAir(state_, onair::kNotEnded, schedule.text, schedule.endSec, kNoWorkerToEnd);
    }

    bool startProgramme(const ScheduleNode& schedule, const std::string& playlistPath) override {
        WorkerKit kit = workerKit(state_);
        noteWhenDone(state_, kit, onair::kStart, schedule.text, schedule.startSec);
        if (startStartWorker(kit, schedule.options, playlistPath)) return true;
        noteNotStarted(state_, schedule, kNoWorkerToStart);
        return false;
    }

private:
    // An answer older than this (the watch asks every 5 s) is no ground to
    // wait on: the player is taken as one that cannot tell.
    static constexpr int64_t kTrackAnswerStaleMs = 12'000;

    // At the song's end the player is stopped without a fade: the song is over.
    WorkerKit softKit(bool fade, int64_t inMs) {
        WorkerKit kit = workerKit(state_);
        if (!fade) kit.fadeoutMs = 0;
        kit.delayMs = inMs;
        return kit;
    }

    std::string softDetail(bool fade) const {
        return fade ? "곡 끝 대기 한도 " + std::to_string(state_.settings.softWaitSec) + "초" : std::string("곡 끝");
    }

    // The second of the loading entry of jobFile that is due now.
    int32_t loadingSecond(const std::string& jobFile) const {
        for (const LoadingEntry& entry : state_.loadingList) {
            const int32_t t = toDaySeconds(entry.hour, entry.minute, entry.second);
            const int32_t since = (second_ - t + 86400) % 86400;
            if (entry.fired && entry.jobFile == jobFile && since < 5) return t;
        }
        return second_;
    }

    AppState& state_;
    const int32_t second_ = daySecondsOf(SystemClock().now());
};

}  // namespace

// The load is on air and happens even when "JobFile" cannot be written;
// saves then still go to the file loaded, never to the one the INI names.
// The operator is told once the tick is over.
void loadJobFileOnAir(AppState& state, const std::string& jobFile, std::optional<int32_t> due,
                      const std::string& why) {
    const bool recorded = state.config.writeProfileText("Config", "JobFile", jobFile);
    const LoadOutcome outcome = showJobFile(state, jobFile, true);
    noteOnAir(state, outcome == LoadOutcome::Loaded ? onair::kLoad : onair::kNotLoaded, jobFile, due,
              outcome == LoadOutcome::Loaded         ? why
              : outcome == LoadOutcome::Unreadable ? "읽을 수 없습니다"
                                                   : "스케쥴 파일이 아닙니다");
    if (!recorded) {
        state.pendingNotice = "'" + state.config.path() + "' 파일이 열리지 않습니다";
        PostMessageA(state.mainWindow, kShowNotice, 0, 0);
    }
}

void runSchedulerTick(AppState& state) {
    SystemClock clock;
    WindowsSchedulerHost host(state);
    schedulerTick(*state.tree, state.loadingList, state.settings, clock, host, state.tickState);
}

}  // namespace airvane
