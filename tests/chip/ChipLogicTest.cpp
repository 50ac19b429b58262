#include "chip/RandomCircuits.h"

TEST(ChipLogic, RandomCircuitsTheirCopiesAndSubChipsRunAsTheReference) {
    for (uint32_t seed = 1; seed <= 400 && !HasFatalFailure(); ++seed) {
        RandomCircuits random(seed);
        Twin twin = random.chip(random.pick(1, 5));
        const std::string what = "seed " + std::to_string(seed);
        ASSERT_TRUE(same(twin.logic, twin.reference)) << what << " as built";
        runAndCompare(twin, random, 20, what);
        Twin copy = twin;
        runAndCompare(copy, random, 8, what + ", copy");
        ASSERT_TRUE(same(twin.logic, twin.reference)) << what << ": running the copy changed the original";
        twin = copy;
        runAndCompare(twin, random, 2, what + ", assigned");
        for (int32_t i = 0; i < twin.logic.subChipCount(); ++i) {
            Twin sub{twin.logic.subChip(i), twin.reference.subChips[static_cast<std::size_t>(i)]};
            runAndCompare(sub, random, 5, what + ", sub-chip " + std::to_string(i));
        }
    }
}

// A signal moves one gate per call, also through nested chips: input ->
// (NOT -> NOT inside a chip) -> NOT -> output shows a change after 3 calls.
TEST(ChipLogic, ASignalMovesOneGatePerCallAtEveryDepth) {
    ChipLogic first(NOT_CHIP), second(NOT_CHIP), third(NOT_CHIP);
    first.setId(10001), second.setId(10002), third.setId(10003);
    ChipLogic inner(5, {first, second}, {{0, 0, 10001, 0}, {10001, 0, 10002, 0}, {10002, 0, 0, 0}}, 1, 1);
    inner.setId(10004);
    ChipLogic outer(6, {inner, third}, {{0, 0, 10004, 0}, {10004, 0, 10003, 0}, {10003, 0, 0, 0}}, 1, 1);
    for (int call = 0; call < 4; ++call) outer.evaluate();
    ASSERT_TRUE(outer.output(0));  // three inversions of 0
    outer.setInput(0, true);
    for (bool expected : {true, true, false}) {
        outer.evaluate();
        EXPECT_EQ(outer.output(0), expected);
    }
}

// Connections: two sub-chips with one id (the first is meant), a source that
// names no chip (the value carried before it goes on), two connections into
// one pin (the later wins).
TEST(ChipLogic, ConnectionsTakeTheFirstIdTheCarriedValueAndTheLaterWire) {
    ChipLogic a(NOT_CHIP), b(NOT_CHIP);
    a.setId(10001), b.setId(10001);
    ChipLogic chip(2, {a, b}, {{0, 0, 10001, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}, {0, 1, 0, 1}, {99, 0, 0, 2}}, 2, 3);
    chip.setInput(0, true);
    chip.evaluate();
    EXPECT_TRUE(chip.subChip(0).input(0));
    EXPECT_FALSE(chip.subChip(1).input(0));
    EXPECT_TRUE(chip.output(0));   // the later of input 1 and input 0
    EXPECT_FALSE(chip.output(2));  // chip 99 is unknown: input 1 carried on
    chip.setInput(1, true);
    chip.evaluate();
    EXPECT_TRUE(chip.output(2));
}
