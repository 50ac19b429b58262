#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

// Fixed figures of the screen's look, in window pixels and colours; where
// the board and the palette stand is the editor's (editing/BoardLayout.h).
namespace layout {

constexpr float BOARD_OUTLINE = 4.f;  // outside the frame's inner area
constexpr float CLOCKED_RING = 5.f;   // around a blinking input
// The path of the boards opened and the chips looked into: under the top
// bar, right of the name box, clear of the lines beside "Connect".
const sf::Vector2f PATH_LINE(870.f, 72.f);
const sf::Color GREY(102, 102, 102, 255);
const sf::Color BACKGROUND(51, 51, 51, 255);
const sf::Color PIN_NAME(200, 200, 200, 255);  // beside a board pin
const sf::Color SELECTED(80, 180, 255, 255);  // selected chips and the rectangle that selects them
constexpr float SELECTED_OUTLINE = 3.f;       // around a selected chip's body

}  // namespace layout
