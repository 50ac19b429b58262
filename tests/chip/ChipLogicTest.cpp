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

// Two sub-chips with one id: every connection naming the id reaches the first.
TEST(ChipLogic, AnIdSharedBySubChipsNamesTheFirst) {
    ChipLogic first(NOT_CHIP), second(NOT_CHIP);
    first.setId(10001), second.setId(10001);
    ChipLogic chip(2, {first, second}, {{0, 0, 10001, 0}}, 1, 0);
    chip.setInput(0, true);
    chip.evaluate();
    EXPECT_TRUE(chip.subChip(0).input(0));
    EXPECT_FALSE(chip.subChip(1).input(0));
}

// A source that names no chip delivers the value the connection before it carried.
TEST(ChipLogic, AnUnknownSourceCarriesTheValueBeforeIt) {
    ChipLogic chip(2, {}, {{0, 1, 0, 0}, {99, 0, 0, 1}}, 2, 2);
    chip.setInput(1, true);
    chip.evaluate();
    EXPECT_TRUE(chip.output(1));
}

// Of two connections into one pin, the later decides.
TEST(ChipLogic, TheLaterOfTwoConnectionsIntoAPinWins) {
    ChipLogic chip(2, {}, {{0, 1, 0, 0}, {0, 0, 0, 0}}, 2, 1);
    chip.setInput(0, true);
    chip.evaluate();
    EXPECT_TRUE(chip.output(0));
}

// A chip equals its copy until one of them runs on: a NOT fed by itself inside
// a chip of no pins differs after one more call, and again equals after two.
TEST(ChipLogic, ACopyEqualsItsChipUntilOneRunsOn) {
    ChipLogic invert(NOT_CHIP);
    invert.setId(10001);
    ChipLogic chip(2, {invert}, {{10001, 0, 10001, 0}}, 0, 0);
    for (int call = 0; call < 3; ++call) chip.evaluate();
    ChipLogic copy = chip;
    EXPECT_EQ(copy, chip);
    copy.evaluate();
    EXPECT_NE(copy, chip);
    copy.evaluate();
    EXPECT_EQ(copy, chip);
}
