#include "editing/BoardChips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

// On a board of more chips than ids (four chips, two ids here), removal takes
// the very chip, and every id on the board finds the first chip placed with
// it, in whatever order chips go.
TEST(BoardChips, WhenIdsRepeatEveryChipGoesAsAskedAndEveryIdFindsItsFirstChip) {
    const Chip gate(ChipLogic(AND_CHIP), {}, "AND", 30.f);
    std::mt19937 random(11);
    std::vector<int> order{0, 1, 2, 3};
    do {
        BoardChips board([&random] { return FIRST_CHIP_ID + static_cast<int32_t>(random() % 2); }, 2);
        std::vector<const Chip*> left;
        for (int i = 0; i < 4; ++i) left.push_back(&board.place(gate));
        const std::vector<const Chip*> placed = left;
        for (const int gone : order) {
            board.remove(*placed[gone]);
            left.erase(std::find(left.begin(), left.end(), placed[gone]));
            std::vector<const Chip*> onBoard;
            for (const Chip& chip : board) onBoard.push_back(&chip);
            EXPECT_EQ(onBoard, left);
            for (const Chip* chip : left)
                EXPECT_EQ(board.find(chip->id()), *std::find_if(left.begin(), left.end(), [chip](const Chip* c) { return c->id() == chip->id(); }));
        }
    } while (std::next_permutation(order.begin(), order.end()));
}
