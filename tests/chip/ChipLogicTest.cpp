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

std::vector<bool> inputsOf(const ChipLogic& chip) {
    std::vector<bool> values;
    for (int32_t pin = 0; pin < chip.inputCount(); ++pin) values.push_back(chip.input(pin));
    return values;
}

std::vector<bool> outputsOf(const ChipLogic& chip) {
    std::vector<bool> values;
    for (int32_t pin = 0; pin < chip.outputCount(); ++pin) values.push_back(chip.output(pin));
    return values;
}

// Every pin at every depth, in pre-order, for comparing whole trees.
void collectPins(const ChipLogic& chip, std::vector<bool>& pins) {
    const std::vector<bool> in = inputsOf(chip), out = outputsOf(chip);
    pins.insert(pins.end(), in.begin(), in.end());
    pins.insert(pins.end(), out.begin(), out.end());
    for (const ChipLogic& sub : chip.subChips()) collectPins(sub, pins);
}

std::vector<bool> allPins(const ChipLogic& chip) {
    std::vector<bool> pins;
    collectPins(chip, pins);
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

// input 0 -> `before` -> `inner` -> `after` -> output 0, where `before` and
// `after` are optional one-input, one-output sub-chips.
ChipLogic wrap(ChipLogic inner, bool notBefore, bool notAfter) {
    const int32_t innerId = 20000, beforeId = 20001, afterId = 20002;
    std::vector<ChipLogic> subs{withId(std::move(inner), innerId)};
    std::vector<Connection> wires;
    int32_t source = 0;
    if (notBefore) {
        subs.push_back(savedNot(beforeId));
        wires.push_back({0, 0, beforeId, 0});
        source = beforeId;
    }
    wires.push_back({source, 0, innerId, 0});
    source = innerId;
    if (notAfter) {
        subs.push_back(savedNot(afterId));
        wires.push_back({innerId, 0, afterId, 0});
        source = afterId;
    }
    wires.push_back({source, 0, 0, 0});
    return ChipLogic(COMPOSITE, subs, wires, 1, 1);
}

// Settles `chip` on input 0 = `from`, switches the input to !from and returns
// output 0 after each of the following `calls` calls.
std::vector<bool> responseToSwitch(ChipLogic chip, bool from, int32_t calls) {
    chip.setInput(0, from);
    for (int32_t call = 0; call < 40; ++call) chip.evaluate();
    chip.setInput(0, !from);
    std::vector<bool> seen;
    for (int32_t call = 0; call < calls; ++call) {
        chip.evaluate();
        seen.push_back(chip.output(0));
    }
    return seen;
}

// `oldValue` for the first `delay - 1` calls, then `newValue`.
std::vector<bool> stepAt(int32_t delay, int32_t calls, bool oldValue) {
    std::vector<bool> values(static_cast<size_t>(calls), !oldValue);
    std::fill(values.begin(), values.begin() + (delay - 1), oldValue);
    return values;
}

} // namespace

TEST(ChipLogicPrimitive, FreshPins) {
    const ChipLogic inverter(NOT_CHIP);
    EXPECT_EQ(inverter.kind(), NOT_CHIP);
    EXPECT_EQ(inputsOf(inverter), std::vector<bool>({false}));
    EXPECT_EQ(outputsOf(inverter), std::vector<bool>({true}));

    const ChipLogic gate(AND_CHIP);
    EXPECT_EQ(gate.kind(), AND_CHIP);
    EXPECT_EQ(inputsOf(gate), std::vector<bool>({false, false}));
    EXPECT_EQ(outputsOf(gate), std::vector<bool>({false}));

    ChipLogic other(7);
    EXPECT_EQ(other.kind(), 7);
    other.evaluate();
    EXPECT_EQ(other.inputCount(), 0);
    EXPECT_EQ(other.outputCount(), 0);
    EXPECT_EQ(other.subChipCount(), 0);
    EXPECT_TRUE(other.connections().empty());
}

