#pragma once

#include "chip/ChipLogic.h"

#include <SFML/Graphics.hpp>

#include <string>

// Logic values are shown green for 1 and black for 0, on pins, wires, board
// inputs and lamps alike.
inline sf::Color logicColour(bool value) { return value ? sf::Color::Green : sf::Color::Black; }

// A chip as the palette and the board show it: its logic plus a red body
// with a black inner border, its name along the top edge, and one small
// circle per pin, inputs down the left edge and outputs down the right, each
// green for 1 and black for 0.
//
// A chip is a value that costs little more than its logic to copy: it keeps
// its name, where its body stands and where its label and pins were last laid
// out, and makes its shapes when they are asked for.
class Chip : public ChipLogic {
public:
    static constexpr float HEIGHT = 50.f;
    static constexpr float LABEL_MARGIN = 30.f;  // body width = label width + margin
    static constexpr float PIN_RADIUS = 5.f;
    static constexpr unsigned LABEL_SIZE = 20;

    // NOT or AND, with the pin counts of its kind.
    Chip(ChipKind kind, sf::Vector2f position, const sf::Font& font, std::string name);

    // A composite built from the given inner circuit.
    Chip(ChipKind kind, sf::Vector2f position, const sf::Font& font, std::string name,
         const std::vector<ChipLogic>& subChips, const std::vector<Connection>& connections,
         int32_t inputCount, int32_t outputCount);

    // A chip with the given logic: its id, kind, pin values and inner circuit.
    // Its body stands at `position`, 50 high and as wide as its label plus the
    // margin, and is laid out there.
    Chip(ChipLogic logic, sf::Vector2f position, const sf::Font& font, std::string name);

    // Places the label and every pin circle from the body's position and size.
    void layout();

    // Moves the body and lays the chip out at once.
    void moveTo(sf::Vector2f position);
    // Resizes the body; its label and pins stay where they are until the next layout.
    void resize(sf::Vector2f size);

    // What the body becomes on the board: as wide as in the palette, and
    // taller with the chip's larger pin count.
    sf::Vector2f boardSize() const;

    // Left and top edges outside, right and bottom edges inside.
    bool contains(sf::Vector2f point) const;

    // Changes whenever the body, a pin or the label is placed or sized anew,
    // to a number no other chip's layout has had: equal stamps, same shapes.
    uint64_t layoutStamp() const { return layoutStamp_; }

    const std::string& name() const { return name_; }
    sf::Vector2f position() const { return position_; }
    sf::Vector2f size() const { return size_; }
    sf::FloatRect bounds() const;  // the body's global bounds

    // The shapes, as they stand.
    sf::RectangleShape body() const;
    sf::CircleShape pinCircle(int32_t circle) const;  // coloured black
    sf::Text label() const;

    // The value pin circle `circle` shows: the inputs', then the outputs'.
    bool pinValue(int32_t circle) const;
    sf::Vector2f inputPinPosition(int32_t pin) const;
    sf::Vector2f outputPinPosition(int32_t pin) const;

    // The same logic, name and body; where the label and pins were last laid
    // out is not compared.
    friend bool operator==(const Chip& a, const Chip& b);
    friend bool operator!=(const Chip& a, const Chip& b) { return !(a == b); }

private:
    const sf::Font* font_;
    std::string name_;
    float labelWidth_;
    sf::Vector2f position_;
    sf::Vector2f size_;
    // The body's position and size when the label and pins were last laid out.
    sf::Vector2f laidOutAt_;
    sf::Vector2f laidOutSize_;
    uint64_t layoutStamp_ = 0;
};
