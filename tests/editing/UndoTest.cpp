#include "support/EditorSteps.h"

#include <gtest/gtest.h>

// Remove a NOT wired from an input that is on to a lamp: it goes with its
// wires, and an undo brings it back exactly, its id, wires and pin values
// included; a redo takes it away again.
TEST(Undo, ARemovedChipComesBackWithItsWiresIdAndPinValues) {
    auto editor = newEditor();
    const int32_t invert = place(*editor, "NOT", {400, 300});
    wire(*editor, 0, 0, invert, 0);
    wire(*editor, invert, 0, 0, 0);
    editor->switchInput(0);
    run(*editor, 3);
    const Board wired = editor->board();
    editor->removeChip(*editor->board().chips.find(invert));
    ASSERT_TRUE(editor->board().chips.empty() && editor->board().wires.empty());
    for (int round = 0; round < 2; ++round) {
        editor->undo();
        EXPECT_EQ(editor->board(), wired);
        EXPECT_EQ(editor->takeNotices(), std::vector<std::string>{"undone: remove NOT"});
        editor->redo();
        EXPECT_TRUE(editor->board().chips.empty());
        EXPECT_EQ(editor->takeNotices(), std::vector<std::string>{"redone: remove NOT"});
    }
}

// Moves of one chip until the move ends are one step, and so is a placement
// with the moves that follow it; an edit in the middle of a move makes what
// it moved so far a step of its own. Switching an input is no step, and
// keeps its state whatever is undone. A new edit leaves nothing to redo.
TEST(Undo, AMoveIsOneStepAndSwitchesStayAsTheyAre) {
    auto editor = newEditor();
    const Board empty = editor->board();
    const Chip& gate = *editor->place(entryNamed(*editor, "AND"));
    for (const float x : {300.f, 400.f}) editor->moveChip(gate, {x, 300.f});
    editor->endMove();
    const Board placed = editor->board();
    for (const float x : {500.f, 600.f}) editor->moveChip(gate, {x, 400.f});
    editor->addInput();
    editor->moveChip(gate, {700.f, 400.f});
    editor->endMove();
    editor->switchInput(0);
    for (const char* step : {"move AND", "add an input", "move AND", "place AND"}) {
        editor->undo();
        EXPECT_EQ(editor->takeNotices(), std::vector<std::string>{std::string("undone: ") + step});
    }
    EXPECT_EQ(editor->board().inputs, (std::vector<BoardInput>{{true, false}})) << "the switch stays as it is";
    editor->switchInput(0);
    EXPECT_EQ(editor->board(), empty);
    editor->redo();
    EXPECT_EQ(editor->board().chips, placed.chips);
    editor->takeNotices();
    place(*editor, "NOT", {900, 300});
    editor->redo();
    EXPECT_EQ(editor->takeNotices(), std::vector<std::string>{"nothing to redo"});
}

// Undoing a save takes its palette entry back, or the entry it replaced,
// with the name that was typed; redoing it saves again.
TEST(Undo, ASaveIsUndoneWithItsPaletteEntry) {
    auto editor = newEditor();
    saveAs(*editor, "X");
    wire(*editor, 0, 0, 0, 0);
    saveAs(*editor, "X");
    const std::vector<PaletteEntry> replaced = editor->palette().entries();
    editor->undo();
    EXPECT_EQ(editor->palette().back().connections().size(), 0u);
    editor->undo(), editor->undo();
    EXPECT_EQ(editor->palette().size(), 2u);
    EXPECT_EQ(editor->name(), "X");
    editor->redo(), editor->redo(), editor->redo();
    EXPECT_EQ(editor->palette().entries(), replaced);
}

// Past its memory budget the history lets the oldest steps go, never the newest.
TEST(Undo, TheOldestStepsGoFirstPastTheBudget) {
    const Board board;
    History history(3 * (board.memoryUse() + 1));  // three steps of one letter
    for (const char* step : {"1", "2", "3", "4", "5"}) history.record(step, {board, {}, {}});
    std::string left;
    while (history.canUndo()) left += history.undoWhat(), history.undo({board, {}, {}});
    EXPECT_EQ(left, "543");
}
