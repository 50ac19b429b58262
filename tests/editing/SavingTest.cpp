#include "support/AppDriver.h"

#include <gtest/gtest.h>

namespace {

// Wires both board inputs into the chip and its output to the lamp, then
// checks the lamp for every pair of inputs.
void expectGate(AppDriver& user, int32_t chip, bool (*gate)(bool, bool), const std::string& name) {
    user.wire(0, 0, chip, 0);
    user.wire(0, 1, chip, 1);
    user.wire(chip, 0, 0, 0);
    for (const int inputs : {0, 1, 3, 2}) {  // one input changes at a time
        for (int i = 0; i < 2; ++i)
            if (user.app.boardInputs[i].value != ((inputs >> i) & 1)) user.click(user.input(i));
        user.frames(8);
        EXPECT_EQ(user.lamp(0), gate(inputs & 1, inputs & 2)) << name << " of " << inputs;
    }
}

void clearBoard(AppDriver& user) {
    while (!user.app.boardChips.empty()) user.click(user.chip(user.app.boardChips.begin()->id()), sf::Mouse::Right);
}

}  // namespace

// An AND followed by a NOT, saved as NAND, joins the palette and nands where
// placed; a NAND followed by a NOT, saved in turn, makes an AND.
TEST(Saving, ASavedBoardWorksWherePlacedAndInsideLargerChips) {
    AppDriver user;
    user.setPinCounts(2, 1);
    const int32_t gate = user.place("AND", {400, 300}), invert = user.place("NOT", {700, 300});
    for (const auto& [from, fromPin, to, toPin] : {std::tuple{0, 0, gate, 0}, {0, 1, gate, 1}, {gate, 0, invert, 0}, {invert, 0, 0, 0}})
        user.wire(from, fromPin, to, toPin);
    user.saveAs("NAND");
    EXPECT_EQ(user.app.nameBox.name(), "");
    const Chip& nand = user.app.library.back();
    EXPECT_EQ(std::make_tuple(nand.name(), nand.kind(), nand.inputCount(), nand.outputCount()), std::make_tuple("NAND", 2, 2, 1));
    clearBoard(user);
    expectGate(user, user.place("NAND", {400, 300}), [](bool a, bool b) { return !(a && b); }, "NAND");
    const int32_t nandOnBoard = user.app.boardChips.begin()->id();
    const int32_t inverter = user.place("NOT", {1200, 500});
    user.holdRight((user.app.wires.back().line[0].position + user.app.wires.back().line[1].position) * 0.5f);
    user.wire(nandOnBoard, 0, inverter, 0);
    user.wire(inverter, 0, 0, 0);
    user.saveAs("\xE9T\xE9");  // bytes above 127 too
    EXPECT_EQ(user.app.library.back().kind(), 3);
    clearBoard(user);
    expectGate(user, user.place("\xE9T\xE9", {400, 300}), [](bool a, bool b) { return a && b; }, "a saved NAND and NOT");
}

// Saving under a name the palette holds replaces that entry in its place in
// the list, as the newest kind, at the end of the row; the name stays typed.
// Chips placed from the old entry keep what it held.
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
    EXPECT_GT(a.body().getPosition().x, user.app.library[3].body().getPosition().x);
    EXPECT_EQ(user.app.nameBox.name(), "A");
    EXPECT_EQ(user.app.boardChips.find(oldA)->subChipCount(), 0);
}
