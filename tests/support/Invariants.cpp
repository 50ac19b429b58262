#include "support/Invariants.h"

#include <set>

namespace {

bool within(int32_t pin, std::size_t count) { return pin >= 0 && static_cast<std::size_t>(pin) < count; }

std::string describe(const Connection& c) {
    return "wire {" + std::to_string(c.fromChip) + ", " + std::to_string(c.fromPin) + ", " + std::to_string(c.toChip) +
           ", " + std::to_string(c.toPin) + "}";
}

// A wire's end: whether it names a pin that exists, the pin's value and where it is.
struct End {
    bool found = false;
    bool value = false;
    Point point;
};

End endOf(const Editor& editor, int32_t chipId, int32_t pin, bool source) {
    const Board& board = editor.board();
    if (chipId == 0) {
        const std::size_t count = source ? board.inputs.size() : board.outputs.size();
        if (!within(pin, count)) return {};
        const std::size_t index = static_cast<std::size_t>(pin);
        return {true, source ? board.inputs[index].value : board.outputs[index],
                source ? editor.layout().inputPoint(index, count) : editor.layout().outputPoint(index, count)};
    }
    const Chip* chip = board.chips.find(chipId);
    if (!chip || !within(pin, static_cast<std::size_t>(source ? chip->outputCount() : chip->inputCount()))) return {};
    return {true, source ? chip->output(pin) : chip->input(pin),
            source ? chip->outputPinPosition(pin) : chip->inputPinPosition(pin)};
}
End sourceOf(const Editor& editor, const Connection& c) { return endOf(editor, c.fromChip, c.fromPin, true); }
End targetOf(const Editor& editor, const Connection& c) { return endOf(editor, c.toChip, c.toPin, false); }

// The board's wires, then the one under way, if any.
std::vector<const Wire*> wiresOf(const App& app) {
    std::vector<const Wire*> wires;
    for (const Wire& wire : app.editor().board().wires) wires.push_back(&wire);
    if (app.wiring().underWay()) wires.push_back(&*app.wiring().underWay());
    return wires;
}

std::string checkBoard(const App& app) {
    const Board& board = app.editor().board();
    if (board.inputs.empty() || board.outputs.empty() || board.lamps.size() != board.outputs.size())
        return "board pins and their lamps do not match";
    for (const Chip& chip : board.chips)
        if (chip.id() < FIRST_CHIP_ID || chip.id() > LAST_CHIP_ID || board.chips.find(chip.id()) != &chip)
            return "board chip " + std::to_string(chip.id()) + " cannot be told from another";
    return "";
}

// Every selected chip is on the board, once.
std::string checkSelection(const App& app) {
    std::set<const Chip*> onBoard, seen;
    for (const Chip& chip : app.editor().board().chips) onBoard.insert(&chip);
    for (const Chip* chip : app.selecting().selected())
        if (!onBoard.count(chip) || !seen.insert(chip).second) return "a selected chip is not on the board, or selected twice";
    return "";
}

std::string checkWires(const App& app) {
    const Editor& editor = app.editor();
    const bool drawing = app.wiring().state() == WiringState::ChoosingSource || app.wiring().state() == WiringState::ChoosingTarget;
    if (drawing != app.wiring().isDrawing()) return "a wire under way without its state, or the state without it";
    std::set<std::pair<int32_t, int32_t>> targets;
    for (const Wire* wire : wiresOf(app)) {
        const Connection& c = wire->connection;
        const bool underWay = app.wiring().underWay() && wire == &*app.wiring().underWay();
        if (wire->complete == underWay) return describe(c) + (underWay ? " is complete while drawn" : " is unfinished");
        if (!sourceOf(editor, c).found) return describe(c) + " starts at no pin";
        if (!(underWay && c.toChip == Wire::NO_TARGET) && !targetOf(editor, c).found) return describe(c) + " ends at no pin";
        if (c.toChip != Wire::NO_TARGET && !targets.insert({c.toChip, c.toPin}).second)
            return describe(c) + " feeds a pin that another wire feeds";
    }
    // A pin keeps only what a wire gave it: one left without a wire holds 0.
    const Board& board = editor.board();
    for (const Chip& chip : board.chips)
        for (int32_t pin = 0; pin < chip.inputCount(); ++pin)
            if (chip.input(pin) && !targets.count({chip.id(), pin})) return "an input no wire feeds holds a 1";
    for (std::size_t pin = 0; pin < board.outputs.size(); ++pin)
        if (board.outputs[pin] && !targets.count({0, static_cast<int32_t>(pin)})) return "an output no wire feeds holds a 1";
    return "";
}

// After a frame that ran every step; the values only if it ran the circuit
// one step, as every frame does unless paused or slowed.
std::string checkShownValues(const App& app, bool stepped) {
    const Editor& editor = app.editor();
    const Board& board = editor.board();
    const Point mouse{static_cast<float>(app.frame().mousePos.x), static_cast<float>(app.frame().mousePos.y)};
    for (const Wire* wire : wiresOf(app)) {
        const End source = sourceOf(editor, wire->connection), target = targetOf(editor, wire->connection);
        if (wire->sourcePoint() != source.point || wire->targetPoint() != (target.found ? target.point : mouse))
            return describe(wire->connection) + " does not lie on its pins";
        if (stepped && wire->complete && (wire->shades[0] != Wire::shadeOf(source.value) || target.value != source.value))
            return describe(wire->connection) + " does not carry its source's value";
    }
    // A lamp whose wire was deleted in this frame goes dark in the next.
    for (std::size_t i = 0; i < board.lamps.size() && stepped && !app.frame().rightButtonHeld; ++i)
        if (board.lamps[i] != board.outputs[i]) return "lamp " + std::to_string(i) + " does not show its output";
    const Box frame = editor.layout().frame();
    for (const Chip& chip : board.chips) {
        const Box body = chip.bounds();
        if (body.left < frame.left || body.top < frame.top || body.right() > frame.right() + 0.01f ||
            body.bottom() > frame.bottom() + 0.01f)
            return "chip " + std::to_string(chip.id()) + " rests outside the board";
    }
    return "";
}

}  // namespace

std::string findViolation(const App& app) {
    std::string problem = checkBoard(app);
    if (problem.empty()) problem = checkWires(app);
    if (problem.empty()) problem = checkSelection(app);
    const Pace& pace = app.editor().pace();
    const bool stepped = !pace.isPaused() && pace.framesPerStep() == 1;
    if (problem.empty() && !app.frame().eventPending) problem = checkShownValues(app, stepped);
    std::set<std::string> names;
    for (const Chip& entry : app.editor().palette().entries())
        if (problem.empty() && !names.insert(entry.name()).second) problem = "two palette entries are named " + entry.name();
    return problem;
}
