#include "chip/RandomCircuits.h"
#include "editing/CircuitNumbers.h"
#include "storage/LibraryFile.h"

namespace {

// The chip with one thing changed, at its own level or deeper: a sub-chip's
// id, a connection or a pin count.
ChipLogic changedSomewhere(const ChipLogic& chip, RandomCircuits& random) {
    std::vector<ChipLogic> subs = chip.subChips();
    std::vector<Connection> connections = chip.connections();
    const auto any = [&random](std::size_t count) { return static_cast<std::size_t>(random.pick(0, static_cast<int32_t>(count) - 1)); };
    int32_t what = random.pick(0, 3);
    if ((subs.empty() && what < 2) || (connections.empty() && what == 2)) what = 3;
    if (what == 0) {
        const std::size_t sub = any(subs.size());
        subs[sub] = changedSomewhere(subs[sub], random);
    }
    if (what == 1) subs[any(subs.size())].setId(LAST_CHIP_ID + 1);
    if (what == 2) ++connections[any(connections.size())].toPin;
    ChipLogic changed(chip.kind(), subs, connections, chip.inputCount(), chip.outputCount() + (what == 3));
    changed.setId(chip.id());
    return changed;
}

}  // namespace

// Two chips have the same number exactly when they have the same circuit: a
// random chip and its copy read back from a library text, which shares no
// design with it, and the chip changed in one place at some depth.
TEST(CircuitNumbers, NumbersAgreeWithComparingCircuits) {
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        RandomCircuits random(seed);
        const ChipLogic chip = random.chip(random.pick(1, 5)).logic;
        const ChipLogic read = LibraryFile::parse(LibraryFile::format({{{"C", chip}}, {}, ""}), "random.json").chips.at(0).chip;
        const ChipLogic changed = changedSomewhere(chip, random);
        CircuitNumbers numbers;
        EXPECT_TRUE(chip.hasSameCircuit(read) && numbers.of(chip) == numbers.of(read)) << seed;
        EXPECT_FALSE(chip.hasSameCircuit(changed) || numbers.of(chip) == numbers.of(changed)) << seed;
    }
}
