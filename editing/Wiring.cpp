// Drawing wires from a source to a target, keeping their ends on their pins,
// and deleting them with the right button.

#include "app/App.h"

#include <vector>

bool App::isDrawingWire() const {
    return wiringState == WiringState::ChoosingSource || wiringState == WiringState::ChoosingTarget;
}

void App::pressConnect() {
    if (isDrawingWire())
        abandonWireUnderWay();
    else
        wiringState = WiringState::Armed;
}

void App::abandonWireUnderWay() {
    board.wires.pop_back();
    wiringState = WiringState::Idle;
}

void App::startWireAtInput(int32_t input) {
    board.wires.emplace_back(Connection{0, input, Wire::NO_TARGET, 0}, inputCircles[input].getPosition(),
                       mouse());
    wireUnderWay().line[0].color = sf::Color::Black;
    wiringState = WiringState::ChoosingTarget;
}

void App::startWireAtChip(Chip& chip) {
    board.wires.emplace_back(Connection{Wire::NO_TARGET, 0, Wire::NO_TARGET, 0}, chip.outputPinPosition(0),
                       mouse());
    wiringState = WiringState::ChoosingSource;
    chooseSource(chip);
}

// Another chip becomes the source at its output 0; on the source chip the
// right button steps through its outputs; the left button confirms.
void App::chooseSource(Chip& chip) {
    Wire& wire = wireUnderWay();
    Connection& c = wire.connection;
    if (c.fromChip != chip.id()) {
        c.fromChip = chip.id();
        c.fromPin = 0;
    } else if (pressedButton() == sf::Mouse::Right) {
        c.fromPin = c.fromPin + 1 < chip.outputCount() ? c.fromPin + 1 : 0;
        wire.setSourcePoint(chip.outputPinPosition(c.fromPin));
    }
    if (pressedButton() == sf::Mouse::Left) {
        wire.line[0].color = sf::Color::Black;
        wiringState = WiringState::ChoosingTarget;
    }
}

// A press that is not left previews the chip's lowest free input, and each
// further one steps to its next free input; a left press completes the wire.
App::Outcome App::chooseTarget(Chip& chip) {
    Wire& wire = wireUnderWay();
    Connection& c = wire.connection;
    std::vector<bool> used(static_cast<std::size_t>(chip.inputCount()), false);
    for (const Wire& other : board.wires)
        if (other.connection.toChip == chip.id()) used[other.connection.toPin] = true;
    const bool left = pressedButton() == sf::Mouse::Left;
    const int32_t pins = chip.inputCount();
    if (c.toChip == chip.id()) {
        for (int32_t step = 1; !left && step < pins; ++step) {
            const int32_t pin = (c.toPin + step) % pins;
            if (!used[pin]) {
                c.toPin = pin;
                break;
            }
        }
    } else {
        int32_t free = 0;
        while (free < pins && used[free]) ++free;
        if (free == pins) {
            abandonWireUnderWay();
            return Outcome::EndUpdate;
        }
        c.toChip = chip.id();
        c.toPin = free;
    }
    if (left) finishWire(wire);
    return Outcome::Continue;
}

// A wire made is a step; what stood before it is the board without it.
void App::finishWire(Wire& wire) {
    recordEdit("make a wire");
    wire.finish();
    wiringState = WiringState::Idle;
}

// A press on a board output completes the wire there, unless a wire already
// ends at it.
App::Outcome App::pressOutputColumn() {
    int32_t output = -1;
    if (!pressedBoardPin(outputCircles, output) || output < 0) return Outcome::Continue;
    for (const Wire& wire : board.wires) {
        if (wire.feedsBoardOutput(output)) {
            abandonWireUnderWay();
            return Outcome::EndUpdate;
        }
    }
    Wire& wire = wireUnderWay();
    wire.connection.toChip = 0;
    wire.connection.toPin = output;
    wire.setTargetPoint(outputCircles[output].getPosition());
    finishWire(wire);
    return Outcome::EndUpdate;
}

void App::followPinsWithWireEnds() {
    for (Wire& wire : board.wires) {
        const Connection& c = wire.connection;
        if (c.fromChip == 0)
            wire.setSourcePoint(inputCircles[c.fromPin].getPosition());
        else if (const Chip* source = board.chips.find(c.fromChip))
            wire.setSourcePoint(source->outputPinPosition(c.fromPin));
        if (c.toChip == 0)
            wire.setTargetPoint(outputCircles[c.toPin].getPosition());
        else if (const Chip* target = board.chips.find(c.toChip))
            wire.setTargetPoint(target->inputPinPosition(c.toPin));
    }
}

// Until a target is previewed or chosen, the loose end follows the mouse.
void App::followMouseWithLooseEnd() {
    if (isDrawingWire() && wireUnderWay().connection.toChip == Wire::NO_TARGET)
        wireUnderWay().setTargetPoint(mouse());
}

// At most one wire per frame, the oldest first; the wires deleted in one hold
// of the button are one step.
void App::deleteWireUnderMouse() {
    for (auto wire = board.wires.begin(); wire != board.wires.end(); ++wire) {
        if (wire->isNear(mouse())) {
            if (!holdRecorded) recordEdit("delete wires");
            holdRecorded = true;
            board.removeWire(wire);
            return;
        }
    }
}

void App::removeWiresWhere(const std::function<bool(const Connection&)>& attached) {
    if (isDrawingWire() && attached(wireUnderWay().connection)) abandonWireUnderWay();
    for (auto wire = board.wires.begin(); wire != board.wires.end();)
        wire = attached(wire->connection) ? board.removeWire(wire) : std::next(wire);
}
