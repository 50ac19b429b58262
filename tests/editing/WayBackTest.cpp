#include "support/EditorSteps.h"

#include <gtest/gtest.h>

// INV (a NOT) and PAIR (two INVs) saved; then TOP, an INV from switch 0 to
// the lamp and a NOT, switch 0 on, switch 1 blinking, run a while. Undoing
// the opening of PAIR brings TOP back exactly, its own switches, not PAIR's;
// redoing it opens PAIR as it was when undone. On PAIR, INV is opened,
// changed and saved under its name; going back climbs a level at a time to
// TOP as it was left, switches and chip states included, with the new INV
// kept. Going back is one step.
TEST(WayBack, OpeningsAreGoneBackFromExactlyAndUndoneExactly) {
    auto editor = newEditor();
    chainOf(*editor, "NOT", 1, "INV");
    chainOf(*editor, "INV", 2, "PAIR");
    chainOf(*editor, "INV", 1);
    place(*editor, "NOT", {600, 500});
    editor->addInput();
    editor->toggleBlinking(1);
    editor->switchInput(0);
    editor->setName("TOP");
    run(*editor, 4);
    const Board top = editor->board();
    editor->open(entryNamed(*editor, "PAIR"));
    editor->toggleBlinking(0);
    const Board pair = editor->board();
    editor->undo();
    EXPECT_EQ(editor->board(), top);
    editor->redo();
    EXPECT_EQ(editor->board(), pair);
    editor->open(entryNamed(*editor, "INV"));
    EXPECT_EQ(editor->path(), "TOP > PAIR > INV");
    place(*editor, "AND", {800, 300});
    saveAs(*editor, "INV");
    const std::vector<PaletteEntry> palette = editor->palette().entries();
    editor->back();
    EXPECT_EQ(std::make_tuple(editor->board(), editor->name(), editor->path()), std::make_tuple(pair, "PAIR", "TOP > PAIR"));
    editor->back();
    EXPECT_EQ(std::make_tuple(editor->board(), editor->name(), editor->path()), std::make_tuple(top, "TOP", ""));
    EXPECT_EQ(editor->palette().entries(), palette);
    editor->takeNotices();
    editor->undo();
    EXPECT_EQ(editor->takeNotices(), std::vector<std::string>{"undone: back to TOP"});
    EXPECT_EQ(editor->board(), pair);
}
