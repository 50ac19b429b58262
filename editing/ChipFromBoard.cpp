#include "editing/ChipFromBoard.h"

#include <algorithm>

namespace {

// Board chip ids stay, so the copied wires find their sub-chips; pin values
// are not carried over.
std::vector<ChipLogic> snapshotChips(const std::vector<KeptBoard::PlacedChip>& chips) {
    std::vector<ChipLogic> parts;
    parts.reserve(chips.size());
    for (const KeptBoard::PlacedChip& placed : chips) {
        const ChipLogic& chip = placed.logic;
        parts.emplace_back(chip.kind(), chip.subChips(), chip.connections(), chip.inputCount(), chip.outputCount());
        parts.back().setId(chip.id());
    }
    return parts;
}

// Board pins become the chip's own pins unchanged: id 0 names them in both.
std::vector<Connection> snapshotWires(const std::vector<Connection>& wires, const std::optional<Connection>& underWay) {
    std::vector<Connection> links;
    links.reserve(wires.size() + 1);
    links.insert(links.end(), wires.begin(), wires.end());
    if (underWay) links.push_back(*underWay);
    return links;
}

}  // namespace

ChipLogic chipFromBoard(const KeptBoard& board, ChipKind kind, const std::optional<Connection>& wireUnderWay) {
    return ChipLogic(kind, snapshotChips(board.chips), snapshotWires(board.wires, wireUnderWay),
                     static_cast<int32_t>(board.inputs.size()), static_cast<int32_t>(board.outputs.size()));
}

int64_t sizeAsChip(const KeptBoard& board) {
    int64_t size = 1 + static_cast<int64_t>(board.inputs.size() + board.outputs.size() + board.wires.size());
    for (const KeptBoard::PlacedChip& placed : board.chips) size += placed.logic.treeSize();
    return size;
}

int32_t depthAsChip(const KeptBoard& board) {
    int32_t depth = 1;
    for (const KeptBoard::PlacedChip& placed : board.chips) depth = std::max(depth, placed.logic.depth() + 1);
    return depth;
}
