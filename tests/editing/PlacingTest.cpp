#include "support/AppDriver.h"
#include "support/Steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

// Chip bodies, palette entries and the squares around board inputs leave out
// their left and top edges and take in their right and bottom edges; buttons
// take their left and top edges and leave out the other two. Presses on
// chips drag or remove them, presses in the input column toggle inputs.
TEST(Placing, PressesOnTheEdgesOfThings) {
    const std::pair<const char*, const char*> rows[] = {
        {"N<r", "Idle"}, {"N^r", "Idle"}, {"N>r", "Idle chips 2"}, {"Nvr", "Idle chips 2"},
        {"Pa<", "Idle"}, {"Pa^", "Idle"}, {"Pa>", "Idle chips 4"}, {"Pav", "Idle chips 4"},
        {"i0<", "Idle"}, {"i0^", "Idle"}, {"i0>", "Idle in0"}, {"i0v", "Idle in0"},
        {"C<", "Armed"}, {"C^", "Armed"}, {"C>", "Idle"}, {"Cv", "Idle"},
        {"i0r", "Idle in0"}, {"i0m", "Idle ~in0"}, {"i0 +i", "Idle in0"}, {"Pc", "Idle"},
        {"C i0 o0 Xr Wh", "Idle chips 2"}, {"C Xl Yl Xr", "Idle chips 2"}, {"C i0 Xl Xr", "Idle chips 2"},
    };
    for (const auto& [steps, board] : rows) EXPECT_EQ(playOnBoard(steps), board) << steps;
}

// A chip dragged by any point keeps that point under the mouse, and the
// release of any button ends the drag.
TEST(Placing, ADraggedChipKeepsItsPlaceUnderTheMouseUntilAnyRelease) {
    AppDriver user;
    const int32_t chip = user.place("AND", {400, 300});
    const sf::Vector2f grab = user.chip(chip) + sf::Vector2f(9, 7), start = user.app.board.chips.find(chip)->body().getPosition();
    user.press(grab);
    user.release(grab + sf::Vector2f(100, 50), sf::Mouse::Right);
    user.holdRight(grab + sf::Vector2f(300, 100));
    EXPECT_EQ(user.app.board.chips.find(chip)->body().getPosition(), start + sf::Vector2f(100, 50));
}

// Overlapping chips: a press on both takes the one placed first, though the
// later one is drawn over it. Ids are random, but a placed chip never shares
// one with another chip on the board.
TEST(Placing, APressTakesTheEarlierOfOverlappingChipsEachWithItsOwnId) {
    AppDriver user;
    std::srand(7);
    const int32_t first = user.place("AND", {400, 300});
    std::srand(7);  // the same draws again
    const int32_t second = user.place("NOT", {420, 310});
    EXPECT_NE(first, second);
    user.click(user.chip(second), sf::Mouse::Right);
    ASSERT_EQ(user.app.board.chips.size(), 1u);
    EXPECT_EQ(user.app.board.chips.begin()->id(), second);
}

// On a board of more chips than ids (four chips, two ids here), removal takes
// the very chip pressed, and every id on the board finds the first chip placed
// with it, in whatever order chips go.
TEST(Placing, WhenIdsRepeatEveryChipGoesAsPressedAndEveryIdFindsItsFirstChip) {
    static const sf::Font font;
    const Chip gate(AND_CHIP, {}, font, "AND");
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
    AppDriver user;  // every chip gets one id: a right press still takes the chip pressed
    user.app.board.chips = BoardChips([] { return FIRST_CHIP_ID; }, 1);
    user.place("AND", {400, 300});
    user.place("NOT", {800, 300});
    user.click(user.centre(std::next(user.app.board.chips.begin())->body()), sf::Mouse::Right);
    ASSERT_EQ(user.app.board.chips.size(), 1u);
    EXPECT_EQ(user.app.board.chips.begin()->name(), "AND");
}