TEST(ChipLogicPrimitive, TruthTables) {
    ChipLogic inverter(NOT_CHIP);
    for (const bool in : {true, false}) {
        inverter.setInput(0, in);
        inverter.evaluate();
        EXPECT_EQ(inverter.output(0), !in);
    }
    ChipLogic gate(AND_CHIP);
    for (const bool a : {false, true}) {
        for (const bool b : {false, true}) {
            gate.setInput(0, a);
            gate.setInput(1, b);
            gate.evaluate();
            EXPECT_EQ(gate.output(0), a && b) << a << " AND " << b;
            EXPECT_EQ(inputsOf(gate), std::vector<bool>({a, b}));
        }
    }
}

// Saving turns every board chip into a composite-built record of its kind,
// so NOT and AND must also work when built that way; extra pins and sub-chips
// of such a record are inert, and missing pins make it do nothing.
TEST(ChipLogicPrimitive, GateKindsBuiltAsComposites) {
    ChipLogic wideNot(NOT_CHIP, {ChipLogic(NOT_CHIP)}, {{0, 0, 0, 1}}, 2, 2);
    wideNot.setInput(1, true);
    wideNot.evaluate();
    EXPECT_EQ(outputsOf(wideNot), std::vector<bool>({true, false}));
    wideNot.setInput(0, true);
    wideNot.evaluate();
    EXPECT_EQ(outputsOf(wideNot), std::vector<bool>({false, false}));
    EXPECT_EQ(outputsOf(wideNot.subChip(0)), std::vector<bool>({true}));

    ChipLogic savedAnd(AND_CHIP, {}, {}, 2, 1);
    savedAnd.setInput(0, true);
    savedAnd.setInput(1, true);
    savedAnd.evaluate();
    EXPECT_TRUE(savedAnd.output(0));

    ChipLogic pinlessNot(NOT_CHIP, {}, {}, 0, 1);
    ChipLogic oneInputAnd(AND_CHIP, {}, {}, 1, 1);
    oneInputAnd.setInput(0, true);
    pinlessNot.evaluate();
    oneInputAnd.evaluate();
    EXPECT_FALSE(pinlessNot.output(0));
    EXPECT_FALSE(oneInputAnd.output(0));
}

TEST(ChipLogicComposite, WithoutConnectionsOutputsStayZero) {
    ChipLogic chip(COMPOSITE, {ChipLogic(NOT_CHIP), ChipLogic(AND_CHIP)}, {}, 2, 3);
    EXPECT_EQ(inputsOf(chip), std::vector<bool>({false, false}));
    chip.setInput(0, true);
    chip.setInput(1, true);
    for (int32_t call = 0; call < 3; ++call) {
        chip.evaluate();
        EXPECT_EQ(outputsOf(chip), std::vector<bool>({false, false, false}));
    }
}

TEST(ChipLogicComposite, SavedNotBetweenInputAndOutput) {
    const int32_t inverter = 12345;
    ChipLogic chip(COMPOSITE, {savedNot(inverter)}, {{0, 0, inverter, 0}, {inverter, 0, 0, 0}}, 1,
                   1);
    chip.evaluate();
    EXPECT_TRUE(chip.output(0));
    chip.setInput(0, true);
    chip.evaluate();
    EXPECT_FALSE(chip.output(0));
}

// A change at the input needs exactly one call per gate on its path to reach
// the output, however the gates are nested.
TEST(ChipLogicOnePass, ChainOfNotsAtEveryDepth) {
    for (int32_t depth = 1; depth <= 4; ++depth) {
        ChipLogic chip = notChain(3);
        for (int32_t level = 1; level < depth; ++level) chip = wrap(std::move(chip), false, false);
        // Three NOTs: output 1 on input 0 before the switch.
        EXPECT_EQ(responseToSwitch(chip, false, 5), stepAt(3, 5, true)) << "depth " << depth;
        EXPECT_EQ(responseToSwitch(chip, true, 5), stepAt(3, 5, false)) << "depth " << depth;
    }
}

