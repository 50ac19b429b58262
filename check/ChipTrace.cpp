#include "check/ChipTrace.h"

#include <algorithm>

SignalRecord ChipTrace::run(ChipLogic chip, const std::vector<std::vector<bool>>& rows, int64_t steps,
                            const PinNames& names) {
    SignalRecord record(steps);
    const int32_t inputs = chip.inputCount(), outputs = chip.outputCount();
    for (int32_t pin = 0; pin < inputs; ++pin) record.addSignal(names.called(false, static_cast<size_t>(pin)));
    for (int32_t pin = 0; pin < outputs; ++pin) record.addSignal(names.called(true, static_cast<size_t>(pin)));
    std::vector<bool> column(static_cast<size_t>(inputs + outputs));
    for (size_t step = 0; step < static_cast<size_t>(steps); ++step) {
        chip.evaluate();
        if (!rows.empty()) {
            const std::vector<bool>& row = rows[std::min(step, rows.size() - 1)];
            for (int32_t pin = 0; pin < inputs; ++pin) chip.setInput(pin, row[static_cast<size_t>(pin)]);
        }
        for (int32_t pin = 0; pin < inputs; ++pin) column[static_cast<size_t>(pin)] = chip.input(pin);
        for (int32_t pin = 0; pin < outputs; ++pin) column[static_cast<size_t>(inputs + pin)] = chip.output(pin);
        record.append(column);
    }
    return record;
}
