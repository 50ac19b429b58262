#include "chip/ChipLogic.h"

#include "chip/ChipDesign.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

bool pinInRange(int32_t pin, int32_t count) { return pin >= 0 && pin < count; }

int32_t primitiveInputCount(ChipKind kind) {
    if (kind == NOT_CHIP) return 1;
    if (kind == AND_CHIP) return 2;
    return 0;
}

int32_t primitiveOutputCount(ChipKind kind) {
    return kind == NOT_CHIP || kind == AND_CHIP ? 1 : 0;
}

// A chip's own input 0 is in pin slot 1, after the constant 0.
constexpr uint32_t FIRST_PIN_SLOT = 1;

} // namespace

int32_t drawChipId() { return FIRST_CHIP_ID + std::rand() % 32768; }

ChipLogic::ChipLogic(int32_t id, ChipKind kind) : id_(id), kind_(kind) {}

ChipLogic::ChipLogic(int32_t id, ChipKind kind, std::shared_ptr<const Design> design)
    : id_(id), kind_(kind), design_(std::move(design)) {
    pins_.assign(FIRST_PIN_SLOT + design_->pinCount, 0);
}

ChipLogic::ChipLogic(int32_t id, const Circuit& circuit, const std::vector<uint8_t>& pins)
    : ChipLogic(id, circuit.design_->kind, circuit.design_) {
    const size_t count = std::min(pins.size(), static_cast<size_t>(circuit.design_->pinCount));
    for (size_t index = 0; index < count; ++index) pins_[FIRST_PIN_SLOT + index] = pins[index] != 0;
}

ChipLogic::Circuit ChipLogic::circuit(ChipKind kind,
                                      const std::vector<std::pair<int32_t, Circuit>>& parts,
                                      const std::vector<Connection>& connections,
                                      int32_t inputCount, int32_t outputCount) {
    std::vector<Design::Part> designParts;
    designParts.reserve(parts.size());
    for (const auto& [id, part] : parts) designParts.push_back(Design::Part{id, 0, part.design_});
    return Circuit(Design::compose(kind, inputCount, outputCount, connections, std::move(designParts)));
}

ChipLogic::ChipLogic(ChipKind kind)
    : ChipLogic(0, kind,
                Design::primitive(kind, primitiveInputCount(kind), primitiveOutputCount(kind))) {
    if (kind == NOT_CHIP) pins_[FIRST_PIN_SLOT + 1] = 1;
    setId(drawChipId());
}

ChipLogic::ChipLogic(ChipKind kind, const std::vector<ChipLogic>& subChips,
                     const std::vector<Connection>& connections, int32_t inputCount,
                     int32_t outputCount)
    : ChipLogic(0, kind, Design::compose(kind, inputCount, outputCount, connections, Design::partsOf(subChips))) {
    for (size_t index = 0; index < subChips.size(); ++index) {
        const Design::Part& part = design_->parts[index];
        subChips[index].readPins(FIRST_PIN_SLOT, part.design->pinCount,
                                 pins_.data() + FIRST_PIN_SLOT + part.firstPin);
    }
    setId(drawChipId());
}

ChipLogic::ChipLogic(const ChipLogic&) = default;
ChipLogic& ChipLogic::operator=(const ChipLogic&) = default;

ChipLogic::ChipLogic(ChipLogic&& other) noexcept : id_(other.id_), kind_(other.kind_) {
    takeFrom(other);
}

ChipLogic& ChipLogic::operator=(ChipLogic&& other) noexcept {
    if (this != &other) {
        id_ = other.id_;
        kind_ = other.kind_;
        takeFrom(other);
    }
    return *this;
}

ChipLogic::~ChipLogic() = default;

void ChipLogic::takeFrom(ChipLogic& other) noexcept {
    phase_ = other.phase_;
    current_ = other.current_;
    design_ = std::move(other.design_);
    pins_ = std::move(other.pins_);
    slots_ = std::move(other.slots_);
    other.phase_ = Phase::AsBuilt;
    other.current_ = 0;
    other.design_.reset();
    other.pins_.clear();
    other.slots_.clear();
}

int32_t ChipLogic::id() const { return id_; }

void ChipLogic::setId(int32_t id) { id_ = id; }

ChipKind ChipLogic::kind() const { return kind_; }

int32_t ChipLogic::inputCount() const { return design_ ? design_->inputCount : 0; }

int32_t ChipLogic::outputCount() const { return design_ ? design_->outputCount : 0; }

