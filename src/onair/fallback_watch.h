// When the fallback programme goes on air, and when it comes off: the
// station's own list (FallbackPlaylist) that fills the air while a
// programme should be on air and the air is silent, or, with FillGaps,
// while no programme is on air at all. Decided once a tick from what the
// player's caption says, whether its position still moves, and what the
// scheduler could not do; the program around it hands the list over.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace airvane {

// A position that has not moved for this long while the player says it
// plays is a silence.
inline constexpr int64_t kFrozenAfterMs = 3'000;
// Ticks (and the answers asked at them) come a few milliseconds more or
// less than a second apart: three of them a hair short of 3 s make 3 s.
inline constexpr int64_t kTickJitterMs = 100;
// How long past FallbackAfterSec a refused start stays the cause when no
// programme is due any more.
inline constexpr int64_t kNotedForMs = 5'000;

// What the player's caption says of the air: not playing when it says
// "[Stopped]" or "[Paused]", or when it names no track at all ("Winamp"
// alone: an empty list, as a player just started shows).
bool captionPlays(std::string_view caption);

// Which signal saw the silence.
enum class SilenceSignal { None, Caption, Position };
std::string_view signalName(SilenceSignal signal);  // for the record's detail

// Why the fallback went on air (the record's detail).
enum class FallbackCause { Silence, NotStarted, PlayerRestarted, Gap };
std::string_view causeName(FallbackCause cause);

// The player's position as last learnt, and whether it still moves: two
// answers at least kFrozenAfterMs apart with the same position while the
// player says it plays.
class PositionWatch {
public:
    // Each tick: the latest answer (its steady time, position and state),
    // none while there is none.
    void observe(std::optional<int64_t> learntAt, int64_t positionMs, bool playing);
    // Since when the position stands; none while it moves (or is unknown).
    std::optional<int64_t> frozenSince() const { return frozen_ ? std::optional(since_) : std::nullopt; }

private:
    int64_t since_ = 0;        // the first answer with this position
    int64_t position_ = -1;
    int64_t lastAt_ = INT64_MIN;
    bool frozen_ = false;
};

struct FallbackInput {
    int64_t nowMs = 0;
    bool configured = false;  // FallbackPlaylist is set
    int64_t afterMs = 10'000;  // FallbackAfterSec
    bool fillGaps = false;
    // A programme should be on air: one marked playing, or one whose times
    // hold now (a start that was refused leaves none marked).
    bool programmeDue = false;
    std::optional<bool> captionPlaying;     // none: no answer yet
    std::optional<int64_t> frozenSince;     // the position signal
    bool fallbackOnAir = false;             // the fallback's hand-over is the last air command
    // The number of the last command that decided what plays: a start,
    // an end or a play counts the silence anew (a start's fade and
    // hand-over are no silence of what it starts).
    uint64_t airCommand = 0;
};

struct FallbackAction {
    enum Kind { None, HandOver, End, FallbackSilent } kind = None;
    FallbackCause cause = FallbackCause::Silence;
    SilenceSignal signal = SilenceSignal::None;
    int64_t silentMs = 0;  // how long the air was silent before
};

class FallbackWatch {
public:
    // A start the scheduler could not make; a restarted player with nothing
    // to rejoin. The silence that follows is handed over with that cause.
    void notStarted(int64_t nowMs) { note(nowMs, FallbackCause::NotStarted); }
    void nothingToRejoin(int64_t nowMs) { note(nowMs, FallbackCause::PlayerRestarted); }
    FallbackAction observe(const FallbackInput& in);

private:
    void note(int64_t nowMs, FallbackCause cause);

    std::optional<int64_t> silentSince_;
    SilenceSignal signal_ = SilenceSignal::None;
    std::optional<FallbackCause> noted_;
    int64_t notedAt_ = 0;
    int64_t commandAt_ = INT64_MIN;  // when the latest air command came
    bool onAir_ = false;          // what this watch last saw of the fallback
    int64_t handedAt_ = 0;
    uint64_t airCommand_ = 0;
    bool endsWithProgramme_ = false;  // handed over while a programme was due
    bool silentSaid_ = false;
};

}  // namespace airvane
