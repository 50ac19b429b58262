#pragma once

#include <SFML/Graphics/Color.hpp>

// Fixed figures of the screen's look, in window pixels and colours; where
// the board and the palette stand is the editor's (editing/BoardLayout.h).
namespace layout {

constexpr float BOARD_OUTLINE = 4.f;  // outside the frame's inner area
constexpr float CLOCKED_RING = 5.f;   // around a blinking input
const sf::Color GREY(102, 102, 102, 255);
const sf::Color BACKGROUND(51, 51, 51, 255);
const sf::Color PIN_NAME(200, 200, 200, 255);  // beside a board pin

}  // namespace layout
