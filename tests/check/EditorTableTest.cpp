#include "check/ChipTrace.h"
#include "check/LibraryChips.h"
#include "check/TruthTable.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Wires: from chip, pin, to chip, pin; chip 0 is the board, n the n-th part placed.
using Wires = std::vector<std::array<int, 4>>;

// Places the parts, wires them, saves the board as `name` and clears it.
void save(AppDriver& user, const std::string& name, int inputs, int outputs, const std::vector<std::string>& parts,
          const Wires& wires) {
    user.setPinCounts(inputs, outputs);
    std::vector<int32_t> ids{0};
    for (size_t part = 0; part < parts.size(); ++part)
        ids.push_back(user.place(parts[part], {250.f + 300 * static_cast<float>(part), 200.f + 150 * static_cast<float>(part % 2)}));
    for (const auto& [from, fromPin, to, toPin] : wires) user.wire(ids[from], fromPin, ids[to], toPin);
    user.saveAs(name);
    for (int press = 0; press < 10 && !user.app.board.chips.empty(); ++press)
        user.click(user.chip(user.app.board.chips.begin()->id()), sf::Mouse::Right);
}

}  // namespace

// A full adder built in the editor from NAND and XOR boards saved in turn, as
// kept in its library: sum = in0 XOR in1 XOR in2, carry = at least two of
// them; the sum takes up to 12 calls, through two XORs of three NANDs each.
TEST(TruthTable, AFullAdderSavedInTheEditor) {
    const LibraryFile file = newLibraryFile("table.json");
    {
        AppDriver user;
        user.app.keepWorkIn(file, {});
        save(user, "NAND", 2, 1, {"AND", "NOT"}, {{0, 0, 1, 0}, {0, 1, 1, 1}, {1, 0, 2, 0}, {2, 0, 0, 0}});
        save(user, "XOR", 2, 1, {"NAND", "NAND", "NAND", "NAND"},
             {{0, 0, 1, 0}, {0, 1, 1, 1}, {0, 0, 2, 0}, {1, 0, 2, 1}, {0, 1, 3, 0}, {1, 0, 3, 1}, {2, 0, 4, 0}, {3, 0, 4, 1}, {4, 0, 0, 0}});
        save(user, "FULLADDER", 3, 2, {"XOR", "XOR", "NAND", "NAND", "NAND"},
             {{0, 0, 1, 0}, {0, 1, 1, 1}, {1, 0, 2, 0}, {0, 2, 2, 1}, {0, 0, 3, 0}, {0, 1, 3, 1},
              {1, 0, 4, 0}, {0, 2, 4, 1}, {3, 0, 5, 0}, {4, 0, 5, 1}, {2, 0, 0, 0}, {5, 0, 0, 1}});
    }
    const LibraryChips chips(file.path());
    ASSERT_TRUE(chips.find("FULLADDER"));
    std::ostringstream table;
    TruthTable::print(*chips.find("FULLADDER"), TruthTable::Format::Text, table);
    EXPECT_EQ(table.str(),
              "in0 in1 in2 | out0 out1 | calls\n"
              "0   0   0   | 0    0    | 3\n"
              "0   0   1   | 1    0    | 4\n"
              "0   1   0   | 1    0    | 8\n"
              "0   1   1   | 0    1    | 10\n"
              "1   0   0   | 1    0    | 8\n"
              "1   0   1   | 0    1    | 10\n"
              "1   1   0   | 0    1    | 10\n"
              "1   1   1   | 1    1    | 12\n");
}

// A NOT chain saved in the editor and placed between a blinking switch and a
// lamp shows, at the end of each frame, what its trace shows at each step
// when the trace's rows are the switch's values: blinks closer than the
// chain's delay too.
TEST(ChipTrace, RunsAsTheChipDoesOnTheBoard) {
    AppDriver user;
    save(user, "NOT3", 1, 1, {"NOT", "NOT", "NOT"}, {{0, 0, 1, 0}, {1, 0, 2, 0}, {2, 0, 3, 0}, {3, 0, 0, 0}});
    const int32_t chain = user.place("NOT3", {400, 300});
    user.wire(0, 0, chain, 0), user.wire(chain, 0, 0, 0);
    user.click(user.input(0), sf::Mouse::Middle);
    const ChipLogic before = *user.app.board.chips.find(chain);
    std::vector<std::vector<bool>> rows;
    std::vector<bool> lamps;
    for (int frame = 0; frame < 24; ++frame) {
        frame % 7 == 1 || frame % 7 == 3 ? user.lateFrame(700) : user.frames();
        rows.push_back({user.app.board.inputs[0].value});
        lamps.push_back(user.app.board.outputs[0]);
    }
    const SignalRecord trace = ChipTrace::run(before, rows, 24);
    std::vector<bool> traced;
    for (int64_t step = 0; step < 24; ++step) traced.push_back(trace.value(1, step));
    EXPECT_EQ(traced, lamps);
}
