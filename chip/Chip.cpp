#include "chip/Chip.h"

#include "widgets/Latin1.h"

namespace {

uint64_t lastLayoutStamp = 0;

}  // namespace

Chip::Chip(ChipKind kind, sf::Vector2f position, const sf::Font& font, std::string name)
    : Chip(ChipLogic(kind), position, font, std::move(name)) {}

Chip::Chip(ChipKind kind, sf::Vector2f position, const sf::Font& font, std::string name,
           const std::vector<ChipLogic>& subChips, const std::vector<Connection>& connections,
           int32_t inputCount, int32_t outputCount)
    : Chip(ChipLogic(kind, subChips, connections, inputCount, outputCount), position, font, std::move(name)) {}

Chip::Chip(ChipLogic logic, sf::Vector2f position, const sf::Font& font, std::string name)
    : ChipLogic(std::move(logic)) {
    buildShapes(position, font);
    setName(std::move(name));
}

void Chip::buildShapes(sf::Vector2f position, const sf::Font& font) {
    body_.setPosition(position);
    body_.setSize(sf::Vector2f(100.f, HEIGHT));
    body_.setFillColor(sf::Color::Red);
    body_.setOutlineColor(sf::Color::Black);
    body_.setOutlineThickness(-2.f);
    label_.setFont(font);
    label_.setCharacterSize(LABEL_SIZE);
    label_.setFillColor(sf::Color::Black);
    for (int32_t i = 0; i < inputCount() + outputCount(); ++i) {
        sf::CircleShape pin(0.f, 30);
        pin.setRadius(PIN_RADIUS);
        pin.setFillColor(sf::Color::Black);
        pin.setOrigin(PIN_RADIUS, PIN_RADIUS);
        pins_.push_back(pin);
    }
}

void Chip::setName(std::string name) {
    label_.setString(toScreenString(name));
    body_.setSize(sf::Vector2f(label_.getGlobalBounds().width + LABEL_MARGIN, HEIGHT));
    layout();
}

void Chip::layout() {
    const sf::Vector2f position = body_.getPosition();
    const sf::Vector2f size = body_.getSize();
    label_.setPosition(position.x + (size.x - label_.getGlobalBounds().width) * 0.5f, position.y);
    // Pins are spread evenly down each edge, with equal gaps at both ends.
    const int32_t inputs = inputCount();
    const int32_t outputs = outputCount();
    for (int32_t i = 0; i < inputs; ++i)
        pins_[i].setPosition(position.x,
                             position.y + size.y / static_cast<float>(inputs + 1) *
                                              static_cast<float>(i + 1));
    for (int32_t j = 0; j < outputs; ++j)
        pins_[inputs + j].setPosition(position.x + size.x,
                                      position.y + size.y / static_cast<float>(outputs + 1) *
                                                       static_cast<float>(j + 1));
    layoutStamp_ = ++lastLayoutStamp;
}

void Chip::moveTo(sf::Vector2f position) {
    body_.setPosition(position);
    layout();
}

void Chip::resize(sf::Vector2f size) {
    body_.setSize(size);
    layoutStamp_ = ++lastLayoutStamp;
}

bool Chip::contains(sf::Vector2f point) const {
    const sf::Vector2f position = body_.getPosition();
    const sf::Vector2f size = body_.getSize();
    return position.x < point.x && point.x <= position.x + size.x && position.y < point.y &&
           point.y <= position.y + size.y;
}

std::string Chip::name() const { return toByteString(label_.getString()); }

bool Chip::pinValue(int32_t circle) const {
    return circle < inputCount() ? input(circle) : output(circle - inputCount());
}

sf::Vector2f Chip::inputPinPosition(int32_t pin) const { return pins_[pin].getPosition(); }

sf::Vector2f Chip::outputPinPosition(int32_t pin) const {
    return pins_[inputCount() + pin].getPosition();
}
