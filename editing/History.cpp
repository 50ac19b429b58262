#include "editing/History.h"

#include <utility>

namespace {

std::size_t memoryOf(const History::State& state) {
    std::size_t bytes = state.board.memoryUse();
    if (state.palette)
        for (const PaletteEntry& entry : *state.palette) bytes += sizeof(Chip) + entry.ownMemory() + entry.name().size();
    if (state.way)  // each board left counted in every step that keeps it: shared, it is counted more than it takes
        for (const std::shared_ptr<const BoardLeft>& left : *state.way) bytes += left->board.memoryUse() + left->name.size();
    return bytes;
}

}  // namespace

void History::record(std::string what, State before) {
    while (!future_.empty()) take(future_);
    push(past_, step(std::move(what), std::move(before)));
}

History::State History::undo(State now) {
    std::string what = past_.back().what;
    State before = take(past_);
    push(future_, step(std::move(what), std::move(now)));
    return before;
}

History::State History::redo(State now) {
    std::string what = future_.back().what;
    State after = take(future_);
    push(past_, step(std::move(what), std::move(now)));
    return after;
}

History::Step History::step(std::string what, State state) {
    const std::size_t bytes = memoryOf(state) + what.size();
    return Step{std::move(what), std::move(state), bytes};
}

void History::push(std::deque<Step>& steps, Step step) {
    used_ += step.bytes;
    steps.push_back(std::move(step));
    keepWithinBudget();
}

History::State History::take(std::deque<Step>& steps) {
    used_ -= steps.back().bytes;
    State state = std::move(steps.back().state);
    steps.pop_back();
    return state;
}

// The oldest step goes first, then the step furthest from being redone; the
// newest step stays whatever it costs.
void History::keepWithinBudget() {
    while (used_ > budget_ && steps() > 1) {
        std::deque<Step>& oldest = past_.empty() ? future_ : past_;
        used_ -= oldest.front().bytes;
        oldest.pop_front();
    }
}
