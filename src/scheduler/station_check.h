// The station checked before it goes on air: what `scdtool check --config`
// reports. It follows what the plan follows (the INI's settings, its job
// file and every job file its loading schedules name) and reports what
// would go wrong on air: files that cannot be read, titles the play path
// refuses, audio files that are not there, Schedules that will never start
// or never end by their time, and loading entries that shadow each other.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "model/schedule_tree.h"
#include "storage/schedule_file.h"

namespace airvane {

struct StationCheckRequest {
    std::string configPath;
    // Drive letters (upper case) and the folders they stand for; empty on
    // the station PC, where Windows resolves them.
    std::map<char, std::string> drives;
    // The days looked at for Schedules and entries due together: this many
    // from the first.
    int year = 0, month = 0, day = 0;
    int days = 366;
};

struct StationProblem {
    std::string file;   // the INI or a job file
    std::string where;  // "line 12", "schedule 3", "loading entry 0", "file"
    std::string what;
};

std::vector<StationProblem> checkStation(const StationCheckRequest& request);

// The Schedules of a loaded tree whose title cannot name a playlist file.
void checkTitles(const ScheduleTree& tree, std::vector<ScheduleProblem>& problems);

// A drive-letter path with the folder its drive stands for, else as it is.
std::string resolveDrive(const std::string& path, const std::map<char, std::string>& drives);

}  // namespace airvane
