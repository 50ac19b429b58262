#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <filesystem>

// A save that replaces a chip ends the frame at once; one that adds a chip
// lets it go on, so a chip being dragged follows the mouse to the Save
// button in that frame.
TEST(FrameSteps, OnlyASaveThatAddsAChipLetsTheFrameGoOn) {
    AppDriver user;
    const int32_t chip = user.place("AND", {400, 300});
    for (const char32_t* name : {U"C", U"C"}) {  // an append, then a replacement
        user.click(user.nameBox());
        user.type(name);
        user.press(user.chip(chip));
        const Point before = user.board().chips.find(chip)->position();
        user.press(user.button(Widgets::Save));
        EXPECT_EQ(user.board().chips.find(chip)->position() != before, user.editor().name().empty());
        user.release(toScreen(before));
    }
}

// A placement with the drag that follows it, a whole drag, a wire made, the
// wires deleted in one hold of the right button and a board pin added are a
// step each; switching an input is none. While the name box has the focus,
// Ctrl+Z types as it always has.
TEST(FrameSteps, EachUserActionIsOneStep) {
    AppDriver user;
    const Board empty = user.board();
    const int32_t gate = user.place("AND", {400, 300});
    user.press(user.chip(gate));
    for (const float x : {500.f, 600.f, 700.f}) user.moveMouse({x, 400.f});
    user.release({700.f, 400.f});
    user.wire(0, 0, gate, 0);
    user.wire(0, 0, 0, 0);
    user.click(user.input(0));
    user.holdRight(user.input(0) + sf::Vector2f(10, 0));  // where both wires start: they go, one a frame
    user.holdRight(user.input(0) + sf::Vector2f(10, 0));
    ASSERT_TRUE(user.board().wires.empty());
    user.click(user.button(Widgets::AddInput));
    user.click(user.nameBox());
    user.undo();
    EXPECT_EQ(user.board().inputs.size(), 2u);
    user.click(user.input(1));
    for (const char* step : {"add an input", "delete wires", "make a wire", "make a wire", "move AND", "place AND"}) {
        user.undo();
        EXPECT_EQ(user.app.widgets().notice.words(), std::string("undone: ") + step);
    }
    EXPECT_EQ(user.board().inputs, (std::vector<BoardInput>{{true, false}})) << "the switch stays as it is";
    user.click(user.input(0));
    EXPECT_EQ(user.board(), empty);
}

// While a wire is being made, a line under the top bar says what it waits
// for, and only then. Ctrl+N makes a new board, and Ctrl+Z takes it back.
TEST(FrameSteps, WiringSaysWhatItWaitsForAndANewBoardIsOneStep) {
    AppDriver user;
    const int32_t invert = user.place("NOT", {400, 300});
    const auto hint = [&user] { return user.app.widgets().wiringHint.getString().toAnsiString(); };
    EXPECT_EQ(hint(), "");
    user.click(user.button(Widgets::Connect));
    EXPECT_EQ(hint(), "choose a source");
    user.click(user.input(0));
    EXPECT_EQ(hint(), "choose a target (right press: next free input)");
    user.click(user.chip(invert));
    EXPECT_EQ(hint(), "");
    const Board wired = user.board();
    user.key(sf::Keyboard::N, true);
    EXPECT_TRUE(user.board().chips.empty() && user.board().wires.empty());
    user.undo();
    EXPECT_EQ(user.board(), wired);
}

// Escape quits once the work is kept; when it cannot be, the window stays
// and says so, and a second Escape quits without keeping.
TEST(FrameSteps, QuittingNeverLosesWorkUnasked) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vorplex-quit-in-the-way";
    std::filesystem::create_directories(folder);
    AppDriver user;
    user.app.editor().keepIn(LibraryFile(folder.string()), {});
    user.lateFrame(1000);
    user.place("NOT", {400, 300});
    user.key(sf::Keyboard::Escape);
    EXPECT_TRUE(user.app.isOpen());
    EXPECT_EQ(user.app.widgets().notice.words(), "not kept: is a directory \u2014 Escape again quits without keeping");
    user.key(sf::Keyboard::Escape);
    EXPECT_FALSE(user.app.isOpen());
}
