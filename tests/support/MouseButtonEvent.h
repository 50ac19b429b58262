#pragma once

#include <SFML/Window/Event.hpp>

// A press or release of `button` with the mouse at `at`, as the window would
// report it.
inline sf::Event mouseButtonEvent(sf::Event::EventType type, sf::Vector2i at,
                                  sf::Mouse::Button button) {
    sf::Event event{};
    event.type = type;
    event.mouseButton.button = button;
    event.mouseButton.x = at.x;
    event.mouseButton.y = at.y;
    return event;
}
