#include "support/EditorSteps.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using std::chrono::milliseconds;

std::string textOf(const std::string& path) {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

// With a library file, an edit is written when first due, later ones at most
// once a second while they keep coming, and whatever is left when the editor
// ends; switching an input is written, the circuit running alone is not.
TEST(Keeping, EditsAreWrittenAtMostOnceASecondAndAtTheEnd) {
    const LibraryFile file = newLibraryFile("keeping.json");
    const std::string& path = file.path();
    auto editor = newEditor();
    editor->keepIn(file, {});
    const auto chipsKept = [&path] { return LibraryFile(path).read().board.chips.size(); };
    editor->toggleBlinking(0);
    editor->keepWhenDue(milliseconds(16));
    EXPECT_TRUE(LibraryFile(path).read().board.inputs[0].clocked);
    place(*editor, "NOT", {400, 300});
    editor->keepWhenDue(milliseconds(32));
    EXPECT_EQ(chipsKept(), 0u);
    editor->keepWhenDue(milliseconds(1016));
    EXPECT_EQ(chipsKept(), 1u);
    const std::string running = textOf(path);
    for (int blink = 1; blink <= 4; ++blink) editor->runFrame(milliseconds(1016 + 700 * blink)), editor->keepWhenDue(milliseconds(1016 + 700 * blink));
    EXPECT_EQ(textOf(path), running);
    place(*editor, "AND", {600, 300});
    editor.reset();
    EXPECT_EQ(LibraryFile(path).read().board.chips.at(1).x, 600.f) << "where its move left it";
}

// A save is work to keep like any edit: the last one before the end reaches
// the file, and so does a chip opened.
TEST(Keeping, TheLastSaveOrOpeningBeforeTheEndIsKept) {
    const LibraryFile file = newLibraryFile("last-save.json");
    auto editor = newEditor();
    editor->keepIn(file, {});
    editor->setName("ONE");
    editor->keepWhenDue(milliseconds(0));
    ASSERT_EQ(file.read().name, "ONE");
    editor->save();
    editor->keepWhenDue(milliseconds(10), true);
    EXPECT_EQ(file.read().chips.size(), 1u) << "saved, then the window closed";
    editor->addInput();
    editor->keepWhenDue(milliseconds(2000));
    editor->open(entryNamed(*editor, "ONE"));
    editor.reset();
    EXPECT_EQ(file.read().board.inputs.size(), 1u) << "opened, then killed";
}

// A board kept on a larger screen and shown on a smaller one stands inside
// the smaller board, but every chip the user does not move is kept where it
// stood; a chip moved is kept where it now stands.
TEST(Keeping, ASmallerScreenMovesNothingForGood) {
    const LibraryFile file = newLibraryFile("smaller.json");
    {
        auto large = newEditor();
        large->keepIn(file, {});
        place(*large, "NOT", {1700, 900}), place(*large, "AND", {1700, 200});
    }
    Editor small(BoardLayout(1280, 800), [](const std::string& name) { return 10.f * static_cast<float>(name.size()); });
    small.keepIn(file, file.read());
    EXPECT_LE(small.board().chips.begin()->bounds().right(), 1240.f);
    small.switchInput(0);
    small.moveChip(*std::next(small.board().chips.begin()), {600, 300});
    small.endMove();
    small.keepWhenDue(Editor::Time{0}, true);
    const KeptBoard kept = file.read().board;
    EXPECT_EQ(std::make_pair(kept.chips.at(0).x, kept.chips.at(0).y), std::make_pair(1700.f, 900.f));
    EXPECT_EQ(std::make_pair(kept.chips.at(1).x, kept.chips.at(1).y), std::make_pair(600.f, 300.f));
}
