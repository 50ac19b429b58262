#include "storage/DeepLibraries.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Wires both board inputs into the chip and its output to the lamp, then
// checks the lamp for every pair of inputs.
void expectGate(AppDriver& user, int32_t chip, bool (*gate)(bool, bool), const std::string& name) {
    user.wire(0, 0, chip, 0);
    user.wire(0, 1, chip, 1);
    user.wire(chip, 0, 0, 0);
    for (const int inputs : {0, 1, 3, 2}) {  // one input changes at a time
        for (int i = 0; i < 2; ++i)
            if (user.app.board.inputs[i].value != ((inputs >> i) & 1)) user.click(user.input(i));
        user.frames(8);
        EXPECT_EQ(user.lamp(0), gate(inputs & 1, inputs & 2)) << name << " of " << inputs;
    }
}

void clearBoard(AppDriver& user) {
    for (int press = 0; press < 5 && !user.app.board.chips.empty(); ++press)
        user.click(user.chip(user.app.board.chips.begin()->id()), sf::Mouse::Right);
}

}  // namespace

// An AND followed by a NOT, saved as NAND, joins the palette and the library
// file; in the next run it is there, and so is the board as it was left, and
// it nands where placed; a NAND followed by a NOT, saved in turn, makes an AND.
TEST(Saving, ASavedBoardWorksWherePlacedInsideLargerChipsAndInTheNextRun) {
    const LibraryFile file = newLibraryFile("saving.json");
    auto firstRun = std::make_unique<AppDriver>();
    firstRun->app.keepWorkIn(file, file.read());
    AppDriver& before = *firstRun;
    before.setPinCounts(2, 1);
    const int32_t gate = before.place("AND", {400, 300}), invert = before.place("NOT", {700, 300});
    for (const auto& [from, fromPin, to, toPin] : {std::tuple{0, 0, gate, 0}, {0, 1, gate, 1}, {gate, 0, invert, 0}, {invert, 0, 0, 0}})
        before.wire(from, fromPin, to, toPin);
    before.saveAs("NAND");
    EXPECT_EQ(before.app.nameBox.name(), "");
    before.saveAs("NAND");  // again: replaced, as the newest kind
    EXPECT_FALSE(before.app.library.back().subChip(1).output(0)) << "a NOT showing 1 on the board is saved with 0";
    const Board left = before.app.board;
    firstRun.reset();
    AppDriver user;
    user.app.keepWorkIn(file, file.read());
    EXPECT_EQ(user.app.board, left);
    EXPECT_EQ(user.app.nameBox.name(), "NAND");
    clearBoard(user);
    user.app.nameBox.setName("");
    const Chip& nand = user.app.library.back();
    EXPECT_EQ(std::make_tuple(nand.name(), nand.kind(), nand.inputCount(), nand.outputCount()), std::make_tuple("NAND", 3, 2, 1));
    expectGate(user, user.place("NAND", {400, 300}), [](bool a, bool b) { return !(a && b); }, "NAND");
    const int32_t nandOnBoard = user.app.board.chips.begin()->id();
    const int32_t inverter = user.place("NOT", {1200, 500});
    user.holdRight((user.app.board.wires.back().line[0].position + user.app.board.wires.back().line[1].position) * 0.5f);
    user.wire(nandOnBoard, 0, inverter, 0);
    user.wire(inverter, 0, 0, 0);
    user.saveAs("\xE9T\xE9");  // bytes above 127 too
    EXPECT_EQ(user.app.library.back().kind(), 3);
    clearBoard(user);
    expectGate(user, user.place("\xE9T\xE9", {400, 300}), [](bool a, bool b) { return a && b; }, "a saved NAND and NOT");
    EXPECT_EQ(file.read().chips.size(), 2u);
}

