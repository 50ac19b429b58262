#pragma once

#include "editing/Board.h"
#include "storage/PinNames.h"
#include "storage/SignalRecord.h"

#include <cstdint>
#include <vector>

// What the board's switches and lamps did over the last steps, a bit per pin
// and step: the inputs, then the outputs, each named by its pin's name, else
// in0 or out0. Pins come and go between steps; each keeps its history by its
// place, so a pin added has none, and one taken away takes its own with it.
class BoardRecord {
public:
    static constexpr int64_t STEPS = 100'000;

    explicit BoardRecord(int64_t steps = STEPS) : record_(steps) {}

    const SignalRecord& signals() const { return record_; }

    // The record's signals made the board's pins, by place, with their names.
    void follow(const Board& board);
    // A step, after it ran: the inputs as its wires carried them, the values
    // the circuit saw, and the outputs as they left them. Allocates nothing
    // while the pins stay.
    void append(const Board& board);
    // Starts anew, for another circuit: its steps were of the board before.
    void restart() { *this = BoardRecord(record_.capacity()); }

private:
    SignalRecord record_;
    int32_t inputs_ = 0;  // the first signals
    PinNames names_;      // as last followed
    std::vector<bool> column_;
};
