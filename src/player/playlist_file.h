// The PlaylistFile: a Schedule's Files, one full path per line, in a file
// named by the Schedule's title beside the program. The player is handed
// this file.
#pragma once

#include <string>

#include "model/schedule_tree.h"

namespace airvane {

struct PlaylistResult {
    std::string path;   // the file written; empty when it was not
    std::string error;  // for the StatusLine when it was not
};

// The playlist's path: the program's folder and the title. Refused (empty,
// with the reason) when the title would lead outside that folder or the
// whole path would not fit a Windows path.
PlaylistResult playlistPath(const std::string& programFolder, const std::string& title);

// Writes the playlist of the Schedule item: its File children in tree order.
PlaylistResult writePlaylistFile(const ScheduleTree& tree, NodeItem schedule, const std::string& programFolder);

}  // namespace airvane
