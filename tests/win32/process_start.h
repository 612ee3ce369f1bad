// Starting a program for a test or a harness. Under plain `wine` about one
// start in 5,000 is refused with ERROR_INTERNAL_ERROR a few milliseconds in:
// the new program's heap took the address of Wine's shared user data and it
// ended (scripts/wine-start, which scripts/wine-run uses, says why and takes
// that away). Such a refusal is tried again, for runs by hand with plain
// `wine`; any other fails at once. Each refusal is printed.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace airvane::test {

using CreateProcessFunction = decltype(&CreateProcessA);

// The started process with its thread handle closed; empty when it did not
// start. create is CreateProcessA but for the test of this retry.
inline PROCESS_INFORMATION startProcess(const std::string& exe, const std::string& commandLine,
                                        const char* folder = nullptr, CreateProcessFunction create = CreateProcessA) {
    constexpr int tries = 3;
    for (int attempt = 1;; ++attempt) {
        std::string line = commandLine;  // CreateProcessA may write into it
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (create(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &info)) {
            CloseHandle(info.hThread);
            info.hThread = nullptr;
            return info;
        }
        const DWORD error = GetLastError();
        std::fprintf(stderr, "%s did not start (try %d of %d): error %lu\n", exe.c_str(), attempt, tries, error);
        if (error != ERROR_INTERNAL_ERROR || attempt == tries) return {};
        Sleep(100);
    }
}

}  // namespace airvane::test
