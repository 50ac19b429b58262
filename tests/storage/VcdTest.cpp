#include "storage/AtomicFile.h"
#include "storage/Vcd.h"

#include "chip/ChipLogic.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// Three NOTs in a row inside a chip, as saved from the board.
ChipLogic notChain() {
    std::vector<ChipLogic> nots(3, ChipLogic(NOT_CHIP));
    for (int32_t index = 0; index < 3; ++index) nots[index].setId(FIRST_CHIP_ID + index);
    return ChipLogic(2, nots, {{0, 0, 10000, 0}, {10000, 0, 10001, 0}, {10001, 0, 10002, 0}, {10002, 0, 0, 0}}, 1, 1);
}

}  // namespace

// A NOT chain stepped as the board steps it, its input switched on and off,
// a signal added while it runs, more steps than the record keeps: time 0 is
// the oldest step kept, the output follows the input three steps late, the
// new signal is x until it has a value, and names become identifiers.
TEST(Vcd, ANotChainSteppedByHand) {
    ChipLogic chain = notChain();
    SignalRecord record(10);
    record.addSignal("a"), record.addSignal("carry_in");
    const bool in[] = {0, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0};
    for (int64_t step = 0; step < 12; ++step) {
        chain.evaluate();
        chain.setInput(0, in[step]);
        if (step == 6) record.insertSignal(1, "carry in");
        if (step < 6) record.append({chain.input(0), chain.output(0)});
        else record.append({chain.input(0), step >= 9, chain.output(0)});
    }
    EXPECT_EQ(Vcd::format(record, "NOT CHAIN"),
              "$version Vorplex $end\n"
              "$timescale 1 s $end\n"
              "$scope module NOT_CHAIN $end\n"
              "$var wire 1 ! a $end\n"
              "$var wire 1 \" carry_in $end\n"
              "$var wire 1 # carry_in_2 $end\n"
              "$upscope $end\n"
              "$enddefinitions $end\n"
              "#0\n$dumpvars\n1!\nx\"\n1#\n$end\n"
              "#3\n0#\n"
              "#4\n0\"\n"
              "#5\n0!\n"
              "#7\n1\"\n"
              "#8\n1#\n"
              "#10\n");
}

// A write that fails says why in one line and leaves what stood there; one
// that succeeds replaces the file whole.
TEST(Vcd, AFailedWriteLosesNothing) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vorplex-vcd-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "in the way");
    SignalRecord record(4);
    record.addSignal("y");
    record.append({true});
    try {
        Vcd::write((folder / "in the way").string(), record, "B");
        ADD_FAILURE() << "written over a folder";
    } catch (const AtomicFile::Failed& failed) {
        EXPECT_EQ(failed.what(), (folder / "in the way").string() + ": cannot write: Is a directory");
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder / "in the way"));
    std::ofstream(folder / "old.vcd") << "an older trace, longer than the new one, which must not show at its end\n";
    Vcd::write((folder / "old.vcd").string(), record, "B");
    std::ifstream file(folder / "old.vcd");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), Vcd::format(record, "B"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
    std::filesystem::remove_all(folder);
}
