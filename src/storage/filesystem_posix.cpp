// Native (Linux) side of the file-system layer, for tests and scdtool.
#include <dirent.h>
#include <glob.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "storage/filesystem.h"
#include "storage/filesystem_platform.h"
#include "storage/text.h"

namespace airvane {

namespace {
// Backslashes become slashes; a drive-letter path has no meaning here and
// yields an empty path, which nothing opens.
std::string nativePath(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) return {};
    std::string native = path;
    for (char& c : native)
        if (c == '\\') c = '/';
    return native;
}
}  // namespace

std::FILE* openNativeFile(const std::string& path, const char* mode) {
    std::string native = nativePath(path);
    if (native.empty()) return nullptr;
    return std::fopen(native.c_str(), mode);
}

int pathKind(const std::string& pathOrPattern) {
    std::string native = nativePath(pathOrPattern);
    if (native.empty()) return 0;
    glob_t found{};
    int kind = 0;
    if (glob(native.c_str(), GLOB_NOSORT, nullptr, &found) == 0 && found.gl_pathc > 0) {
        struct stat info {};
        if (stat(found.gl_pathv[0], &info) == 0) kind = S_ISDIR(info.st_mode) ? 2 : 1;
    }
    globfree(&found);
    return kind;
}

std::string absolutePath(const std::string& path) {
    const std::string native = nativePath(path);
    char* full = native.empty() ? nullptr : realpath(native.c_str(), nullptr);
    if (!full) return {};
    std::string result = full;
    std::free(full);
    return result;
}

bool makeDirectory(const std::string& path) {
    std::string native = nativePath(path);
    return !native.empty() && mkdir(native.c_str(), 0777) == 0;
}

std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) {
    const std::string native = nativePath(folder);
    DIR* directory = native.empty() ? nullptr : opendir(native.c_str());
    if (!directory) return std::nullopt;
    std::vector<FolderEntry> entries;
    while (const dirent* entry = readdir(directory)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        // As on Windows, a link to a folder is a folder that is a link.
        const std::string path = native + "/" + name;
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0) continue;
        const bool isLink = S_ISLNK(info.st_mode);
        if (isLink && stat(path.c_str(), &info) != 0) continue;
        entries.push_back({name, S_ISDIR(info.st_mode), isLink});
    }
    closedir(directory);
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

bool removeFile(const std::string& path) {
    std::string native = nativePath(path);
    return !native.empty() && unlink(native.c_str()) == 0;
}

bool replaceFile(const std::string& from, const std::string& to) {
    std::string a = nativePath(from), b = nativePath(to);
    return !a.empty() && !b.empty() && std::rename(a.c_str(), b.c_str()) == 0;
}

bool flushToDisk(std::FILE* f) { return fsync(fileno(f)) == 0; }

bool samePathText(const std::string& a, const std::string& b) { return equalsIgnoringCase(a, b); }

}  // namespace airvane
