#include "airvane_process.h"

#include <gtest/gtest.h>

namespace airvane::e2e {

namespace {
std::string gBuildFolder;

struct Finder {
    DWORD processId;
    HWND found;
};
}  // namespace

const std::string& buildFolder() { return gBuildFolder; }

std::string prepareRunFolder(const std::string& name) {
    std::string folder = gBuildFolder + "\\e2e-run";
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += "\\" + name;
    // A scenario starts from nothing: remove what an earlier run left.
    std::string command = "cmd /c rmdir /s /q \"" + folder + "\" >nul 2>nul";
    system(command.c_str());
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA((gBuildFolder + "\\airvane.exe").c_str(), (folder + "\\airvane.exe").c_str(), FALSE);
    return folder;
}

AirvaneProcess::AirvaneProcess(const std::string& folder) {
    std::string exe = folder + "\\airvane.exe";
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                       &startup, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
    }
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

HWND AirvaneProcess::waitForWindow(DWORD milliseconds) {
    for (DWORD waited = 0; waited <= milliseconds; waited += 100) {
        Finder finder{id_, nullptr};
        EnumWindows(
            [](HWND w, LPARAM param) -> BOOL {
                auto* f = reinterpret_cast<Finder*>(param);
                char cls[32];
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                // Shown only once its dialog has made its controls and run
                // its initialisation: before that there is nothing to drive.
                if (pid == f->processId && IsWindowVisible(w) && GetClassNameA(w, cls, sizeof cls) &&
                    std::string(cls) == "Airvane") {
                    f->found = w;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&finder));
        if (finder.found) return finder.found;
        Sleep(100);
    }
    return nullptr;
}

namespace {
struct DialogSearch {
    DWORD processId;
    HWND except;
    HWND found;
};

BOOL CALLBACK findProcessDialog(HWND w, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    char cls[32];
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == search->processId && w != search->except && IsWindowVisible(w) && GetClassNameA(w, cls, sizeof cls) &&
        std::string(cls) == "#32770") {
        search->found = w;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND AirvaneProcess::waitForDialog(HWND except, DWORD milliseconds) {
    for (DWORD waited = 0;; waited += 100) {
        DialogSearch search{id_, except, nullptr};
        EnumWindows(findProcessDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found || waited >= milliseconds) return search.found;
        Sleep(100);
    }
}

bool AirvaneProcess::noDialogStays() {
    // A closing dialog may take a moment on a loaded machine; a message that
    // follows it would come within the second of quiet asked for.
    DWORD quietSince = GetTickCount();
    for (const DWORD start = quietSince; GetTickCount() - start < 6000; Sleep(100)) {
        DialogSearch search{id_, nullptr, nullptr};
        EnumWindows(findProcessDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) quietSince = GetTickCount();
        else if (GetTickCount() - quietSince >= 1000) return true;
    }
    return false;
}

int countMainWindows() {
    int count = 0;
    EnumWindows(
        [](HWND w, LPARAM param) -> BOOL {
            char cls[32];
            if (GetClassNameA(w, cls, sizeof cls) && std::string(cls) == "Airvane" && IsWindowVisible(w))
                ++*reinterpret_cast<int*>(param);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
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
