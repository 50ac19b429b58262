#include "check/TruthTable.h"
#include "support/EditorSteps.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Whether every row of the chip's truth table, as `vorplex table` prints it,
// adds: inputs a and b of `bits` bits each, lowest first, then a carry in if
// `carryIn`; outputs the sum's bits, then the carry out.
bool adds(const ChipLogic& chip, int bits, bool carryIn) {
    std::stringstream table;
    TruthTable::print(chip, TruthTable::Format::Text, table);
    const std::size_t inputs = static_cast<std::size_t>(2 * bits + carryIn);
    int rows = 0;
    std::string row;
    for (std::getline(table, row); std::getline(table, row); ++rows) {
        std::istringstream cells(row);
        std::vector<int> pin;
        for (std::string cell; pin.size() < inputs + bits + 1 && cells >> cell;)
            if (cell != "|") pin.push_back(cell == "1");
        int a = 0, b = 0, sum = pin[inputs + bits] << bits;
        for (int k = 0; k < bits; ++k) a |= pin[k] << k, b |= pin[bits + k] << k, sum |= pin[inputs + k] << k;
        if (a + b + (carryIn ? pin[2 * bits] : 0) != sum) return false;
    }
    return rows == 1 << inputs;
}

// Four full adders, the carry rippling from each to the next.
PartWires adderWires() {
    PartWires wires{{4, 1, 0, 4}};
    for (int k = 0; k < 4; ++k) {
        wires.insert(wires.end(), {{0, k, k + 1, 0}, {0, 4 + k, k + 1, 1}, {k + 1, 0, 0, k}});
        if (k > 0) wires.push_back({k, 1, k + 1, 2});
    }
    return wires;
}

std::vector<Connection> wiresOf(const Board& board) {
    std::vector<Connection> wires;
    for (const Wire& wire : board.wires) wires.push_back(wire.connection);
    return wires;
}

}  // namespace

// A full adder with a wrong wire, a 4-bit adder of four of them, and a board
// holding both saved as MAIN. The full adder is opened, mended and saved:
// the window says which chips hold the older one, and nothing changes until
// Ctrl+U. Then the adder adds, and so do the copies on MAIN's board, where
// they stood, with their ids and wires; the file follows, and one undo
// brings every chip back.
TEST(Update, AMendedFullAdderReachesTheAdderAndTheBoardWithCtrlU) {
    const LibraryFile file = newLibraryFile("update.json");
    auto editor = newEditor();
    Editor& user = *editor;
    user.keepIn(file, {});
    PartWires wrong = FULL_ADDER_WIRES;
    wrong[5] = {0, 0, 3, 1};  // the carry's NAND of in0 and in0, not in1
    saveFullAdder(user, "FULLADD", wrong);
    saveBuilt(user, "ADD4", 8, 5, {"FULLADD", "FULLADD", "FULLADD", "FULLADD"}, adderWires());
    saveBuilt(user, "MAIN", 8, 5, {"ADD4", "FULLADD"}, {{0, 0, 1, 0}, {0, 5, 1, 5}, {1, 4, 0, 4}, {0, 1, 2, 1}, {2, 0, 0, 0}});
    ASSERT_FALSE(adds(entryNamed(user, "ADD4"), 4, false));
    user.open(entryNamed(user, "FULLADD"));
    const int32_t nand = std::next(user.board().chips.begin(), 2)->id();
    user.deleteWire(*user.board().wireInto(nand, 1));
    wire(user, 0, 1, nand, 1);
    const std::vector<PaletteEntry> older = user.palette().entries();
    user.takeNotices();
    user.save();
    EXPECT_EQ(user.takeNotices(), std::vector<std::string>{"replaced FULLADD; ADD4 and MAIN hold the older one (Ctrl+U updates them)"});
    ASSERT_TRUE(adds(entryNamed(user, "FULLADD"), 1, true));
    user.open(entryNamed(user, "MAIN"));
    const std::vector<PaletteEntry> stale = user.palette().entries();
    EXPECT_TRUE(stale[5] == older[5] && stale[6] == older[6]) << "nothing changes without Ctrl+U";
    const Board opened = user.board();
    user.updateOlderCopies();
    EXPECT_EQ(user.takeNotices(), std::vector<std::string>{"updated ADD4, MAIN and 2 chips on the board"});
    EXPECT_TRUE(adds(entryNamed(user, "ADD4"), 4, false));
    EXPECT_TRUE(entryNamed(user, "MAIN").subChip(0).hasSameCircuit(entryNamed(user, "ADD4")));
    EXPECT_TRUE(adds(*user.board().chips.begin(), 4, false) && adds(*std::next(user.board().chips.begin()), 1, true))
        << "the board's copies";
    EXPECT_TRUE(std::equal(opened.chips.begin(), opened.chips.end(), user.board().chips.begin(), user.board().chips.end(),
                           [](const Chip& a, const Chip& b) { return a.id() == b.id() && a.position() == b.position(); }));
    EXPECT_EQ(wiresOf(user.board()), wiresOf(opened));
    user.keepWhenDue(Editor::Time{0}, true);
    EXPECT_TRUE(adds(file.read().chips.at(3).chip, 4, false)) << "the file follows";
    user.undo();
    EXPECT_EQ(user.palette().entries(), stale);
    EXPECT_EQ(user.board(), opened);
}

