#include "chip/Chip.h"

#include "widgets/Latin1.h"

#include <algorithm>
#include <cmath>

namespace {

uint64_t lastLayoutStamp = 0;

sf::Text labelText(const sf::Font& font, const std::string& name) {
    sf::Text text;
    text.setFont(font);
    text.setCharacterSize(Chip::LABEL_SIZE);
    text.setFillColor(sf::Color::Black);
    text.setString(toScreenString(name));
    return text;
}

}  // namespace

Chip::Chip(ChipKind kind, sf::Vector2f position, const sf::Font& font, std::string name)
    : Chip(ChipLogic(kind), position, font, std::move(name)) {}

Chip::Chip(ChipKind kind, sf::Vector2f position, const sf::Font& font, std::string name,
           const std::vector<ChipLogic>& subChips, const std::vector<Connection>& connections,
           int32_t inputCount, int32_t outputCount)
    : Chip(ChipLogic(kind, subChips, connections, inputCount, outputCount), position, font, std::move(name)) {}

Chip::Chip(ChipLogic logic, sf::Vector2f position, const sf::Font& font, std::string name)
    : ChipLogic(std::move(logic)),
      font_(&font),
      name_(std::move(name)),
      labelWidth_(labelText(font, name_).getGlobalBounds().width),
      position_(position),
      size_(labelWidth_ + LABEL_MARGIN, HEIGHT) {
    layout();
}

void Chip::layout() {
    laidOutAt_ = position_;
    laidOutSize_ = size_;
    layoutStamp_ = ++lastLayoutStamp;
}

void Chip::moveTo(sf::Vector2f position) {
    position_ = position;
    layout();
}

void Chip::resize(sf::Vector2f size) {
    size_ = size;
    layoutStamp_ = ++lastLayoutStamp;
}

sf::Vector2f Chip::boardSize() const {
    const int32_t pins = std::max(inputCount(), outputCount());
    return {labelWidth_ + LABEL_MARGIN, static_cast<float>(std::sqrt(static_cast<double>(pins)) * HEIGHT)};
}

bool Chip::contains(sf::Vector2f point) const {
    return position_.x < point.x && point.x <= position_.x + size_.x && position_.y < point.y &&
           point.y <= position_.y + size_.y;
}

sf::FloatRect Chip::bounds() const { return body().getGlobalBounds(); }

sf::RectangleShape Chip::body() const {
    sf::RectangleShape body(size_);
    body.setPosition(position_);
    body.setFillColor(sf::Color::Red);
    body.setOutlineColor(sf::Color::Black);
    body.setOutlineThickness(-2.f);
    return body;
}

sf::CircleShape Chip::pinCircle(int32_t circle) const {
    sf::CircleShape pin(0.f, 30);
    pin.setRadius(PIN_RADIUS);
    pin.setFillColor(sf::Color::Black);
    pin.setOrigin(PIN_RADIUS, PIN_RADIUS);
    pin.setPosition(circle < inputCount() ? inputPinPosition(circle) : outputPinPosition(circle - inputCount()));
    return pin;
}

// Centred horizontally over the body, its top on the body's top edge.
sf::Text Chip::label() const {
    sf::Text text = labelText(*font_, name_);
    text.setPosition(laidOutAt_.x + (laidOutSize_.x - labelWidth_) * 0.5f, laidOutAt_.y);
    return text;
}

bool Chip::pinValue(int32_t circle) const {
    return circle < inputCount() ? input(circle) : output(circle - inputCount());
}

// Pins are spread evenly down each edge, with equal gaps at both ends.
sf::Vector2f Chip::inputPinPosition(int32_t pin) const {
    return {laidOutAt_.x, laidOutAt_.y + laidOutSize_.y / static_cast<float>(inputCount() + 1) * static_cast<float>(pin + 1)};
}

sf::Vector2f Chip::outputPinPosition(int32_t pin) const {
    return {laidOutAt_.x + laidOutSize_.x,
            laidOutAt_.y + laidOutSize_.y / static_cast<float>(outputCount() + 1) * static_cast<float>(pin + 1)};
}

bool operator==(const Chip& a, const Chip& b) {
    return static_cast<const ChipLogic&>(a) == static_cast<const ChipLogic&>(b) && a.name_ == b.name_ &&
           a.position_ == b.position_ && a.size_ == b.size_;
}
