#pragma once

#include "chip/ChipLogic.h"

// Chips small enough to check by eye, saved as the editor saves them: every
// pin 0, a NOT's output too.
namespace small {

constexpr int32_t A = 10001, B = 10002, C = 10003;

inline ChipLogic withId(ChipLogic chip, int32_t id) {
    chip.setId(id);
    return chip;
}

inline ChipLogic savedNot() { return ChipLogic(NOT_CHIP, {}, {}, 1, 1); }

inline ChipLogic nand() {
    return ChipLogic(2, {withId(ChipLogic(AND_CHIP), A), withId(savedNot(), B)},
                     {{0, 0, A, 0}, {0, 1, A, 1}, {A, 0, B, 0}, {B, 0, 0, 0}}, 2, 1);
}

// Two NANDs, each feeding the other: inputs set (0 sets) and reset (0
// resets), outputs q and not q.
inline ChipLogic latch() {
    return ChipLogic(2, {withId(nand(), A), withId(nand(), B)},
                     {{0, 0, A, 0}, {B, 0, A, 1}, {0, 1, B, 0}, {A, 0, B, 1}, {A, 0, 0, 0}, {B, 0, 0, 1}}, 2, 2);
}

}  // namespace small
