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
    return typed(codePoint, std::move(name), MAX_LENGTH);
}

std::optional<std::string> NameBox::typed(std::uint32_t codePoint, std::string name, std::size_t longest) {
    if (codePoint == BACKSPACE) {
        if (name.empty()) return std::nullopt;
        name.pop_back();
    } else {
        if (name.size() >= longest) return std::nullopt;
        name.push_back(static_cast<char>(codePoint & 0xFFu));
    }
    return name;
}

std::string NameBox::name() const { return toByteString(field.text.getString()); }

// A name wider than the box is drawn smaller, centred, so that it stays
// inside; one that fits is drawn as it always was.
void NameBox::show(const std::string& name) {
    if (name == this->name()) return;
    field.text.setScale(1.f, 1.f);
    field.setLabel(name);
    const float room = field.rect.getSize().x - 2 * MARGIN, width = field.text.getGlobalBounds().width;
    if (width <= room) return;
    const float scale = room / width, height = static_cast<float>(Button::LABEL_SIZE);
    const sf::Vector2f box = field.rect.getPosition();
    field.text.setScale(scale, scale);
    field.text.setPosition(box.x + field.rect.getSize().x * 0.5f - width * scale * 0.5f, box.y + height * (1.f - scale) * 0.5f);
}

void NameBox::setActive(bool focused) {
    active = focused;
    field.rect.setFillColor(focused ? FOCUSED_FILL : FILL);
}
