#include "chip/ChipLogic.h"
#include "chip/ReferenceChip.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// One circuit built twice: the chip under test and the plain reference.
struct Twin {
    ChipLogic logic;
    ReferenceChip reference;

    void setInput(int32_t pin, bool value) { logic.setInput(pin, value), reference.setInput(pin, value); }
    void evaluate() { logic.evaluate(), reference.evaluate(); }
};

std::vector<bool> pins(const ChipLogic& chip, bool outputs) {
    std::vector<bool> values;
    for (int32_t pin = 0; pin < (outputs ? chip.outputCount() : chip.inputCount()); ++pin)
        values.push_back(outputs ? chip.output(pin) : chip.input(pin));
    return values;
}

// Every pin, connection and sub-chip, at every depth.
::testing::AssertionResult same(const ChipLogic& logic, const ReferenceChip& reference, const std::string& path = "top") {
    if (logic.id() != reference.id || logic.kind() != reference.kind || pins(logic, false) != reference.inputs ||
        pins(logic, true) != reference.outputs || logic.connections() != reference.connections ||
        logic.subChipCount() != static_cast<int32_t>(reference.subChips.size()))
        return ::testing::AssertionFailure() << "differs at " << path;
    const std::vector<ChipLogic> subs = logic.subChips();
    for (std::size_t i = 0; i < subs.size(); ++i)
        if (auto result = same(subs[i], reference.subChips[i], path + "/" + std::to_string(i)); !result) return result;
    return ::testing::AssertionSuccess();
}

// Random circuits with everything that can go wrong in them: nesting, ids
// shared by several sub-chips or naming nothing, several connections into
// one pin, inputs wired straight to outputs, pins out of range, fresh and
// saved gates, and sub-chips that already hold values when they are built in.
class RandomCircuits {
public:
    explicit RandomCircuits(uint32_t seed) : random(seed) {}

    int32_t pick(int32_t low, int32_t high) { return std::uniform_int_distribution<int32_t>(low, high)(random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random); }

    Twin chip(int32_t depth) {
        Twin twin = depth > 0 && chance(0.7) ? composite(depth) : primitive();
        twin.reference.id = twin.logic.id();
        for (int32_t round = pick(0, 3); round > 0; --round) setInputs(twin), twin.evaluate();
        if (chance(0.3)) setInputs(twin);
        return twin;
    }

    void setInputs(Twin& twin) {
        for (int32_t pin = 0; pin < twin.logic.inputCount(); ++pin) twin.setInput(pin, chance(0.5));
    }

private:
    Twin primitive() {
        const ChipKind kind = pick(0, 2) == 2 ? pick(2, 9) : pick(0, 1);  // or a kind without pins
        if (kind > AND_CHIP || chance(0.5)) return {ChipLogic(kind), ReferenceChip(kind)};
        // As saving builds gates: every pin 0, a NOT's output too.
        return {ChipLogic(kind, {}, {}, kind + 1, 1), ReferenceChip(kind, {}, {}, kind + 1, 1)};
    }

    Twin composite(int32_t depth) {
        std::vector<ChipLogic> logicSubs;
        std::vector<ReferenceChip> referenceSubs;
        for (int32_t count = pick(0, 5); count > 0; --count) {
            Twin sub = chip(depth - 1);
            const bool repeat = !referenceSubs.empty() && chance(0.15);
            sub.reference.id = repeat ? referenceSubs[random() % referenceSubs.size()].id : drawChipId();
            sub.logic.setId(sub.reference.id);
            logicSubs.push_back(sub.logic);
            referenceSubs.push_back(sub.reference);
        }
        const int32_t inputs = pick(0, 4), outputs = pick(0, 4);
        std::vector<Connection> wires(static_cast<std::size_t>(pick(0, 3 * static_cast<int32_t>(logicSubs.size()) + 3)));
        for (Connection& wire : wires) {
            wire.fromChip = endpoint(referenceSubs);
            wire.fromPin = pin(wire.fromChip == 0 ? inputs : pick(1, 4));
            wire.toChip = endpoint(referenceSubs);
            wire.toPin = pin(wire.toChip == 0 ? outputs : pick(1, 4));
        }
        const ChipKind kind = chance(0.05) ? pick(0, 1) : pick(2, 9);  // rarely a gate holding sub-chips
        return {ChipLogic(kind, logicSubs, wires, inputs, outputs), ReferenceChip(kind, referenceSubs, wires, inputs, outputs)};
    }

    // The enclosing chip's own pins, a sub-chip, or an id that names nothing.
    int32_t endpoint(const std::vector<ReferenceChip>& subs) {
        const int32_t roll = pick(0, 9);
        if (roll < 3 || subs.empty()) return roll == 9 ? -1 : 0;
        return roll < 9 ? subs[random() % subs.size()].id : 77;
    }

    int32_t pin(int32_t count) { return chance(0.05) ? pick(-1, count + 1) : pick(0, std::max(count - 1, 0)); }

    std::mt19937 random;
};

void runAndCompare(Twin& twin, RandomCircuits& random, int32_t calls, const std::string& what) {
    for (int32_t call = 1; call <= calls; ++call) {
        random.setInputs(twin);
        twin.evaluate();
        ASSERT_TRUE(same(twin.logic, twin.reference)) << what << ", call " << call;
    }
}

}  // namespace

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
