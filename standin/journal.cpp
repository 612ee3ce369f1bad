#include "journal.h"

namespace standin {

std::string journalLine(const Timestamp& at, const std::string& entry) {
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d ", at.year, at.month, at.day, at.hour,
                  at.minute, at.second, at.millisecond);
    return stamp + entry;
}

Journal::Journal(const std::string& path) {
    if (!path.empty()) file_ = std::fopen(path.c_str(), "ab");
}

Journal::~Journal() {
    if (file_) std::fclose(file_);
}

void Journal::write(const Timestamp& at, const std::string& entry) {
    if (!file_) return;
    const std::string line = journalLine(at, entry) + "\r\n";
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_);
}

}  // namespace standin
