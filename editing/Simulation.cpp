// The simulation steps of the frame: the blink of clocked inputs, one
// evaluation of every board chip, and the transfer along complete wires;
// and their pace: every frame, slowed, or paused and stepped by hand.

#include "app/App.h"

// Steps 3 to 5 of the frame, when the pace has one due.
void App::runSimulationStep() {
    blinkClockedInputs();
    evaluateBoardChips();
    transferAlongWires();
    if (pace.framesPerStep() > 1) showPace();  // the steps counted since slowing
}

// While paused nothing moves, and blinking inputs hold: their period starts
// again when the circuit runs again.
void App::togglePause() {
    pace.togglePause();
    if (!pace.isPaused()) blinkRestartedAt = frame.now;
    showPace();
}

// While paused, one frame's evaluation and transfer.
void App::stepByHand() {
    if (!pace.isPaused()) return;
    evaluateBoardChips();
    transferAlongWires();
    pace.stepTaken();
    showPace();
}

void App::changePace(bool slower) {
    slower ? pace.slower() : pace.faster();
    showPace();
}

void App::showPace() { paceLabel.setString(pace.label()); }

void App::blinkClockedInputs() {
    // Restarted when it fires, not advanced: lateness is never made up.
    if (frame.now - blinkRestartedAt < sf::milliseconds(BLINK_PERIOD_MS)) return;
    blinkRestartedAt = frame.now;
    for (std::size_t i = 0; i < board.inputs.size(); ++i) {
        if (!board.inputs[i].clocked) continue;
        board.inputs[i].value = !board.inputs[i].value;
        inputCircles[i].setFillColor(logicColour(board.inputs[i].value));
    }
}

void App::evaluateBoardChips() {
    for (Chip& chip : board.chips) chip.evaluate();
}

// Chips compute from what the wires delivered in the frame before, so a
// change moves one chip further per frame.
void App::transferAlongWires() {
    bool carried = false;
    for (Wire& wire : board.wires) {
        if (!wire.complete) continue;
        const Connection& c = wire.connection;
        if (c.fromChip == 0) {
            carried = board.inputs[c.fromPin].value;
        } else if (const Chip* source = board.chips.find(c.fromChip)) {
            carried = source->output(c.fromPin);
        }
        wire.colour(logicColour(carried), logicColour(carried));
        if (c.toChip == 0) {
            board.outputs[c.toPin] = carried;
            outputCircles[c.toPin].setFillColor(logicColour(carried));
        } else if (Chip* target = board.chips.find(c.toChip)) {
            target->setInput(c.toPin, carried);
        }
    }
}

void App::blackenUnfedLamps() {
    fedLamps.assign(outputCircles.size(), false);  // keeps its memory from frame to frame
    for (const Wire& wire : board.wires)
        if (wire.connection.toChip == 0) fedLamps[wire.connection.toPin] = true;
    for (std::size_t i = 0; i < outputCircles.size(); ++i)
        if (!fedLamps[i]) outputCircles[i].setFillColor(sf::Color::Black);
}
