#include "widgets/Tag.h"

#include "widgets/Button.h"
#include "widgets/NameBox.h"

void Tag::setup(const sf::Font& font) {
    words.setFont(font);
    words.setCharacterSize(TEXT_SIZE);
    words.setFillColor(sf::Color::Black);
    ground.setOutlineColor(NameBox::OUTLINE);
    ground.setOutlineThickness(Button::OUTLINE_THICKNESS);
}

void Tag::show(const std::string& text, sf::Vector2f at, bool alignRight, bool field) {
    words.setString(sf::String::fromUtf8(text.begin(), text.end()));
    const sf::Vector2f size(words.getLocalBounds().width + 2 * PADDING + 4.f, static_cast<float>(TEXT_SIZE) + 2 * PADDING + 2.f);
    const sf::Vector2f corner(alignRight ? at.x - size.x : at.x, at.y);
    ground.setSize(size);
    ground.setPosition(corner);
    ground.setFillColor(field ? NameBox::FOCUSED_FILL : NameBox::FILL);
    words.setPosition(corner.x + PADDING + 2.f, corner.y + PADDING - 2.f);
    shown = true;
}
