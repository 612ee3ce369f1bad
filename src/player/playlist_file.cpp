#include "player/playlist_file.h"

#include "storage/filesystem.h"
#include "storage/text.h"

namespace airvane {

PlaylistResult playlistPath(const std::string& programFolder, const std::string& title) {
    if (title.find_first_of("\\/:") != std::string::npos || title.find("..") != std::string::npos) {
        return {"", "'" + title + "': 타이틀에 \\ / : .. 를 쓸 수 없어 재생하지 않습니다"};
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

}  // namespace airvane
