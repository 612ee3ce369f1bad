// Any bytes as a player's title or a Schedule's title: the playlist path
// made from it, the title as the log shows it, the cut of a broken last
// character, and the title on the timetable page.
#include <cstddef>
#include <cstdint>
#include <string>

#include "monitor/now_playing.h"
#include "player/playlist_file.h"
#include "scheduler/timetable.h"
#include "storage/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string title(reinterpret_cast<const char*>(data), size);
    const airvane::PlaylistResult playlist = airvane::playlistPath("C:\\Radio", title);
    if (!playlist.path.empty()) {
        // Accepted: beside the program, whole, and never a separator in it.
        if (playlist.path != "C:\\Radio\\" + title || playlist.path.size() > airvane::kPathMax) __builtin_trap();
        if (title.find_first_of("\\/:") != std::string::npos) __builtin_trap();
    } else if (playlist.error.empty()) {
        __builtin_trap();  // a refusal always says why
    }
    if (airvane::cleanTitle(title).size() > title.size()) __builtin_trap();
    std::string cut = title;
    airvane::dropCutCharacter(cut);
    if (cut.size() + 1 < title.size() || (cut.size() < title.size() && static_cast<unsigned char>(title.back()) < 0x81))
        __builtin_trap();
    if (airvane::escapeHtml(title).find_first_of("<>\"'") != std::string::npos) __builtin_trap();
    return 0;
}
