// Whole circuits built the way a user builds them, only through frames of
// mouse and keyboard input: chips are placed and wired, boards are saved as
// chips and cleared, and saved chips go into larger ones.

#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Frames after an input change that any circuit here needs to settle.
constexpr int SETTLE_FRAMES = 60;

using Bits = std::vector<bool>;
using TruthTable = std::function<Bits(const Bits&)>;

Bits bitsOf(unsigned row, int count) {
    Bits bits;
    for (int i = 0; i < count; ++i) bits.push_back((row >> i) & 1u);
    return bits;
}

// A circuit as the user draws it: the board's pin counts, the chips placed
// from the palette, and the wires between them. A wire end names the n-th
// chip placed and its pin, or BOARD and a board input (as a source) or a
// board output (as a target).
constexpr int BOARD = -1;
struct Part {
    const char* name;
    sf::Vector2f at;
};
struct Link {
    int fromChip, fromPin, toChip, toPin;
};
struct Circuit {
    int inputs, outputs;
    std::vector<Part> parts;
    std::vector<Link> links;
};

}  // namespace

class CircuitBuildingTest : public ::testing::Test {
protected:
    AppDriver driver;
    App& app = driver.app();

    void build(const Circuit& circuit) {
        driver.setPinCounts(circuit.inputs, circuit.outputs);
        std::vector<int32_t> ids;
        for (const Part& part : circuit.parts) ids.push_back(driver.placeChip(part.name, part.at));
        const auto chip = [&ids](int part) { return part == BOARD ? 0 : ids[part]; };
        for (const Link& link : circuit.links)
            driver.wire(chip(link.fromChip), link.fromPin, chip(link.toChip), link.toPin);
        ASSERT_EQ(app.wires.size(), circuit.links.size());
        for (const Wire& wire : app.wires) ASSERT_TRUE(wire.complete);
    }

    // Every combination of the board inputs, each held for SETTLE_FRAMES,
    // against the lamps.
    void expectTruthTable(const TruthTable& expected) {
        const int inputs = static_cast<int>(app.boardInputs.size());
        const int outputs = static_cast<int>(app.boardOutputs.size());
        for (unsigned row = 0; row < (1u << inputs); ++row) {
            const Bits in = bitsOf(row, inputs);
            for (int i = 0; i < inputs; ++i) driver.setInput(i, in[i]);
            driver.frames(SETTLE_FRAMES);
            const Bits want = expected(in);
            for (int o = 0; o < outputs; ++o)
                EXPECT_EQ(driver.lamp(o), want[o]) << "inputs row " << row << ", lamp " << o;
        }
    }

    // Right-clicks every chip off the board, which takes their wires along.
    void clearBoard() {
        for (std::size_t count = app.boardChips.size(); count > 0; --count)
            driver.removeChip(app.boardChips.begin()->id());
        ASSERT_TRUE(app.boardChips.empty());
        ASSERT_TRUE(app.wires.empty());
    }
};

