#include "support/Invariants.h"

#include "app/Layout.h"

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
    sf::Vector2f point;
};

End endOf(const App& app, int32_t chipId, int32_t pin, bool source) {
    if (chipId == 0) {
        const std::vector<sf::CircleShape>& circles = source ? app.inputCircles : app.outputCircles;
        if (!within(pin, circles.size())) return {};
        return {true, source ? app.board.inputs[pin].value : app.board.outputs[pin], circles[pin].getPosition()};
    }
    const Chip* chip = app.board.chips.find(chipId);
    if (!chip || !within(pin, source ? chip->outputCount() : chip->inputCount())) return {};
    return {true, source ? chip->output(pin) : chip->input(pin),
            source ? chip->outputPinPosition(pin) : chip->inputPinPosition(pin)};
}
End sourceOf(const App& app, const Connection& c) { return endOf(app, c.fromChip, c.fromPin, true); }
End targetOf(const App& app, const Connection& c) { return endOf(app, c.toChip, c.toPin, false); }

std::string checkBoard(const App& app) {
    if (app.board.inputs.empty() || app.board.outputs.empty() || app.inputCircles.size() != app.board.inputs.size() ||
        app.outputCircles.size() != app.board.outputs.size())
        return "board pins and their circles do not match";
    for (std::size_t i = 0; i < app.board.inputs.size(); ++i)
        if (app.inputCircles[i].getFillColor() != logicColour(app.board.inputs[i].value) ||
            app.inputCircles[i].getOutlineThickness() != (app.board.inputs[i].clocked ? layout::CLOCKED_RING : 0.f))
            return "input circle " + std::to_string(i) + " does not show its input";
    for (const Chip& chip : app.board.chips)
        if (chip.id() < FIRST_CHIP_ID || chip.id() > LAST_CHIP_ID || app.board.chips.find(chip.id()) != &chip)
            return "board chip " + std::to_string(chip.id()) + " cannot be told from another";
    return "";
}

std::string checkWires(const App& app) {
    const bool drawing = app.wiringState == WiringState::ChoosingSource || app.wiringState == WiringState::ChoosingTarget;
    std::set<std::pair<int32_t, int32_t>> targets;
    for (auto wire = app.board.wires.begin(); wire != app.board.wires.end(); ++wire) {
        const Connection& c = wire->connection;
        const bool underWay = drawing && std::next(wire) == app.board.wires.end();
        if (wire->complete == underWay) return describe(c) + (underWay ? " is complete while drawn" : " is unfinished");
        if (!sourceOf(app, c).found) return describe(c) + " starts at no pin";
        if (!(underWay && c.toChip == Wire::NO_TARGET) && !targetOf(app, c).found) return describe(c) + " ends at no pin";
        if (c.toChip != Wire::NO_TARGET && !targets.insert({c.toChip, c.toPin}).second)
            return describe(c) + " feeds a pin that another wire feeds";
    }
    // A pin keeps only what a wire gave it: one left without a wire holds 0.
    for (const Chip& chip : app.board.chips)
        for (int32_t pin = 0; pin < chip.inputCount(); ++pin)
            if (chip.input(pin) && !targets.count({chip.id(), pin})) return "an input no wire feeds holds a 1";
    for (std::size_t pin = 0; pin < app.board.outputs.size(); ++pin)
        if (app.board.outputs[pin] && !targets.count({0, static_cast<int32_t>(pin)})) return "an output no wire feeds holds a 1";
    return "";
}

// After a frame that ran every step; the values only if it ran the circuit
// one step, as every frame does unless paused or slowed.
std::string checkShownValues(const App& app, bool stepped) {
    for (const Wire& wire : app.board.wires) {
        const End source = sourceOf(app, wire.connection), target = targetOf(app, wire.connection);
        if (wire.line[0].position != source.point ||
            wire.line[1].position != (target.found ? target.point : sf::Vector2f(app.frame.mousePos)))
            return describe(wire.connection) + " does not lie on its pins";
        if (stepped && wire.complete && (wire.line[0].color != logicColour(source.value) || target.value != source.value))
            return describe(wire.connection) + " does not carry its source's value";
    }
    // A lamp whose wire was deleted in this frame goes black in the next.
    for (std::size_t i = 0; i < app.outputCircles.size() && stepped && !app.frame.rightButtonHeld; ++i)
        if (app.outputCircles[i].getFillColor() != logicColour(app.board.outputs[i]))
            return "lamp " + std::to_string(i) + " does not show its output";
    const sf::FloatRect frame(app.boardFrame.getPosition(), app.boardFrame.getSize() + sf::Vector2f(0.01f, 0.01f));
    for (const Chip& chip : app.board.chips) {
        const sf::FloatRect body = chip.body().getGlobalBounds();
        if (!frame.contains(body.left, body.top) || !frame.contains(body.left + body.width, body.top + body.height))
            return "chip " + std::to_string(chip.id()) + " rests outside the board";
    }
    return "";
}

}  // namespace

std::string findViolation(const App& app) {
    std::string problem = checkBoard(app);
    if (problem.empty()) problem = checkWires(app);
    const bool stepped = !app.pace.isPaused() && app.pace.framesPerStep() == 1;
    if (problem.empty() && !app.frame.eventPending) problem = checkShownValues(app, stepped);
    std::set<std::string> names;
    for (const Chip& entry : app.library)
        if (problem.empty() && !names.insert(entry.name()).second) problem = "two palette entries are named " + entry.name();
    return problem;
}
