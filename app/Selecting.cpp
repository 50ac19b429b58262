#include "app/Selecting.h"

#include <algorithm>

std::optional<Box> Selecting::area() const {
    if (!anchor_) return std::nullopt;
    const Point from{std::min(anchor_->x, corner_.x), std::min(anchor_->y, corner_.y)};
    return Box{from.x, from.y, std::max(anchor_->x, corner_.x) - from.x, std::max(anchor_->y, corner_.y) - from.y};
}

bool Selecting::press(Editor& editor, const Wiring& wiring, Dragging& dragging, Point mouse, sf::Mouse::Button button,
                      bool shift) {
    if (button != sf::Mouse::Left) return false;
    const Chip* chip = editor.board().chips.at(mouse);
    if (chip && wiring.state() == WiringState::Idle) {
        const auto found = std::find(selected_.begin(), selected_.end(), chip);
        if (shift && found != selected_.end())
            selected_.erase(found);
        else if (shift)
            selected_.push_back(chip);
        else if (found == selected_.end())
            return false;
        else
            dragging.drop(editor), dragging.startGroup(selected_, mouse);
        return true;
    }
    if (chip || wiring.isDrawing() || !onEmptyBoard(editor, mouse)) return false;
    anchor_ = corner_ = mouse;
    return true;
}

// A chip is touched where a point of the rectangle lies on it, as a press
// there would: its left and top edges outside, its right and bottom inside.
void Selecting::release(const Editor& editor) {
    const std::optional<Box> touching = area();
    if (!touching) return;
    anchor_.reset();
    selected_.clear();
    for (const Chip& chip : editor.board().chips) {
        const Box body = chip.bounds();
        if (touching->left <= body.right() && touching->right() > body.left && touching->top <= body.bottom() &&
            touching->bottom() > body.top)
            selected_.push_back(&chip);
    }
}

void Selecting::keepTo(const Editor& editor) {
    if (editor.boardsReplaced() == boardsSeen_) return;
    boardsSeen_ = editor.boardsReplaced();
    selected_.clear();
}

void Selecting::selectAll(const Board& board) {
    selected_.clear();
    for (const Chip& chip : board.chips) selected_.push_back(&chip);
}

void Selecting::forget(const Chip& chip) { selected_.erase(std::remove(selected_.begin(), selected_.end(), &chip), selected_.end()); }

// Inside the board frame, and not in the column of its lamps; the column of
// its switches takes every press before this one.
bool Selecting::onEmptyBoard(const Editor& editor, Point mouse) const {
    return editor.layout().frame().contains(mouse) && !editor.layout().outputAt(mouse, editor.board().outputs.size());
}
