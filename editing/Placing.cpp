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

}  // namespace

void App::dragChip() {
    if (draggedChip) draggedChip->moveTo(placeInFrame(*draggedChip, mouse() + dragOffset));
}

sf::Vector2f App::placeInFrame(const Chip& chip, sf::Vector2f wanted) const {
    const sf::FloatRect bounds = chip.bounds();
    const sf::Vector2f frameAt = boardFrame.getPosition();
    const sf::Vector2f frameSize = boardFrame.getSize();
    return sf::Vector2f(clampInto(wanted.x, bounds.width, frameAt.x, frameSize.x),
                        clampInto(wanted.y, bounds.height, frameAt.y, frameSize.y));
}

// Any released button ends a drag; the chip was already moved this frame.
void App::dropChip() { endDrag(); }

// Any press in the palette row ends the update, on a template or not. With
// Ctrl held it opens the chip instead of placing it.
App::Outcome App::pressPaletteRow() {
    if (!inPaletteRow(mouse())) return Outcome::Continue;
    if (isDrawingWire()) abandonWireUnderWay();
    wiringState = WiringState::Idle;
    if (const PaletteEntry* entry = paletteEntryAt(mouse())) frame.controlHeld ? openPaletteChip(*entry) : placeFromPalette(*entry);
    return Outcome::EndUpdate;
}

// The placement and the drag that follows it are one step.
void App::placeFromPalette(const Chip& entry) {
    if (board.sizeAsChip() + entry.treeSize() > largestChip) return sayTooLarge(entry.name(), "not placed", "board");
    if (tooDeep(entry.depth() + 1, entry.name(), "not placed", "board")) return;
    endDrag();
    recordEdit("place " + entry.name());
    dragOffset = entry.position() - mouse();
    Chip& placed = board.chips.place(entry);
    placed.resize(placed.boardSize());
    // Its pins are laid out for the new height by the drag step from the next frame on.
    draggedChip = &placed;
    dragStart = placed.position();
}

App::Outcome App::pressBoardChip() {
    Chip* chip = board.chips.at(mouse());
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
        endDrag();
        draggedChip = chip;
        dragOffset = chip->position() - mouse();
        boardBeforeDrag = board;
        dragStart = chip->position();
    } else if (pressedButton() == sf::Mouse::Right) {
        removeBoardChip(*chip);
    }
    return Outcome::Continue;
}

// The chip leaves with every wire that touches it; a removed wire clears the
// pin it fed. Wires name chips by id and reach the first chip with it: on a
// board of more chips than ids, those of a repeated id are that chip's only.
// With the right button held, the wires it goes on to delete belong to the
// same step.
void App::removeBoardChip(const Chip& chip) {
    if (draggedChip == &chip) endDrag();  // the drag goes on with nothing to move
    recordEdit("remove " + chip.name());
    holdRecorded = frame.rightButtonHeld;
    const int32_t id = chip.id();
    if (board.chips.find(id) == &chip)
        removeWiresWhere([id](const Connection& c) { return c.fromChip == id || c.toChip == id; });
    board.chips.remove(chip);
}

// A drag that moved its chip is a step of its own, unless the chip was placed
// with it; either way the file is to keep where the chip now stands.
void App::settleDragStep() {
    if (!draggedChip || draggedChip->position() == dragStart) return;
    workChanged();
    dragStart = draggedChip->position();
    if (!boardBeforeDrag) return;
    history.record("move " + draggedChip->name(), History::State{std::move(*boardBeforeDrag), {}, {}});
    boardBeforeDrag = stateNow(false).board;
}

void App::endDrag() {
    settleDragStep();
    draggedChip = nullptr;
    boardBeforeDrag.reset();
}
