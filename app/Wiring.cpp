#include "app/Wiring.h"

#include <algorithm>
#include <vector>

std::optional<Connection> Wiring::connectionUnderWay() const {
    if (!underWay_) return std::nullopt;
    return underWay_->connection;
}

void Wiring::pressConnect() {
    if (isDrawing())
        abandon();
    else
        state_ = WiringState::Armed;
}

void Wiring::abandon() {
    if (!isDrawing()) return;
    underWay_.reset();
    state_ = WiringState::Idle;
}

void Wiring::keepAttachedTo(const Board& board) {
    if (underWay_ && underWay_->connection.fromChip == 0 &&
        static_cast<std::size_t>(underWay_->connection.fromPin) >= board.inputs.size())
        abandon();
}

void Wiring::startAtInput(const Editor& editor, int32_t input, Point mouse) {
    const Board& board = editor.board();
    underWay_.emplace(Connection{0, input, Wire::NO_TARGET, 0},
                      editor.layout().inputPoint(static_cast<std::size_t>(input), board.inputs.size()), mouse);
    underWay_->shades[0] = Wire::Shade::Low;
    state_ = WiringState::ChoosingTarget;
}

void Wiring::startAtChip(const Chip& chip, Point mouse, sf::Mouse::Button button) {
    underWay_.emplace(Connection{Wire::NO_TARGET, 0, Wire::NO_TARGET, 0}, chip.outputPinPosition(0), mouse);
    state_ = WiringState::ChoosingSource;
    chooseSource(chip, button);
}

void Wiring::chooseSource(const Chip& chip, sf::Mouse::Button button) {
    Connection& c = underWay_->connection;
    if (c.fromChip != chip.id()) {
        c.fromChip = chip.id();
        c.fromPin = 0;
    } else if (button == sf::Mouse::Right) {
        c.fromPin = c.fromPin + 1 < chip.outputCount() ? c.fromPin + 1 : 0;
        underWay_->setSourcePoint(chip.outputPinPosition(c.fromPin));
    }
    if (button == sf::Mouse::Left) {
        underWay_->shades[0] = Wire::Shade::Low;
        state_ = WiringState::ChoosingTarget;
    }
}

bool Wiring::chooseTarget(Editor& editor, const Chip& chip, sf::Mouse::Button button) {
    Connection& c = underWay_->connection;
    const int32_t pins = chip.inputCount();
    std::vector<bool> used(static_cast<std::size_t>(pins), false);
    for (const Wire& other : editor.board().wires)
        if (other.connection.toChip == chip.id()) used[other.connection.toPin] = true;
    if (c.toChip == chip.id()) used[c.toPin] = true;
    const bool left = button == sf::Mouse::Left;
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
        c.toChip = chip.id();
        c.toPin = std::min(free, pins - 1);
        if (free == pins) {  // the editor refuses it, and says which input is taken
            finish(editor);
            return true;
        }
    }
    if (left) finish(editor);
    return false;
}

// A board output fed already is refused by the editor, which says so.
void Wiring::pressOutput(Editor& editor, int32_t output) {
    underWay_->connection.toChip = 0;
    underWay_->connection.toPin = output;
    underWay_->setTargetPoint(editor.layout().outputPoint(static_cast<std::size_t>(output), editor.board().outputs.size()));
    finish(editor);
}

// A wire made is a step; what stood before it is the board without it. A
// wire the editor refuses is abandoned.
void Wiring::finish(Editor& editor) {
    editor.connect(*underWay_);
    underWay_.reset();
    state_ = WiringState::Idle;
}

void Wiring::followPins(const Editor& editor) {
    if (underWay_) editor.followPins(*underWay_);
}

void Wiring::followMouse(Point mouse) {
    if (underWay_ && underWay_->connection.toChip == Wire::NO_TARGET) underWay_->setTargetPoint(mouse);
}

void Wiring::deleteWireAt(Editor& editor, Point mouse) {
    for (const Wire& wire : editor.board().wires) {
        if (wire.isNear(mouse)) {
            editor.deleteWire(wire, holdRecorded_);
            holdRecorded_ = true;
            return;
        }
    }
}
