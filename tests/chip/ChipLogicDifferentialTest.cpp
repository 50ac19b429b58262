#include "chip/ChipLogic.h"
#include "chip/CircuitBuilders.h"
#include "chip/ReferenceChip.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

// ChipLogic against the plain recursive ReferenceChip: the same circuits,
// the same inputs, and after every call the same value on every pin at every
// depth.

namespace {

struct Twin {
    ChipLogic logic;
    ReferenceChip reference;
};

::testing::AssertionResult sameChip(const ChipLogic& logic, const ReferenceChip& reference,
                                    const std::string& path) {
    auto differ = [&](const std::string& what) {
        return ::testing::AssertionFailure() << what << " differs at " << path;
    };
    if (logic.id() != reference.id) return differ("id");
    if (logic.kind() != reference.kind) return differ("kind");
    if (logic.inputCount() != static_cast<int32_t>(reference.inputs.size()))
        return differ("input count");
    if (logic.outputCount() != static_cast<int32_t>(reference.outputs.size()))
        return differ("output count");
    for (int32_t pin = 0; pin < logic.inputCount(); ++pin) {
        if (logic.input(pin) != reference.inputs[static_cast<size_t>(pin)])
            return differ("input " + std::to_string(pin));
    }
    for (int32_t pin = 0; pin < logic.outputCount(); ++pin) {
        if (logic.output(pin) != reference.outputs[static_cast<size_t>(pin)])
            return differ("output " + std::to_string(pin));
    }
    if (logic.connections() != reference.connections) return differ("connections");
    if (logic.subChipCount() != static_cast<int32_t>(reference.subChips.size()))
        return differ("sub-chip count");
    const std::vector<ChipLogic> subs = logic.subChips();
    for (size_t index = 0; index < subs.size(); ++index) {
        ::testing::AssertionResult same =
            sameChip(subs[index], reference.subChips[index], path + "/" + std::to_string(index));
        if (!same) return same;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult sameChip(const Twin& twin) {
    return sameChip(twin.logic, twin.reference, "top");
}

void setInput(ChipLogic& chip, int32_t pin, bool value) { chip.setInput(pin, value); }

void setInput(Twin& twin, int32_t pin, bool value) {
    twin.logic.setInput(pin, value);
    if (ReferenceChip::inRange(pin, twin.reference.inputs))
        twin.reference.inputs[static_cast<size_t>(pin)] = value;
}

void evaluate(Twin& twin) {
    twin.logic.evaluate();
    twin.reference.evaluate();
}

// Random circuits with everything that can go wrong in them: nesting, ids
// shared by several sub-chips, ids that name nothing, several connections
// into one pin, inputs wired straight to outputs, pins out of range, fresh
// and saved NOTs, and sub-chips that already hold values when embedded.
class RandomCircuits {
public:
    explicit RandomCircuits(uint32_t seed) : random_(seed) {}

    int32_t pick(int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random_);
    }
    bool chance(double probability) { return std::bernoulli_distribution(probability)(random_); }

    // A composite nested up to `depth` levels, or, below the top, sometimes
    // a primitive.
    Twin chip(int32_t depth, bool top = true) {
        Twin twin = top || (depth > 0 && chance(0.6)) ? composite(depth) : primitive();
        disturb(twin);
        return twin;
    }

    void setRandomInputs(Twin& twin) {
        for (int32_t pin = 0; pin < twin.logic.inputCount(); ++pin) setInput(twin, pin, chance(0.5));
    }

private:
    Twin primitive() {
        const int32_t roll = pick(0, 9);
        if (roll < 4) return withSameId(ChipLogic(NOT_CHIP), ReferenceChip(NOT_CHIP));
        if (roll < 7) return withSameId(ChipLogic(AND_CHIP), ReferenceChip(AND_CHIP));
        // As saving builds them: all pins 0, a NOT's output too.
        if (roll < 9) {
            const ChipKind kind = roll == 7 ? NOT_CHIP : AND_CHIP;
            const int32_t inputs = kind == NOT_CHIP ? 1 : 2;
            return withSameId(ChipLogic(kind, {}, {}, inputs, 1),
                              ReferenceChip(kind, {}, {}, inputs, 1));
        }
        const ChipKind pinless = pick(2, 9);
        return withSameId(ChipLogic(pinless), ReferenceChip(pinless));
    }

    Twin composite(int32_t depth) {
        std::vector<ChipLogic> logicSubs;
        std::vector<ReferenceChip> referenceSubs;
        std::vector<int32_t> ids;
        const int32_t count = pick(0, 5);
        for (int32_t index = 0; index < count; ++index) {
            Twin sub = chip(depth - 1, false);
            const int32_t id = !ids.empty() && chance(0.15)
                                   ? ids[static_cast<size_t>(pick(0, static_cast<int32_t>(ids.size()) - 1))]
                                   : FIRST_CHIP_ID + pick(0, 32767);
            sub.logic.setId(id);
            sub.reference.id = id;
            ids.push_back(id);
            logicSubs.push_back(sub.logic);
            referenceSubs.push_back(sub.reference);
        }
        const int32_t inputs = pick(0, 4), outputs = pick(0, 4);
        std::vector<Connection> wires;
        const int32_t wireCount = pick(0, 3 * count + 3);
        for (int32_t index = 0; index < wireCount; ++index) {
            Connection wire;
            wire.fromChip = endpoint(ids);
            wire.fromPin = pin(wire.fromChip == 0 ? inputs : outputCountOf(referenceSubs, wire.fromChip));
            wire.toChip = endpoint(ids);
            wire.toPin = pin(wire.toChip == 0 ? outputs : inputCountOf(referenceSubs, wire.toChip));
            wires.push_back(wire);
        }
        // Mostly composite kinds; rarely a gate kind that holds sub-chips.
        const ChipKind kind = chance(0.05) ? pick(0, 1) : pick(2, 9);
        return withSameId(ChipLogic(kind, logicSubs, wires, inputs, outputs),
                          ReferenceChip(kind, referenceSubs, wires, inputs, outputs));
    }

    static Twin withSameId(ChipLogic logic, ReferenceChip reference) {
        reference.id = logic.id();
        return Twin{std::move(logic), std::move(reference)};
    }

    // Gives the chip a past: inputs set and evaluations run before it is
    // embedded, sometimes leaving a NOT with input 0 and output 0.
    void disturb(Twin& twin) {
        const int32_t rounds = pick(0, 3);
        for (int32_t round = 0; round < rounds; ++round) {
            setRandomInputs(twin);
            evaluate(twin);
        }
        if (chance(0.3)) setRandomInputs(twin);
    }

    int32_t endpoint(const std::vector<int32_t>& ids) {
        const int32_t roll = pick(0, 9);
        if (roll < 3 || ids.empty()) return roll == 9 ? -1 : 0;
        if (roll < 9) return ids[static_cast<size_t>(pick(0, static_cast<int32_t>(ids.size()) - 1))];
        return chance(0.5) ? -1 : 77;
    }

    int32_t pin(int32_t count) {
        if (count == 0 || chance(0.04)) return pick(-2, count + 2);
        return pick(0, count - 1);
    }

    static int32_t inputCountOf(const std::vector<ReferenceChip>& subs, int32_t id) {
        for (const ReferenceChip& sub : subs) {
            if (sub.id == id) return static_cast<int32_t>(sub.inputs.size());
        }
        return 1;
    }

    static int32_t outputCountOf(const std::vector<ReferenceChip>& subs, int32_t id) {
        for (const ReferenceChip& sub : subs) {
            if (sub.id == id) return static_cast<int32_t>(sub.outputs.size());
        }
        return 1;
    }

    std::mt19937 random_;
};

// Runs `calls` calls with random inputs, comparing after each.
void runAndCompare(Twin& twin, RandomCircuits& random, int32_t calls, const std::string& what) {
    for (int32_t call = 0; call < calls; ++call) {
        random.setRandomInputs(twin);
        evaluate(twin);
        ASSERT_TRUE(sameChip(twin)) << what << ", call " << call;
    }
}

} // namespace

TEST(ChipLogicDifferential, FreshRandomCircuitsMatchTheReference) {
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        RandomCircuits random(seed);
        Twin twin = random.chip(random.pick(1, 5));
        ASSERT_TRUE(sameChip(twin)) << "seed " << seed << " as built";
        runAndCompare(twin, random, 30, "seed " + std::to_string(seed));
        if (HasFatalFailure()) return;
    }
}

