// The common open and save dialogs.
#pragma once

#include <windows.h>

#include <string>

#include "storage/file_dialog.h"

namespace airvane {

// path holds the initial name and receives the chosen path (at most
// bufferSize - 1 characters); with OFN_ALLOWMULTISELECT it receives the
// dialog's list (folder and names, each with its terminator). title none:
// the default title. The open dialog always demands an existing file. True
// when the user chose one.
bool openFileDialog(HWND owner, std::string& path, std::size_t bufferSize, const char* title,
                    const FileFilter& filter, DWORD flags);
bool saveFileDialog(HWND owner, std::string& path, std::size_t bufferSize, const char* title,
                    const FileFilter& filter, DWORD flags);

}  // namespace airvane
