#include "storage/DeepLibraries.h"
#include "support/EditorSteps.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Two NOTs wired in a row from input 0 to lamp 0, the second 120 right of
// and 40 below the first; their ids.
std::pair<int32_t, int32_t> chainOfTwo(Editor& editor) {
    const int32_t first = place(editor, "NOT", {400, 300}), second = place(editor, "NOT", {520, 340});
    wire(editor, 0, 0, first, 0), wire(editor, first, 0, second, 0), wire(editor, second, 0, 0, 0);
    return {first, second};
}

std::vector<const Chip*> chips(const Editor& editor, std::initializer_list<int32_t> ids) {
    std::vector<const Chip*> found;
    for (const int32_t id : ids) found.push_back(editor.board().chips.find(id));
    return found;
}

}  // namespace

// Dragged far past the frame's top right, the group stops whole, its chips as
// far apart as before, and the drag is one step.
TEST(Groups, AGroupMovedAgainstTheFrameStopsWholeInOneStep) {
    auto editor = newEditor();
    const auto [first, second] = chainOfTwo(*editor);
    const Board before = editor->board();
    const std::vector<const Chip*> group = chips(*editor, {first, second});
    for (const float x : {900.f, 5000.f}) editor->moveChips(group, {x, 0.f});
    editor->endMove();
    const Box frame = editor->layout().frame();
    EXPECT_EQ(group[0]->position(), (Point{frame.right() - 180, frame.top}));
    EXPECT_EQ(group[1]->position(), (Point{frame.right() - 60, frame.top + 40}));
    editor->takeNotices();
    editor->undo();
    EXPECT_EQ(editor->board(), before);
    EXPECT_EQ(editor->takeNotices(), std::vector<std::string>{"undone: move 2 chips"});
}

// Each is one step, undone and redone whole; a cut gives the text a copy does.
TEST(Groups, RemoveCutPasteAndDuplicateAreEachOneStep) {
    auto editor = newEditor();
    const auto [first, second] = chainOfTwo(*editor);
    const std::string text = editor->copy(chips(*editor, {first, second}));
    const std::pair<const char*, std::function<void()>> edits[] = {
        {"remove 2 chips", [&] { editor->removeChips(chips(*editor, {first, second})); }},
        {"cut NOT", [&] { EXPECT_EQ(editor->cut(chips(*editor, {second})), editor->copy(chips(*editor, {second}))); }},
        {"paste 2 chips", [&] { editor->paste(text, {900, 600}); }},
        {"duplicate 2 chips", [&] { editor->duplicate(chips(*editor, {first, second})); }},
    };
    for (const auto& [words, edit] : edits) {
        const Board before = editor->board();
        edit();
        const Board after = editor->board();
        ASSERT_NE(after, before) << words;
        editor->takeNotices();
        editor->undo();
        EXPECT_EQ(editor->board(), before) << words;
        EXPECT_EQ(editor->takeNotices(), std::vector<std::string>{std::string("undone: ") + words});
        editor->redo();
        EXPECT_EQ(editor->board(), after) << words;
        editor->undo();
    }
}

// Pasted beside a running chain: fresh ids, the one wire between the pasted
// chips and none to the old ones or the board's pins, the group's top-left
// where asked, or held inside the frame; the pasted first NOT's input holds
// 0 until wired, and then the copy works as the original.
TEST(Groups, APastedGroupIsWiredWithinItselfUnderFreshIds) {
    auto editor = newEditor();
    const auto [first, second] = chainOfTwo(*editor);
    editor->switchInput(0);
    run(*editor, 4);
    const std::string text = editor->copy(chips(*editor, {first, second}));
    const std::vector<const Chip*> pasted = editor->paste(text, {700, 500});
    ASSERT_EQ(pasted.size(), 2u);
    EXPECT_EQ(pasted[0]->position(), (Point{700, 500}));
    EXPECT_EQ(pasted[1]->position(), (Point{820, 540}));
    for (const Chip* chip : pasted) EXPECT_TRUE(chip->id() != first && chip->id() != second && chip->id() != 0);
    EXPECT_NE(pasted[0]->id(), pasted[1]->id());
    ASSERT_EQ(editor->board().wires.size(), 4u);
    EXPECT_EQ(editor->board().wires.back().connection, (Connection{pasted[0]->id(), 0, pasted[1]->id(), 0}));
    EXPECT_FALSE(pasted[0]->input(0));
    wire(*editor, 0, 0, pasted[0]->id(), 0);
    run(*editor, 3);
    EXPECT_TRUE(pasted[1]->output(0));
    const Box frame = editor->layout().frame();
    const std::vector<const Chip*> far = editor->paste(text, {5000, 5000});
    EXPECT_EQ(far[1]->position(), (Point{frame.right() - 60, frame.bottom() - 50}));
}

// Text that is not a piece of a board, of a later version, damaged, holding a
// chip too deep or too large, or that would make the board too large or too
// deep, changes nothing and says why.
TEST(Groups, BadClipboardTextChangesNothingAndSaysWhy) {
    auto editor = newEditor();
    const auto [first, second] = chainOfTwo(*editor);
    const std::string piece = editor->copy(chips(*editor, {first, second}));
    const auto changed = [&piece](const std::string& from, const std::string& to) {
        return std::string(piece).replace(piece.find(from), from.size(), to);
    };
    std::string deep = deep::chain(DEEPEST_CHIP + 1), large = R"({"format": "vorplex-piece", "version": 3, "chips": [],
        "wires": [], "definitions": [{"kind": 0, "id": 10001, "inputs": "0", "outputs": "1"})";
    deep.replace(deep.find("library"), 7, "piece");
    deep.insert(deep.size() - 1, R"(, "wires": [])");
    for (int level = 0; level < 30; ++level)
        large += R"(, {"kind": 2, "id": 10001, "inputs": "", "outputs": "", "parts": [)" + std::to_string(level) + ", " + std::to_string(level) + "]}";
    const std::tuple<std::string, int64_t, int32_t, std::string> rows[] = {
        {"", LARGEST_CHIP, DEEPEST_CHIP, "not pasted: the clipboard holds no Vorplex chips"},
        {LibraryFile::format(editor->work()), LARGEST_CHIP, DEEPEST_CHIP, "not pasted: the clipboard holds no Vorplex chips"},
        {changed("\"version\": 3", "\"version\": 4"), LARGEST_CHIP, DEEPEST_CHIP, "not pasted: copied from a later Vorplex"},
        {changed("\"wires\": [\n    [", "\"wires\": [\n    [7, "), LARGEST_CHIP, DEEPEST_CHIP, "not pasted: the copied text is damaged"},
        {deep, LARGEST_CHIP, DEEPEST_CHIP, "not pasted: a chip in it is too deep"},
        {large + "]}", LARGEST_CHIP, DEEPEST_CHIP, "not pasted: a chip in it is too large"},
        {piece, editor->board().sizeAsChip() + 6, DEEPEST_CHIP, "\"2 chips\" not pasted: the board would be too large"},
        {piece, LARGEST_CHIP, 1, "\"2 chips\" not pasted: the board would be too deep"},
    };
    const Board before = editor->board();
    const std::size_t steps = editor->history().steps();
    for (const auto& [text, largest, deepest, words] : rows) {
        editor->setLimits(largest, deepest);
        EXPECT_TRUE(editor->paste(text, {700, 500}).empty()) << words;
        EXPECT_EQ(editor->takeNotices(), std::vector<std::string>{words});
        EXPECT_EQ(editor->board(), before) << words;
        EXPECT_EQ(editor->history().steps(), steps) << words;
    }
}
