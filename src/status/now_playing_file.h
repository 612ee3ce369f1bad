// The now-playing file that RDS encoders and websites poll: a one-line text
// made from the station's template, replaced whole (written beside and
// renamed) so that a reader never sees half of it. Written on a thread of
// its own: a file on a network share may keep a write waiting, the tick
// must not.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

namespace airvane {

// What the template's fields stand for; texts in the system code page.
struct NowPlayingFields {
    std::string programme;  // the Schedule's title without ".m3u"
    std::string title;      // the player's title, cleaned
    std::string next;       // the next programme of the day; empty when none
    std::optional<int32_t> nextStartSec;
};

// "Artist - Song" -> {"Artist", "Song"}, split at the first " - "; a title
// without one is all song.
std::pair<std::string, std::string> artistAndSong(std::string_view title);

// %programme%, %title%, %artist%, %song%, %next%, %nextstart% (HH:MM)
// replaced; any other text, a lone "%" and unknown names included, stays
// as written. Nothing on air: the file is emptied.
std::string formatNowPlaying(std::string_view format, const std::optional<NowPlayingFields>& fields);

// The text as the file holds it: "CP949" as the program keeps it, else
// UTF-8 (without a byte-order mark, which an encoder would show).
std::string nowPlayingBytes(std::string_view text, std::string_view encoding);

class NowPlayingFileWriter {
public:
    using Write = std::function<bool(const std::string& path, const std::string& bytes)>;
    explicit NowPlayingFileWriter(Write write);
    NowPlayingFileWriter(const NowPlayingFileWriter&) = delete;
    NowPlayingFileWriter& operator=(const NowPlayingFileWriter&) = delete;
    // A write asked for is still made.
    ~NowPlayingFileWriter();

    // Never waits for a write: a text not yet written is replaced by the
    // newer one.
    void put(std::string path, std::string bytes);
    // Whether the writes finished since the last call went well: false as
    // soon as one failed; nullopt when none finished.
    std::optional<bool> takeOutcome();
    // Until what was put is written (tests).
    void waitUntilWritten();

private:
    void run();

    Write write_;
    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::optional<std::pair<std::string, std::string>> pending_;
    std::optional<bool> outcome_;
    bool writing_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace airvane
