#include "storage/DeepLibraries.h"
#include "support/EditorSteps.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Wires both board inputs into the chip and its output to the lamp, then
// checks the lamp for every pair of inputs.
void expectGate(Editor& editor, int32_t chip, bool (*gate)(bool, bool), const std::string& name) {
    wire(editor, 0, 0, chip, 0);
    wire(editor, 0, 1, chip, 1);
    wire(editor, chip, 0, 0, 0);
    for (const int inputs : {0, 1, 3, 2}) {  // one input changes at a time
        for (int i = 0; i < 2; ++i)
            if (editor.board().inputs[i].value != ((inputs >> i) & 1)) editor.switchInput(i);
        run(editor, 8);
        EXPECT_EQ(editor.board().outputs[0], gate(inputs & 1, inputs & 2)) << name << " of " << inputs;
    }
}

void setPinCounts(Editor& editor, std::size_t inputs, std::size_t outputs) {
    while (editor.board().inputs.size() < inputs) editor.addInput();
    while (editor.board().outputs.size() < outputs) editor.addOutput();
}

}  // namespace

// An AND followed by a NOT, saved as NAND, joins the palette and the library
// file; in the next run it is there, and so is the board as it was left, and
// it nands where placed; a NAND followed by a NOT, saved in turn, makes an AND.
TEST(Saving, ASavedBoardWorksWherePlacedInsideLargerChipsAndInTheNextRun) {
    const LibraryFile file = newLibraryFile("saving.json");
    auto before = newEditor();
    before->keepIn(file, file.read());
    setPinCounts(*before, 2, 1);
    const int32_t gate = place(*before, "AND", {400, 300}), invert = place(*before, "NOT", {700, 300});
    for (const auto& [from, fromPin, to, toPin] : {std::tuple{0, 0, gate, 0}, {0, 1, gate, 1}, {gate, 0, invert, 0}, {invert, 0, 0, 0}})
        wire(*before, from, fromPin, to, toPin);
    run(*before, 3);
    EXPECT_EQ(saveAs(*before, "NAND"), Editor::Saved::Appended);
    EXPECT_EQ(before->name(), "");
    EXPECT_EQ(saveAs(*before, "NAND"), Editor::Saved::Replaced);  // as the newest kind
    EXPECT_FALSE(before->palette().back().subChip(1).output(0)) << "a NOT showing 1 on the board is saved with 0";
    const Board left = before->board();
    before.reset();
    auto editor = newEditor();
    editor->keepIn(file, file.read());
    EXPECT_EQ(editor->board(), left);
    EXPECT_EQ(editor->name(), "NAND");
    clearBoard(*editor);
    editor->setName("");
    const Chip& nand = editor->palette().back();
    EXPECT_EQ(std::make_tuple(nand.name(), nand.kind(), nand.inputCount(), nand.outputCount()), std::make_tuple("NAND", 3, 2, 1));
    expectGate(*editor, place(*editor, "NAND", {400, 300}), [](bool a, bool b) { return !(a && b); }, "NAND");
    const int32_t nandOnBoard = editor->board().chips.begin()->id();
    const int32_t inverter = place(*editor, "NOT", {1200, 500});
    editor->deleteWire(editor->board().wires.back());
    wire(*editor, nandOnBoard, 0, inverter, 0);
    wire(*editor, inverter, 0, 0, 0);
    saveAs(*editor, "\xE9T\xE9");  // bytes above 127 too
    EXPECT_EQ(editor->palette().back().kind(), 3);
    clearBoard(*editor);
    expectGate(*editor, place(*editor, "\xE9T\xE9", {400, 300}), [](bool a, bool b) { return a && b; }, "a saved NAND and NOT");
    editor.reset();
    EXPECT_EQ(file.read().chips.size(), 2u);
}

// Saving under a name the palette holds replaces that entry where it stands,
// as the newest kind; the name stays typed. Chips placed from the old entry
// keep what it held. Every entry can be placed.
TEST(Saving, SavingUnderATakenNameReplacesThatEntry) {
    auto editor = newEditor();
    saveAs(*editor, "A");
    saveAs(*editor, "B");
    const int32_t oldA = place(*editor, "A", {400, 300});
    wire(*editor, 0, 0, 0, 0);
    EXPECT_EQ(saveAs(*editor, "A"), Editor::Saved::Replaced);
    ASSERT_EQ(editor->palette().size(), 4u);
    const Chip& a = editor->palette()[2];
    EXPECT_EQ(std::make_tuple(a.name(), a.kind(), a.subChipCount()), std::make_tuple("A", 4, 1));
    EXPECT_EQ(a.connections(), (std::vector<Connection>{{0, 0, 0, 0}}));
    EXPECT_LT(a.position().x, editor->palette()[3].position().x);
    EXPECT_EQ(editor->name(), "A");
    EXPECT_EQ(editor->board().chips.find(oldA)->subChipCount(), 0);
    for (const std::string name : {"NOT", "AND", "A", "B"})
        EXPECT_EQ(editor->board().chips.find(place(*editor, name, {900, 500}))->name(), name);
}

