#pragma once

#include "chip/ChipLogic.h"

#include <SFML/Graphics.hpp>

#include <string>
#include <vector>

// Logic values are shown green for 1 and black for 0, on pins, wires, board
// inputs and lamps alike.
inline sf::Color logicColour(bool value) { return value ? sf::Color::Green : sf::Color::Black; }

// A chip as the palette and the board show it: its logic plus a red body
// with a black inner border, its name along the top edge, and one small
// circle per pin, inputs down the left edge and outputs down the right, each
// green for 1 and black for 0.
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
    Chip(ChipLogic logic, sf::Vector2f position, const sf::Font& font, std::string name);

    // Gives a new chip its look, a pin circle for each pin its logic has;
    // expects no pin circles yet.
    void buildShapes(sf::Vector2f position, const sf::Font& font);

    // Sets the label, fits the body's width to it and lays the chip out.
    void setName(std::string name);

    // Places the label and every pin circle from the body's position and size.
    void layout();

    // Moves the body and lays the chip out at once.
    void moveTo(sf::Vector2f position);
    void resize(sf::Vector2f size);

    // Left and top edges outside, right and bottom edges inside.
    bool contains(sf::Vector2f point) const;

    // Changes whenever the body, a pin or the label is placed or sized anew,
    // to a number no other chip's layout has had: equal stamps, same shapes.
    uint64_t layoutStamp() const { return layoutStamp_; }

    std::string name() const;
    const sf::RectangleShape& body() const { return body_; }
    const std::vector<sf::CircleShape>& pins() const { return pins_; }
    const sf::Text& label() const { return label_; }
    // The value pin circle `circle` shows: the inputs', then the outputs'.
    bool pinValue(int32_t circle) const;
    sf::Vector2f inputPinPosition(int32_t pin) const;
    sf::Vector2f outputPinPosition(int32_t pin) const;

private:
    sf::RectangleShape body_;
    std::vector<sf::CircleShape> pins_;
    sf::Text label_;
    uint64_t layoutStamp_ = 0;
};
