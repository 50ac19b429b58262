// The chip model's edge cases, one readable example each. The differential
// test against the reference runs the same rules on random circuits.

#include "chip/ChipLogic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

constexpr ChipKind COMPOSITE = 2;
constexpr int32_t UNKNOWN_ID = 555;

ChipLogic withId(ChipLogic chip, int32_t id) {
    chip.setId(id);
    return chip;
}

// A NOT as saving leaves it: built by the composite constructor, all pins 0.
ChipLogic savedNot(int32_t id) { return withId(ChipLogic(NOT_CHIP, {}, {}, 1, 1), id); }

std::vector<bool> outputsOf(const ChipLogic& chip) {
    std::vector<bool> values;
    for (int32_t pin = 0; pin < chip.outputCount(); ++pin) values.push_back(chip.output(pin));
    return values;
}

// Every pin at every depth, in pre-order, for comparing whole trees.
std::vector<bool> allPins(const ChipLogic& chip) {
    std::vector<bool> pins;
    for (int32_t pin = 0; pin < chip.inputCount(); ++pin) pins.push_back(chip.input(pin));
    for (int32_t pin = 0; pin < chip.outputCount(); ++pin) pins.push_back(chip.output(pin));
    for (const ChipLogic& sub : chip.subChips()) {
        const std::vector<bool> inner = allPins(sub);
        pins.insert(pins.end(), inner.begin(), inner.end());
    }
    return pins;
}

// input 0 -> `count` saved NOTs in a row -> output 0.
ChipLogic notChain(int32_t count) {
    std::vector<ChipLogic> nots;
    std::vector<Connection> wires;
    for (int32_t index = 0; index < count; ++index) {
        const int32_t id = FIRST_CHIP_ID + index;
        nots.push_back(savedNot(id));
        wires.push_back({index == 0 ? 0 : id - 1, 0, id, 0});
    }
    wires.push_back({FIRST_CHIP_ID + count - 1, 0, 0, 0});
    return ChipLogic(COMPOSITE, nots, wires, 1, 1);
}

// input 0 -> [NOT] -> `inner` -> [NOT] -> output 0.
ChipLogic wrap(ChipLogic inner, bool notsAround) {
    const int32_t innerId = 20000, beforeId = 20001, afterId = 20002;
    std::vector<ChipLogic> subs{withId(std::move(inner), innerId)};
    std::vector<Connection> wires{{0, 0, innerId, 0}, {innerId, 0, 0, 0}};
    if (notsAround) {
        subs.push_back(savedNot(beforeId));
        subs.push_back(savedNot(afterId));
        wires = {{0, 0, beforeId, 0}, {beforeId, 0, innerId, 0}, {innerId, 0, afterId, 0}, {afterId, 0, 0, 0}};
    }
    return ChipLogic(COMPOSITE, subs, wires, 1, 1);
}

// Settles `chip` on input 0 = 0, switches the input to 1 and returns the
// call from which on output 0 shows the change for good (0: it does not).
int32_t callsToRespond(ChipLogic chip) {
    for (int32_t call = 0; call < 40; ++call) chip.evaluate();
    const bool before = chip.output(0);
    chip.setInput(0, true);
    int32_t changedAt = 0;
    for (int32_t call = 1; call <= 12; ++call) {
        chip.evaluate();
        if (chip.output(0) == before)
            changedAt = 0;
        else if (changedAt == 0)
            changedAt = call;
    }
    return changedAt;
}

}  // namespace

// A change at the input needs exactly one call per gate on its path to reach
// the output, however the gates are nested.
TEST(ChipLogicTest, OneCallPerGateOnThePathAtEveryDepth) {
    for (int32_t depth = 1; depth <= 4; ++depth) {
        ChipLogic chain = notChain(3);
        ChipLogic spread = notChain(1);
        for (int32_t level = 1; level < depth; ++level) {
            chain = wrap(std::move(chain), false);
            spread = wrap(std::move(spread), true);
        }
        EXPECT_EQ(callsToRespond(chain), 3) << "three NOTs nested " << depth << " deep";
        EXPECT_EQ(callsToRespond(spread), 1 + 2 * (depth - 1)) << "NOTs on " << depth << " levels";
    }
}

