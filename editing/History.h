#pragma once

#include "editing/Board.h"
#include "editing/PaletteEntry.h"
#include "editing/WayBack.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

// The edits that can be undone and redone, each kept as what stood before it
// (and, once undone, what stood after it). A step that changed the palette
// keeps the palette and the name typed too, one that replaced the whole
// board the way back. The history is bounded by the memory its copies take:
// past the budget the oldest steps go first.
class History {
public:
    struct State {
        Board board;
        std::optional<std::vector<PaletteEntry>> palette;
        std::optional<std::string> name;
        // Kept by a step that replaced the whole board (an opening, a way
        // back): what stood comes back exactly, switches included, and so
        // does the way back.
        std::optional<WayBack> way = std::nullopt;
    };

    static constexpr std::size_t BUDGET = std::size_t{256} << 20;

    explicit History(std::size_t budget = BUDGET) : budget_(budget) {}

    // A new edit, described in a few words, and what stood before it. The
    // steps undone so far can no longer be redone.
    void record(std::string what, State before);

    bool canUndo() const { return !past_.empty(); }
    bool canRedo() const { return !future_.empty(); }
    // The step the next undo or redo takes back or again: its words, and
    // whether it keeps the palette and the name typed.
    const std::string& undoWhat() const { return past_.back().what; }
    const std::string& redoWhat() const { return future_.back().what; }
    bool undoTouchesPalette() const { return past_.back().state.palette.has_value(); }
    bool redoTouchesPalette() const { return future_.back().state.palette.has_value(); }
    bool undoTouchesName() const { return past_.back().state.name.has_value(); }
    bool redoTouchesName() const { return future_.back().state.name.has_value(); }
    bool undoReplacesBoard() const { return past_.back().state.way.has_value(); }
    bool redoReplacesBoard() const { return future_.back().state.way.has_value(); }

    // What to bring back, given what stands now, which the opposite move
    // brings back in its turn.
    State undo(State now);
    State redo(State now);

    std::size_t memoryUse() const { return used_; }
    std::size_t steps() const { return past_.size() + future_.size(); }

private:
    struct Step {
        std::string what;
        State state;
        std::size_t bytes;
    };

    static Step step(std::string what, State state);
    void push(std::deque<Step>& steps, Step step);
    State take(std::deque<Step>& steps);
    void keepWithinBudget();

    std::size_t budget_;
    std::size_t used_ = 0;
    std::deque<Step> past_;    // the oldest first
    std::deque<Step> future_;  // the next to redo last
};
