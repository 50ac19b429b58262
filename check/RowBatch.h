#pragma once

#include "chip/ChipLanes.h"

#include <array>
#include <cstdint>
#include <vector>

// Up to 64 input rows of a chip run side by side, one per lane. Each row
// starts from the chip as it stands (its stored pin values), or where the
// last run left its lane, takes its inputs, and is called until no gate
// changes any more, or until the rest limit has passed, when it oscillates.
class RowBatch {
public:
    using Word = ChipLanes::Word;
    static constexpr int32_t ROWS = ChipLanes::LANES;
    static constexpr int64_t OSCILLATES = -1;
    enum class Start { Saved, Continued };

    explicit RowBatch(const ChipLogic& chip) : lanes_(chip), outputs_(static_cast<size_t>(lanes_.outputCount())) {}

    int32_t inputCount() const { return lanes_.inputCount(); }
    int32_t outputCount() const { return lanes_.outputCount(); }
    int64_t restLimit() const { return lanes_.restLimit(); }

    // Bit r of `inputs[pin]` is the pin's value in row r. The calls made.
    int64_t run(const std::vector<Word>& inputs, Start start = Start::Saved);

    // After the last call.
    bool output(int32_t row, int32_t pin) const { return (outputs_[static_cast<size_t>(pin)] >> row) & 1; }
    // The call at which the row's outputs last changed (0: none did), or OSCILLATES.
    int64_t settledAt(int32_t row) const {
        return (resting_ >> row) & 1 ? lastChange_[static_cast<size_t>(row)] : OSCILLATES;
    }

private:
    ChipLanes lanes_;
    std::vector<Word> outputs_;
    std::array<int64_t, ROWS> lastChange_{};
    Word resting_ = 0;
};
