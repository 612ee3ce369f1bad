// The stand-in's journal: one line per message received, in arrival order,
// flushed at once, so that a test can read what the scheduler sent and when.
#pragma once

#include <cstdio>
#include <string>

namespace standin {

struct Timestamp {
    int year, month, day, hour, minute, second, millisecond;
};

// "2026-12-08 06:00:00.412 IPC_PLAYFILE C:\Radio\Morning.m3u"
std::string journalLine(const Timestamp& at, const std::string& entry);

class Journal {
public:
    explicit Journal(const std::string& path);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;
    void write(const Timestamp& at, const std::string& entry);

private:
    std::FILE* file_ = nullptr;
};

}  // namespace standin
