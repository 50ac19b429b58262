#include "chip/ChipLanes.h"

#include "chip/ChipDesign.h"

#include <algorithm>

ChipLanes::ChipLanes(const ChipLogic& chip)
    : design_(chip.compiledDesign() ? chip.compiledDesign() : ChipLogic::Design::primitive(chip.kind(), 0, 0)) {
    for (const uint8_t value : chip.pinValues()) startPins_.push_back(value ? ALL_LANES : 0);
    startPins_.resize(1 + static_cast<size_t>(design_->pinCount), 0);
    state_.assign(2 * static_cast<size_t>(design_->gateProgram().slotCount), 0);
    design_->firstCallProgram();  // compiled now, so that no call allocates
    restart();
}

void ChipLanes::restart() {
    pins_ = startPins_;
    calls_ = 0;
}

int32_t ChipLanes::inputCount() const { return design_->inputCount; }

int32_t ChipLanes::outputCount() const { return design_->outputCount; }

// A chip's own input 0 is in pin slot 1, after the constant 0; its outputs follow its inputs.
void ChipLanes::setInput(int32_t pin, Word lanes) {
    if (pin >= 0 && pin < inputCount()) pins_[1 + static_cast<uint32_t>(pin)] = lanes;
}

ChipLanes::Word ChipLanes::output(int32_t pin) const {
    return pin >= 0 && pin < outputCount() ? pins_[1 + static_cast<uint32_t>(inputCount() + pin)] : 0;
}

ChipLanes::Word* ChipLanes::left() { return state_.data() + design_->gateProgram().slotCount - current_; }

// As in ChipLogic, the first call runs on the pins as they are, however they
// disagree; the gate state is loaded once they agree, after it.
ChipLanes::Word ChipLanes::evaluate() {
    const ChipLogic::Design::GateProgram& program = design_->gateProgram();
    if (calls_++ == 0) {
        design_->firstCallProgram().run(pins_.data());
        current_ = 0;
        program.load(pins_.data(), found(), left());
        return ALL_LANES;
    }
    program.run(pins_.data(), found(), left());
    Word changed = 0;
    const Word* before = found();
    const Word* after = left();
    for (uint32_t slot = program.notBase; slot < program.slotCount; ++slot) changed |= before[slot] ^ after[slot];
    current_ = program.slotCount - current_;
    return changed;
}

int64_t ChipLanes::restLimit() const {
    const ChipLogic::Design::GateProgram& program = design_->gateProgram();
    return std::max<int64_t>(2, static_cast<int64_t>(program.notInputs.size() + program.andInputs.size() +
                                                     program.latches.size()) + 1);
}