// No chip, and not the palette, grows beyond the largest chip: a placement or
// a save that would is refused, the board and the palette left as they were.
// A library that cannot be written leaves the saved chip in the palette.
TEST(Saving, ChipsBeyondTheLargestAreNeitherPlacedNorSaved) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vorplex-in-the-way";
    std::filesystem::create_directories(folder);
    auto editor = newEditor();
    editor->keepIn(LibraryFile(folder.string()), {});
    editor->setLimits(20, DEEPEST_CHIP);  // parts: chips, pins and connections at every depth
    place(*editor, "AND", {400, 300});  // the board weighs 1 + 2 pins + 4 of the AND
    editor->keepWhenDue(Editor::Time{0});
    EXPECT_EQ(editor->takeNotices(), std::vector<std::string>{"not kept: is a directory"});
    saveAs(*editor, "AB");  // the palette: 3 of NOT, 4 of AND, 7
    editor->takeNotices();
    const Chip& saved = editor->palette().back();
    EXPECT_EQ(std::make_pair(saved.name(), saved.treeSize()), std::make_pair(std::string("AB"), int64_t{7}));
    place(*editor, "AB", {600, 300});  // the board: 14
    EXPECT_EQ(place(*editor, "AB", {800, 300}), 0);  // 21: refused
    EXPECT_EQ(editor->board().chips.size(), 2u);
    EXPECT_EQ(editor->takeNotices(), std::vector<std::string>{"\"AB\" not placed: the board would be too large"});
    EXPECT_EQ(saveAs(*editor, "ABB"), Editor::Saved::Refused);  // the palette would weigh 28
    EXPECT_EQ(editor->palette().size(), 3u);
}

// Nor does any chip nest beyond the deepest: a chip at the limit is not placed,
// as the board would then be deeper, and a save that would go beyond is
// refused; each says so on the terminal. A lower limit makes the chips small.
TEST(Saving, ChipsBeyondTheDeepestAreNeitherPlacedNorSaved) {
    auto editor = newEditor();
    const LibraryFile kept = newLibraryFile("deepest.json");
    editor->keepIn(kept, LibraryFile::parse(deep::chain(DEEPEST_CHIP), "chips.json"));
    editor->setLimits(LARGEST_CHIP, 3);
    place(*editor, "AND", {400, 300});
    saveAs(*editor, "A");                // 2 deep
    place(*editor, "A", {600, 300});     // the board: 3
    saveAs(*editor, "B");                // 3
    testing::internal::CaptureStderr();
    EXPECT_EQ(place(*editor, "B", {800, 300}), 0);
    editor->setLimits(LARGEST_CHIP, 2);
    saveAs(*editor, "C");
    editor->setLimits(LARGEST_CHIP, DEEPEST_CHIP);
    EXPECT_EQ(place(*editor, "DEEP", {400, 500}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "vorplex: \"B\" not placed: the board would be more than 3 levels deep "
              "(chips within chips)\nvorplex: \"C\" not saved: the chip would be more than 2 levels deep (chips within chips)\n"
              "vorplex: \"DEEP\" not placed: the board would be more than 10000 levels deep (chips within chips)\n");
    EXPECT_EQ(std::make_pair(editor->board().chips.size(), editor->palette().size()), std::make_pair(size_t{2}, size_t{5}));
    editor.reset();
    std::filesystem::remove(kept.path());
}

// Each save, and each refusal to save or wire, says so in a few words.
TEST(Saving, SavesAndRefusalsSaySo) {
    auto editor = newEditor();
    const auto said = [&editor] { return editor->takeNotices(); };
    using Words = std::vector<std::string>;
    editor->save();
    EXPECT_EQ(said(), Words{"type a name first"});
    saveAs(*editor, "F\xE9");
    EXPECT_EQ(said(), Words{"saved F\xC3\xA9"}) << "names are shown as the characters they are";
    editor->addInput(), editor->addInput(), editor->addOutput();
    saveAs(*editor, "F\xE9");
    EXPECT_EQ(said(), Words{"replaced F\xC3\xA9: 1 input \u2192 3, 1 output \u2192 2"});
    const int32_t invert = place(*editor, "NOT", {400, 300});
    wire(*editor, 0, 0, invert, 0), wire(*editor, invert, 0, 0, 1);
    EXPECT_FALSE(wire(*editor, 0, 1, invert, 0));
    EXPECT_FALSE(wire(*editor, 0, 2, 0, 1));
    EXPECT_EQ(said(), (Words{"input 0 of NOT is taken", "output 1 of the board is taken"}));
    editor->removeFromPalette(entryNamed(*editor, "F\xE9"));
    EXPECT_EQ(said(), Words{"removed F\xC3\xA9: Ctrl+Z brings it back"});
}