TEST(ChipLogicOnePass, NotsSpreadOverNestingLevels) {
    for (int32_t depth = 1; depth <= 4; ++depth) {
        // One NOT innermost, then a NOT before and after it at each level.
        ChipLogic chip = notChain(1);
        for (int32_t level = 1; level < depth; ++level) chip = wrap(std::move(chip), true, true);
        const int32_t gates = 1 + 2 * (depth - 1);
        EXPECT_EQ(responseToSwitch(chip, false, gates + 2), stepAt(gates, gates + 2, true))
            << "depth " << depth;
    }
}

// A composite that wires its input straight to its output hands the new
// value on in its own propagation, after its parent's first propagation
// has already fed its siblings: a sibling reading it is one call late.
TEST(ChipLogicOnePass, PassThroughReadBySiblingAddsOneCall) {
    const int32_t through = 30000, inverter = 30001;
    const ChipLogic passThrough(COMPOSITE, {}, {{0, 0, 0, 0}}, 1, 1);
    const std::vector<Connection> wires{
        {0, 0, through, 0}, {through, 0, inverter, 0}, {inverter, 0, 0, 0}};
    const ChipLogic viaSibling(COMPOSITE, {withId(passThrough, through), savedNot(inverter)}, wires,
                               1, 1);
    EXPECT_EQ(responseToSwitch(viaSibling, false, 4), stepAt(2, 4, true));
    const ChipLogic reversed(COMPOSITE, {savedNot(inverter), withId(passThrough, through)}, wires,
                             1, 1);
    EXPECT_EQ(responseToSwitch(reversed, false, 4), stepAt(2, 4, true));

    // Read by the parent's own output it is not late: no gate, first call.
    const ChipLogic direct(COMPOSITE, {withId(passThrough, through)},
                           {{0, 0, through, 0}, {through, 0, 0, 0}}, 1, 1);
    EXPECT_EQ(responseToSwitch(direct, false, 3), stepAt(1, 3, false));
}

TEST(ChipLogicComposite, NotFedByItselfTogglesEachCall) {
    const int32_t inverter = 11111;
    ChipLogic chip(COMPOSITE, {withId(ChipLogic(NOT_CHIP), inverter)},
                   {{inverter, 0, inverter, 0}, {inverter, 0, 0, 0}}, 0, 1);
    bool expected = false;
    for (int32_t call = 0; call < 6; ++call) {
        chip.evaluate();
        EXPECT_EQ(chip.output(0), expected) << "call " << call;
        EXPECT_EQ(chip.subChip(0).input(0), expected) << "call " << call;
        expected = !expected;
    }
}

TEST(ChipLogicComposite, SubChipOrderDoesNotMatter) {
    // Two inputs into an AND and a NOT chain with fan-out and feedback.
    const int32_t gate = 101, first = 102, second = 103, third = 104;
    std::vector<ChipLogic> subs{withId(ChipLogic(AND_CHIP), gate), savedNot(first),
                                withId(ChipLogic(NOT_CHIP), second), savedNot(third)};
    const std::vector<Connection> wires{
        {0, 0, gate, 0},       {third, 0, gate, 1},  {gate, 0, first, 0},  {first, 0, second, 0},
        {0, 1, third, 0},      {second, 0, 0, 0},    {first, 0, 0, 1},     {third, 0, 0, 2}};
    ChipLogic forward(COMPOSITE, subs, wires, 2, 3);
    std::reverse(subs.begin(), subs.end());
    ChipLogic backward(COMPOSITE, subs, wires, 2, 3);
    for (int32_t call = 0; call < 16; ++call) {
        const bool a = (call / 3) % 2 != 0, b = (call / 2) % 2 != 0;
        for (ChipLogic* chip : {&forward, &backward}) {
            chip->setInput(0, a);
            chip->setInput(1, b);
            chip->evaluate();
        }
        EXPECT_EQ(outputsOf(forward), outputsOf(backward)) << "call " << call;
    }
}

