#pragma once

#include "chip/ChipLogic.h"
#include "storage/PinNames.h"

#include <cstdint>
#include <ostream>

// The truth table of a chip: a header of pin names (in0 in1 ... | out0 ...,
// top to bottom, or the names the pins are given), one row per input combination in counting order (in0
// changes slowest), and last the call at which the row's outputs last
// changed, or "oscillates" (see check/RowBatch.h). Rows are worked out 64 at
// a time and written as they are.
class TruthTable {
public:
    enum class Format { Text, Csv };
    // A table of 16 million rows is the largest.
    static constexpr int32_t LARGEST_INPUT_COUNT = 24;

    // The chip may have no more than LARGEST_INPUT_COUNT inputs. The calls
    // made, over all rows.
    static int64_t print(const ChipLogic& chip, Format format, std::ostream& out, const PinNames& names = {});
};
