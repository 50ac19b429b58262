#include "check/CheckCommand.h"
#include "check/SmallChips.h"
#include "storage/LibraryFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// A library holding the latch, and `vorplex test` run on test files beside it.
class LatchTests : public ::testing::Test {
protected:
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vorplex-sequence-" + std::to_string(getpid()));
    const std::string library = (folder / "chips.json").string(), tests = (folder / "latch.tests").string();
    std::string printed;

    void SetUp() override {
        std::filesystem::create_directories(folder);
        LibraryFile(library).write({{{"SR LATCH", small::latch()}}, {}, ""});
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // The status; what it printed, the file's name left out, in `printed`.
    int test(const std::string& text) {
        std::ofstream(tests) << "chip SR LATCH\nset reset | q notq\n" << text;
        std::ostringstream out;
        const int status = CheckCommand::test(library, tests, out, out);
        printed = out.str();
        for (size_t at; (at = printed.find(tests)) != std::string::npos;) printed.erase(at, tests.size());
        return status;
    }
};

}  // namespace

// Set, hold, reset, hold: a hold row keeps what the row before left. A second
// "sequence" starts again from the latch as saved, where a hold never rests;
// so do rows that are not in a sequence.
TEST_F(LatchTests, ASequenceContinuesFromTheRowBefore) {
    EXPECT_EQ(test("sequence\n0 1 | 1 0\n1 1 | 1 0\n1 0 | 0 1\n1 1 | 0 1\n"), 0) << printed;
    EXPECT_EQ(printed, ": 4 rows passed, 0 failed\n");
    EXPECT_EQ(test("sequence\n0 1 | 1 0\n1 1 | 0 1\n1 0 | 0 1\nsequence\n1 1 | x x\n"), 1);
    EXPECT_EQ(printed,
              ":5: SR LATCH set=1 reset=1: expected q=0 notq=1, came q=1 notq=0 after 0 calls\n"
              ":8: SR LATCH set=1 reset=1: expected q=x notq=x, came no rest within 5 calls\n"
              ": 2 rows passed, 2 failed\n");
    EXPECT_EQ(test("0 1 | 1 0\n1 1 | 1 0\n"), 1);
    EXPECT_EQ(printed, ":4: SR LATCH set=1 reset=1: expected q=1 notq=0, came no rest within 5 calls\n: 1 row passed, 1 failed\n");
}

// Every value of an x would leave the latch in a state of its own.
TEST_F(LatchTests, ASequenceTakesNoInputX) {
    EXPECT_EQ(test("0 x | x x\nsequence\n0 x | 1 0\n"), 2);
    EXPECT_EQ(printed, "vorplex: :5: an input x in a sequence, whose rows each follow one row before\n");
}
