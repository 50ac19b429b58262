#include "app/FrameInput.h"

bool isActedOn(const sf::Event& event) {
    switch (event.type) {
        case sf::Event::Closed:
        case sf::Event::KeyPressed:
        case sf::Event::TextEntered:
        case sf::Event::MouseButtonPressed:
        case sf::Event::MouseButtonReleased:
        case sf::Event::MouseWheelScrolled:
            return true;
        default:
            return false;
    }
}
