#include "widgets/Notice.h"

#include "widgets/Latin1.h"

const sf::Color Notice::COLOUR(160, 160, 160, 255);

void Notice::setup(sf::Vector2f position, const sf::Font& font) {
    line.setFont(font);
    line.setCharacterSize(TEXT_SIZE);
    line.setFillColor(COLOUR);
    line.setPosition(position);
}

void Notice::say(const std::string& words, sf::Time now) {
    line.setString(toScreenString(words));
    saidAt = now;
    shown = true;
}

void Notice::update(sf::Time now) {
    if (shown && now - saidAt >= sf::milliseconds(SHOWN_FOR_MS)) shown = false;
}

std::string Notice::words() const { return shown ? toByteString(line.getString()) : std::string(); }
