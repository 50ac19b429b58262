#include "chip/Chip.h"

#include <gtest/gtest.h>

// A chip's pin circles come from its logic's pin counts: counts below zero
// give no pins, not circles that no pin has.
TEST(Chip, PinCirclesFollowTheLogicsPinCounts) {
    static const sf::Font font;
    const Chip chip(2, {}, font, "X", {}, {}, -3, 2);
    EXPECT_EQ(chip.inputCount(), 0);
    EXPECT_EQ(chip.outputCount(), 2);
}