TEST(ChipLogicConnections, DuplicateIdsReachTheFirstSubChip) {
    const int32_t shared = 22222;
    ChipLogic chip(COMPOSITE, {savedNot(shared), savedNot(shared)},
                   {{0, 0, shared, 0}, {shared, 0, 0, 0}}, 1, 1);
    chip.setInput(0, true);
    chip.evaluate();
    // The first NOT got the 1 and its output 0 is the one shown; the second
    // NOT was never driven and shows !0.
    EXPECT_FALSE(chip.output(0));
    EXPECT_TRUE(chip.subChip(0).input(0));
    EXPECT_FALSE(chip.subChip(0).output(0));
    EXPECT_FALSE(chip.subChip(1).input(0));
    EXPECT_TRUE(chip.subChip(1).output(0));
}

TEST(ChipLogicConnections, UnknownSourceCarriesThePreviousValue) {
    const int32_t inverter = 10500;
    ChipLogic driven = savedNot(inverter);
    driven.setInput(0, true);
    // First connection of the pass: carries 0 into the NOT's input. Then an
    // unknown source after input 1 carries input 1, and after the NOT's
    // output it carries that output.
    ChipLogic chip(COMPOSITE, {driven},
                   {{UNKNOWN_ID, 0, inverter, 0},
                    {0, 1, 0, 1},
                    {UNKNOWN_ID, 3, 0, 0},
                    {inverter, 0, 0, 3},
                    {-1, 0, 0, 2}},
                   2, 4);
    chip.setInput(1, true);
    chip.evaluate();
    EXPECT_FALSE(chip.subChip(0).input(0));
    EXPECT_EQ(outputsOf(chip), std::vector<bool>({true, true, true, true}));
    chip.setInput(1, false);
    chip.evaluate();
    EXPECT_EQ(outputsOf(chip), std::vector<bool>({false, false, true, true}));
}

TEST(ChipLogicConnections, CarriedValueStartsAtZeroInEachPass) {
    // The first pass ends carrying input 0; the second must start from 0.
    ChipLogic chip(COMPOSITE, {}, {{UNKNOWN_ID, 0, 0, 0}, {0, 0, 0, 1}}, 1, 2);
    chip.setInput(0, true);
    chip.evaluate();
    chip.evaluate();
    EXPECT_EQ(outputsOf(chip), std::vector<bool>({false, true}));
}

TEST(ChipLogicConnections, UnknownDestinationWritesNothing) {
    const int32_t inverter = 10600;
    ChipLogic held = savedNot(inverter);
    held.setInput(0, true);
    ChipLogic chip(COMPOSITE, {held},
                   {{0, 0, -1, 0}, {0, 0, UNKNOWN_ID, 0}, {inverter, 0, 0, 1}}, 1, 2);
    // Input 0 would show in the NOT's input, input 1 in the chip's output 0.
    for (const bool in : {false, true}) {
        chip.setInput(0, in);
        chip.evaluate();
        EXPECT_TRUE(chip.subChip(0).input(0)) << in;
        EXPECT_EQ(outputsOf(chip), std::vector<bool>({false, false})) << in;
    }
}

TEST(ChipLogicConnections, LaterConnectionIntoAPinWins) {
    const int32_t inverter = 10700;
    for (const bool inputOneLast : {true, false}) {
        std::vector<Connection> wires{{0, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, inverter, 0},
                                      {0, 1, inverter, 0}, {inverter, 0, 0, 1}};
        if (!inputOneLast) {
            std::swap(wires[0], wires[1]);
            std::swap(wires[2], wires[3]);
        }
        ChipLogic chip(COMPOSITE, {savedNot(inverter)}, wires, 2, 2);
        chip.setInput(inputOneLast ? 1 : 0, true);
        chip.evaluate();
        chip.evaluate();
        EXPECT_EQ(outputsOf(chip), std::vector<bool>({true, false})) << inputOneLast;
        EXPECT_TRUE(chip.subChip(0).input(0)) << inputOneLast;
    }
}

