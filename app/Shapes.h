#pragma once

#include "chip/Chip.h"
#include "editing/Editor.h"

#include <SFML/Graphics.hpp>

#include <cstddef>
#include <string>

// The shapes the board and its chips are drawn with. A chip is a red body
// with a black inner border, one small circle per pin, and its name in black
// along its top edge; the board's inputs and lamps are larger circles on the
// frame's edges.

// Logic values are shown green for 1 and black for 0, on pins, wires, board
// inputs and lamps alike.
inline sf::Color logicColour(bool value) { return value ? sf::Color::Green : sf::Color::Black; }

// How wide the name is drawn as a chip's label, in this font.
float labelWidth(const sf::Font& font, const std::string& name);

sf::RectangleShape bodyOf(const Chip& chip);
// Pin circle `circle`, coloured black: the inputs', then the outputs'.
sf::CircleShape pinCircleOf(const Chip& chip, int32_t circle);
sf::Text labelOf(const Chip& chip, const sf::Font& font);
// A selected chip's outline, around its body; the rectangle that selects
// chips, a thin outline. Neither fills what it surrounds.
sf::RectangleShape selectedOutlineOf(const Chip& chip);
// The same outline made again around another chip: no allocation once the
// shape has been laid out.
void outlineSelected(sf::RectangleShape& outline, const Chip& chip);
sf::RectangleShape selectingRectangle(const Box& area);

inline sf::Vector2f toScreen(Point point) { return {point.x, point.y}; }

// A board input shows its value, and a grey ring while it blinks; a lamp
// shows whether it is lit. Those of the board shown: the inside of a chip
// while one is looked into.
sf::CircleShape inputCircle(const Editor& editor, std::size_t input);
sf::CircleShape outputCircle(const Editor& editor, std::size_t output);

// Where the name of a board pin, or the field to type it in, stands: beside
// its circle, inside the board; for an output, the top-right corner.
sf::Vector2f pinNamePlace(const Editor& editor, bool output, std::size_t pin);
// The names of the board's pins, each beside its pin, but for the pin being
// named (`naming` < 0: none).
std::vector<sf::Text> pinNameTexts(const Editor& editor, const sf::Font& font, bool namingOutput, int32_t naming);
