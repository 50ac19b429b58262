#pragma once

#include <SFML/Graphics.hpp>

#include <string>
#include <utility>
#include <vector>

// A panel over the board that lists the keys the editor understands, two
// columns a line: the keys, and what they do. Hidden until asked for.
class KeyPanel {
public:
    static constexpr unsigned TEXT_SIZE = 20;

    // Each line a pair: the keys, and what they do; within `room`.
    void setup(sf::Vector2f position, const sf::Font& font, const std::vector<std::pair<std::string, std::string>>& lines,
               sf::Vector2f room);
    void toggle() { shown = !shown; }
    bool isShown() const { return shown; }

    const sf::RectangleShape& rect() const { return panel; }
    const std::vector<sf::Text>& texts() const { return columns; }

private:
    sf::RectangleShape panel;
    std::vector<sf::Text> columns;  // the keys and their uses, line by line
    bool shown = false;
};