// Pin numbers outside a chip's pins can only come from misuse: a source
// out of range counts as unknown, a destination out of range as missing.
TEST(ChipLogicConnections, PinsOutOfRangeAreIgnoredSafely) {
    const int32_t inverter = 10800;
    ChipLogic chip(COMPOSITE, {savedNot(inverter)},
                   {{0, 0, 0, 0},
                    {inverter, 1, 0, 1},
                    {0, 5, 0, 2},
                    {0, -1, inverter, 3},
                    {0, 0, inverter, -1},
                    {0, 0, 0, 3},
                    {inverter, -2, 0, -1},
                    {0, 0, 0, 99}},
                   1, 3);
    chip.setInput(0, true);
    chip.setInput(-1, false);
    chip.setInput(1, false);
    chip.evaluate();
    EXPECT_EQ(outputsOf(chip), std::vector<bool>({true, true, true}));
    EXPECT_EQ(allPins(chip.subChip(0)), std::vector<bool>({false, true}));
    EXPECT_FALSE(chip.input(1));
    EXPECT_FALSE(chip.input(-1));
    EXPECT_FALSE(chip.output(3));
    EXPECT_FALSE(chip.output(-1));
}

TEST(ChipLogicCopy, CopyKeepsEverythingAndRunsIndependently) {
    const int32_t inverter = 10900;
    ChipLogic original = wrap(notChain(2), true, false);
    original.setId(31000);
    original.setInput(0, true);
    original.evaluate();
    const std::vector<bool> before = allPins(original);

    ChipLogic copy(original);
    EXPECT_EQ(copy.id(), 31000);
    EXPECT_EQ(copy.kind(), original.kind());
    EXPECT_EQ(allPins(copy), before);
    copy.setInput(0, false);
    for (int32_t call = 0; call < 5; ++call) copy.evaluate();
    EXPECT_NE(allPins(copy), before);
    EXPECT_EQ(allPins(original), before);

    ChipLogic assigned = savedNot(inverter);
    assigned = original;
    EXPECT_EQ(assigned.id(), 31000);
    for (int32_t call = 0; call < 5; ++call) assigned.evaluate();
    EXPECT_EQ(allPins(original), before);

    // Copies keep their id when one of them is renamed.
    copy.setId(31001);
    EXPECT_EQ(original.id(), 31000);
}

TEST(ChipLogicCopy, MovedFromKeepsIdAndKindOnly) {
    ChipLogic source = wrap(notChain(2), false, true);
    source.setId(32000);
    source.setInput(0, true);
    source.evaluate();
    const std::vector<bool> pins = allPins(source);
    const std::vector<Connection> wires = source.connections();

    ChipLogic target(std::move(source));
    EXPECT_EQ(allPins(target), pins);
    EXPECT_EQ(target.connections(), wires);
    EXPECT_EQ(target.id(), 32000);

    ChipLogic assigned(AND_CHIP);
    assigned = std::move(target);
    EXPECT_EQ(allPins(assigned), pins);
    for (const ChipLogic* moved : {&source, &target}) {
        EXPECT_EQ(moved->id(), 32000);
        EXPECT_EQ(moved->kind(), COMPOSITE);
        EXPECT_EQ(moved->inputCount(), 0);
        EXPECT_EQ(moved->outputCount(), 0);
        EXPECT_EQ(moved->subChipCount(), 0);
        EXPECT_TRUE(moved->connections().empty());
    }
    source.evaluate();
    source.setInput(0, true);
    EXPECT_FALSE(source.input(0));

    // A moved-from chip can still be embedded: it becomes a sub-chip with
    // its id and kind and no pins.
    ChipLogic holder(COMPOSITE, {source}, {{0, 0, 32000, 0}}, 1, 0);
    holder.evaluate();
    ASSERT_EQ(holder.subChipCount(), 1);
    EXPECT_EQ(holder.subChip(0).id(), 32000);
    EXPECT_EQ(holder.subChip(0).inputCount(), 0);
}

