#include "editing/Board.h"

#include <algorithm>

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
                        wires.size() * (sizeof(Wire) + LIST_NODE);
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

bool operator==(const Board& a, const Board& b) {
    return a.inputs == b.inputs && a.outputs == b.outputs && a.chips == b.chips && a.wires == b.wires;
}
