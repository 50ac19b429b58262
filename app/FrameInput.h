#pragma once

#include <SFML/System/Time.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

// Everything one frame reads from the outside world, gathered at its start:
// the one event taken, the mouse, the right button's, the Ctrl keys' and the
// Delete key's live state and the time.
// Tests build these by hand to drive the App frame by frame.
struct FrameInput {
    bool eventPending = false;
    sf::Event event{};  // a frame without an event keeps the previous one, never acted on
    sf::Vector2i mousePos;
    bool rightButtonHeld = false;
    sf::Time now;  // on the App's clock; times the blink
    bool controlHeld = false;  // either Ctrl key
    bool deleteHeld = false;   // a held key repeats its presses: one is taken
};

// Whether some step of the frame acts on events of this type. Mouse moves,
// focus, enter/leave, resize, key releases and joystick events are acted on
// by none: positions are sampled every frame instead.
bool isActedOn(const sf::Event& event);

// Takes the next event that some step acts on, skipping the others, so that
// a click never waits behind a backlog of mouse moves. At most one is taken.
template <class EventSource>
bool takeEvent(EventSource& source, sf::Event& event) {
    sf::Event candidate{};
    while (source.pollEvent(candidate)) {
        if (isActedOn(candidate)) {
            event = candidate;
            return true;
        }
    }
    return false;
}
