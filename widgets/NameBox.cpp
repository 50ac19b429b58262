#include "widgets/NameBox.h"

#include "widgets/Latin1.h"

const sf::Color NameBox::FILL(120, 120, 120, 255);
const sf::Color NameBox::FOCUSED_FILL(160, 160, 160, 255);
const sf::Color NameBox::OUTLINE(60, 60, 60, 255);

void NameBox::setup(sf::Vector2f position, sf::Vector2f size, const sf::Font& font) {
    field.rect.setFillColor(FILL);
    field.rect.setOutlineColor(OUTLINE);
    field.rect.setOutlineThickness(Button::OUTLINE_THICKNESS);
    field.rect.setPosition(position);
    field.rect.setSize(size);
    field.text.setFont(font);
    field.text.setCharacterSize(Button::LABEL_SIZE);
    field.text.setFillColor(sf::Color::Black);
    field.setLabel("");
}

void NameBox::takeFocusFromPress(sf::Vector2f mouse) { setActive(field.contains(mouse)); }

std::optional<std::string> NameBox::type(std::uint32_t codePoint, std::string name) {
    if (!active) return std::nullopt;
    if (codePoint == CARRIAGE_RETURN) {
        setActive(false);
        return std::nullopt;
    }
    if (codePoint == BACKSPACE) {
        if (name.empty()) return std::nullopt;
        name.pop_back();
    } else {
        if (name.size() >= MAX_LENGTH) return std::nullopt;
        name.push_back(static_cast<char>(codePoint & 0xFFu));
    }
    return name;
}

std::string NameBox::name() const { return toByteString(field.text.getString()); }

void NameBox::show(const std::string& name) {
    if (name != this->name()) field.setLabel(name);
}

void NameBox::setActive(bool focused) {
    active = focused;
    field.rect.setFillColor(focused ? FOCUSED_FILL : FILL);
}
