#pragma once

#include "chip/ChipLogic.h"

#include <cstdint>
#include <memory>
#include <vector>

// 64 copies of a chip run side by side, each in one bit (a lane) of a 64-bit
// word per pin: one call evaluates every lane exactly as `ChipLogic::evaluate`
// evaluates the chip, the first call as a program of its own, compiled once
// for the chip's design, since every restart runs it again; so 64 input rows
// cost about what one costs. Allocates nothing after construction.
class ChipLanes {
public:
    using Word = uint64_t;
    static constexpr int32_t LANES = 64;
    static constexpr Word ALL_LANES = ~Word(0);

    // Every lane starts from the chip's pin values as they are now, at every depth.
    explicit ChipLanes(const ChipLogic& chip);

    // Every lane back to the pin values it started from, before any call.
    void restart();

    int32_t inputCount() const;
    int32_t outputCount() const;
    // Bit i of `lanes` is the input's value in lane i.
    void setInput(int32_t pin, Word lanes);
    Word output(int32_t pin) const;

    // One call in every lane; the lanes in which it changed the gate state.
    // From the second call on, a lane it leaves unchanged is at rest: every
    // later call leaves it as it is.
    Word evaluate();

    // Every lane of a chip that comes to rest does so within this many calls:
    // one per gate and per pass-through that holds a value for a call, plus one.
    int64_t restLimit() const;

private:
    // The halves of the state a call reads and writes.
    Word* found() { return state_.data() + current_; }
    Word* left();

    std::shared_ptr<const ChipLogic::Design> design_;
    std::vector<Word> startPins_;  // every pin by slot, as the lanes start
    std::vector<Word> pins_;
    // The gate state, twice, as in ChipLogic: what the last call started from and what it left.
    std::vector<Word> state_;
    uint32_t current_ = 0;  // where the half the last call left begins
    int64_t calls_ = 0;
};
