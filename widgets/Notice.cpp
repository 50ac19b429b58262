#include "widgets/Notice.h"


const sf::Color Notice::COLOUR(160, 160, 160, 255);

void Notice::setup(sf::Vector2f position, const sf::Font& font) {
    line.setFont(font);
    line.setCharacterSize(TEXT_SIZE);
    line.setFillColor(COLOUR);
    line.setPosition(position);
}

void Notice::say(const std::string& words, sf::Time now) {
    line.setString(sf::String::fromUtf8(words.begin(), words.end()));
    saidAt = now;
    shown = true;
}

void Notice::update(sf::Time now) {
    if (shown && now - saidAt >= sf::milliseconds(SHOWN_FOR_MS)) shown = false;
}

std::string Notice::words() const {
    if (!shown) return "";
    const std::basic_string<sf::Uint8> text = line.getString().toUtf8();
    return std::string(text.begin(), text.end());
}