// Saving under a name the palette holds replaces that entry where it stands,
// as the newest kind; the name stays typed. Chips placed from the old entry
// keep what it held. A replacement ends the frame at once; an append lets it
// go on, so a chip being dragged follows the mouse to the Save button in that
// frame. Every entry is taken where it is drawn.
TEST(Saving, SavingUnderATakenNameReplacesThatEntry) {
    AppDriver user;
    user.saveAs("A");
    user.saveAs("B");
    const int32_t oldA = user.place("A", {400, 300});
    user.wire(0, 0, 0, 0);
    user.saveAs("A");
    ASSERT_EQ(user.app.library.size(), 4u);
    const Chip& a = user.app.library[2];
    EXPECT_EQ(std::make_tuple(a.name(), a.kind(), a.subChipCount()), std::make_tuple("A", 4, 1));
    EXPECT_EQ(a.connections(), (std::vector<Connection>{{0, 0, 0, 0}}));
    EXPECT_LT(a.position().x, user.app.library[3].position().x);
    EXPECT_EQ(user.app.nameBox.name(), "A");
    EXPECT_EQ(user.app.board.chips.find(oldA)->subChipCount(), 0);
    for (const char32_t* name : {U"C", U"C"}) {  // an append, then a replacement
        user.click(user.centre(user.app.nameBox.rect()));
        user.type(name);
        user.press(user.chip(oldA));
        const sf::Vector2f before = user.app.board.chips.find(oldA)->body().getPosition();
        user.press(user.centre(user.app.saveButton().rect));
        EXPECT_EQ(user.app.board.chips.find(oldA)->body().getPosition() != before, user.app.nameBox.name().empty());
        user.release(before);
    }
    for (const std::string name : {"NOT", "AND", "A", "B", "C"})
        EXPECT_EQ(user.app.board.chips.find(user.place(name, {900, 500}))->name(), name);
}

// No chip, and not the palette, grows beyond the largest chip: a placement or
// a save that would is refused, the board and the palette left as they were.
// A library that cannot be written leaves the saved chip in the palette.
TEST(Saving, ChipsBeyondTheLargestAreNeitherPlacedNorSaved) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vorplex-in-the-way";
    std::filesystem::create_directories(folder);
    AppDriver user;
    user.app.keepWorkIn(LibraryFile(folder.string()), {});
    user.app.largestChip = 20;  // parts: chips, pins and connections at every depth
    user.place("AND", {400, 300});  // the board weighs 1 + 2 pins + 4 of the AND
    EXPECT_EQ(user.app.notice.words(), "not kept: is a directory");
    user.saveAs("AB");              // the palette: 3 of NOT, 4 of AND, 7
    const Chip& saved = user.app.library.back();
    EXPECT_EQ(std::make_pair(saved.name(), saved.treeSize()), std::make_pair(std::string("AB"), int64_t{7}));
    user.place("AB", {600, 300});  // the board: 14
    user.place("AB", {800, 300});  // 21: refused
    EXPECT_EQ(user.app.board.chips.size(), 2u);
    EXPECT_EQ(user.app.notice.words(), "\"AB\" not placed: the board would be too large");
    user.saveAs("ABB");  // the palette would weigh 28
    EXPECT_EQ(user.app.library.size(), 3u);
}

// Nor does any chip nest beyond the deepest: a chip at the limit is not placed,
// as the board would then be deeper, and a save that would go beyond is
// refused; each says so on the terminal. A lower limit makes the chips small.
TEST(Saving, ChipsBeyondTheDeepestAreNeitherPlacedNorSaved) {
    AppDriver user;
    const LibraryFile kept = newLibraryFile("deepest.json");
    user.app.keepWorkIn(kept, LibraryFile::parse(deep::chain(DEEPEST_CHIP), "chips.json"));
    user.app.deepestChip = 3;
    user.place("AND", {400, 300});
    user.saveAs("A");                // 2 deep
    user.place("A", {600, 300});     // the board: 3
    user.saveAs("B");                // 3
    testing::internal::CaptureStderr();
    EXPECT_EQ(user.place("B", {800, 300}), 0);
    user.app.deepestChip = 2;
    user.saveAs("C");
    user.app.deepestChip = DEEPEST_CHIP;
    EXPECT_EQ(user.place("DEEP", {400, 500}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "vorplex: \"B\" not placed: the board would be more than 3 levels deep "
              "(chips within chips)\nvorplex: \"C\" not saved: the chip would be more than 2 levels deep (chips within chips)\n"
              "vorplex: \"DEEP\" not placed: the board would be more than 10000 levels deep (chips within chips)\n");
    EXPECT_EQ(std::make_pair(user.app.board.chips.size(), user.app.library.size()), std::make_pair(size_t{2}, size_t{5}));
    std::filesystem::remove(kept.path());
}
