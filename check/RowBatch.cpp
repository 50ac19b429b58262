#include "check/RowBatch.h"

int64_t RowBatch::run(const std::vector<Word>& inputs, Start start) {
    if (start == Start::Saved) lanes_.restart();
    for (int32_t pin = 0; pin < inputCount(); ++pin) lanes_.setInput(pin, inputs[static_cast<size_t>(pin)]);
    for (int32_t pin = 0; pin < outputCount(); ++pin) outputs_[static_cast<size_t>(pin)] = lanes_.output(pin);
    lastChange_.fill(0);
    resting_ = 0;
    int64_t call = 0;
    while (resting_ != ChipLanes::ALL_LANES && call < restLimit()) {
        resting_ = ~lanes_.evaluate();  // no lane rests at the chip's first call
        ++call;
        Word outputsChanged = 0;
        for (int32_t pin = 0; pin < outputCount(); ++pin) {
            const Word now = lanes_.output(pin);
            outputsChanged |= now ^ outputs_[static_cast<size_t>(pin)];
            outputs_[static_cast<size_t>(pin)] = now;
        }
        for (Word rows = outputsChanged; rows != 0; rows &= rows - 1)
            lastChange_[static_cast<size_t>(__builtin_ctzll(rows))] = call;
    }
    return call;
}
