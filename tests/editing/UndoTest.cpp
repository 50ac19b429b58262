#include "support/AppDriver.h"

#include <gtest/gtest.h>

// Right-click a NOT wired from an input that is on to a lamp: it goes with
// its wires, and Ctrl+Z brings it back exactly, its id, wires and pin values
// included; Ctrl+Y and Ctrl+Shift+Z take it away again. While the name box has
// the focus, Ctrl+Z types as it always has.
TEST(Undo, ARemovedChipComesBackWithItsWiresIdAndPinValues) {
    AppDriver user;
    const int32_t invert = user.inverter();
    user.click(user.input(0));
    user.frames(3);
    const Board wired = user.app.board;
    user.click(user.chip(invert), sf::Mouse::Right);
    ASSERT_TRUE(user.app.board.chips.empty() && user.app.board.wires.empty());
    for (const bool withShift : {false, true}) {
        user.undo();
        EXPECT_EQ(user.app.board, wired);
        EXPECT_EQ(user.app.notice.words(), "undone: remove NOT");
        user.redo(withShift);
        EXPECT_TRUE(user.app.board.chips.empty());
    }
    user.click(user.centre(user.app.nameBox.rect()));
    user.undo();
    EXPECT_TRUE(user.app.board.chips.empty());
}

// A placement with the drag that follows it, a whole drag, a wire made, the
// wires deleted in one hold of the right button and a board pin added are a
// step each; switching an input is none. A new edit leaves nothing to redo.
TEST(Undo, EachUserActionIsOneStep) {
    AppDriver user;
    const Board empty = user.app.board;
    const int32_t gate = user.place("AND", {400, 300});
    const Board placed = user.app.board;
    user.press(user.chip(gate));
    for (const float x : {500.f, 600.f, 700.f}) user.moveMouse({x, 400.f});
    user.release({700.f, 400.f});
    user.wire(0, 0, gate, 0);
    user.wire(0, 0, 0, 0);
    user.click(user.input(0));
    user.holdRight(user.input(0) + sf::Vector2f(10, 0));  // where both wires start: they go, one a frame
    user.holdRight(user.input(0) + sf::Vector2f(10, 0));
    ASSERT_TRUE(user.app.board.wires.empty());
    user.click(user.centre(user.app.addInputButton().rect));
    for (const char* step : {"add an input", "delete wires", "make a wire", "make a wire", "move AND", "place AND"}) {
        user.undo();
        EXPECT_EQ(user.app.notice.words(), std::string("undone: ") + step);
    }
    EXPECT_EQ(user.app.board.inputs, (std::vector<BoardInput>{{true, false}})) << "the switch stays as it is";
    user.app.board.inputs[0].value = false;
    EXPECT_EQ(user.app.board, empty);
    user.redo(false);
    EXPECT_EQ(user.app.board.chips, placed.chips);
    user.place("NOT", {900, 300});
    user.redo(false);
    EXPECT_EQ(user.app.notice.words(), "nothing to redo");
}

// Undoing a save takes its palette entry back, or the entry it replaced,
// with the name that was typed; redoing it saves again.
TEST(Undo, ASaveIsUndoneWithItsPaletteEntry) {
    AppDriver user;
    user.saveAs("X");
    user.wire(0, 0, 0, 0);
    user.saveAs("X");
    const std::vector<PaletteEntry> replaced = user.app.library;
    user.undo();
    EXPECT_EQ(user.app.library.back().connections().size(), 0u);
    user.undo(), user.undo();
    EXPECT_EQ(user.app.library.size(), 2u);
    EXPECT_EQ(user.app.nameBox.name(), "X");
    user.redo(false), user.redo(false), user.redo(false);
    EXPECT_EQ(user.app.library, replaced);
}

// Past its memory budget the history lets the oldest steps go, never the newest.
TEST(Undo, TheOldestStepsGoFirstPastTheBudget) {
    AppDriver user;
    user.app.history = History(3 * (user.app.board.memoryUse() + 1));  // three steps of one letter
    for (const char* step : {"1", "2", "3", "4", "5"}) user.app.history.record(step, {user.app.board, {}, {}});
    std::string left;
    while (user.app.history.canUndo()) left += user.app.history.undoWhat(), user.app.history.undo({user.app.board, {}, {}});
    EXPECT_EQ(left, "543");
}
