// Our INI engine against the platform's profile functions, side by side in
// one process: N keys of one section written and read back. The platform
// rewrites or rescans the whole file for every key; we write a section in
// one read-modify-write.
//   usage: ini_platform_bench [KEYS]   (default 10000)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "storage/config_file.h"
#include "storage/filesystem.h"

namespace {

// <chrono> cannot be built with the CP949 execution character set.
struct Clock {
    static LONGLONG now() {
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        return counter.QuadPart;
    }
};

double secondsSince(LONGLONG start) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(Clock::now() - start) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    const int keys = argc > 1 ? std::atoi(argv[1]) : 10000;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string ours = std::string(folder) + "airvane-bench-ours.INI";
    const std::string theirs = std::string(folder) + "airvane-bench-platform.INI";
    DeleteFileA(ours.c_str());
    DeleteFileA(theirs.c_str());

    std::vector<airvane::IniEntry> entries;
    for (int i = 0; i < keys; ++i) {
        entries.push_back({std::to_string(i), "0 0 0 9 30 0 -1|D:\\Radio\\job" + std::to_string(i) + ".scd"});
    }

    auto start = Clock::now();
    airvane::ConfigFile config(ours);
    bool written = config.writeProfileSection("LoadingSchedule", entries);
    const double oursWrite = secondsSince(start);

    start = Clock::now();
    const airvane::IniDocument doc = config.read();
    std::size_t oursRead = 0;
    for (const auto& entry : entries) {
        oursRead += airvane::profileString(doc, "LoadingSchedule", entry.key, "", 340) == entry.value;
    }
    const double oursReadTime = secondsSince(start);

    start = Clock::now();
    for (const auto& entry : entries) {
        WritePrivateProfileStringA("LoadingSchedule", entry.key.c_str(), entry.value.c_str(), theirs.c_str());
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, theirs.c_str());
    const double theirWrite = secondsSince(start);

    start = Clock::now();
    std::size_t theirRead = 0;
    char buffer[340];
    for (const auto& entry : entries) {
        GetPrivateProfileStringA("LoadingSchedule", entry.key.c_str(), "", buffer, sizeof buffer, theirs.c_str());
        theirRead += entry.value == buffer;
    }
    const double theirReadTime = secondsSince(start);

    std::printf("keys: %d (written: %s; read back correctly: ours %zu, platform %zu)\n", keys,
                written ? "yes" : "NO", oursRead, theirRead);
    std::printf("write  ours (one batch): %9.4f s   platform (key by key): %9.4f s   ratio %.0fx\n", oursWrite,
                theirWrite, theirWrite / oursWrite);
    std::printf("read   ours (key by key): %8.4f s   platform (key by key): %9.4f s   ratio %.0fx\n",
                oursReadTime, theirReadTime, theirReadTime / oursReadTime);
    DeleteFileA(ours.c_str());
    DeleteFileA(theirs.c_str());
    return 0;
}
