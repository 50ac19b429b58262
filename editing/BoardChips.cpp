#include "editing/BoardChips.h"

#include <algorithm>

BoardChips::BoardChips(std::function<int32_t()> drawId, int32_t idCount)
    : drawId(std::move(drawId)), idCount(idCount) {}

BoardChips::BoardChips(const BoardChips& other) : drawId(other.drawId), idCount(other.idCount), chips(other.chips) {}

BoardChips& BoardChips::operator=(const BoardChips& other) {
    if (this != &other) *this = BoardChips(other);
    return *this;
}

Chip& BoardChips::place(const Chip& chip) {
    Chip placed = chip;
    placed.setId(drawUnusedId());
    return add(std::move(placed));
}

// A chip on the board is ready to run, so that no frame's evaluation allocates.
Chip& BoardChips::add(Chip chip) {
    chip.prepare();
    chips.push_back(std::move(chip));
    if (!byId.empty() && inRange(chips.back().id())) index(chips.back());
    return chips.back();
}

void BoardChips::remove(const Chip& chip) {
    const auto gone = std::find_if(chips.begin(), chips.end(), [&chip](const Chip& c) { return &c == &chip; });
    const int32_t id = chip.id();
    if (byId.empty() || !inRange(id)) {
        chips.erase(gone);
        return;
    }
    IdUse& used = use(id);
    const bool wasFirst = used.first == &chip;
    const iterator next = chips.erase(gone);
    if (--used.chips == 0) {
        used.first = nullptr, --idsInUse;
    } else if (wasFirst) {  // the next chip with the id, in placement order, is found from now on
        used.first = &*std::find_if(next, chips.end(), [id](const Chip& c) { return c.id() == id; });
    }
}

Chip* BoardChips::find(int32_t id) { return inRange(id) ? use(id).first : nullptr; }

const Chip* BoardChips::find(int32_t id) const { return inRange(id) ? use(id).first : nullptr; }

const Chip* BoardChips::at(Point point) const {
    for (const Chip& chip : chips)
        if (chip.contains(point)) return &chip;
    return nullptr;
}

// The index is made at the first look-up, from the chips in placement order.
BoardChips::IdUse& BoardChips::use(int32_t id) const {
    if (byId.empty()) {
        byId.resize(static_cast<std::size_t>(idCount));
        for (const Chip& chip : chips)
            if (inRange(chip.id())) index(const_cast<Chip&>(chip));
    }
    return byId[static_cast<std::size_t>(id - FIRST_CHIP_ID)];
}

void BoardChips::index(Chip& chip) const {
    IdUse& used = byId[static_cast<std::size_t>(chip.id() - FIRST_CHIP_ID)];
    if (used.chips++ == 0) used.first = &chip, ++idsInUse;
}

int32_t BoardChips::drawUnusedId() const {
    int32_t id = drawId();
    while (idsInUse < idCount && find(id)) id = drawId();
    return id;
}
