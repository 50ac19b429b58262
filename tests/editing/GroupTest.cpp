#include "storage/DeepLibraries.h"
#include "support/EditorSteps.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

// Two NOTs wired in a row from input 0 to lamp 0, the second 120 right of
// and 40 below the first; both, as chips taken together.
std::function<std::vector<const Chip*>()> chainOfTwo(Editor& editor) {
    const int32_t first = place(editor, "NOT", {400, 300}), second = place(editor, "NOT", {520, 340});
    wire(editor, 0, 0, first, 0), wire(editor, first, 0, second, 0), wire(editor, second, 0, 0, 0);
    return [&editor, first, second] { return std::vector<const Chip*>{editor.board().chips.find(first), editor.board().chips.find(second)}; };
}

}  // namespace

// Each is one step, undone and redone whole: a group dragged far past the
// frame's top right stops there whole; a cut gives the text a copy does.
TEST(Groups, MoveRemoveCutPasteAndDuplicateAreEachOneStep) {
    auto editor = newEditor();
    const auto both = chainOfTwo(*editor);
    const std::string text = editor->copy(both());
    const std::pair<const char*, std::function<void()>> edits[] = {
        {"move 2 chips", [&] {
             for (const float x : {900.f, 5000.f}) editor->moveChips(both(), {x, 0.f});
             editor->endMove();
             EXPECT_EQ(both()[0]->position(), (Point{1880 - 180, 100}));
             EXPECT_EQ(both()[1]->position(), (Point{1880 - 60, 140}));
         }},
        {"remove 2 chips", [&] { editor->removeChips(both()); }},
        {"cut 2 chips", [&] { EXPECT_EQ(editor->cut(both()), text); }},
        {"paste 2 chips", [&] { editor->paste(text, {900, 600}); }},
        {"duplicate 2 chips", [&] { editor->duplicate(both()); }},
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
// where asked, or held inside the frame; the first pasted NOT's input holds
// 0 until wired, and then the copy works as the original.
TEST(Groups, APastedGroupIsWiredWithinItselfUnderFreshIds) {
    auto editor = newEditor();
    const std::vector<const Chip*> chain = chainOfTwo(*editor)();
    editor->switchInput(0);
    run(*editor, 4);
    const std::string text = editor->copy(chain);
    const std::vector<const Chip*> pasted = editor->paste(text, {700, 500});
    ASSERT_EQ(pasted.size(), 2u);
    EXPECT_EQ(std::make_pair(pasted[0]->position(), pasted[1]->position()), std::make_pair(Point{700, 500}, Point{820, 540}));
    const std::set<int32_t> ids{chain[0]->id(), chain[1]->id(), pasted[0]->id(), pasted[1]->id()};
    EXPECT_EQ(ids.size(), 4u);
    ASSERT_EQ(editor->board().wires.size(), 4u);
    EXPECT_EQ(editor->board().wires.back().connection, (Connection{pasted[0]->id(), 0, pasted[1]->id(), 0}));
    EXPECT_FALSE(pasted[0]->input(0));
    wire(*editor, 0, 0, pasted[0]->id(), 0);
    run(*editor, 3);
    EXPECT_TRUE(pasted[1]->output(0));
    EXPECT_EQ(editor->paste(text, {5000, 5000})[1]->position(), (Point{1880 - 60, 980 - 50}));
}

// Text that is not a piece of a board, of a later version, damaged, holding a
// chip too deep or too large, or that would make the board too large or too
// deep, changes nothing and says why.
TEST(Groups, BadClipboardTextChangesNothingAndSaysWhy) {
    auto editor = newEditor();
    const std::string piece = editor->copy(chainOfTwo(*editor)());
    const auto changed = [&piece](const std::string& from, const std::string& to) {
        return std::string(piece).replace(piece.find(from), from.size(), to);
    };
    std::string deep = deep::chain(DEEPEST_CHIP + 1), large = R"({"format": "vorplex-piece", "version": 3, "chips": [],
        "wires": [], "definitions": [{"kind": 0, "id": 10001, "inputs": "0", "outputs": "1"})";
    deep.replace(deep.find("library"), 7, "piece");
    deep.insert(deep.size() - 1, R"(, "wires": [])");
    for (int level = 0; level < 30; ++level)
        large += R"(, {"kind": 2, "id": 10001, "inputs": "", "outputs": "", "parts": [)" + std::to_string(level) + ", " + std::to_string(level) + "]}";
    const int64_t L = LARGEST_CHIP;
    const int32_t D = DEEPEST_CHIP;
    const std::tuple<std::string, int64_t, int32_t, std::string> rows[] = {
        {"", L, D, "not pasted: the clipboard holds no Vorplex chips"},
        {LibraryFile::format(editor->work()), L, D, "not pasted: the clipboard holds no Vorplex chips"},
        {changed("\"version\": 3", "\"version\": 4"), L, D, "not pasted: copied from a later Vorplex"},
        {changed("\"wires\": [\n    [", "\"wires\": [\n    [7, "), L, D, "not pasted: the copied text is damaged"},
        {deep, L, D, "not pasted: a chip in it is too deep"},
        {large + "]}", L, D, "not pasted: a chip in it is too large"},
        {piece, editor->board().sizeAsChip() + 6, D, "\"2 chips\" not pasted: the board would be too large"},
        {piece, L, 1, "\"2 chips\" not pasted: the board would be too deep"},
    };
    const Board before = editor->board();
    const std::size_t steps = editor->history().steps();
    for (const auto& [text, largest, deepest, words] : rows) {
        editor->setLimits(largest, deepest);
        EXPECT_TRUE(editor->paste(text, {700, 500}).empty()) << words;
        EXPECT_EQ(editor->takeNotices(), std::vector<std::string>{words});
        EXPECT_EQ(std::make_pair(editor->board(), editor->history().steps()), std::make_pair(before, steps)) << words;
    }
}
