#include "support/AppDriver.h"
#include "support/Steps.h"

#include <gtest/gtest.h>

#include <cstdlib>

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
    const sf::Vector2f grab = user.chip(chip) + sf::Vector2f(9, 7), start = toScreen(user.board().chips.find(chip)->position());
    user.press(grab);
    user.release(grab + sf::Vector2f(100, 50), sf::Mouse::Right);
    user.holdRight(grab + sf::Vector2f(300, 100));
    EXPECT_EQ(toScreen(user.board().chips.find(chip)->position()), start + sf::Vector2f(100, 50));
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
    ASSERT_EQ(user.board().chips.size(), 1u);
    EXPECT_EQ(user.board().chips.begin()->id(), second);
}

// Where ids repeat, as on a board of more chips than ids, a right press
// takes the very chip pressed, not the first with its id.
TEST(Placing, WhenIdsRepeatARightPressTakesTheChipPressed) {
    AppDriver user;
    KeptBoard twins;
    for (const auto& [kind, name, x] : {std::tuple{AND_CHIP, "AND", 400.f}, {NOT_CHIP, "NOT", 800.f}}) {
        ChipLogic logic(kind);
        logic.setId(FIRST_CHIP_ID);
        twins.chips.push_back({name, logic, x, 300.f});
    }
    user.app.editor().keepIn(newLibraryFile("twins.json"), Library{{}, twins, ""});
    user.click(user.centre(std::next(user.board().chips.begin())->bounds()), sf::Mouse::Right);
    ASSERT_EQ(user.board().chips.size(), 1u);
    EXPECT_EQ(user.board().chips.begin()->name(), "AND");
}
