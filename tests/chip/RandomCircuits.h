#pragma once

#include "chip/ChipLogic.h"
#include "chip/ReferenceChip.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

// Random circuits, each built twice, as the chip under test and as the plain
// reference, and the means to run and compare the two.


// One circuit built twice: the chip under test and the plain reference.
struct Twin {
    ChipLogic logic;
    ReferenceChip reference;

    void setInput(int32_t pin, bool value) { logic.setInput(pin, value), reference.setInput(pin, value); }
    void evaluate() { logic.evaluate(), reference.evaluate(); }
};

inline std::vector<bool> pins(const ChipLogic& chip, bool outputs) {
    std::vector<bool> values;
    for (int32_t pin = 0; pin < (outputs ? chip.outputCount() : chip.inputCount()); ++pin)
        values.push_back(outputs ? chip.output(pin) : chip.input(pin));
    return values;
}

// Every pin, connection and sub-chip, at every depth.
inline ::testing::AssertionResult same(const ChipLogic& logic, const ReferenceChip& reference, const std::string& path = "top") {
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
// saved gates, sub-chips that already hold values when they are built in,
// and copies of one sub-chip side by side, sharing its circuit.
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
            const bool copy = !logicSubs.empty() && chance(0.2);
            const std::size_t copied = copy ? random() % logicSubs.size() : 0;
            Twin sub = copy ? Twin{logicSubs[copied], referenceSubs[copied]} : chip(depth - 1);
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

inline void runAndCompare(Twin& twin, RandomCircuits& random, int32_t calls, const std::string& what) {
    for (int32_t call = 1; call <= calls; ++call) {
        random.setInputs(twin);
        twin.evaluate();
        ASSERT_TRUE(same(twin.logic, twin.reference)) << what << ", call " << call;
    }
}