// A composite wiring its input straight to its output hands the value on in
// its own second propagation, after its parent's first one has fed the
// siblings: a sibling reading it is one call late, the parent's output not.
TEST(ChipLogicTest, PassThroughIsOneCallLateForASiblingOnly) {
    const int32_t through = 30000, inverter = 30001;
    const ChipLogic passThrough = withId(ChipLogic(COMPOSITE, {}, {{0, 0, 0, 0}}, 1, 1), through);
    const std::vector<Connection> wires{{0, 0, through, 0}, {through, 0, inverter, 0}, {inverter, 0, 0, 0}};
    EXPECT_EQ(callsToRespond(ChipLogic(COMPOSITE, {passThrough, savedNot(inverter)}, wires, 1, 1)), 2);
    EXPECT_EQ(callsToRespond(ChipLogic(COMPOSITE, {savedNot(inverter), passThrough}, wires, 1, 1)), 2);
    EXPECT_EQ(callsToRespond(ChipLogic(COMPOSITE, {passThrough}, {{0, 0, through, 0}, {through, 0, 0, 0}}, 1, 1)),
              1);
}

TEST(ChipLogicTest, NotFedByItselfTogglesEachCall) {
    const int32_t inverter = 11111;
    ChipLogic chip(COMPOSITE, {withId(ChipLogic(NOT_CHIP), inverter)},
                   {{inverter, 0, inverter, 0}, {inverter, 0, 0, 0}}, 0, 1);
    for (int32_t call = 0; call < 6; ++call) {
        chip.evaluate();
        EXPECT_EQ(chip.output(0), call % 2 == 1) << "call " << call;
    }
}

TEST(ChipLogicTest, SubChipOrderDoesNotMatter) {
    // Two inputs into an AND and a NOT chain with fan-out and feedback.
    const int32_t gate = 101, first = 102, second = 103, third = 104;
    std::vector<ChipLogic> subs{withId(ChipLogic(AND_CHIP), gate), savedNot(first),
                                withId(ChipLogic(NOT_CHIP), second), savedNot(third)};
    const std::vector<Connection> wires{{0, 0, gate, 0},     {third, 0, gate, 1}, {gate, 0, first, 0},
                                        {first, 0, second, 0}, {0, 1, third, 0},  {second, 0, 0, 0},
                                        {first, 0, 0, 1},    {third, 0, 0, 2}};
    ChipLogic forward(COMPOSITE, subs, wires, 2, 3);
    std::reverse(subs.begin(), subs.end());
    ChipLogic backward(COMPOSITE, subs, wires, 2, 3);
    for (int32_t call = 0; call < 16; ++call) {
        for (ChipLogic* chip : {&forward, &backward}) {
            chip->setInput(0, (call / 3) % 2 != 0);
            chip->setInput(1, (call / 2) % 2 != 0);
            chip->evaluate();
        }
        EXPECT_EQ(outputsOf(forward), outputsOf(backward)) << "call " << call;
    }
}

// Connection ends are found by the first sub-chip with the id; the second
// NOT of the same id is never driven and keeps showing !0.
TEST(ChipLogicTest, AnIdSharedBySubChipsNamesTheFirst) {
    const int32_t shared = 22222;
    ChipLogic chip(COMPOSITE, {savedNot(shared), savedNot(shared)}, {{0, 0, shared, 0}, {shared, 0, 0, 0}}, 1, 1);
    chip.setInput(0, true);
    chip.evaluate();
    EXPECT_FALSE(chip.output(0));
    EXPECT_EQ(allPins(chip.subChip(0)), std::vector<bool>({true, false}));
    EXPECT_EQ(allPins(chip.subChip(1)), std::vector<bool>({false, true}));
}

