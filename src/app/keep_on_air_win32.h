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

// Posted by the worker that found what should be on air.
inline constexpr UINT kRejoinAnswer = WM_APP + 7;

struct RejoinAnswer {
    bool planAsked = false;
    std::optional<OnAirProgramme> plan;
    int playerState = -1;  // IPC_ISPLAYING; -1 not answered
};

struct KeepOnAirState {
    RestartPacer restarts;
    bool restartMadeNoWindow = false;  // started, and no window came before the next try
    bool notStartedSaid = false;       // recorded once per outage
    RejoinCrashGuard crashes;
    bool foundBefore = false;          // the player's window was found since Airvane started
    // A rejoin being decided; its number is the air command latest when it
    // began: any later command decides what plays instead.
    struct Pending {
        uint64_t command = 0;
        DWORD since = 0;
        bool afterStart = false;
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
// The player's window went away.
void keepOnAirPlayerLost(AppState& state);
// The player's window is missing: started again when KeepOnAir asks, at
// once when it has just gone, then with the restart pacer's growing wait.
void restartMissingPlayer(AppState& state);

}  // namespace airvane
