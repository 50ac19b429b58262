#pragma once

#include "editing/Board.h"
#include "editing/BoardLayout.h"
#include "editing/KeptBoards.h"
#include "editing/Palette.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The inside of a chip on the board, shown in place of the board while the
// board runs on: the board the chip was saved from (found in `KeptBoards`),
// or its sub-chips laid out anew when that board is not known
// (editing/AutoLayout.h). Every switch, lamp, chip pin and wire of it shows
// the value of that very copy's part, read in place each frame; a chip of it
// can be looked into in turn, a level deeper.
//
// A chip of the board shown stands for the sub-chip of its id: the first
// chip with an id for the first sub-chip with it, the second for the second.
// A wire shows what its connection carried last, which is the value of the
// pin it feeds. The switches show the chip's inputs, the lamps its outputs.
//
// The view keeps nothing of the board but its chip's id and circuit: it finds
// the chip again each frame, so nothing it reads can be gone, and it ends
// when the chip is.
class InsideView {
public:
    // Looks inside `chip`, a chip on the board.
    InsideView(const Chip& chip, const KeptBoards& known, const Palette& palette, BoardLayout layout,
               LabelWidth labelWidth);

    // Looks inside `shown`, a chip of the view, a level deeper; false when it
    // stands for no sub-chip, or the board's chip is gone.
    bool deeper(const Chip& shown, const Board& board, const KeptBoards& known, const Palette& palette);
    // A level up; false at the first level.
    bool back(const Board& board);
    // The values of the chip's parts as they stand; false when the chip is
    // gone from the board.
    bool follow(const Board& board);

    const Board& board() const { return shown_; }
    // The names of the chips looked into, the board's chip first.
    std::vector<std::string> names() const;
    // True the first time only: what is refused in a view is said once.
    bool firstRefusal() { return !std::exchange(refused_, true); }

private:
    struct Level {
        std::string name;
        int32_t part;  // the sub-chip looked into, in the level above
        std::shared_ptr<const KeptBoard> inside;
    };
    // Where a wire's value is read: input `pin` of sub-chip `part`, or, for
    // a part of -1, output `pin` of the chip looked into.
    struct Tap {
        int32_t part;
        int32_t pin;
    };

    std::optional<ChipLogic::PartView> partShown(const Board& board) const;
    std::shared_ptr<const KeptBoard> insideOf(ChipLogic::PartView part, const ChipLogic& chip, const KeptBoards& known,
                                              const Palette& palette) const;
    // The last level's board, laid out, and its values.
    void show(ChipLogic::PartView part);
    void showValues(ChipLogic::PartView part);

    BoardLayout layout_;
    LabelWidth labelWidth_;
    int32_t chipId_;
    const void* circuit_;
    std::vector<Level> levels_;
    Board shown_;
    std::vector<int32_t> parts_;  // the sub-chip each chip shown stands for, or -1
    std::vector<Tap> taps_;       // one per wire shown
    bool refused_ = false;
};
