#include "tools/companions_win32.h"

#include <cstdio>
#include <cstring>

#include "monitor/now_playing.h"
#include "scheduler/system_clock_win32.h"
#include "storage/config_file.h"
#include "storage/file_io.h"
#include "storage/filesystem.h"
#include "storage/message_box_win32.h"
#include "storage/settings.h"
#include "tools/program_search.h"

namespace airvane {

namespace {

std::string statusText(HWND statusLine) {
    char text[260] = "";
    GetWindowTextA(statusLine, text, sizeof text);
    return text;
}

}  // namespace

// Why Windows refused to start a program that is there, in the words the
// operator needs.
std::string refusalReason(unsigned long error) {
    constexpr DWORD kElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED, not in MinGW's headers
    switch (error) {
        case kElevationRequired:
            return "관리자 권한을 요구하는 프로그램입니다";
        case ERROR_ACCESS_DENIED:
        case ERROR_ACCESS_DISABLED_BY_POLICY:
            return "Windows가 실행을 막았습니다";
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return "프로그램이 없습니다";
        case ERROR_BAD_EXE_FORMAT:
            return "실행할 수 있는 프로그램이 아닙니다";
        default:
            return "오류 " + std::to_string(error);
    }
}

unsigned long startProcess(std::string commandLine, int show, const std::string& environment) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION started{};
    void* block = environment.empty() ? nullptr : const_cast<char*>(environment.data());
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, block, nullptr, &startup,
                        &started))
        return GetLastError();
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return 0;
}

// Quoted, so that a path with blanks ("C:\Program Files\...") cannot start
// a program named by its first word ("C:\Program.exe"). A start that
// Windows refuses (a program that asks for elevation, one that policy
// blocks) is said, not passed over.
void CompanionLauncher::start(const std::string& path) {
    const unsigned long error = startProcess("\"" + path + "\"", SW_SHOW);
    if (error != 0) showMessage(mainWindow_, "'" + path + "'을(를) 실행하지 못했습니다: " + refusalReason(error), kMsgOk);
}

CompanionLauncher::~CompanionLauncher() { stopSearches(); }

void CompanionLauncher::stopSearches() {
    if (searches_.empty()) return;
    stop_ = true;
    for (auto& [name, worker] : searches_) worker.join();
    searches_.clear();
    {
        std::lock_guard lock(reportsLock_);
        reports_.clear();
    }
    stop_ = false;
    SetWindowTextA(statusLine_, savedStatus_.c_str());
}

void CompanionLauncher::launch(const std::string& fileName) {
    const std::string remembered = config_.readProfileText(kConfigSection, fileName, fileName);
    if (File(openNativeFile(remembered, "rb"))) {
        start(remembered);
        return;
    }
    if (searches_.contains(fileName)) return;
    if (searches_.empty()) savedStatus_ = statusText(statusLine_);
    try {
        searches_.emplace(fileName, std::thread(&CompanionLauncher::search, this, fileName));
    } catch (const std::system_error&) {
        // No thread: the program is not started this time; the next command tries again.
    }
}

void CompanionLauncher::search(const std::string& fileName) {
    char roots[261] = "";
    const DWORD length = GetLogicalDriveStringsA(sizeof roots - 1, roots);
    std::optional<std::string> found;
    for (const char* root = roots; length < sizeof roots && *root && !found && !stop_;
         root += std::strlen(root) + 1) {
        if (GetDriveTypeA(root) != DRIVE_FIXED) continue;
        report({fileName, root[0], std::nullopt});
        found = findProgramUnder(root, fileName, stop_);
    }
    report({fileName, 0, found});
}

void CompanionLauncher::report(Report report) {
    std::lock_guard lock(reportsLock_);
    reports_.push_back(std::move(report));
    PostMessageA(mainWindow_, kSearchReport, 0, 0);
}

void CompanionLauncher::holdReports(bool hold) {
    held_ = hold;
    if (!hold) PostMessageA(mainWindow_, kSearchReport, 0, 0);
}

void CompanionLauncher::applyReports() {
    if (held_) return;
    std::vector<Report> reports;
    {
        std::lock_guard lock(reportsLock_);
        reports.swap(reports_);
    }
    for (const Report& report : reports) {
        if (report.drive) {
            char text[300];
            std::snprintf(text, sizeof text, "드라이브 %c:에서 '%s'를 찾습니다", report.drive,
                          report.fileName.c_str());
            SetWindowTextA(statusLine_, text);
        } else {
            finish(report);
        }
    }
}

void CompanionLauncher::finish(const Report& report) {
    auto search = searches_.find(report.fileName);
    if (search == searches_.end()) return;
    search->second.join();
    searches_.erase(search);
    if (report.found) {
        config_.writeProfileText(kConfigSection, report.fileName, *report.found);
        start(*report.found);
    } else {
        showMessage(mainWindow_, "'" + report.fileName + "'은 모든 하드디스크 어디에도 없습니다", kMsgOk);
    }
    if (searches_.empty()) SetWindowTextA(statusLine_, savedStatus_.c_str());
}

void showTodaysLog(const std::string& programFolder) {
    const LocalTime today = SystemClock().now();
    if (const auto path = dailyLogPath(programFolder, today.year, today.month, today.day)) {
        WinExec(("NOTEPAD.EXE " + *path).c_str(), SW_SHOWNORMAL);
    }
}

}  // namespace airvane
