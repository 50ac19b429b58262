#pragma once

#include <SFML/Graphics/Color.hpp>

// Fixed figures of the screen layout, in window pixels.
namespace layout {

// The board frame's inner area runs from (BOARD_LEFT, BOARD_TOP) to
// (SCREEN_W - BOARD_LEFT, SCREEN_H - BOARD_TOP).
constexpr float BOARD_LEFT = 40.f;
constexpr float BOARD_TOP = 100.f;
constexpr float BOARD_OUTLINE = 4.f;
const sf::Color GREY(102, 102, 102, 255);
const sf::Color BACKGROUND(51, 51, 51, 255);

// Board input centres stand at x = PIN_COLUMN_X, outputs at SCREEN_W - PIN_COLUMN_X,
// both on the frame's outline.
constexpr float PIN_COLUMN_X = 38.f;
constexpr float BOARD_PIN_RADIUS = 10.f;
constexpr float CLOCKED_RING = 5.f;

// The palette row: chip tops at SCREEN_H - PALETTE_RAISE, entries PALETTE_GAP apart.
constexpr float PALETTE_RAISE = 70.f;
constexpr float PALETTE_GAP = 15.f;

}  // namespace layout
