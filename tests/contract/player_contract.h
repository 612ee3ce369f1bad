// What every side of the player must answer. The same suite runs natively
// against the recorder and under Wine against standin.exe, the stand-in
// player, through the real window messages.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "player/player.h"

namespace airvane::test {

class PlayerUnderTest {
public:
    virtual ~PlayerUnderTest() = default;
    virtual Player& player() = 0;
    // The messages received so far, oldest first, as "NAME [arguments]";
    // waits up to two seconds for at least count of them (posted messages).
    virtual std::vector<std::string> received(std::size_t count) = 0;
};

using PlayerFactory = std::function<std::unique_ptr<PlayerUnderTest>()>;

class PlayerContract : public ::testing::TestWithParam<PlayerFactory> {
protected:
    void SetUp() override { side = GetParam()(); }
    void TearDown() override { side.reset(); }
    std::unique_ptr<PlayerUnderTest> side;
};

}  // namespace airvane::test

// Use inside namespace airvane::test.
#define AIRVANE_PLAYER_CONTRACT(name, factory) \
    INSTANTIATE_TEST_SUITE_P(name, PlayerContract, ::testing::Values(::airvane::test::PlayerFactory(factory)))
