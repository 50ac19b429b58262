// Placing chips from the palette, dragging them inside the board frame and
// removing them.

#include "app/App.h"

#include <algorithm>
#include <cmath>

namespace {

// Holds a position of the given extent inside [start, start + length]; the
// low edge wins when the extent does not fit.
float clampInto(float position, float extent, float start, float length) {
    if (start > position) return start;
    if (position + extent > length + start) return length + start - extent;
    return position;
}

// A placed chip keeps the template's width and grows in height with its
// larger pin count.
float boardHeight(const Chip& chip) {
    const int32_t pins = std::max(chip.inputCount(), chip.outputCount());
    return static_cast<float>(std::sqrt(static_cast<double>(pins)) * Chip::HEIGHT);
}

}  // namespace

void App::dragChip() {
    Chip* chip = draggedChip;
    if (!chip) return;
    const sf::FloatRect bounds = chip->body().getGlobalBounds();
    const sf::Vector2f wanted = mouse() + dragOffset;
    const sf::Vector2f frameAt = boardFrame.getPosition();
    const sf::Vector2f frameSize = boardFrame.getSize();
    chip->moveTo(sf::Vector2f(clampInto(wanted.x, bounds.width, frameAt.x, frameSize.x),
                              clampInto(wanted.y, bounds.height, frameAt.y, frameSize.y)));
}

// Any released button ends a drag; the chip was already moved this frame.
void App::dropChip() { draggedChip = nullptr; }

// Any press in the palette row ends the update, on a template or not.
App::Outcome App::pressPaletteRow() {
    const sf::Vector2f point = mouse();
    const sf::RectangleShape& first = library.front().body();
    const float top = first.getPosition().y;
    if (!(top < point.y && point.y <= top + first.getSize().y)) return Outcome::Continue;
    if (isDrawingWire()) abandonWireUnderWay();
    wiringState = WiringState::Idle;
    for (const Chip& entry : library) {
        const float left = entry.body().getPosition().x;
        if (left < point.x && point.x <= left + entry.body().getSize().x) {
            placeFromPalette(entry);
            break;
        }
    }
    return Outcome::EndUpdate;
}

void App::placeFromPalette(const Chip& entry) {
    if (boardSizeAsChip() + entry.treeSize() > largestChip) return sayTooLarge(entry.name(), "not placed", "board");
    if (tooDeep(entry.depth() + 1, entry.name(), "not placed", "board")) return;
    dragOffset = entry.body().getPosition() - mouse();
    Chip& placed = boardChips.place(entry);
    placed.prepare();  // so that no frame's evaluation allocates
    placed.resize(sf::Vector2f(placed.label().getGlobalBounds().width + Chip::LABEL_MARGIN,
                               boardHeight(placed)));
    // Its pins are laid out for the new height by the drag step from the next frame on.
    draggedChip = &placed;
}

App::Outcome App::pressBoardChip() {
    Chip* chip = boardChips.at(mouse());
    if (!chip) return Outcome::Continue;
    switch (wiringState) {
        case WiringState::Idle:
            break;
        case WiringState::Armed:
            startWireAtChip(*chip);
            return Outcome::Continue;
        case WiringState::ChoosingSource:
            chooseSource(*chip);
            return Outcome::Continue;
        case WiringState::ChoosingTarget:
            return chooseTarget(*chip);
    }
    if (pressedButton() == sf::Mouse::Left) {
        draggedChip = chip;
        dragOffset = chip->body().getPosition() - mouse();
    } else if (pressedButton() == sf::Mouse::Right) {
        removeBoardChip(*chip);
    }
    return Outcome::Continue;
}

// The chip leaves with every wire that touches it; a removed wire clears the
// pin it fed. Wires name chips by id and reach the first chip with it: on a
// board of more chips than ids, those of a repeated id are that chip's only.
void App::removeBoardChip(const Chip& chip) {
    const int32_t id = chip.id();
    if (boardChips.find(id) == &chip)
        removeWiresWhere([id](const Connection& c) { return c.fromChip == id || c.toChip == id; });
    if (draggedChip == &chip) draggedChip = nullptr;  // the drag goes on with nothing to move
    boardChips.remove(chip);
}
