#pragma once

#include <SFML/Graphics.hpp>

#include <string>

// A line at the foot of the board that tells, for a few seconds, what just
// happened that the user must know: a chip refused, a library file that
// cannot be written, an edit undone. Nothing shows until something is said.
class Notice {
public:
    static constexpr unsigned TEXT_SIZE = 20;
    static const sf::Color COLOUR;

    // The line's top-left corner.
    void setup(sf::Vector2f position, const sf::Font& font);

    // The words in UTF-8.
    void say(const std::string& words, sf::Time now);
    // Hides the line once it has shown for long enough.
    void update(sf::Time now);

    bool isShown() const { return shown; }
    std::string words() const;
    const sf::Text& text() const { return line; }

private:
    static constexpr int SHOWN_FOR_MS = 4000;

    sf::Text line;
    sf::Time saidAt;
    bool shown = false;
};
