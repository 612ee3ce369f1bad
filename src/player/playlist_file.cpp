#include "player/playlist_file.h"

#include <algorithm>

#include "storage/filesystem.h"
#include "storage/text.h"

namespace airvane {

namespace {

// Names Windows gives to devices, whatever the extension after them.
bool isDeviceName(std::string_view title) {
    std::string_view base = title.substr(0, title.find('.'));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
        if (equalsIgnoringCase(base, device)) return true;
    }
    return base.size() == 4 && (equalsIgnoringCase(base.substr(0, 3), "COM") || equalsIgnoringCase(base.substr(0, 3), "LPT")) &&
           base[3] >= '1' && base[3] <= '9';
}

}  // namespace

bool namesPlaylistFile(std::string_view title) {
    // CP949 trail bytes never take these values, so a byte test is safe.
    for (unsigned char c : title) {
        if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) return false;
    }
    return !title.empty() && !isDeviceName(title);
}

PlaylistResult playlistPath(const std::string& programFolder, const std::string& title) {
    if (!namesPlaylistFile(title)) {
        return {"", "'" + title + "': 타이틀로 파일 이름을 만들 수 없어 재생하지 않습니다"};
    }
    std::string path = programFolder;
    ensureBackslash(path);
    path += title;
    if (path.size() > kPathMax) return {"", "'" + title + "': 경로가 너무 길어 재생하지 않습니다"};
    return {path, ""};
}

PlaylistResult writePlaylistFile(const ScheduleTree& tree, NodeItem schedule, const std::string& programFolder) {
    const ScheduleNode* record = tree.nodeRecord(schedule);
    if (!record || record->kind != kSchedule) return {"", ""};
    PlaylistResult result = playlistPath(programFolder, record->text);
    if (result.path.empty()) return result;
    std::string lines;
    for (NodeItem child = tree.firstChildNode(schedule); child != kNoNode; child = tree.nextNode(child)) {
        const ScheduleNode* file = tree.nodeRecord(child);
        if (file && file->kind == kFile) lines += file->text + "\r\n";
    }
    if (!writeFileAtomically(result.path, lines)) {
        return {"", "'" + result.path + "' 파일이 열리지 않습니다"};
    }
    return result;
}

bool isFallbackAudioFile(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string_view ext = name.substr(dot + 1);
    for (const char* audio : {"mp3", "wav", "ogg", "wma", "flac", "m4a"}) {
        if (equalsIgnoringCase(ext, audio)) return true;
    }
    return false;
}

std::string fallbackListText(std::vector<std::string> paths) {
    std::sort(paths.begin(), paths.end());
    std::string lines;
    for (const std::string& path : paths) lines += path + "\r\n";
    return lines;
}

}  // namespace airvane
