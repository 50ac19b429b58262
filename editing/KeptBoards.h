#pragma once

#include "storage/LibraryFile.h"

#include <memory>
#include <vector>

// The boards that saved chips were saved from, for as long as anything holds
// them (the palette, the undo history, a view inside a chip): a chip, on the
// board or inside another chip, finds the board of its circuit here, even
// after the palette entry it was placed from was replaced or removed.
class KeptBoards {
public:
    void remember(const std::shared_ptr<const KeptBoard>& board);

    // The board a chip of this circuit was saved from, the latest remembered
    // first; none when no board remembered makes one.
    std::shared_ptr<const KeptBoard> find(ChipLogic::PartView chip) const;

    // Whether saving the board makes a chip of this circuit: as many inputs
    // and outputs, its chips the chip's sub-chips in order, by id and circuit,
    // and its wires the chip's connections in order (a wire under way at the
    // save may have become one more).
    static bool savedFrom(ChipLogic::PartView chip, const KeptBoard& board);

private:
    std::vector<std::weak_ptr<const KeptBoard>> boards_;
};
