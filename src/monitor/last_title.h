// The player's title as the now-playing monitor last saw it. The fade on a
// worker thread empties it so that the next title counts as new: shared
// between threads, so every access is locked.
#pragma once

#include <mutex>
#include <string>

namespace airvane {

class LastTitle {
public:
    void clear() {
        std::lock_guard lock(mutex_);
        title_.clear();
    }
    void set(std::string title) {
        std::lock_guard lock(mutex_);
        title_ = std::move(title);
    }
    std::string get() const {
        std::lock_guard lock(mutex_);
        return title_;
    }

private:
    mutable std::mutex mutex_;
    std::string title_;
};

}  // namespace airvane
