// The volume the fade lowers, as the fade uses it: opened, read, set in
// steps, closed. The Windows side is the player's own volume
// (PlayerVolume); tests use a recorder.
#pragma once

#include <cstdint>

namespace airvane {

class Mixer {
public:
    virtual ~Mixer() = default;
    // Finds the volume control; false (and nothing held) when there is
    // none: then nothing is faded and nothing restored. Each open is a
    // conversation of its own: a message unanswered before it does not
    // keep it from being tried.
    virtual bool openVolume() = 0;
    virtual uint32_t volume() = 0;
    // False when the player did not take it (no answer within the bound).
    virtual bool setVolume(uint32_t value) = 0;
    virtual void close() = 0;
};

// The clock the fade paces its steps by: monotonic, in microseconds.
class FadeClock {
public:
    virtual ~FadeClock() = default;
    virtual int64_t nowMicros() = 0;
    // Returns at the deadline (or at once when it has passed).
    virtual void sleepUntil(int64_t deadlineMicros) = 0;
};

}  // namespace airvane