bool ChipLogic::input(int32_t pin) const {
    if (!pinInRange(pin, inputCount())) return false;
    return pins_[FIRST_PIN_SLOT + static_cast<uint32_t>(pin)] != 0;
}

bool ChipLogic::output(int32_t pin) const {
    if (!pinInRange(pin, outputCount())) return false;
    return pins_[FIRST_PIN_SLOT + static_cast<uint32_t>(design_->inputCount + pin)] != 0;
}

void ChipLogic::setInput(int32_t pin, bool value) {
    if (!pinInRange(pin, inputCount())) return;
    pins_[FIRST_PIN_SLOT + static_cast<uint32_t>(pin)] = value ? 1 : 0;
}

void ChipLogic::setOutput(int32_t pin, bool value) {
    if (!pinInRange(pin, outputCount())) return;
    pins_[FIRST_PIN_SLOT + static_cast<uint32_t>(design_->inputCount + pin)] = value ? 1 : 0;
}

// The gate state is loaded from the pins only once they agree with the
// gates, that is after a call; until then the pins may hold anything (a
// composite showing 0 while the gate behind its output shows 1), and the
// first call evaluates them as they are.
void ChipLogic::evaluate() {
    if (!design_) return;
    prepare();
    const Design::GateProgram& program = design_->gateProgram();
    switch (phase_) {
    case Phase::AsBuilt:
        design_->runFirstCall(pins_.data());
        phase_ = Phase::Settled;
        return;
    case Phase::Settled:
        loadGateState();
        phase_ = Phase::Running;
        break;
    case Phase::Running:
        break;
    }
    program.run(pins_.data(), slots_.data() + current_, slots_.data() + otherHalf());
    current_ = otherHalf();
}

void ChipLogic::prepare() {
    if (design_ && slots_.empty())
        slots_.assign(2 * static_cast<size_t>(design_->gateProgram().slotCount), 0);
}

void ChipLogic::loadGateState() {
    design_->gateProgram().load(pins_.data(), slots_.data() + current_, slots_.data() + otherHalf());
}

// The state's two halves lie end to end: the other one starts where this one ends, or at 0.
uint32_t ChipLogic::otherHalf() const { return static_cast<uint32_t>(slots_.size() / 2) - current_; }

bool ChipLogic::pinValue(uint32_t slot) const {
    if (phase_ != Phase::Running) return pins_[slot] != 0;
    return design_->gateProgram().pinValue(slot, pins_.data(), slots_.data() + otherHalf(),
                                        slots_.data() + current_);
}

void ChipLogic::readPins(uint32_t firstSlot, uint32_t count, uint8_t* values) const {
    if (count == 0) return;  // a moved-from chip has no pins at all
    if (phase_ != Phase::Running) {
        std::memcpy(values, pins_.data() + firstSlot, count);
        return;
    }
    for (uint32_t index = 0; index < count; ++index)
        values[index] = pinValue(firstSlot + index) ? 1 : 0;
}

std::vector<uint8_t> ChipLogic::pinValues() const {
    std::vector<uint8_t> values(pins_.size(), 0);
    if (!values.empty()) readPins(FIRST_PIN_SLOT, static_cast<uint32_t>(pins_.size()) - FIRST_PIN_SLOT, values.data() + FIRST_PIN_SLOT);
    return values;
}

int32_t ChipLogic::subChipCount() const {
    return design_ ? static_cast<int32_t>(design_->parts.size()) : 0;
}

ChipLogic ChipLogic::subChip(int32_t index) const {
    if (index < 0 || index >= subChipCount()) return ChipLogic(0, NOT_CHIP);
    return extractPart(static_cast<size_t>(index));
}

std::vector<ChipLogic> ChipLogic::subChips() const {
    std::vector<ChipLogic> result;
    result.reserve(static_cast<size_t>(subChipCount()));
    for (int32_t index = 0; index < subChipCount(); ++index)
        result.push_back(extractPart(static_cast<size_t>(index)));
    return result;
}

// The part keeps its design, shared, and takes the pin values it shows now.
ChipLogic ChipLogic::extractPart(size_t index) const {
    const Design::Part& part = design_->parts[index];
    ChipLogic chip(part.id, part.design->kind, part.design);
    readPins(FIRST_PIN_SLOT + part.firstPin, part.design->pinCount,
             chip.pins_.data() + FIRST_PIN_SLOT);
    return chip;
}

std::vector<Connection> ChipLogic::connections() const {
    return design_ ? design_->connections : std::vector<Connection>();
}

