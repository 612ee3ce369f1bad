// Windows side of the file-system layer.
#include <windows.h>
#include <io.h>

#include <cstdio>

#include "storage/filesystem.h"
#include "storage/filesystem_platform.h"

namespace airvane {

std::FILE* openNativeFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

int pathKind(const std::string& pathOrPattern) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pathOrPattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 2 : 1;
}

bool makeDirectory(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

std::string absolutePath(const std::string& path) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? std::string(full, length) : std::string();
}

std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<FolderEntry> entries;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return entries;
}

bool removeFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool replaceFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool flushToDisk(std::FILE* f) {
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)))) != 0;
}

bool samePathText(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

}  // namespace airvane
