#include "editing/BoardChips.h"

#include <algorithm>

BoardChips::BoardChips(std::function<int32_t()> drawId, int32_t idCount)
    : drawId(std::move(drawId)), byId(static_cast<std::size_t>(idCount)) {}

Chip& BoardChips::place(const Chip& chip) {
    const int32_t id = drawUnusedId();
    chips.push_back(chip);
    Chip& placed = chips.back();
    placed.setId(id);
    IdUse& used = use(id);
    if (used.chips++ == 0) used.first = &placed, ++idsInUse;
    return placed;
}

void BoardChips::remove(const Chip& chip) {
    const int32_t id = chip.id();
    IdUse& used = use(id);
    const bool wasFirst = used.first == &chip;
    const iterator next = chips.erase(std::find_if(chips.begin(), chips.end(), [&chip](const Chip& c) { return &c == &chip; }));
    if (--used.chips == 0) {
        used.first = nullptr, --idsInUse;
    } else if (wasFirst) {  // the next chip with the id, in placement order, is found from now on
        used.first = &*std::find_if(next, chips.end(), [id](const Chip& c) { return c.id() == id; });
    }
}

Chip* BoardChips::find(int32_t id) { return inRange(id) ? use(id).first : nullptr; }

const Chip* BoardChips::find(int32_t id) const { return inRange(id) ? use(id).first : nullptr; }

Chip* BoardChips::at(sf::Vector2f point) {
    for (Chip& chip : chips)
        if (chip.contains(point)) return &chip;
    return nullptr;
}

int32_t BoardChips::drawUnusedId() const {
    int32_t id = drawId();
    while (idsInUse < static_cast<int32_t>(byId.size()) && find(id)) id = drawId();
    return id;
}
