#include "storage/file_dialog_win32.h"

#include <commdlg.h>

#include <vector>

namespace airvane {

namespace {

bool runFileDialog(bool save, HWND owner, std::string& path, std::size_t bufferSize, const char* title,
                   const FileFilter& filter, DWORD flags) {
    if (bufferSize == 0) return false;
    std::vector<char> buffer(bufferSize, '\0');
    path.copy(buffer.data(), bufferSize - 1);

    OPENFILENAMEA ofn{};
    // The pre-Windows 2000 record (76 bytes on 32-bit Windows): no places bar.
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.pairs.data();
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(bufferSize);
    ofn.lpstrTitle = title ? title : (save ? kSaveDialogTitle : kOpenDialogTitle);
    ofn.lpstrDefExt = filter.defaultExtension;
    ofn.Flags = save ? flags : (flags | OFN_FILEMUSTEXIST);
    BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!chosen) return false;
    if (ofn.Flags & OFN_ALLOWMULTISELECT) {
        // A folder and its file names, each terminated, closed by an empty one.
        std::size_t end = 0;
        while (end + 1 < buffer.size() && !(buffer[end] == '\0' && buffer[end + 1] == '\0')) ++end;
        path.assign(buffer.data(), end + 1);
    } else {
        path.assign(buffer.data());
    }
    return true;
}

}  // namespace

bool openFileDialog(HWND owner, std::string& path, std::size_t bufferSize, const char* title,
                    const FileFilter& filter, DWORD flags) {
    return runFileDialog(false, owner, path, bufferSize, title, filter, flags);
}

bool saveFileDialog(HWND owner, std::string& path, std::size_t bufferSize, const char* title,
                    const FileFilter& filter, DWORD flags) {
    return runFileDialog(true, owner, path, bufferSize, title, filter, flags);
}

}  // namespace airvane
