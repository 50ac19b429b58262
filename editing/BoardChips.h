#pragma once

#include "chip/Chip.h"

#include <cstdint>
#include <functional>
#include <list>
#include <vector>

// The chips on the board, in placement order (which is also the drawing order
// and the order of every hit test), with an index from id to chip. A placed
// chip gets an id no other board chip has while any is left, so a wire
// reaches the chip it was drawn to; only a board of more chips than ids
// repeats one, and then the chip placed first with an id is the one found.
// The index is a table over the whole id range: a frame looks chips up for
// every wire several times, and one memory access each keeps that cheap. It
// is made when first asked for, so a copy kept for undo costs only its chips.
class BoardChips {
public:
    using iterator = std::list<Chip>::iterator;
    using const_iterator = std::list<Chip>::const_iterator;

    // Ids come from `drawId`, each within the `idCount` ids from FIRST_CHIP_ID.
    explicit BoardChips(std::function<int32_t()> drawId = drawChipId, int32_t idCount = LAST_CHIP_ID - FIRST_CHIP_ID + 1);
    BoardChips(const BoardChips& other);
    BoardChips(BoardChips&&) noexcept = default;  // a list's elements stay where they are
    BoardChips& operator=(const BoardChips& other);
    BoardChips& operator=(BoardChips&&) noexcept = default;

    // Appends a copy of `chip` under a fresh id that no board chip has.
    Chip& place(const Chip& chip);
    // Appends the chip as it is, its id included.
    Chip& add(Chip chip);
    // Removes this very chip, which must be on the board.
    void remove(const Chip& chip);

    // The first chip in placement order with the id.
    Chip* find(int32_t id);
    const Chip* find(int32_t id) const;

    // The first chip in placement order whose body holds the point.
    const Chip* at(Point point) const;

    std::size_t size() const { return chips.size(); }
    bool empty() const { return chips.empty(); }
    iterator begin() { return chips.begin(); }
    iterator end() { return chips.end(); }
    const_iterator begin() const { return chips.begin(); }
    const_iterator end() const { return chips.end(); }

    friend bool operator==(const BoardChips& a, const BoardChips& b) { return a.chips == b.chips; }
    friend bool operator!=(const BoardChips& a, const BoardChips& b) { return !(a == b); }

private:
    struct IdUse {
        Chip* first = nullptr;  // in placement order
        int32_t chips = 0;
    };

    bool inRange(int32_t id) const { return id >= FIRST_CHIP_ID && id - FIRST_CHIP_ID < idCount; }
    IdUse& use(int32_t id) const;
    void index(Chip& chip) const;
    int32_t drawUnusedId() const;

    std::function<int32_t()> drawId;
    int32_t idCount;
    std::list<Chip> chips;
    // By id - FIRST_CHIP_ID; empty until first needed.
    mutable std::vector<IdUse> byId;
    mutable int32_t idsInUse = 0;
};
