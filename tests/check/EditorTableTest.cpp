#include "check/ChipTrace.h"
#include "check/LibraryChips.h"
#include "check/TruthTable.h"
#include "storage/Vcd.h"
#include "support/EditorSteps.h"

#include <gtest/gtest.h>

#include <sstream>

// A full adder built in the editor from NAND and XOR boards saved in turn, as
// kept in its library: sum = in0 XOR in1 XOR in2, carry = at least two of
// them; the sum takes up to 12 calls, through two XORs of three NANDs each.
TEST(TruthTable, AFullAdderSavedInTheEditor) {
    const LibraryFile file = newLibraryFile("table.json");
    {
        const auto editor = newEditor();
        editor->keepIn(file, {});
        saveFullAdder(*editor, "FULLADDER", FULL_ADDER_WIRES);
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
    const auto editor = newEditor();
    saveBuilt(*editor, "NOT3", 1, 1, {"NOT", "NOT", "NOT"}, {{0, 0, 1, 0}, {1, 0, 2, 0}, {2, 0, 3, 0}, {3, 0, 0, 0}});
    const int32_t chain = place(*editor, "NOT3", {400, 300});
    wire(*editor, 0, 0, chain, 0), wire(*editor, chain, 0, 0, 0);
    editor->toggleBlinking(0);
    const ChipLogic before = *editor->board().chips.find(chain);
    std::vector<std::vector<bool>> rows;
    std::vector<bool> lamps;
    std::chrono::milliseconds now{0};
    for (int frame = 0; frame < 24; ++frame) {
        now += std::chrono::milliseconds(frame % 7 == 1 || frame % 7 == 3 ? 700 : 16);
        editor->runFrame(now);
        rows.push_back({editor->board().inputs[0].value});
        lamps.push_back(editor->board().outputs[0]);
    }
    const SignalRecord trace = ChipTrace::run(before, rows, 24);
    std::vector<bool> traced;
    for (int64_t step = 0; step < 24; ++step) traced.push_back(trace.value(1, step));
    EXPECT_EQ(traced, lamps);
}

// A NOT chain placed between a switch and a lamp named as its pins, stepped
// by hand, the switch clicked between steps: the editor records what the
// chip's trace records with the switch's values as rows, step for step and
// name for name.
TEST(ChipTrace, RecordsWhatTheEditorRecords) {
    const auto editor = newEditor();
    editor->togglePause(Editor::Time{0});
    editor->namePin(false, 0, "a"), editor->namePin(true, 0, "y");
    saveBuilt(*editor, "NOT3", 1, 1, {"NOT", "NOT", "NOT"}, {{0, 0, 1, 0}, {1, 0, 2, 0}, {2, 0, 3, 0}, {3, 0, 0, 0}});
    const int32_t chain = place(*editor, "NOT3", {400, 300});
    wire(*editor, 0, 0, chain, 0), wire(*editor, chain, 0, 0, 0);
    const ChipLogic before = *editor->board().chips.find(chain);
    const std::vector<std::vector<bool>> rows{{0}, {1}, {1}, {0}, {1}, {1}, {1}, {1}, {0}, {0}, {0}, {0}};
    for (const std::vector<bool>& row : rows) {
        if (editor->board().inputs[0].value != row[0]) editor->switchInput(0);
        editor->stepByHand();
    }
    const SignalRecord trace = ChipTrace::run(before, rows, 12, entryNamed(*editor, "NOT3").pinNames());
    EXPECT_EQ(Vcd::format(editor->record(), "NOT3"), Vcd::format(trace, "NOT3"));
}
