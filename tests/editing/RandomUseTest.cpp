#include "support/Invariants.h"
#include "support/RandomFrames.h"

#include <gtest/gtest.h>

#include <random>

// A careless user at work for 25,000 frames per seed, every invariant checked
// after every frame. The run must also have built something worth checking.
class RandomUse : public ::testing::TestWithParam<uint32_t> {};

TEST_P(RandomUse, EveryFrameKeepsTheInvariants) {
    std::mt19937 random(GetParam());
    std::vector<uint8_t> bytes(25000 * RandomFrames::BYTES_PER_FRAME);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
    App app(App::WindowMode::None);
    RandomFrames frames(bytes.data(), bytes.size());
    std::size_t mostWires = 0, mostChips = 0;
    for (int frame = 1; !frames.done(); ++frame) {
        app.step(frames.next(app));
        ASSERT_EQ(findViolation(app), "") << "seed " << GetParam() << ", frame " << frame;
        mostWires = std::max(mostWires, app.board.wires.size());
        mostChips = std::max(mostChips, app.board.chips.size());
    }
    EXPECT_GE(app.library.size(), 10u);
    EXPECT_GE(mostWires, 3u);
    EXPECT_GE(mostChips, 10u);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomUse, ::testing::Values(1u, 2024u, 77001u, 4150893u));
