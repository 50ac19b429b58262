#pragma once

#include "app/WiringState.h"
#include "editing/Editor.h"

#include <SFML/Window/Mouse.hpp>

#include <optional>

// Drawing a wire: "Connect", then a source, then a target, the wire under
// way drawn from its source to the mouse until its target is chosen; and
// deleting wires with the held right button. It holds the wire under way,
// which is no part of the board until it is complete.
class Wiring {
public:
    WiringState state() const { return state_; }
    bool isDrawing() const { return underWay_.has_value(); }
    // The wire under way, drawn after the board's.
    const std::optional<Wire>& underWay() const { return underWay_; }
    std::optional<Connection> connectionUnderWay() const;

    // "Connect" arms wiring, or abandons the wire under way.
    void pressConnect();
    // The wire under way goes; armed wiring stays armed.
    void abandon();
    // Back to idle, whatever was under way.
    void reset() { abandon(), state_ = WiringState::Idle; }
    // After an edit that took pins away: the wire under way goes with its source.
    void keepAttachedTo(const Board& board);

    void startAtInput(const Editor& editor, int32_t input, Point mouse);
    void startAtChip(const Chip& chip, Point mouse, sf::Mouse::Button button);
    // Another chip becomes the source at its output 0; on the source chip
    // the right button steps through its outputs; the left button confirms.
    void chooseSource(const Chip& chip, sf::Mouse::Button button);
    // A press that is not left previews the chip's lowest free input, and
    // each further one steps to its next free input; a left press completes
    // the wire. True when the press ends the frame's steps: a chip with no
    // free input abandons the wire.
    bool chooseTarget(Editor& editor, const Chip& chip, sf::Mouse::Button button);
    // The wire completes at the board output, unless a wire ends there already.
    void pressOutput(Editor& editor, int32_t output);

    // Each frame: the wire's ends on their pins, and its loose end, until a
    // target is previewed or chosen, at the mouse.
    void followPins(const Editor& editor);
    void followMouse(Point mouse);

    // The wires deleted in one hold of the right button are one step, with
    // the chip removed by the press that began it.
    void rightButton(bool held) { holdRecorded_ = holdRecorded_ && held; }
    void chipRemoved(bool rightHeld) { holdRecorded_ = rightHeld; }
    // At most one wire per frame, the oldest first.
    void deleteWireAt(Editor& editor, Point mouse);

private:
    void finish(Editor& editor);

    WiringState state_ = WiringState::Idle;
    std::optional<Wire> underWay_;
    bool holdRecorded_ = false;
};
