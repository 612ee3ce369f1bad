#include "airvane_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "../win32/window_search.h"
#include "airvane_start.h"

namespace airvane::e2e {

namespace {
std::string gBuildFolder;
}  // namespace

const std::string& buildFolder() { return gBuildFolder; }

std::string prepareRunFolder(const std::string& name) {
    std::string folder = gBuildFolder + "\\e2e-run";
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += "\\" + name;
    // A scenario starts from nothing: remove what an earlier run left, here
    // rather than by a cmd.exe whose start Wine may refuse.
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA((gBuildFolder + "\\airvane.exe").c_str(), (folder + "\\airvane.exe").c_str(), FALSE);
    // Airvane starts its player at every start, by this name when the INI
    // remembers none; a program that only notes its start stands in.
    CopyFileA((gBuildFolder + "\\companion.exe").c_str(), (folder + "\\WINAMP.EXE").c_str(), FALSE);
    return folder;
}

AirvaneProcess::AirvaneProcess(const std::string& folder) {
    const PROCESS_INFORMATION info = startAirvane(folder);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

AirvaneProcess::~AirvaneProcess() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
    CloseHandle(process_);
}

long AirvaneProcess::waitForExit(DWORD milliseconds) {
    if (WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<long>(code);
}

HWND AirvaneProcess::waitForWindow(DWORD milliseconds) { return waitForAirvaneWindow(id_, milliseconds); }

HWND AirvaneProcess::waitForDialog(HWND except, DWORD milliseconds) {
    const DWORD id = id_;
    return test::waitForTopLevel(
        [id, except](HWND w) { return w != except && test::windowProcess(w) == id && test::isShownDialog(w); },
        milliseconds);
}

bool AirvaneProcess::noDialogStays() {
    // A closing dialog may take a moment on a loaded machine; a message that
    // follows it would come within the second of quiet asked for.
    DWORD quietSince = GetTickCount();
    for (const DWORD start = quietSince; GetTickCount() - start < 6000; Sleep(100)) {
        if (waitForDialog(nullptr, 0)) quietSince = GetTickCount();
        else if (GetTickCount() - quietSince >= 1000) return true;
    }
    return false;
}

int countMainWindows() {
    const std::vector<HWND> windows = test::topLevelWindows();
    return static_cast<int>(std::count_if(windows.begin(), windows.end(), [](HWND w) {
        return test::windowClass(w) == "Airvane" && IsWindowVisible(w);
    }));
}

}  // namespace airvane::e2e

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: e2e_tests FOLDER-OF-AIRVANE.EXE\n");
        return 2;
    }
    // CTest hands a Unix path inside the build tree, which is drive D:.
    std::string folder = argv[1];
    if (std::size_t at = folder.find("/build/"); folder.rfind("/", 0) == 0 && at != std::string::npos) {
        folder = "D:/" + folder.substr(at + 7);
    }
    for (char& c : folder)
        if (c == '/') c = '\\';
    airvane::e2e::gBuildFolder = folder;
    return RUN_ALL_TESTS();
}
