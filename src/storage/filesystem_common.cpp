// The parts of the file-system layer that are the same on every platform.
#include "storage/filesystem.h"

#include "storage/file_io.h"
#include "storage/filesystem_platform.h"

namespace airvane {

std::optional<std::string> readWholeFile(const std::string& path) {
    File file(openNativeFile(path, "rb"));
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, got);
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

bool writeFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".~tmp";
    {
        File file(openNativeFile(temporary, "wb"));
        if (!file) return false;
        bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                       std::fflush(file.get()) == 0 && flushToDisk(file.get());
        file.close();
        if (!written) {
            removeFile(temporary);
            return false;
        }
    }
    if (!replaceFile(temporary, path)) {
        removeFile(temporary);
        return false;
    }
    return true;
}

}  // namespace airvane
