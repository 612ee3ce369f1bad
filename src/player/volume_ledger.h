// The volume a fade owes the player: noted before the fade lowers it and
// settled once it is back. With a path the note is also kept in a file
// beside the program, so that a run killed in the middle of a fade is
// mended at the next start instead of leaving the station quiet.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

namespace airvane {

class VolumeLedger {
public:
    // No path: kept in memory only. A path: the note left by an earlier
    // run, if any, is owed from the start.
    explicit VolumeLedger(std::string path = {});
    VolumeLedger(const VolumeLedger&) = delete;
    VolumeLedger& operator=(const VolumeLedger&) = delete;

    std::optional<uint32_t> owed() const;
    // False when the note could not be written (what is owed is still
    // kept in memory).
    bool owe(uint32_t volume);
    void settle();

private:
    mutable std::mutex mutex_;
    std::string path_;
    std::optional<uint32_t> owed_;
};

}  // namespace airvane