namespace {

Bits nand(const Bits& in) { return {!(in[0] && in[1])}; }
Bits exclusiveOr(const Bits& in) { return {in[0] != in[1]}; }
Bits halfAdd(const Bits& in) { return {in[0] != in[1], in[0] && in[1]}; }
Bits fullAdd(const Bits& in) {
    const int total = in[0] + in[1] + in[2];
    return {(total & 1) != 0, total >= 2};
}
// Inputs a0, b0, carry in, a1, b1; lamps s0, s1, carry out.
Bits twoBitAdd(const Bits& in) {
    const int total = (in[0] + 2 * in[3]) + (in[1] + 2 * in[4]) + in[2];
    return {(total & 1) != 0, (total & 2) != 0, (total & 4) != 0};
}

const Circuit NAND = {2, 1, {{"AND", {300.f, 500.f}}, {"NOT", {600.f, 500.f}}},
                      {{BOARD, 0, 0, 0}, {BOARD, 1, 0, 1}, {0, 0, 1, 0}, {1, 0, BOARD, 0}}};

// n0 = a NAND b; a XOR b = (a NAND n0) NAND (b NAND n0).
const Circuit XOR = {
    2, 1,
    {{"NAND", {300.f, 450.f}}, {"NAND", {600.f, 250.f}}, {"NAND", {600.f, 650.f}}, {"NAND", {900.f, 450.f}}},
    {{BOARD, 0, 0, 0}, {BOARD, 1, 0, 1}, {BOARD, 0, 1, 0}, {0, 0, 1, 1}, {BOARD, 1, 2, 0}, {0, 0, 2, 1},
     {1, 0, 3, 0}, {2, 0, 3, 1}, {3, 0, BOARD, 0}}};

// Sum on lamp 0, carry on lamp 1.
const Circuit HALF = {2, 2, {{"XOR", {400.f, 300.f}}, {"AND", {400.f, 600.f}}},
                      {{BOARD, 0, 0, 0}, {BOARD, 1, 0, 1}, {BOARD, 0, 1, 0}, {BOARD, 1, 1, 1},
                       {0, 0, BOARD, 0}, {1, 0, BOARD, 1}}};

// Two half adders; carry out = c0 OR c1 = (NOT c0) NAND (NOT c1).
const Circuit FULL = {3, 2,
                      {{"HALF", {300.f, 300.f}}, {"HALF", {650.f, 250.f}}, {"NOT", {950.f, 400.f}},
                       {"NOT", {950.f, 550.f}}, {"NAND", {1250.f, 450.f}}},
                      {{BOARD, 0, 0, 0}, {BOARD, 1, 0, 1}, {0, 0, 1, 0}, {BOARD, 2, 1, 1}, {1, 0, BOARD, 0},
                       {0, 1, 2, 0}, {1, 1, 3, 0}, {2, 0, 4, 0}, {3, 0, 4, 1}, {4, 0, BOARD, 1}}};

// The low full adder's carry goes into the high one.
const Circuit ADD2 = {5, 3, {{"FULL", {400.f, 250.f}}, {"FULL", {900.f, 500.f}}},
                      {{BOARD, 0, 0, 0}, {BOARD, 1, 0, 1}, {BOARD, 2, 0, 2}, {0, 0, BOARD, 0}, {0, 1, 1, 2},
                       {BOARD, 3, 1, 0}, {BOARD, 4, 1, 1}, {1, 0, BOARD, 1}, {1, 1, BOARD, 2}}};

// ADD2 alone, every pin wired to the board's.
const Circuit ADD2_ON_THE_BOARD = {5, 3, {{"ADD2", {800.f, 400.f}}},
                                   {{BOARD, 0, 0, 0}, {BOARD, 1, 0, 1}, {BOARD, 2, 0, 2}, {BOARD, 3, 0, 3},
                                    {BOARD, 4, 0, 4}, {0, 0, BOARD, 0}, {0, 1, BOARD, 1}, {0, 2, BOARD, 2}}};

// Input 0 through `length` NOTs in a row to lamp 0.
Circuit chainOfNots(int length) {
    Circuit chain{1, 1, {}, {{BOARD, 0, 0, 0}}};
    for (int i = 0; i < length; ++i) {
        chain.parts.push_back({"NOT", {300.f + 250.f * static_cast<float>(i), 300.f}});
        chain.links.push_back({i, 0, i + 1 < length ? i + 1 : BOARD, 0});
    }
    return chain;
}

}  // namespace

TEST_F(CircuitBuildingTest, AddersBuiltFromSavedChipsFourLevelsDeepAddOnTheBoard) {
    const struct {
        const char* name;
        const Circuit& circuit;
        TruthTable table;
    } stages[] = {{"NAND", NAND, nand},
                  {"XOR", XOR, exclusiveOr},
                  {"HALF", HALF, halfAdd},
                  {"FULL", FULL, fullAdd},
                  {"ADD2", ADD2, twoBitAdd}};
    for (const auto& stage : stages) {
        SCOPED_TRACE(stage.name);
        build(stage.circuit);
        expectTruthTable(stage.table);
        driver.saveAs(stage.name);
        clearBoard();
    }
    ASSERT_EQ(app.library.size(), 7u);

    // ADD2 holds FULL, which holds HALF, which holds XOR, which holds NAND.
    build(ADD2_ON_THE_BOARD);
    expectTruthTable(twoBitAdd);
}

// A click toggles the input in its own frame; the next frame's transfer
// carries it into the first chip, and each chip passes it on one frame later:
// chips compute from what the wires delivered in the frame before.
TEST_F(CircuitBuildingTest, ClickOnAnInputReachesTheLampThroughKChipsKPlusOneFramesLater) {
    for (int length = 1; length <= 3; ++length) {
        SCOPED_TRACE(length);
        build(chainOfNots(length));
        driver.frames(10);
        const bool before = driver.lamp(0);
        ASSERT_EQ(before, length % 2 == 1) << "an odd chain of NOTs inverts the 0 input";

        driver.click(driver.inputPoint(0));  // the release is the first frame after
        const Chip& first = *app.boardChips.begin();
        EXPECT_TRUE(first.input(0) && first.output(0)) << "delivered, computed from in the next frame only";
        int frames = 1;
        for (; driver.lamp(0) == before && frames < 10; ++frames) driver.frame();
        EXPECT_EQ(frames, length + 1);
        driver.setInput(0, false);
        clearBoard();
    }
}
