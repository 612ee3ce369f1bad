#include "status/now_playing_file.h"

#include <cstdio>

#include "status/utf8_text.h"
#include "storage/text.h"

namespace airvane {

std::pair<std::string, std::string> artistAndSong(std::string_view title) {
    const std::size_t dash = title.find(" - ");
    if (dash == std::string_view::npos) return {std::string(), std::string(title)};
    return {std::string(title.substr(0, dash)), std::string(title.substr(dash + 3))};
}

std::string formatNowPlaying(std::string_view format, const std::optional<NowPlayingFields>& fields) {
    if (!fields) return {};
    const auto [artist, song] = artistAndSong(fields->title);
    std::string nextStart;
    if (fields->nextStartSec) {
        char text[8];
        const int32_t s = ((*fields->nextStartSec % 86400) + 86400) % 86400;
        std::snprintf(text, sizeof text, "%02d:%02d", s / 3600, s / 60 % 60);
        nextStart = text;
    }
    const std::pair<std::string_view, const std::string*> names[] = {
        {"programme", &fields->programme}, {"title", &fields->title}, {"artist", &artist}, {"song", &song},
        {"next", &fields->next},           {"nextstart", &nextStart},
    };
    // "%" is ASCII below 0x41, never the second byte of a CP949 character.
    std::string out;
    std::size_t at = 0;
    while (at < format.size()) {
        const std::size_t open = format.find('%', at);
        if (open == std::string_view::npos) break;
        out.append(format.substr(at, open - at));
        const std::size_t close = format.find('%', open + 1);
        const std::string* value = nullptr;
        if (close != std::string_view::npos) {
            const std::string_view name = format.substr(open + 1, close - open - 1);
            for (const auto& [key, text] : names) {
                if (equalsIgnoringCase(name, key)) value = text;
            }
        }
        if (value) {
            out += *value;
            at = close + 1;
        } else {
            out += '%';
            at = open + 1;
        }
    }
    out.append(format.substr(std::min(at, format.size())));
    return out;
}

std::string nowPlayingBytes(std::string_view text, std::string_view encoding) {
    if (equalsIgnoringCase(encoding, "CP949")) return std::string(text);
    return systemTextToUtf8(text);
}

NowPlayingFileWriter::NowPlayingFileWriter(Write write)
    : write_(std::move(write)), thread_([this] { run(); }) {}

NowPlayingFileWriter::~NowPlayingFileWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void NowPlayingFileWriter::put(std::string path, std::string bytes) {
    {
        std::lock_guard lock(mutex_);
        pending_.emplace(std::move(path), std::move(bytes));
    }
    wake_.notify_one();
}

std::optional<bool> NowPlayingFileWriter::takeOutcome() {
    std::lock_guard lock(mutex_);
    return std::exchange(outcome_, std::nullopt);
}

void NowPlayingFileWriter::waitUntilWritten() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !pending_ && !writing_; });
}

void NowPlayingFileWriter::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_) return;  // stopping, nothing left to write
        auto [path, bytes] = std::move(*pending_);
        pending_.reset();
        writing_ = true;
        lock.unlock();
        // An encoder that polls the file holds it open a moment now and
        // then, and the replace fails: tried again before it counts.
        bool written = write_(path, bytes);
        for (int again = 0; again < 3 && !written; ++again) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            written = write_(path, bytes);
        }
        lock.lock();
        writing_ = false;
        outcome_ = outcome_.value_or(true) && written;
        idle_.notify_all();
    }
}

}  // namespace airvane
