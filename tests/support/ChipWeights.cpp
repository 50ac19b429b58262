#include "support/ChipWeights.h"

std::size_t ChipWeights::of(const ChipLogic& chip) {
    if (chip.kind() == NOT_CHIP || chip.kind() == AND_CHIP) return 1;
    std::vector<int32_t> wiring;
    for (const Connection& c : chip.connections())
        wiring.insert(wiring.end(), {c.fromChip, c.fromPin, c.toChip, c.toPin});
    Shape shape(chip.kind(), chip.inputCount(), chip.outputCount(), chip.subChipCount(), std::move(wiring));
    const auto known = known_.find(shape);
    if (known != known_.end()) return known->second;
    std::size_t total = 1;
    for (const ChipLogic& sub : chip.subChips()) total += of(sub);
    known_.emplace(std::move(shape), total);
    return total;
}

std::size_t ChipWeights::board() {
    std::size_t total = 0;
    for (const Chip& chip : app_.boardChips) total += of(chip);
    return total;
}

bool ChipWeights::pressWouldGrowTooMuch(sf::Vector2i point) {
    const sf::Vector2f at(static_cast<float>(point.x), static_cast<float>(point.y));
    if (app_.buttons[5].contains(at)) return board() > HEAVY_BOARD;
    // The palette step places the first entry whose body holds the point.
    for (const Chip& entry : app_.library) {
        const sf::Vector2f position = entry.body().getPosition();
        const sf::Vector2f size = entry.body().getSize();
        if (position.x < at.x && at.x <= position.x + size.x && position.y < at.y && at.y <= position.y + size.y)
            return of(entry) > HEAVY_CHIP;
    }
    return false;
}