// A source that names nothing carries on the value the last connection
// carried, starting from 0 in every pass.
TEST(ChipLogicTest, AnUnknownSourceCarriesThePreviousValue) {
    const int32_t inverter = 10500;
    ChipLogic driven = savedNot(inverter);
    driven.setInput(0, true);
    ChipLogic chip(COMPOSITE, {driven},
                   {{UNKNOWN_ID, 0, inverter, 0},  // first of the pass: carries 0
                    {0, 1, 0, 1},
                    {UNKNOWN_ID, 3, 0, 0},  // carries input 1
                    {inverter, 0, 0, 3},
                    {-1, 0, 0, 2}},  // carries the NOT's output
                   2, 4);
    chip.setInput(1, true);
    chip.evaluate();
    EXPECT_FALSE(chip.subChip(0).input(0));
    EXPECT_EQ(outputsOf(chip), std::vector<bool>({true, true, true, true}));
    chip.setInput(1, false);
    chip.evaluate();
    EXPECT_EQ(outputsOf(chip), std::vector<bool>({false, false, true, true}));
}

TEST(ChipLogicTest, TheLaterOfTwoConnectionsIntoAPinWins) {
    const int32_t inverter = 10700;
    for (const bool inputOneLast : {true, false}) {
        std::vector<Connection> wires{{0, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, inverter, 0}, {0, 1, inverter, 0},
                                      {inverter, 0, 0, 1}};
        if (!inputOneLast) {
            std::swap(wires[0], wires[1]);
            std::swap(wires[2], wires[3]);
        }
        ChipLogic chip(COMPOSITE, {savedNot(inverter)}, wires, 2, 2);
        chip.setInput(inputOneLast ? 1 : 0, true);
        chip.evaluate();
        chip.evaluate();
        EXPECT_EQ(outputsOf(chip), std::vector<bool>({true, false})) << inputOneLast;
    }
}

TEST(ChipLogicTest, CopiesKeepIdAndValuesAndRunIndependently) {
    ChipLogic original = wrap(notChain(2), true);
    original.setId(31000);
    original.setInput(0, true);
    original.evaluate();
    const std::vector<bool> before = allPins(original);

    ChipLogic copy(original);
    ChipLogic assigned = savedNot(10900);
    assigned = original;
    for (ChipLogic* other : {&copy, &assigned}) {
        EXPECT_EQ(other->id(), 31000);
        EXPECT_EQ(allPins(*other), before);
        other->setInput(0, false);
        for (int32_t call = 0; call < 5; ++call) other->evaluate();
        EXPECT_NE(allPins(*other), before);
    }
    EXPECT_EQ(allPins(original), before);
}

// Every construction draws one id from the standard generator, over the
// whole range 10000 to 42767.
TEST(ChipLogicTest, DrawnIdsCoverTheWholeRange) {
    int32_t lowest = LAST_CHIP_ID, highest = FIRST_CHIP_ID;
    for (unsigned seed = 1; seed <= 4; ++seed) {
        std::srand(seed);
        for (int32_t count = 0; count < 500; ++count) {
            const ChipLogic primitive(count % 2 == 0 ? NOT_CHIP : AND_CHIP);
            const ChipLogic composite(COMPOSITE, {primitive}, {}, 1, 1);
            for (const int32_t id : {primitive.id(), composite.id(), drawChipId()}) {
                ASSERT_GE(id, FIRST_CHIP_ID);
                ASSERT_LE(id, LAST_CHIP_ID);
                lowest = std::min(lowest, id);
                highest = std::max(highest, id);
            }
        }
    }
    EXPECT_LT(lowest, FIRST_CHIP_ID + 1000);
    EXPECT_GT(highest, LAST_CHIP_ID - 1000);
}
