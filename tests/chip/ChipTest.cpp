#include "chip/Chip.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The heights of a column of pins, with the body's top and bottom edges.
std::vector<float> column(const Chip& chip, bool outputs) {
    std::vector<float> heights{chip.position().y, chip.position().y + chip.size().y};
    const float x = chip.position().x + (outputs ? chip.size().x : 0.f);
    for (int32_t circle = 0; circle < chip.inputCount() + chip.outputCount(); ++circle) {
        const Point pin = chip.pinPosition(circle);
        if ((circle >= chip.inputCount()) == outputs) heights.push_back(pin.x == x ? pin.y : -1.f);
    }
    std::sort(heights.begin(), heights.end());
    return heights;
}

}  // namespace

// Inputs stand on the left edge, outputs on the right, each column spread
// evenly with equal gaps at both ends, however their counts differ, on a
// chip as it stands in the palette and as it grows on the board. Pin counts
// below zero give no pins.
TEST(Chip, PinsAreSpreadEvenlyDownEachEdge) {
    for (const auto& [inputs, outputs] : {std::pair{3, 1}, {1, 2}, {2, 5}, {-3, 2}}) {
        Chip chip(ChipLogic(2, {}, {}, inputs, outputs), {400, 300}, "X", 10.f);
        for (const bool onBoard : {false, true}) {
            if (onBoard) chip.resize(chip.boardSize()), chip.layout();
            for (const bool right : {false, true}) {
                const std::vector<float> heights = column(chip, right);
                EXPECT_EQ(heights.size(), static_cast<std::size_t>(2 + std::max(right ? outputs : inputs, 0)));
                for (std::size_t i = 1; i + 1 < heights.size(); ++i)
                    EXPECT_NEAR(heights[i + 1] - heights[i], heights[1] - heights[0], 1e-3) << inputs << " in, " << outputs << " out";
            }
        }
    }
}
