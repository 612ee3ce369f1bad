// The PlaylistFile: a Schedule's Files, one full path per line, in a file
// named by the Schedule's title beside the program. The player is handed
// this file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// The fallback programme's folder: the files a player takes as audio
// (.mp3 .wav .ogg .wma .flac .m4a, in any case), and the playlist written
// of them beside the program, in name order so that a listing's order
// does not change what plays first without shuffle.
bool isFallbackAudioFile(std::string_view name);
std::string fallbackListText(std::vector<std::string> paths);
inline constexpr const char* kFallbackListName = "FallbackPlaylist.m3u";

}  // namespace airvane
