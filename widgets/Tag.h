#pragma once

#include <SFML/Graphics.hpp>

#include <string>

// A small text on a grey ground, in the name box's look: the label of a pin
// beside the pointer, and the field in which a board pin's name is typed.
// Nothing shows until it is asked to.
class Tag {
public:
    static constexpr unsigned TEXT_SIZE = 20;
    static constexpr float PADDING = 4.f;

    void setup(const sf::Font& font);

    // The text (UTF-8), the tag's top-left corner at `at`, or its top-right
    // corner with `alignRight`; as a field, in the name box's focused grey.
    void show(const std::string& text, sf::Vector2f at, bool alignRight = false, bool field = false);
    void hide() { shown = false; }
    bool isShown() const { return shown; }

    const sf::RectangleShape& rect() const { return ground; }
    const sf::Text& text() const { return words; }

private:
    sf::RectangleShape ground;
    sf::Text words;
    bool shown = false;
};
