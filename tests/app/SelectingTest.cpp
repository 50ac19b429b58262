#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::set<int32_t> selected(const AppDriver& user) {
    std::set<int32_t> ids;
    for (const Chip* chip : user.app.selecting().selected()) ids.insert(chip->id());
    return ids;
}

}  // namespace

// A rectangle selects the chips it touches, edges taken as a press takes
// them, dragged either way; a click on an empty spot selects none, and so
// does a drag while a wire is under way; Shift with a click adds a chip or
// takes it out; Ctrl+A selects them all.
TEST(Selecting, ARectangleSelectsExactlyTheChipsItTouches) {
    AppDriver user;
    const int32_t a = user.place("NOT", {400, 300}), b = user.place("NOT", {500, 300}), c = user.place("NOT", {400, 500});
    user.drag({380, 250}, {500, 360});
    EXPECT_EQ(selected(user), (std::set<int32_t>{a}));
    user.drag({501, 500}, {380, 350});
    EXPECT_EQ(selected(user), (std::set<int32_t>{a, b}));
    user.click({380, 250});
    EXPECT_EQ(selected(user), (std::set<int32_t>{}));
    user.click(user.button(Widgets::Connect)), user.click(user.input(0)), user.drag({380, 250}, {1000, 800});
    EXPECT_EQ(selected(user), (std::set<int32_t>{}));
    user.click(user.button(Widgets::Connect)), user.shiftClick(user.chip(c)), user.shiftClick(user.chip(a)), user.shiftClick(user.chip(c));
    EXPECT_EQ(selected(user), (std::set<int32_t>{a}));
    user.key(sf::Keyboard::A, true);
    EXPECT_EQ(selected(user), (std::set<int32_t>{a, b, c}));
}

// A drag on a selected chip moves them all, and their wire follows; a copy
// pastes at the mouse as the new selection; Delete over the palette still
// takes a saved chip out, over the board the selected chips go, and a wire
// under way from one of them; a right click still takes one chip alone; an
// undo lets the selection go; a cut takes the chips of a drag under way.
TEST(Selecting, TheSelectedChipsMoveCopyAndGoTogether) {
    AppDriver user;
    const int32_t a = user.place("NOT", {400, 300}), b = user.place("NOT", {520, 340});
    user.wire(a, 0, b, 0);
    user.saveAs("X");
    user.key(sf::Keyboard::A, true), user.drag(user.chip(a), user.chip(a) + sf::Vector2f(100, 50));
    EXPECT_EQ(user.board().chips.find(b)->position(), (Point{620, 390}));
    EXPECT_EQ(user.board().wires.front().targetPoint(), user.board().chips.find(b)->inputPinPosition(0));
    user.key(sf::Keyboard::C, true), user.moveMouse({1000, 600}), user.key(sf::Keyboard::V, true);
    ASSERT_EQ(user.board().chips.size(), 4u);
    EXPECT_EQ(user.app.selecting().selected().front()->position(), (Point{1000, 600}));
    user.moveMouse(user.palette("X")), user.key(sf::Keyboard::Delete);
    EXPECT_EQ(std::make_pair(user.editor().palette().size(), user.board().chips.size()), std::make_pair(std::size_t{2}, std::size_t{4}));
    user.click(user.button(Widgets::Connect)), user.click({1010, 610}), user.moveMouse({1000, 900}), user.key(sf::Keyboard::Delete);
    EXPECT_FALSE(user.app.wiring().isDrawing());
    EXPECT_EQ(std::make_pair(user.board().chips.size(), user.board().wires.size()), std::make_pair(std::size_t{2}, std::size_t{1}));
    user.key(sf::Keyboard::A, true), user.click(user.chip(a), sf::Mouse::Right);
    EXPECT_EQ(selected(user), (std::set<int32_t>{b}));
    user.undo();
    EXPECT_EQ(selected(user), (std::set<int32_t>{}));
    user.key(sf::Keyboard::A, true), user.press(user.chip(b)), user.key(sf::Keyboard::X, true), user.release({900, 700});
    EXPECT_TRUE(user.board().chips.empty());
}