TEST(ChipLogicDifferential, CopiesRunOnTheirOwn) {
    for (uint32_t seed = 1001; seed <= 1150; ++seed) {
        RandomCircuits random(seed);
        Twin twin = random.chip(random.pick(1, 5));
        runAndCompare(twin, random, random.pick(0, 5), "before copy");
        if (HasFatalFailure()) return;

        Twin copy = twin;
        runAndCompare(copy, random, 10, "copy, seed " + std::to_string(seed));
        if (HasFatalFailure()) return;
        ASSERT_TRUE(sameChip(twin)) << "original after running the copy, seed " << seed;

        Twin assigned{ChipLogic(AND_CHIP), ReferenceChip(AND_CHIP)};
        assigned = copy;
        runAndCompare(assigned, random, 5, "assigned, seed " + std::to_string(seed));
        if (HasFatalFailure()) return;
        ASSERT_TRUE(sameChip(copy)) << "copy after running the assigned one, seed " << seed;
    }
}

TEST(ChipLogicDifferential, ExtractedSubChipsRunOnTheirOwn) {
    for (uint32_t seed = 2001; seed <= 2150; ++seed) {
        RandomCircuits random(seed);
        Twin twin = random.chip(5);
        runAndCompare(twin, random, random.pick(1, 6), "before extracting");
        if (HasFatalFailure()) return;
        const auto count = static_cast<int32_t>(twin.reference.subChips.size());
        for (int32_t index = 0; index < count; ++index) {
            Twin sub{twin.logic.subChip(index),
                     twin.reference.subChips[static_cast<size_t>(index)]};
            runAndCompare(sub, random, 8,
                          "seed " + std::to_string(seed) + ", sub-chip " + std::to_string(index));
            if (HasFatalFailure()) return;
        }
        ASSERT_TRUE(sameChip(twin)) << "after running its sub-chips, seed " << seed;
    }
}