TEST(ChipLogicIds, DrawnIdsCoverTheWholeRange) {
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

// Building a chip draws exactly one number, after copying its sub-chips, so
// building is reproducible from a seed.
TEST(ChipLogicIds, EachConstructionDrawsOneId) {
    const std::vector<ChipLogic> subs{ChipLogic(NOT_CHIP), ChipLogic(AND_CHIP)};
    std::srand(77);
    const int32_t expectedFirst = drawChipId();
    const int32_t expectedSecond = drawChipId();
    std::srand(77);
    const ChipLogic composite(COMPOSITE, subs, {}, 0, 0);
    const ChipLogic primitive(NOT_CHIP);
    EXPECT_EQ(composite.id(), expectedFirst);
    EXPECT_EQ(primitive.id(), expectedSecond);
    EXPECT_EQ(composite.subChip(0).id(), subs[0].id());
}

TEST(ChipLogicInspection, ReportsWhatWasBuilt) {
    const int32_t inner = 15000, gate = 15001, inverter = 15002;
    ChipLogic innerChip(COMPOSITE + 1, {withId(ChipLogic(AND_CHIP), gate)},
                        {{0, 0, gate, 0}, {0, 1, gate, 1}, {gate, 0, 0, 0}}, 2, 1);
    innerChip.setInput(1, true);
    ChipLogic heldNot(NOT_CHIP);
    heldNot.setInput(0, true);
    const std::vector<Connection> wires{
        {0, 0, inner, 0}, {0, 1, inner, 1}, {inner, 0, inverter, 0}, {inverter, 0, 0, 0},
        {UNKNOWN_ID, 0, -1, 0}};
    const ChipLogic chip(COMPOSITE, {withId(innerChip, inner), withId(heldNot, inverter)}, wires,
                         2, 1);

    EXPECT_EQ(chip.connections(), wires);
    EXPECT_EQ(inputsOf(chip), std::vector<bool>({false, false}));
    ASSERT_EQ(chip.subChipCount(), 2);
    const std::vector<ChipLogic> subs = chip.subChips();
    ASSERT_EQ(subs.size(), 2u);

    EXPECT_EQ(subs[0].id(), inner);
    EXPECT_EQ(subs[0].kind(), COMPOSITE + 1);
    EXPECT_EQ(inputsOf(subs[0]), std::vector<bool>({false, true}));
    EXPECT_EQ(subs[0].connections(), innerChip.connections());
    ASSERT_EQ(subs[0].subChipCount(), 1);
    EXPECT_EQ(subs[0].subChip(0).id(), gate);
    EXPECT_EQ(subs[0].subChip(0).kind(), AND_CHIP);

    EXPECT_EQ(subs[1].id(), inverter);
    EXPECT_EQ(subs[1].kind(), NOT_CHIP);
    EXPECT_EQ(allPins(subs[1]), std::vector<bool>({true, true}));
    EXPECT_TRUE(subs[1].connections().empty());

    EXPECT_EQ(allPins(chip.subChip(0)), allPins(subs[0]));
    EXPECT_EQ(allPins(chip.subChip(1)), allPins(subs[1]));
    const ChipLogic missing = chip.subChip(2);
    EXPECT_EQ(missing.id(), 0);
    EXPECT_EQ(missing.inputCount(), 0);
    EXPECT_EQ(chip.subChip(-1).subChipCount(), 0);
}

// A sub-chip taken out of a composite is a working chip of its own.
TEST(ChipLogicInspection, ExtractedSubChipKeepsRunning) {
    const ChipLogic chip = wrap(notChain(3), false, false);
    const ChipLogic chain = chip.subChip(0);
    EXPECT_EQ(chain.id(), 20000);
    ASSERT_EQ(chain.kind(), COMPOSITE);
    EXPECT_EQ(responseToSwitch(chain, false, 4), stepAt(3, 4, true));
}
