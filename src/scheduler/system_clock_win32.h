// The system's local time, read and set.
#pragma once

#include "scheduler/local_time.h"

namespace airvane {

class SystemClock final : public Clock {
public:
    LocalTime now() override;
    // Wine and a user without the right refuse; the tick does not mind.
    bool setLocalTime(const LocalTime& time) override;
};

}  // namespace airvane
