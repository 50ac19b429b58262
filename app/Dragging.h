#pragma once

#include "editing/Editor.h"

// A board chip dragged with the mouse: it follows the mouse every frame,
// held inside the board frame, keeping the point it was taken by under the
// mouse, until any button is released.
class Dragging {
public:
    const Chip* chip() const { return chip_; }

    void start(const Chip& chip, Point mouse) {
        chip_ = &chip;
        offset_ = chip.position() - mouse;
    }
    // Every frame, whether the mouse moved or not.
    void follow(Editor& editor, Point mouse) {
        if (chip_) editor.moveChip(*chip_, mouse + offset_);
    }
    // The drag ends; what it moved is a step.
    void drop(Editor& editor) {
        editor.endMove();
        chip_ = nullptr;
    }
    // The chip is gone: the drag goes on with nothing to move.
    void forget() { chip_ = nullptr; }

private:
    const Chip* chip_ = nullptr;
    Point offset_;
};
