// A MessageSink that keeps what it was asked to show and answers OK.
#pragma once

#include <string>
#include <vector>

#include "storage/messages.h"

namespace airvane::test {

class RecordingMessages : public MessageSink {
public:
    int showMessage(std::string_view text, unsigned style) override {
        shown.emplace_back(text);
        styles.push_back(style);
        return kAnswerOk;
    }
    std::vector<std::string> shown;
    std::vector<unsigned> styles;
};

}  // namespace airvane::test