// ONE, inside TWO, inside THREE, inside FOUR, becomes two of the older ONE in
// a row: the change reaches every level, each chip rebuilt as opening and
// saving it again would make it; ONE keeps the older ones it holds, and a
// second update finds nothing to do. A chip whose board was not kept is left
// as it is, with a line.
TEST(Update, AChangeReachesEveryLevelAndNoChipComesToHoldItself) {
    auto editor = newEditor();
    Editor& user = *editor;
    const PartWires one = {{0, 0, 1, 0}, {1, 0, 0, 0}}, two = {{0, 0, 1, 0}, {1, 0, 2, 0}, {2, 0, 0, 0}};
    saveBuilt(user, "ONE", 1, 1, {"NOT"}, one);
    saveBuilt(user, "TWO", 1, 1, {"ONE"}, one);
    saveBuilt(user, "THREE", 1, 1, {"TWO"}, one);
    saveBuilt(user, "FOUR", 1, 1, {"THREE", "NOT"}, two);
    saveBuilt(user, "ONE", 1, 1, {"ONE", "ONE"}, two);
    EXPECT_EQ(user.takeNotices().back(), "replaced ONE; TWO, THREE, FOUR and 2 chips on the board hold the older one (Ctrl+U updates them)");
    user.open(entryNamed(user, "FOUR"));
    user.save();
    EXPECT_EQ(user.takeNotices(), std::vector<std::string>{"replaced FOUR"}) << "it holds an older ONE, and nothing an older FOUR";
    clearBoard(user);
    Library unkept = user.work();
    unkept.chips[1].board = nullptr;
    const auto other = newEditor();
    other->keepIn(newLibraryFile("unkept.json"), unkept);
    other->updateOlderCopies();
    EXPECT_EQ(other->takeNotices(), std::vector<std::string>{"nothing to update; TWO: not updated, its board was not kept"});
    user.updateOlderCopies();
    const int32_t four = place(user, "FOUR", {400, 300});
    wire(user, 0, 0, four, 0), wire(user, four, 0, 0, 0);
    run(user, 20);
    EXPECT_TRUE(user.board().outputs[0]) << "a NOT after two NOTs: 0 in, 1 out";
    user.updateOlderCopies();
    EXPECT_EQ(user.takeNotices(), (std::vector<std::string>{"updated TWO, THREE and FOUR", "nothing to update"}));
    for (const std::string name : {"TWO", "THREE", "FOUR"}) {
        const PaletteEntry updated = entryNamed(user, name);
        user.open(updated);
        user.save();
        EXPECT_TRUE(entryNamed(user, name).hasSameCircuit(updated)) << name;
    }
}

// GATE loses its second input and its second output: the wires to them go,
// listed in the window and on the terminal; every other wire stays on its
// pin, and the board's copies shrink to their pins.
TEST(Update, WiresToPinsThatGoAreListedAndNoneIsRewired) {
    auto editor = newEditor();
    Editor& user = *editor;
    saveBuilt(user, "GATE", 2, 2, {"AND", "NOT"}, {{0, 0, 1, 0}, {0, 1, 1, 1}, {1, 0, 0, 0}, {0, 0, 2, 0}, {2, 0, 0, 1}});
    saveBuilt(user, "USER", 2, 2, {"GATE", "GATE"}, {{0, 0, 1, 0}, {0, 1, 1, 1}, {1, 1, 2, 0}, {1, 0, 2, 1}, {2, 0, 0, 0}, {2, 1, 0, 1}});
    saveBuilt(user, "GATE", 1, 1, {"NOT"}, {{0, 0, 1, 0}, {1, 0, 0, 0}});
    user.open(entryNamed(user, "USER"));
    std::vector<Connection> left = wiresOf(user.board());
    const auto lost = [](const Connection& c) { return (c.toChip != 0 && c.toPin == 1) || (c.fromChip != 0 && c.fromPin == 1); };
    left.erase(std::remove_if(left.begin(), left.end(), lost), left.end());
    user.takeNotices();
    testing::internal::CaptureStderr();
    user.updateOlderCopies();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "vorplex: USER: 2 wires to GATE's input 1 removed\nvorplex: USER: 2 wires from GATE's output 1 removed\n"
              "vorplex: the board: 2 wires to GATE's input 1 removed\nvorplex: the board: 2 wires from GATE's output 1 removed\n");
    EXPECT_EQ(user.takeNotices(), std::vector<std::string>{"updated USER and 2 chips on the board; USER: 2 wires to GATE's "
                                                           "input 1 removed; USER: 2 wires from GATE's output 1 removed; 2 more on the terminal"});
    EXPECT_EQ(entryNamed(user, "USER").savedBoard()->wires, left);
    EXPECT_EQ(wiresOf(user.board()), left);
    EXPECT_EQ(user.board().chips.begin()->size(), user.board().chips.begin()->boardSize());
}
