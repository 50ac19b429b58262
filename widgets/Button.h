#pragma once

#include <SFML/Graphics.hpp>

#include <string>

// A clickable grey rectangle with a label centred horizontally over it. It
// handles no events itself: each frame the App asks it whether the mouse is
// over it, which also gives it its hover colour.
class Button {
public:
    static const sf::Color NORMAL_FILL;
    static const sf::Color HOVER_FILL;
    static const sf::Color OUTLINE;
    static constexpr float OUTLINE_THICKNESS = -2.f;  // inside the rectangle
    static constexpr unsigned LABEL_SIZE = 30;

    void setup(sf::Vector2f position, sf::Vector2f size, const sf::Font& font, std::string label);

    // True while the mouse is over the button; left and top edges belong to
    // it, right and bottom edges do not. Sets the hover or normal fill.
    bool updateHover(sf::Vector2i mouse);

    // Replaces the label and centres it again over the rectangle.
    void setLabel(std::string label);

    // Half-open test: [left, right) x [top, bottom).
    bool contains(sf::Vector2f point) const;

    sf::RectangleShape rect;
    sf::Text text;
};
