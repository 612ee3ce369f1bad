// KeepOnAir: no dead air after a restart, and no interruption of a
// programme that plays well. When the player's window is found (at
// Airvane's start, or after the player died) Airvane works out which
// programme should be on air (the plan after its own start, the live tree
// otherwise) on a worker, asks the player whether it plays, and either
// adopts what plays (a file of that programme: nothing is sent) or hands
// the programme over at the track and position it would have reached. A
// player that died while the scheduler is on is started again, with a
// growing wait, never with a message box or a drive search.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "onair/restart_pacing.h"
#include "scheduler/plan.h"

namespace airvane {

struct AppState;

// Posted by the worker that found what should be on air, and by the one
// that started the player (wParam: 0 or Windows' error).
inline constexpr UINT kRejoinAnswer = WM_APP + 7;
inline constexpr UINT kPlayerStartAnswer = WM_APP + 8;

struct RejoinAnswer {
    bool planAsked = false;
    std::optional<OnAirProgramme> plan;
    int playerState = -1;  // IPC_ISPLAYING; -1 not answered
};

struct KeepOnAirState {
    RestartPacer restarts;
    bool starting = false;             // a start of the player is on its worker
    bool restartMadeNoWindow = false;  // started, and no window came before the next try
    bool notStartedSaid = false;       // recorded once per outage
    RejoinCrashGuard crashes;
    bool foundBefore = false;          // the player's window was found since Airvane started
    // The programme that played when the player went away, or that fell due
    // while it was away: the one put back while Airvane runs (a programme
    // the operator stopped is no longer marked and is not put back).
    std::optional<ScheduleNode> lost;
    // A rejoin being decided; its number is the air command latest when it
    // began: any later command decides what plays instead, and so does a
    // job file shown meanwhile.
    struct Pending {
        uint64_t command = 0;
        DWORD since = 0;
        bool afterStart = false;
        std::string jobFile;
        std::optional<ScheduleNode> lost;
        std::optional<RejoinAnswer> answer;
    };
    std::optional<Pending> pending;
    uint64_t pendingNumber = 0;
    // The monitor's last answer to "which file plays", and when.
    std::string playingPath;
    DWORD playingPathAt = 0;
    bool playingPathKnown = false;
};

// The operator's command 103: the launcher (its message box, its search).
void startPlayer(AppState& state);
// The player's window was just found: the decision begins.
void rejoinOnAir(AppState& state);
// The worker's answer (kRejoinAnswer); the monitor's path answer; each
// tick (a decision that waits for the path gives up after a while).
void takeRejoinAnswer(AppState& state, WPARAM number, LPARAM answer);
void keepOnAirPathAnswered(AppState& state, const std::string& path);
void keepOnAirTick(AppState& state);
// The player's window went away; while it is away, a programme may fall due.
void keepOnAirPlayerLost(AppState& state);
void keepOnAirWithoutPlayer(AppState& state);
// The player's window is missing: started again when KeepOnAir asks, at
// once when it has just gone, then with the restart pacer's growing wait.
void restartMissingPlayer(AppState& state);
void takePlayerStartAnswer(AppState& state, WPARAM error);

}  // namespace airvane
