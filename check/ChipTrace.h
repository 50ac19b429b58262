#pragma once

#include "chip/ChipLogic.h"
#include "storage/PinNames.h"
#include "storage/SignalRecord.h"

#include <string>
#include <vector>

// A saved chip run on its own, a step at a time, as on the board with a
// switch wired to each input and a lamp to each output. A board frame
// evaluates every chip and then carries values along the wires, so each
// step here calls `evaluate` once, from the inputs the step before set (the
// chip's saved inputs at the first step), and then sets the inputs to the
// step's row. The step records the row and the outputs that call left: the
// switches and lamps at the end of that frame. So a change on an input shows
// on an output whose path passes k gates k steps later, as a lamp shows it k
// frames after its switch changes.
class ChipTrace {
public:
    // Longer traces are refused: a VCD of more would take gigabytes.
    static constexpr int64_t MOST_STEPS = 10'000'000;

    // `steps` steps of a copy of `chip`, inputs then outputs, each named by
    // its pin's name, else in0 or out0: row i at step i, the last row held
    // (no row at all for a chip without inputs).
    static SignalRecord run(ChipLogic chip, const std::vector<std::vector<bool>>& rows, int64_t steps,
                            const PinNames& names = {});
};
