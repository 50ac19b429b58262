#include "widgets/Button.h"

#include "widgets/Latin1.h"

const sf::Color Button::NORMAL_FILL(80, 80, 80, 255);
const sf::Color Button::HOVER_FILL(60, 60, 60, 255);
const sf::Color Button::OUTLINE(40, 40, 40, 255);

void Button::setup(sf::Vector2f position, sf::Vector2f size, const sf::Font& font,
                   std::string label) {
    rect.setFillColor(NORMAL_FILL);
    rect.setOutlineColor(OUTLINE);
    rect.setOutlineThickness(OUTLINE_THICKNESS);
    rect.setPosition(position);
    rect.setSize(size);
    text.setFont(font);
    text.setCharacterSize(LABEL_SIZE);
    text.setFillColor(sf::Color::Black);
    setLabel(std::move(label));
}

bool Button::updateHover(sf::Vector2i mouse) {
    const bool over = contains(sf::Vector2f(static_cast<float>(mouse.x), static_cast<float>(mouse.y)));
    rect.setFillColor(over ? HOVER_FILL : NORMAL_FILL);
    return over;
}

void Button::setLabel(std::string label) {
    text.setString(toScreenString(label));
    const float width = text.getGlobalBounds().width;
    const sf::Vector2f position = rect.getPosition();
    text.setPosition(position.x + rect.getSize().x * 0.5f - width * 0.5f, position.y);
}

bool Button::contains(sf::Vector2f point) const {
    const sf::Vector2f position = rect.getPosition();
    const sf::Vector2f size = rect.getSize();
    return point.x >= position.x && point.x < position.x + size.x && point.y >= position.y &&
           point.y < position.y + size.y;
}
