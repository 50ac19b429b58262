#include "check/CheckCommand.h"
#include "check/TruthTable.h"
#include "storage/LibraryFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

constexpr int32_t A = 10001, B = 10002, C = 10003;

ChipLogic withId(ChipLogic chip, int32_t id) {
    chip.setId(id);
    return chip;
}

// As the editor saves them: every pin 0, a NOT's output too.
ChipLogic savedNot() { return ChipLogic(NOT_CHIP, {}, {}, 1, 1); }

ChipLogic nand() {
    return ChipLogic(2, {withId(ChipLogic(AND_CHIP), A), withId(savedNot(), B)},
                     {{0, 0, A, 0}, {0, 1, A, 1}, {A, 0, B, 0}, {B, 0, 0, 0}}, 2, 1);
}

// Two NANDs, each feeding the other: inputs set and reset, acting at 0;
// outputs q and not q.
ChipLogic latch() {
    return ChipLogic(2, {withId(nand(), A), withId(nand(), B)},
                     {{0, 0, A, 0}, {B, 0, A, 1}, {0, 1, B, 0}, {A, 0, B, 1}, {A, 0, 0, 0}, {B, 0, 0, 1}}, 2, 2);
}

std::string table(const ChipLogic& chip, TruthTable::Format format = TruthTable::Format::Text, const PinNames& names = {}) {
    std::ostringstream out;
    TruthTable::print(chip, format, out, names);
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

// Named pins head their columns, each as wide as its name's characters; an
// unnamed one keeps its number. CSV quotes a name with a comma or a quote.
TEST(TruthTable, PinNamesHeadTheColumns) {
    const PinNames names{{"carry", ""}, {"\xe9,\""}};
    EXPECT_EQ(table(nand(), TruthTable::Format::Text, names),
              "carry in1 | \u00e9,\" | calls\n"
              "0     0   | 1   | 1\n"
              "0     1   | 1   | 1\n"
              "1     0   | 1   | 1\n"
              "1     1   | 0   | 2\n");
    EXPECT_EQ(table(nand(), TruthTable::Format::Csv, names).substr(0, 32), "carry,in1,\"\u00e9,\"\"\",calls\n0,0,1,1\n");
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

namespace {

// `vorplex test` on rows for the latch, kept in a library beside them: the
// status, and what it printed, the test file's name left out.
std::pair<int, std::string> testLatch(const std::string& rows) {
    const auto folder = std::filesystem::temp_directory_path() / ("vorplex-latch-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string library = (folder / "chips.json").string(), tests = (folder / "t").string();
    LibraryFile(library).write({{{"SR LATCH", latch()}}, {}, ""});
    std::ofstream(tests) << "chip SR LATCH\nset reset | q notq\n" << rows;
    std::ostringstream out;
    const int status = CheckCommand::test(library, tests, out, out);
    std::filesystem::remove_all(folder);
    std::string printed = out.str();
    for (size_t at; (at = printed.find(tests)) != std::string::npos;) printed.erase(at, tests.size());
    return {status, printed};
}

}  // namespace

// Set, hold, reset, hold: in a sequence a hold row keeps what the row before
// left. Another "sequence" starts again from the latch as saved, where a hold
// never rests, as out of a sequence. A sequence takes no input x: each value
// would leave the latch in a state of its own.
TEST(TestFile, ALatchInASequenceHoldsWhatTheRowBeforeLeft) {
    using Result = std::pair<int, std::string>;
    EXPECT_EQ(testLatch("sequence\n0 1 | 1 0\n1 1 | 1 0\n1 0 | 0 1\n1 1 | 0 1\n"), Result(0, ": 4 rows passed, 0 failed\n"));
    EXPECT_EQ(testLatch("sequence\n0 1 | 1 0\n1 1 | 0 1\n1 0 | 0 1\nsequence\n1 1 | x x\n"),
              Result(1, ":5: SR LATCH set=1 reset=1: expected q=0 notq=1, came q=1 notq=0 after 0 calls\n"
                        ":8: SR LATCH set=1 reset=1: expected q=x notq=x, came no rest within 5 calls\n"
                        ": 2 rows passed, 2 failed\n"));
    EXPECT_EQ(testLatch("0 1 | 1 0\n1 1 | 1 0\n"),
              Result(1, ":4: SR LATCH set=1 reset=1: expected q=1 notq=0, came no rest within 5 calls\n: 1 row passed, 1 failed\n"));
    EXPECT_EQ(testLatch("0 x | x x\nsequence\n0 x | 1 0\n"),
              Result(2, "vorplex: :5: an input x in a sequence, whose rows each follow one row before\n"));
}
