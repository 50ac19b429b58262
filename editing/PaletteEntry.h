#pragma once

#include "chip/Chip.h"
#include "storage/LibraryFile.h"

#include <memory>
#include <utility>

// A chip in the palette: what placing it copies onto the board, the names of
// its pins and, for a chip saved in the editor, the board it was saved from,
// so that it can be opened and changed again. The board is shared by copies
// of the palette.
class PaletteEntry : public Chip {
public:
    using Chip::Chip;
    explicit PaletteEntry(Chip chip, std::shared_ptr<const KeptBoard> board = nullptr, PinNames pins = {})
        : Chip(std::move(chip)), savedBoard_(std::move(board)), pins_(std::move(pins)) {}

    // None for NOT and AND, and for a chip whose board was not kept.
    const std::shared_ptr<const KeptBoard>& savedBoard() const { return savedBoard_; }
    const PinNames& pinNames() const { return pins_; }

    // The same entry, where it stands and under its name, on new logic saved
    // from `board`.
    PaletteEntry rebuilt(ChipLogic logic, std::shared_ptr<const KeptBoard> board) const {
        PaletteEntry entry = *this;
        static_cast<ChipLogic&>(entry) = std::move(logic);
        entry.savedBoard_ = std::move(board);
        return entry;
    }

    friend bool operator==(const PaletteEntry& a, const PaletteEntry& b) {
        return static_cast<const Chip&>(a) == static_cast<const Chip&>(b) && a.pins_ == b.pins_ &&
               (a.savedBoard_ == b.savedBoard_ || (a.savedBoard_ && b.savedBoard_ && *a.savedBoard_ == *b.savedBoard_));
    }
    friend bool operator!=(const PaletteEntry& a, const PaletteEntry& b) { return !(a == b); }

private:
    std::shared_ptr<const KeptBoard> savedBoard_;
    PinNames pins_;
};
