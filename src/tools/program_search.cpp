#include "tools/program_search.h"

#include "storage/filesystem.h"
#include "storage/text.h"

namespace airvane {

namespace {

constexpr std::string_view kPattern = "*.*";

struct Walk {
    std::string_view fileName;
    const std::atomic<bool>& stop;

    std::optional<std::string> under(const std::string& folder) {
        if (stop || folder.size() + kPattern.size() > kPathMax) return std::nullopt;
        const std::optional<std::vector<FolderEntry>> entries = listFolder(folder);
        if (!entries) return std::nullopt;
        for (const FolderEntry& entry : *entries) {
            if (stop) return std::nullopt;
            std::string path = folder + entry.name;
            if (entry.isFolder) {
                if (entry.isLink) continue;
                if (auto found = under(path + '\\')) return found;
            } else if (equalsIgnoringCase(entry.name, fileName) && path.size() <= kPathMax) {
                return path;
            }
        }
        return std::nullopt;
    }
};

}  // namespace

std::optional<std::string> findProgramUnder(const std::string& folder, std::string_view fileName,
                                            const std::atomic<bool>& stop) {
    return Walk{fileName, stop}.under(folder);
}

}  // namespace airvane
