// The rules every side of the schedule tree must keep. The same suite runs
// natively against the in-memory tree and under Wine against the real
// tree-view control, so that the in-memory tree can be trusted elsewhere.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "model/schedule_tree.h"

namespace airvane::test {

using TreeFactory = std::function<std::unique_ptr<ScheduleTree>()>;

class TreeContract : public ::testing::TestWithParam<TreeFactory> {
protected:
    void SetUp() override { tree = GetParam()(); }
    void TearDown() override { tree.reset(); }

    // A Root with Schedules "S0".."S{n-1}", each with Files "S<i>F<j>".
    NodeItem buildTree(int schedules, int filesEach);
    NodeItem add(NodeItem parent, const std::string& text, int kind);
    NodeItem child(NodeItem parent, int index) const;

    std::unique_ptr<ScheduleTree> tree;
};

}  // namespace airvane::test

// Runs the contract suite against the trees that factory makes; use it
// inside namespace airvane::test.
#define AIRVANE_TREE_CONTRACT(name, factory) \
    INSTANTIATE_TEST_SUITE_P(name, TreeContract, ::testing::Values(::airvane::test::TreeFactory(factory)))
