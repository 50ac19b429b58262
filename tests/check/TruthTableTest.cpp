#include "check/TruthTable.h"
#include "check/SmallChips.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace small;

std::string table(const ChipLogic& chip, TruthTable::Format format = TruthTable::Format::Text) {
    std::ostringstream out;
    TruthTable::print(chip, format, out);
    return out.str();
}

}  // namespace

// Row 1 1: the AND turns 1 in the first call, the NOT behind it 0 in the second.
TEST(TruthTable, NandShowsWhenEachRowSettles) {
    EXPECT_EQ(table(nand()),
              "in0 in1 | out0 | calls\n"
              "0   0   | 1    | 1\n"
              "0   1   | 1    | 1\n"
              "1   0   | 1    | 1\n"
              "1   1   | 0    | 2\n");
    EXPECT_EQ(table(nand(), TruthTable::Format::Csv), "in0,in1,out0,calls\n0,0,1,1\n0,1,1,1\n1,0,1,1\n1,1,0,2\n");
}

// Three NOTs in a chain, saved showing 0: with input 0 each call turns one
// more right, the third at the third call, and the chain rests at the fourth,
// as late as any chip of three gates can. Two chips that pass their input
// straight through, then a NOT: each holds a value for a call.
TEST(TruthTable, DelaysAsLongAsTheGatesAllow) {
    const ChipLogic chain(2, {withId(savedNot(), A), withId(savedNot(), B), withId(savedNot(), C)},
                          {{0, 0, A, 0}, {A, 0, B, 0}, {B, 0, C, 0}, {C, 0, 0, 0}}, 1, 1);
    EXPECT_EQ(table(chain), "in0 | out0 | calls\n0   | 1    | 3\n1   | 0    | 2\n");
    const ChipLogic wire(3, {}, {{0, 0, 0, 0}}, 1, 1);
    const ChipLogic delay(2, {withId(wire, A), withId(wire, B), withId(savedNot(), C)},
                          {{0, 0, A, 0}, {A, 0, B, 0}, {B, 0, C, 0}, {C, 0, 0, 0}}, 1, 1);
    EXPECT_EQ(table(delay), "in0 | out0 | calls\n0   | 1    | 1\n1   | 0    | 3\n");
}

// Two NANDs, each feeding the other: with both inputs 1 they start equal and
// stay equal, both turning 1 and 0 together for ever.
TEST(TruthTable, ALatchThatNeverRestsOscillates) {
    EXPECT_EQ(table(latch()),
              "in0 in1 | out0 out1 | calls\n"
              "0   0   | 1    1    | 1\n"
              "0   1   | 1    0    | 3\n"
              "1   0   | 0    1    | 3\n"
              "1   1   | 1    1    | oscillates\n");
}
