#pragma once

#include "editing/BoardChips.h"
#include "editing/BoardInput.h"
#include "editing/Wire.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <vector>

// What the user edits: the board's input switches and output lamps, the chips
// placed on it and the wires between them. A value: copied for undo, compared,
// written to the library file and read back. Chips share their inner circuits,
// so a copy costs about a byte per pin.
class Board {
public:
    std::vector<BoardInput> inputs{BoardInput{}};  // never fewer than one
    std::vector<bool> outputs{false};              // the lamps' values; never fewer than one
    BoardChips chips;
    std::list<Wire> wires;  // in creation order; a wire under way is the last

    // What the board would weigh saved as a chip: itself, its pins, its wires
    // and its chips at every depth.
    int64_t sizeAsChip() const;
    // How deep it would nest saved as a chip: one level above its deepest chip.
    int32_t depthAsChip() const;

    // About what a copy of the board takes in memory.
    std::size_t memoryUse() const;

    // Removes the wire, clearing the pin it fed; the wire after it.
    std::list<Wire>::iterator removeWire(std::list<Wire>::iterator wire);

    friend bool operator==(const Board& a, const Board& b);
    friend bool operator!=(const Board& a, const Board& b) { return !(a == b); }
};