int64_t ChipLogic::treeSize() const {
    if (!design_) return 1;
    return design_->chipCount + static_cast<int64_t>(design_->pinCount) + design_->connectionCount;
}

int32_t ChipLogic::depth() const { return design_ ? design_->depth : 1; }

namespace {

bool sameOwnPart(const ChipLogic::PartView& a, const ChipLogic::PartView& b, bool values) {
    if (a.kind() != b.kind() || a.inputCount() != b.inputCount() || a.outputCount() != b.outputCount() ||
        a.subChipCount() != b.subChipCount())
        return false;
    for (int32_t pin = 0; values && pin < a.inputCount(); ++pin)
        if (a.input(pin) != b.input(pin)) return false;
    for (int32_t pin = 0; values && pin < a.outputCount(); ++pin)
        if (a.output(pin) != b.output(pin)) return false;
    const ChipLogic::ConnectionRange ca = a.connections(), cb = b.connections();
    return std::equal(ca.begin(), ca.end(), cb.begin(), cb.end());
}

// Both trees side by side, in pre-order, without recursion; the roots' ids
// are compared by the caller. A circuit never changes, so two parts on the
// same one differ in their pin values alone.
bool sameTree(const ChipLogic::PartView& a, const ChipLogic::PartView& b, bool values) {
    std::vector<std::pair<ChipLogic::PartView, ChipLogic::PartView>> pending{{a, b}};
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        if (!values && x.circuit() == y.circuit() && x.kind() == y.kind()) continue;
        if (!sameOwnPart(x, y, values)) return false;
        for (int32_t index = 0; index < x.subChipCount(); ++index) {
            if (x.subChip(index).id() != y.subChip(index).id()) return false;
            pending.emplace_back(x.subChip(index), y.subChip(index));
        }
    }
    return true;
}

}  // namespace

// Copies that have not run since they were copied share their circuit and
// hold the same pins, and every value is in the pins: that settles it at once.
bool operator==(const ChipLogic& a, const ChipLogic& b) {
    if (a.id_ != b.id_) return false;
    const bool valuesInPins = a.phase_ != ChipLogic::Phase::Running && b.phase_ != ChipLogic::Phase::Running;
    if (valuesInPins && a.design_ == b.design_ && a.kind_ == b.kind_ && a.pins_ == b.pins_) return true;
    return sameTree(a.part(), b.part(), true);
}

bool ChipLogic::hasSameCircuit(const ChipLogic& other) const { return sameTree(part(), other.part(), false); }

bool ChipLogic::PartView::hasSameCircuit(const PartView& other) const { return sameTree(*this, other, false); }

ChipLogic::PartView ChipLogic::part() const {
    return PartView(*this, design_.get(), id_, kind_, FIRST_PIN_SLOT);
}

ChipLogic::PartView::PartView(const ChipLogic& chip, const Design* design, int32_t id,
                              ChipKind kind, uint32_t firstSlot)
    : chip_(&chip), design_(design), id_(id), kind_(kind), firstSlot_(firstSlot) {}

int32_t ChipLogic::PartView::inputCount() const { return design_ ? design_->inputCount : 0; }

int32_t ChipLogic::PartView::outputCount() const { return design_ ? design_->outputCount : 0; }

bool ChipLogic::PartView::input(int32_t pin) const {
    if (!pinInRange(pin, inputCount())) return false;
    return chip_->pinValue(firstSlot_ + static_cast<uint32_t>(pin));
}

bool ChipLogic::PartView::output(int32_t pin) const {
    if (!pinInRange(pin, outputCount())) return false;
    return chip_->pinValue(firstSlot_ + static_cast<uint32_t>(design_->inputCount + pin));
}

int32_t ChipLogic::PartView::subChipCount() const {
    return design_ ? static_cast<int32_t>(design_->parts.size()) : 0;
}

ChipLogic::PartView ChipLogic::PartView::subChip(int32_t index) const {
    if (index < 0 || index >= subChipCount()) return PartView(*chip_, nullptr, 0, NOT_CHIP, 0);
    const Design::Part& part = design_->parts[static_cast<size_t>(index)];
    return PartView(*chip_, part.design.get(), part.id, part.design->kind,
                    firstSlot_ + part.firstPin);
}

ChipLogic::ConnectionRange ChipLogic::PartView::connections() const {
    if (!design_) return ConnectionRange(nullptr, nullptr);
    const Connection* first = design_->connections.data();
    return ConnectionRange(first, first + design_->connections.size());
}
