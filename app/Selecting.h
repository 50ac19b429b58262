#pragma once

#include "app/Dragging.h"
#include "app/Wiring.h"
#include "editing/Editor.h"

#include <SFML/Window/Mouse.hpp>

#include <cstdint>
#include <optional>
#include <vector>

// The chips selected to be moved, removed, copied or duplicated together,
// and the presses that select them: a left drag from an empty part of the
// board (no chip, pin or button under it) draws a rectangle that selects the
// chips it touches, so a click there selects none; Shift with a left press on
// a chip adds it or takes it out; a left drag on a selected chip moves them
// all. Chips are held by identity: a board replaced whole lets them go.
class Selecting {
public:
    const std::vector<const Chip*>& selected() const { return selected_; }
    // The rectangle while it is dragged, from where it began to the mouse.
    std::optional<Box> area() const;

    // A press that reached the board chips; true when taken here. While
    // wiring, only one on an empty part of the board with no wire under way is.
    bool press(Editor& editor, const Wiring& wiring, Dragging& dragging, Point mouse, sf::Mouse::Button button, bool shift);
    // Every frame: the rectangle's far corner.
    void follow(Point mouse) { corner_ = mouse; }
    // Any button released: the rectangle selects the chips it touches.
    void release(const Editor& editor);
    // After the frame's steps: a board replaced whole lets its chips go.
    void keepTo(const Editor& editor);

    void select(std::vector<const Chip*> chips) { selected_ = std::move(chips); }
    void selectAll(const Board& board);
    // The chip is about to go.
    void forget(const Chip& chip);
    void clear() { selected_.clear(); }

private:
    bool onEmptyBoard(const Editor& editor, Point mouse) const;

    std::vector<const Chip*> selected_;
    std::optional<Point> anchor_;  // where the rectangle began
    Point corner_;
    uint64_t boardsSeen_ = 0;
};
