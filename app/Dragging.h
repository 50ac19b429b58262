#pragma once

#include "editing/Editor.h"

#include <algorithm>
#include <vector>

// A board chip dragged with the mouse, or several together: it follows the
// mouse every frame, held inside the board frame, keeping the point it was
// taken by under the mouse, until any button is released. A group follows
// as one, its first chip as a chip alone would, the group held inside the
// frame as a whole.
class Dragging {
public:
    const Chip* chip() const { return chip_; }
    bool moves(const Chip& chip) const { return chip_ == &chip || std::find(group_.begin(), group_.end(), &chip) != group_.end(); }

    void start(const Chip& chip, Point mouse) {
        chip_ = &chip;
        group_.clear();
        offset_ = chip.position() - mouse;
    }
    void startGroup(std::vector<const Chip*> chips, Point mouse) {
        start(*chips.front(), mouse);
        group_ = std::move(chips);
    }
    // Every frame, whether the mouse moved or not.
    void follow(Editor& editor, Point mouse) {
        if (!group_.empty())
            editor.moveChips(group_, mouse + offset_);
        else if (chip_)
            editor.moveChip(*chip_, mouse + offset_);
    }
    // The drag ends; what it moved is a step.
    void drop(Editor& editor) {
        editor.endMove();
        forget();
    }
    // A chip it moves is gone: the drag goes on with nothing to move.
    void forget() {
        chip_ = nullptr;
        group_.clear();
    }

private:
    const Chip* chip_ = nullptr;
    std::vector<const Chip*> group_;
    Point offset_;
};
