#include "support/EditorSteps.h"

#include <gtest/gtest.h>

#include <set>

// Save a NOT wired between input 0 and the lamp as INV, open it again: the
// board it was saved from, its name typed. Add an output fed straight from
// the input, save again under the same name: INV has two outputs now. Undo
// takes the save back and, step by step, the opening: the board that stood
// before comes back.
TEST(Palette, ASavedChipIsOpenedChangedAndSavedAgain) {
    auto editor = newEditor();
    const int32_t invert = place(*editor, "NOT", {400, 300});
    wire(*editor, 0, 0, invert, 0);
    wire(*editor, invert, 0, 0, 0);
    const Board saved = editor->board();
    saveAs(*editor, "INV");
    place(*editor, "AND", {800, 500});
    const Board before = editor->board();
    EXPECT_FALSE(editor->canOpen(entryNamed(*editor, "NOT"))) << "NOT has no inside to open";
    editor->open(entryNamed(*editor, "INV"));
    EXPECT_EQ(editor->board(), saved);
    EXPECT_EQ(editor->name(), "INV");
    editor->addOutput();
    wire(*editor, 0, 0, 0, 1);
    editor->save();
    EXPECT_EQ(std::make_pair(editor->palette().size(), entryNamed(*editor, "INV").outputCount()), std::make_pair(std::size_t{3}, 2));
    for (int step = 0; step < 4; ++step) editor->undo();
    EXPECT_EQ(entryNamed(*editor, "INV").outputCount(), 1);
    EXPECT_EQ(editor->board().chips, before.chips);
}

// A chip whose board was not kept, as from a version-1 file, opens with its
// parts in columns by their distance from its inputs, none over another, and
// its connections as wires; the later of two connections into one pin, and
// one to a chip it does not hold, are left out.
TEST(Palette, AChipWithoutItsBoardOpensLaidOut) {
    const std::string gate = R"({"kind": 1, "id": 10001, "inputs": "00", "outputs": "0"}, )";
    const auto inverter = [](int id) { return R"({"kind": 0, "id": )" + std::to_string(id) + R"(, "inputs": "0", "outputs": "0"}, )"; };
    const std::string text = R"({"format": "vorplex-library", "version": 1, "definitions": [)" + gate + inverter(10002) + inverter(10003) +
                             inverter(10004) + R"({"kind": 2, "id": 20000, "inputs": "00", "outputs": "00", "parts": [0, 1, 2, 3], )" +
                             R"("connections": [[0, 0, 10001, 0], [0, 1, 10001, 1], [10003, 0, 0, 0], [10002, 0, 10003, 0], [10001, 0, 10002, 0], )" +
                             R"([0, 0, 10002, 0], [0, 1, 10004, 0], [10004, 0, 0, 1], [10004, 0, 99, 0]]}], "chips": [{"name": "CHAIN", "definition": 4}]})";
    auto editor = newEditor();
    editor->keepIn(LibraryFile("/nonexistent/vorplex.json"), LibraryFile::parse(text, "chips.json"));
    editor->open(entryNamed(*editor, "CHAIN"));
    const Board& board = editor->board();
    std::set<std::tuple<int32_t, int32_t, int32_t, int32_t>> wires;
    for (const Wire& wire : board.wires) wires.insert({wire.connection.fromChip, wire.connection.fromPin, wire.connection.toChip, wire.connection.toPin});
    EXPECT_EQ(wires, (std::set<std::tuple<int32_t, int32_t, int32_t, int32_t>>{
                         {0, 0, 10001, 0}, {0, 1, 10001, 1}, {10003, 0, 0, 0}, {10002, 0, 10003, 0}, {0, 0, 10002, 0}, {0, 1, 10004, 0}, {10004, 0, 0, 1}}));
    const auto x = [&board](int32_t id) { return board.chips.find(id)->position().x; };
    EXPECT_EQ(x(10001), x(10002));
    EXPECT_EQ(x(10002), x(10004));
    EXPECT_LT(x(10002), x(10003));
    for (const Chip& a : board.chips)
        for (const Chip& b : board.chips)
            EXPECT_TRUE(&a == &b || !a.bounds().intersects(b.bounds())) << a.id() << " over " << b.id();
    EXPECT_EQ(board.inputs.size(), 2u);
}

// A saved chip taken out of the palette comes back with an undo; NOT and AND
// never go.
TEST(Palette, ASavedChipIsRemovedAndBroughtBack) {
    auto editor = newEditor();
    saveAs(*editor, "C0");
    saveAs(*editor, "C1");
    for (const std::string name : {"NOT", "AND", "C0"}) editor->removeFromPalette(entryNamed(*editor, name));
    ASSERT_EQ(editor->palette().size(), 3u);
    EXPECT_EQ(editor->palette()[2].name(), "C1");
    editor->undo();
    EXPECT_EQ(editor->palette()[2].name(), "C0");
    EXPECT_EQ(editor->palette()[3].name(), "C1");
}
