#include "editing/BoardChips.h"

Chip& BoardChips::place(const Chip& chip) {
    const int32_t id = drawUnusedId();
    chips.push_back(chip);
    const iterator placed = std::prev(chips.end());
    placed->setId(id);
    byId.emplace(id, placed);
    return *placed;
}

void BoardChips::remove(int32_t id) {
    const auto found = byId.find(id);
    if (found == byId.end()) return;
    chips.erase(found->second);
    byId.erase(found);
    indexRepeatedId(id);
}

void BoardChips::indexRepeatedId(int32_t id) {
    // Only a board that held more chips than there are ids repeats one; the
    // next chip with the id, in placement order, is then the one found.
    if (chips.size() < ID_COUNT) return;
    for (iterator chip = chips.begin(); chip != chips.end(); ++chip)
        if (chip->id() == id) {
            byId.emplace(id, chip);
            return;
        }
}

Chip* BoardChips::find(int32_t id) {
    const auto found = byId.find(id);
    return found == byId.end() ? nullptr : &*found->second;
}

const Chip* BoardChips::find(int32_t id) const {
    const auto found = byId.find(id);
    return found == byId.end() ? nullptr : &*found->second;
}

Chip* BoardChips::at(sf::Vector2f point) {
    for (Chip& chip : chips)
        if (chip.contains(point)) return &chip;
    return nullptr;
}

int32_t BoardChips::drawUnusedId() const {
    int32_t id = drawChipId();
    if (chips.size() >= ID_COUNT) return id;  // every id is taken: repeats cannot be avoided
    while (byId.count(id) != 0) id = drawChipId();
    return id;
}
