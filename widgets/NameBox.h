#pragma once

#include "widgets/Button.h"

#include <SFML/Graphics.hpp>

#include <cstdint>
#include <optional>
#include <string>

// The one-line field in which the user types the name a board is saved
// under. A press inside it gives it the keyboard focus, a press anywhere
// else or Enter takes the focus away; while focused it takes up to
// MAX_LENGTH characters and backspace. It shows the name the editor keeps.
class NameBox {
public:
    static const sf::Color FILL;
    static const sf::Color FOCUSED_FILL;
    static const sf::Color OUTLINE;
    static constexpr std::size_t MAX_LENGTH = 20;
    static constexpr std::uint32_t BACKSPACE = 8;
    static constexpr std::uint32_t CARRIAGE_RETURN = 13;
    static constexpr float MARGIN = 6.f;  // between a long name and the box's sides

    void setup(sf::Vector2f position, sf::Vector2f size, const sf::Font& font);

    // Every press decides the focus anew, before any other control acts.
    void takeFocusFromPress(sf::Vector2f mouse);

    // One typed code point, taken only while focused and stored as its low
    // byte: the name it makes of `name`, if it changed it.
    std::optional<std::string> type(std::uint32_t codePoint, std::string name);
    // What a code point other than Enter makes of `name`, as typed in a box
    // of at most `longest` characters: Backspace takes the last one away.
    static std::optional<std::string> typed(std::uint32_t codePoint, std::string name, std::size_t longest);

    // The name as shown.
    std::string name() const;
    void show(const std::string& name);
    bool isActive() const { return active; }

    const sf::RectangleShape& rect() const { return field.rect; }
    const sf::Text& text() const { return field.text; }

private:
    void setActive(bool focused);

    Button field;
    bool active = false;
};
