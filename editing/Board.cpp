#include "editing/Board.h"

#include <algorithm>

std::optional<Point> Board::pinPoint(const BoardLayout& layout, int32_t chip, int32_t pin, bool source) const {
    if (chip == 0) {
        const std::size_t count = source ? inputs.size() : outputs.size();
        if (pin < 0 || static_cast<std::size_t>(pin) >= count) return std::nullopt;
        const auto at = static_cast<std::size_t>(pin);
        return source ? layout.inputPoint(at, count) : layout.outputPoint(at, count);
    }
    const Chip* found = chips.find(chip);
    if (!found || pin < 0 || pin >= (source ? found->outputCount() : found->inputCount())) return std::nullopt;
    return source ? found->outputPinPosition(pin) : found->inputPinPosition(pin);
}

void Board::step() {
    evaluateChips();
    transferAlongWires();
}

void Board::evaluateChips() {
    for (Chip& chip : chips) chip.evaluate();
}

// A source that is not on the board passes on what the wire before carried.
void Board::transferAlongWires() {
    bool carried = false;
    for (Wire& wire : wires) {
        const Connection& c = wire.connection;
        if (c.fromChip == 0) {
            carried = inputs[c.fromPin].value;
        } else if (const Chip* source = chips.find(c.fromChip)) {
            carried = source->output(c.fromPin);
        }
        wire.carry(carried);
        if (c.toChip == 0) {
            outputs[c.toPin] = carried;
            lamps[c.toPin] = carried;
        } else if (Chip* target = chips.find(c.toChip)) {
            target->setInput(c.toPin, carried);
        }
    }
}

int64_t Board::sizeAsChip() const {
    int64_t size = 1 + static_cast<int64_t>(inputs.size() + outputs.size() + wires.size());
    for (const Chip& chip : chips) size += chip.treeSize();
    return size;
}

int32_t Board::depthAsChip() const {
    int32_t depth = 1;
    for (const Chip& chip : chips) depth = std::max(depth, chip.depth() + 1);
    return depth;
}

std::size_t Board::memoryUse() const {
    constexpr std::size_t LIST_NODE = 2 * sizeof(void*);
    std::size_t bytes = sizeof(Board) + inputs.capacity() * sizeof(BoardInput) + outputs.capacity() / 8 +
                        lamps.capacity() / 8 + wires.size() * (sizeof(Wire) + LIST_NODE);
    for (const Chip& chip : chips) bytes += sizeof(Chip) + LIST_NODE + chip.ownMemory() + chip.name().size();
    return bytes;
}

std::list<Wire>::iterator Board::removeWire(std::list<Wire>::iterator wire) {
    const Connection& c = wire->connection;
    if (c.toChip == 0) {
        outputs[c.toPin] = false;
    } else if (Chip* target = chips.find(c.toChip)) {
        target->setInput(c.toPin, false);
    }
    return wires.erase(wire);
}

void Board::removeWiresWhere(const std::function<bool(const Connection&)>& attached) {
    for (auto wire = wires.begin(); wire != wires.end();)
        wire = attached(wire->connection) ? removeWire(wire) : std::next(wire);
}

const Wire* Board::wireInto(int32_t chip, int32_t pin) const {
    for (const Wire& wire : wires)
        if (wire.connection.toChip == chip && wire.connection.toPin == pin) return &wire;
    return nullptr;
}

bool operator==(const Board& a, const Board& b) {
    return a.inputs == b.inputs && a.outputs == b.outputs && a.names == b.names && a.chips == b.chips &&
           a.wires == b.wires;
}
