// The program's side of the status server and the now-playing file: at each
// tick the UI thread makes a snapshot and publishes it (the server reads
// nothing else), and hands a changed now-playing text to its writer. No
// step here waits on a socket or a file.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "status/now_playing_file.h"
#include "status/status_server.h"
#include "status/status_snapshot.h"

namespace airvane {

struct AppState;

struct StatusRoom {
    std::shared_ptr<StatusBoard> board = std::make_shared<StatusBoard>();
    std::unique_ptr<StatusServer> server;
    std::string serverAt;  // "address:port" it listens on; empty while off
    NowPlayingFileWriter writer;
    std::string nowPlayingWritten;  // path, encoding and bytes last handed over
    bool nowPlayingFailureSaid = false;
    std::string nowPlayingSaidFor;  // the path and encoding the failure was said for
    DWORD serverTriedAt = 0;        // a port that could not be had is tried again every 30 s
    std::string serverFailureSaid;  // "address:port" whose failure was said

    StatusRoom();
};

// Each tick.
void publishStatus(AppState& state);
// At start and after the preferences: the server follows StatusPort and
// StatusAddress (started, moved or stopped); a port it cannot have is said
// in the status line.
void followStatusSettings(AppState& state);
void stopStatusServer(AppState& state);

}  // namespace airvane
