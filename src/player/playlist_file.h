// The PlaylistFile: a Schedule's Files, one full path per line, in a file
// named by the Schedule's title beside the program. The player is handed
// this file.
#pragma once

#include <string>
#include <string_view>

#include "model/schedule_tree.h"

namespace airvane {

struct PlaylistResult {
    std::string path;   // the file written; empty when it was not
    std::string error;  // for the StatusLine when it was not
};

// True when the title can be a file name beside the program: no folder
// separator or drive (so that ".." stays a plain name), none of the other
// characters Windows refuses in a name, and no device name such as CON.
bool namesPlaylistFile(std::string_view title);

// The playlist's path: the program's folder and the title. Refused (empty,
// with the reason) when the title cannot name a file there or the whole
// path would not fit a Windows path.
PlaylistResult playlistPath(const std::string& programFolder, const std::string& title);

// Writes the playlist of the Schedule item: its File children in tree order.
PlaylistResult writePlaylistFile(const ScheduleTree& tree, NodeItem schedule, const std::string& programFolder);

}  // namespace airvane