TEST(ChipLogicDifferential, WideCircuitMatchesTheReference) {
    Twin twin{circuits::wide<ChipLogic>(60), circuits::wide<ReferenceChip>(60)};
    twin.reference.id = twin.logic.id();
    RandomCircuits random(3);
    runAndCompare(twin, random, 40, "wide");
}

namespace {

Twin adderTwin(int32_t bits) {
    Twin twin{circuits::adder<ChipLogic>(bits), circuits::adder<ReferenceChip>(bits)};
    twin.reference.id = twin.logic.id();
    return twin;
}

// Longest path of an adder, in gates: the first stage's XOR and carry, the
// carry through every later stage, the last stage's sum XOR.
int32_t adderDepth(int32_t bits) { return 6 + 4 * bits + 6; }

template <class Chip>
void setOperands(Chip& chip, int32_t bits, uint64_t a, uint64_t b, bool carry) {
    for (int32_t bit = 0; bit < bits; ++bit) {
        setInput(chip, bit, ((a >> bit) & 1) != 0);
        setInput(chip, bits + bit, ((b >> bit) & 1) != 0);
    }
    setInput(chip, 2 * bits, carry);
}

// Bit `pin` of a + b + carry, where bit 64 is the carry out of 64 bits.
bool sumBit(uint64_t a, uint64_t b, bool carry, int32_t pin) {
    const uint64_t partial = a + b;
    const uint64_t low = partial + (carry ? 1 : 0);
    if (pin < 64) return ((low >> pin) & 1) != 0;
    return partial < a || low < partial;
}

} // namespace

TEST(ChipLogicDifferential, AdderMatchesTheReferenceCallByCall) {
    const int32_t bits = 8;
    Twin twin = adderTwin(bits);
    RandomCircuits random(5);
    runAndCompare(twin, random, 30, "adder with changing inputs");
    if (HasFatalFailure()) return;
    setOperands(twin, bits, 0xB7, 0x5D, true);
    for (int32_t call = 0; call < adderDepth(bits); ++call) {
        evaluate(twin);
        ASSERT_TRUE(sameChip(twin)) << "adder with held inputs, call " << call;
    }
}

// After as many calls as its longest path has gates, an adder shows the sum.
TEST(ChipLogicDifferential, AddersAdd) {
    std::mt19937_64 random(11);
    for (const int32_t bits : {1, 8, 64}) {
        ChipLogic chip = circuits::adder<ChipLogic>(bits);
        for (int32_t trial = 0; trial < 6; ++trial) {
            const uint64_t mask = bits == 64 ? ~uint64_t{0} : (uint64_t{1} << bits) - 1;
            const uint64_t a = random() & mask, b = random() & mask;
            const bool carry = (random() & 1) != 0;
            setOperands(chip, bits, a, b, carry);
            for (int32_t call = 0; call < adderDepth(bits); ++call) chip.evaluate();
            for (int32_t pin = 0; pin <= bits; ++pin) {
                EXPECT_EQ(chip.output(pin), sumBit(a, b, carry, pin))
                    << bits << " bits: " << a << " + " << b << " + " << carry << ", bit " << pin;
            }
        }
    }
}
