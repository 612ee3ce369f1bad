#include "onair/fallback_watch.h"

#include <algorithm>

namespace airvane {

std::string_view signalName(SilenceSignal signal) {
    switch (signal) {
        case SilenceSignal::Caption: return "caption";
        case SilenceSignal::Position: return "position";
        default: return "";
    }
}

std::string_view causeName(FallbackCause cause) {
    switch (cause) {
        case FallbackCause::NotStarted: return "not-started";
        case FallbackCause::PlayerRestarted: return "player-restarted";
        case FallbackCause::Gap: return "gap";
        default: return "silence";
    }
}

bool captionPlays(std::string_view caption) {
    return caption.find("[Stopped]") == std::string_view::npos && caption.find("[Paused]") == std::string_view::npos &&
           caption.find(" - ") != std::string_view::npos;
}

void PositionWatch::observe(std::optional<int64_t> learntAt, int64_t positionMs, bool playing) {
    if (!learntAt || !playing || positionMs < 0) {
        frozen_ = false;
        position_ = -1;
        lastAt_ = INT64_MIN;
        return;
    }
    if (*learntAt == lastAt_) return;  // the same answer, seen again
    lastAt_ = *learntAt;
    if (positionMs != position_) {
        position_ = positionMs;
        since_ = *learntAt;
        frozen_ = false;
        return;
    }
    frozen_ = *learntAt - since_ >= kFrozenAfterMs - kTickJitterMs;
}

void FallbackWatch::note(int64_t nowMs, FallbackCause cause) {
    noted_ = cause;
    notedAt_ = nowMs;
}

FallbackAction FallbackWatch::observe(const FallbackInput& in) {
    FallbackAction action;
    if (!in.configured) {
        *this = FallbackWatch();
        return action;
    }
    if (in.airCommand != airCommand_) {
        airCommand_ = in.airCommand;
        commandAt_ = in.nowMs;
        silentSince_.reset();
    }
    // A refusal not followed by sound is the cause only for a while; a
    // player started hours later with nothing due is no refused start.
    if (noted_ && !in.programmeDue && in.nowMs - notedAt_ > in.afterMs + kNotedForMs) noted_.reset();
    const bool due = in.programmeDue || noted_.has_value();
    if (!in.fallbackOnAir) onAir_ = false;
    // Handed over while a programme should have played, it ends with that
    // programme's time unless FillGaps keeps it on.
    if (in.fallbackOnAir && endsWithProgramme_ && !in.programmeDue && !in.fillGaps) {
        endsWithProgramme_ = false;
        action.kind = FallbackAction::End;
        return action;
    }
    // Silence counts only while something should play: a stopped player
    // before a programme's start is no silence of that programme.
    if (!in.fallbackOnAir && !due && !in.fillGaps) {
        silentSince_.reset();
        silentSaid_ = false;
        return action;
    }
    if (!in.captionPlaying && !in.frozenSince) return action;  // no answer yet changes nothing
    SilenceSignal signal = SilenceSignal::None;
    std::optional<int64_t> since;
    if (in.captionPlaying && !*in.captionPlaying) {
        signal = SilenceSignal::Caption;
        since = silentSince_.value_or(in.nowMs);
    } else if (in.frozenSince) {
        signal = SilenceSignal::Position;
        since = silentSince_ ? std::min(*in.frozenSince, *silentSince_) : *in.frozenSince;
    }
    if (in.fallbackOnAir && !onAir_) {
        onAir_ = true;
        handedAt_ = in.nowMs;
    }
    // The fallback's own silence counts from its hand-over, and no silence
    // from before the latest command (a start in the middle of its fade).
    if (since && in.fallbackOnAir) since = std::max(*since, handedAt_);
    if (since) since = std::max(*since, commandAt_);
    if (!since) {
        silentSince_.reset();
        silentSaid_ = false;
        noted_.reset();  // sound came: what was refused is not what is heard
        return action;
    }
    silentSince_ = since;
    signal_ = signal;

    if (in.fallbackOnAir) {
        if (in.nowMs - *silentSince_ >= in.afterMs - kTickJitterMs && !silentSaid_) {
            silentSaid_ = true;  // said once, and never handed over again in a loop
            action.kind = FallbackAction::FallbackSilent;
            action.signal = signal_;
            action.silentMs = in.nowMs - *silentSince_;
        }
        return action;
    }
    if (in.nowMs - *silentSince_ < in.afterMs - kTickJitterMs) return action;
    action.kind = FallbackAction::HandOver;
    action.signal = signal_;
    action.silentMs = in.nowMs - *silentSince_;
    action.cause = noted_ ? *noted_ : in.programmeDue ? FallbackCause::Silence : FallbackCause::Gap;
    endsWithProgramme_ = in.programmeDue;
    noted_.reset();
    silentSince_.reset();
    silentSaid_ = false;
    return action;
}

}  // namespace airvane
