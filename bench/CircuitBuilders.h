#pragma once

#include "chip/ChipLogic.h"
#include "chip/ReferenceChip.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Circuits built from NOT and AND only, the same way for ChipLogic and for
// ReferenceChip, so the two can be run side by side. Sub-chip ids are set
// explicitly (from FIRST_CHIP_ID on, within each composite), never drawn.
namespace circuits {

constexpr ChipKind NAND_KIND = 2;
constexpr ChipKind XOR_KIND = 3;
constexpr ChipKind FULL_ADDER_KIND = 4;
constexpr ChipKind ADDER_KIND = 5;
constexpr ChipKind WIDE_KIND = 6;

constexpr int64_t NAND_GATES = 2;
constexpr int64_t XOR_GATES = 4 * NAND_GATES;
constexpr int64_t FULL_ADDER_GATES = 2 * XOR_GATES + 3 * NAND_GATES;

inline void setChipId(ChipLogic& chip, int32_t id) { chip.setId(id); }
inline void setChipId(ReferenceChip& chip, int32_t id) { chip.id = id; }

template <class Chip>
Chip withId(Chip chip, int32_t id) {
    setChipId(chip, id);
    return chip;
}

// Inputs a, b; output NOT (a AND b).
template <class Chip>
Chip nand() {
    const int32_t gate = FIRST_CHIP_ID;
    const int32_t invert = FIRST_CHIP_ID + 1;
    return Chip(NAND_KIND, {withId(Chip(AND_CHIP), gate), withId(Chip(NOT_CHIP), invert)},
                {{0, 0, gate, 0}, {0, 1, gate, 1}, {gate, 0, invert, 0}, {invert, 0, 0, 0}}, 2, 1);
}

// Inputs a, b; output a XOR b, from four NANDs.
template <class Chip>
Chip xorGate() {
    const int32_t n1 = FIRST_CHIP_ID, n2 = n1 + 1, n3 = n1 + 2, n4 = n1 + 3;
    return Chip(XOR_KIND,
                {withId(nand<Chip>(), n1), withId(nand<Chip>(), n2), withId(nand<Chip>(), n3),
                 withId(nand<Chip>(), n4)},
                {{0, 0, n1, 0},
                 {0, 1, n1, 1},
                 {0, 0, n2, 0},
                 {n1, 0, n2, 1},
                 {0, 1, n3, 0},
                 {n1, 0, n3, 1},
                 {n2, 0, n4, 0},
                 {n3, 0, n4, 1},
                 {n4, 0, 0, 0}},
                2, 1);
}

// Inputs a, b, carry in; outputs sum, carry out.
// sum = XOR(XOR(a, b), cin), carry = NAND(NAND(a, b), NAND(XOR(a, b), cin)).
template <class Chip>
Chip fullAdder() {
    const int32_t halfSum = FIRST_CHIP_ID, sum = halfSum + 1, bothSet = halfSum + 2,
                  carried = halfSum + 3, carry = halfSum + 4;
    return Chip(FULL_ADDER_KIND,
                {withId(xorGate<Chip>(), halfSum), withId(xorGate<Chip>(), sum),
                 withId(nand<Chip>(), bothSet), withId(nand<Chip>(), carried),
                 withId(nand<Chip>(), carry)},
                {{0, 0, halfSum, 0},
                 {0, 1, halfSum, 1},
                 {halfSum, 0, sum, 0},
                 {0, 2, sum, 1},
                 {0, 0, bothSet, 0},
                 {0, 1, bothSet, 1},
                 {halfSum, 0, carried, 0},
                 {0, 2, carried, 1},
                 {bothSet, 0, carry, 0},
                 {carried, 0, carry, 1},
                 {sum, 0, 0, 0},
                 {carry, 0, 0, 1}},
                3, 2);
}

// `count` copies of `chip`, numbered from FIRST_CHIP_ID on.
template <class Chip>
std::vector<Chip> numberedCopies(const Chip& chip, int32_t count) {
    std::vector<Chip> copies(static_cast<std::size_t>(count), chip);
    for (int32_t index = 0; index < count; ++index)
        setChipId(copies[static_cast<std::size_t>(index)], FIRST_CHIP_ID + index);
    return copies;
}

// Ripple-carry adder of `bits` full adders. Inputs: a0..a(n-1), then
// b0..b(n-1), then the carry in; outputs: sum bits 0..n-1, then the carry out.
template <class Chip>
Chip adder(int32_t bits) {
    std::vector<Connection> wires;
    for (int32_t bit = 0; bit < bits; ++bit) {
        const int32_t id = FIRST_CHIP_ID + bit;
        wires.push_back({0, bit, id, 0});
        wires.push_back({0, bits + bit, id, 1});
        wires.push_back(bit == 0 ? Connection{0, 2 * bits, id, 2} : Connection{id - 1, 1, id, 2});
        wires.push_back({id, 0, 0, bit});
    }
    wires.push_back({FIRST_CHIP_ID + bits - 1, 1, 0, bits});
    return Chip(ADDER_KIND, numberedCopies(fullAdder<Chip>(), bits), wires, 2 * bits + 1,
                bits + 1);
}

inline int64_t adderGates(int32_t bits) { return FULL_ADDER_GATES * bits; }

// `count` NANDs side by side in one composite, about two connections each:
// NAND i reads NAND i-1 and a NAND scattered over the row (NAND 0 reads the
// two inputs); the last NAND drives the output.
template <class Chip>
Chip wide(int32_t count) {
    std::vector<Connection> wires{{0, 0, FIRST_CHIP_ID, 0}, {0, 1, FIRST_CHIP_ID, 1}};
    for (int32_t index = 1; index < count; ++index) {
        const int32_t id = FIRST_CHIP_ID + index;
        const auto partner = static_cast<int32_t>((int64_t{index} * 7919 + 13) % count);
        wires.push_back({id - 1, 0, id, 0});
        wires.push_back({FIRST_CHIP_ID + partner, 0, id, 1});
    }
    wires.push_back({FIRST_CHIP_ID + count - 1, 0, 0, 0});
    return Chip(WIDE_KIND, numberedCopies(nand<Chip>(), count), wires, 2, 1);
}

inline int64_t wideGates(int32_t count) { return NAND_GATES * count; }

} // namespace circuits
