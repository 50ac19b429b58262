#pragma once

#include "chip/Chip.h"

#include <cstdint>
#include <list>
#include <unordered_map>

// The chips on the board, in placement order (which is also the drawing order
// and the order of every hit test), with an index from id to chip. Ids on the
// board are kept unique, so a wire always reaches the chip it was drawn to.
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

    void indexRepeatedId(int32_t id);

    std::list<Chip> chips;
    std::unordered_map<int32_t, iterator> byId;
};
