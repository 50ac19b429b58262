#include "editing/KeptBoards.h"

#include <algorithm>

void KeptBoards::remember(const std::shared_ptr<const KeptBoard>& board) {
    if (!board) return;
    boards_.erase(std::remove_if(boards_.begin(), boards_.end(), [](const auto& known) { return known.expired(); }),
                  boards_.end());
    boards_.push_back(board);
}

std::shared_ptr<const KeptBoard> KeptBoards::find(ChipLogic::PartView chip) const {
    for (auto known = boards_.rbegin(); known != boards_.rend(); ++known)
        if (const std::shared_ptr<const KeptBoard> board = known->lock(); board && savedFrom(chip, *board)) return board;
    return nullptr;
}

bool KeptBoards::savedFrom(ChipLogic::PartView chip, const KeptBoard& board) {
    const auto count = [](const auto& items) { return static_cast<int32_t>(items.size()); };
    const ChipLogic::ConnectionRange links = chip.connections();
    if (chip.inputCount() != count(board.inputs) || chip.outputCount() != count(board.outputs) ||
        chip.subChipCount() != count(board.chips) || links.size() < board.wires.size() ||
        links.size() > board.wires.size() + 1 || !std::equal(board.wires.begin(), board.wires.end(), links.begin()))
        return false;
    for (int32_t index = 0; index < chip.subChipCount(); ++index) {
        const ChipLogic::PartView part = chip.subChip(index);
        const ChipLogic& placed = board.chips[static_cast<std::size_t>(index)].logic;
        if (part.id() != placed.id() || !part.hasSameCircuit(placed.part())) return false;
    }
    return true;
}
