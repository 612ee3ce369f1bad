#include "storage/program_paths.h"

#include "storage/text.h"

namespace airvane {

std::string logDirectoryFor(const std::string& modulePath) {
    std::string_view name = fileNamePart(modulePath);
    return modulePath.substr(0, modulePath.size() - name.size()) + "LOG";
}

std::string configFileFor(const std::string& modulePath) {
    std::string path = modulePath;
    replaceExtension(path, "INI");
    return path;
}

std::string volumeNotePath(const std::string& programFolder) {
    std::string path = programFolder;
    ensureBackslash(path);
    return path + "fade-volume.txt";
}

}  // namespace airvane
