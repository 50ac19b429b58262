#include "editing/BoardChips.h"

#include <algorithm>

Chip& BoardChips::place(const Chip& chip) {
    const int32_t id = drawUnusedId();
    chips.push_back(chip);
    Chip& placed = chips.back();
    placed.setId(id);
    Chip*& indexed = byId[slotOf(id)];
    if (!indexed) indexed = &placed;  // a repeated id keeps finding the chip placed first
    return placed;
}

void BoardChips::remove(int32_t id) {
    const Chip* removed = find(id);
    if (!removed) return;
    chips.erase(std::find_if(chips.begin(), chips.end(),
                             [removed](const Chip& chip) { return &chip == removed; }));
    byId[slotOf(id)] = nullptr;
    indexRepeatedId(id);
}

void BoardChips::indexRepeatedId(int32_t id) {
    // Only a board that held more chips than there are ids repeats one; the
    // next chip with the id, in placement order, is then the one found.
    if (chips.size() < ID_COUNT) return;
    for (Chip& chip : chips)
        if (chip.id() == id) {
            byId[slotOf(id)] = &chip;
            return;
        }
}

Chip* BoardChips::find(int32_t id) { return inRange(id) ? byId[slotOf(id)] : nullptr; }

const Chip* BoardChips::find(int32_t id) const { return inRange(id) ? byId[slotOf(id)] : nullptr; }

Chip* BoardChips::at(sf::Vector2f point) {
    for (Chip& chip : chips)
        if (chip.contains(point)) return &chip;
    return nullptr;
}

int32_t BoardChips::drawUnusedId() const {
    int32_t id = drawChipId();
    if (chips.size() >= ID_COUNT) return id;  // every id is taken: repeats cannot be avoided
    while (find(id)) id = drawChipId();
    return id;
}
