// The few file-system operations that differ between Windows and the native
// build. Paths are Windows-style byte strings; the native build reads a
// backslash as a folder separator and refuses drive-letter paths.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace airvane {

// fopen with the platform's view of the path; null on failure.
std::FILE* openNativeFile(const std::string& path, const char* mode);

// 0 when nothing matches the path or wildcard pattern, 2 when the first
// match is a directory, else 1.
int pathKind(const std::string& pathOrPattern);

bool makeDirectory(const std::string& path);
// The full path of an existing file or folder; "" when it has none.
std::string absolutePath(const std::string& path);
bool removeFile(const std::string& path);

// The whole file, or nullopt when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path);

// Writes bytes to a temporary file beside path, flushes it to the disk and
// puts it in path's place, so that a crash leaves the old file or the new
// one, never a torn one. False (and path untouched) on any failure.
bool writeFileAtomically(const std::string& path, const std::string& bytes);

// One entry of a folder listing. A link (a symbolic link, a junction or
// any other reparse point; Wine shows a Unix link to a folder as one) is
// flagged so that a walk need not follow it.
struct FolderEntry {
    std::string name;
    bool isFolder = false;
    bool isLink = false;
};
// The entries of folder (a path that ends in a backslash), "." and ".."
// left out, in the order its file system gives them (by name natively, as
// NTFS does); nullopt when it cannot be listed. The listing is closed
// before this returns.
std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder);

}  // namespace airvane
