#include "player/volume_ledger.h"

#include <cstdio>

#include "storage/file_io.h"

namespace airvane {

VolumeLedger::VolumeLedger(std::string path) : path_(std::move(path)) {
    if (path_.empty()) return;
    File note(std::fopen(path_.c_str(), "rb"));
    unsigned long value = 0;
    // Anything else in the file is not ours to trust: the player's volume
    // is 0..255, and 65535 covers the wave-out range.
    if (note && std::fscanf(note.get(), "%lu", &value) == 1 && value <= 65535) owed_ = static_cast<uint32_t>(value);
}

std::optional<uint32_t> VolumeLedger::owed() const {
    std::lock_guard lock(mutex_);
    return owed_;
}

bool VolumeLedger::owe(uint32_t volume) {
    std::lock_guard lock(mutex_);
    owed_ = volume;
    if (path_.empty()) return true;
    File note(std::fopen(path_.c_str(), "wb"));
    if (!note) return false;
    const bool written = std::fprintf(note.get(), "%lu\r\n", static_cast<unsigned long>(volume)) > 0;
    return std::fflush(note.get()) == 0 && written;
}

void VolumeLedger::settle() {
    std::lock_guard lock(mutex_);
    owed_.reset();
    if (!path_.empty()) std::remove(path_.c_str());
}

}  // namespace airvane
