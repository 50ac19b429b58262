#pragma once

#include "chip/Chip.h"

#include <cstdint>
#include <list>
#include <vector>

// The chips on the board, in placement order (which is also the drawing order
// and the order of every hit test), with an index from id to chip. Ids on the
// board are kept unique, so a wire always reaches the chip it was drawn to.
// The index is a table over the whole id range: a frame looks chips up for
// every wire several times, and one memory access each keeps that cheap.
class BoardChips {
public:
    using iterator = std::list<Chip>::iterator;
    using const_iterator = std::list<Chip>::const_iterator;

    // Appends a copy of `chip` under a fresh id that no board chip has.
    Chip& place(const Chip& chip);
    void remove(int32_t id);

    Chip* find(int32_t id);
    const Chip* find(int32_t id) const;

    // The first chip in placement order whose body holds the point.
    Chip* at(sf::Vector2f point);

    // An id no chip on the board has, drawn at random while any is left.
    int32_t drawUnusedId() const;

    std::size_t size() const { return chips.size(); }
    bool empty() const { return chips.empty(); }
    iterator begin() { return chips.begin(); }
    iterator end() { return chips.end(); }
    const_iterator begin() const { return chips.begin(); }
    const_iterator end() const { return chips.end(); }

private:
    static constexpr std::size_t ID_COUNT = LAST_CHIP_ID - FIRST_CHIP_ID + 1;

    static bool inRange(int32_t id) { return id >= FIRST_CHIP_ID && id <= LAST_CHIP_ID; }
    static std::size_t slotOf(int32_t id) { return static_cast<std::size_t>(id - FIRST_CHIP_ID); }
    void indexRepeatedId(int32_t id);

    std::list<Chip> chips;
    std::vector<Chip*> byId = std::vector<Chip*>(ID_COUNT, nullptr);  // by id - FIRST_CHIP_ID
};
