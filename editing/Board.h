#pragma once

#include "editing/BoardChips.h"
#include "editing/BoardInput.h"
#include "editing/BoardLayout.h"
#include "editing/Wire.h"
#include "storage/PinNames.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <optional>
#include <vector>

// What the user edits: the board's input switches and output lamps, the chips
// placed on it and the wires between them. A value: copied for undo, compared,
// written to the library file and read back. Chips share their inner circuits,
// so a copy costs about a byte per pin.
//
// Beside the value, a board holds how it is shown, which comparing leaves out:
// where each chip's pins and each wire's ends were last laid out, the shades
// of the wires and which lamps are lit.
class Board {
public:
    std::vector<BoardInput> inputs{BoardInput{}};  // never fewer than one
    std::vector<bool> outputs{false};              // the lamps' values; never fewer than one
    std::vector<bool> lamps{false};                // lit as last shown, one per output
    PinNames names;                                // of the inputs and outputs, saved as the chip's
    BoardChips chips;
    std::list<Wire> wires;  // complete ones, in creation order

    // One step of the circuit: every chip computes its outputs from what the
    // wires delivered in the step before, then every wire carries its
    // source's value to its target, so a change moves one chip a step.
    void step();

    // Lamps show what their wires carried, and are dark without one.
    void showLamps() { lamps = outputs; }

    // What the board would weigh saved as a chip: itself, its pins, its wires
    // and its chips at every depth.
    int64_t sizeAsChip() const;
    // How deep it would nest saved as a chip: one level above its deepest chip.
    int32_t depthAsChip() const;

    // About what a copy of the board takes in memory.
    std::size_t memoryUse() const;

    // Removes the wire, clearing the pin it fed; the wire after it.
    std::list<Wire>::iterator removeWire(std::list<Wire>::iterator wire);
    // Removes every wire whose connection matches, as removing each would.
    void removeWiresWhere(const std::function<bool(const Connection&)>& attached);
    // The wire that feeds this chip input or board output (chip 0), if any.
    const Wire* wireInto(int32_t chip, int32_t pin) const;
    // Where a wire's source (a chip's output, or a board input: chip 0) or
    // target (a chip's input, or a lamp) stands; none when there is no such pin.
    std::optional<Point> pinPoint(const BoardLayout& layout, int32_t chip, int32_t pin, bool source) const;

    friend bool operator==(const Board& a, const Board& b);
    friend bool operator!=(const Board& a, const Board& b) { return !(a == b); }

private:
    void evaluateChips();
    void transferAlongWires();
};
