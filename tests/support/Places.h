#pragma once

#include "app/App.h"

#include <cstdint>

// Where on the screen things happen, as the App stands now. A place is
// picked by its kind, an index among several of that kind (taken modulo
// their number) and two fractions u, v in [0, 1] that say where inside it.
// Rectangles are widened by two pixels on every side, so their edges, and
// the pixels just beside them, are hit as often as their insides.
enum class Place : uint8_t {
    Button,         // one of the six buttons
    NameBox,
    BoardInput,     // the square around an input circle, and a little beyond
    BoardOutput,
    PaletteEntry,   // index 0 and 1 are NOT and AND; saved chips follow
    SavedEntry,     // a saved chip of the palette (NOT or AND while there is none)
    BoardChip,
    Wire,           // a point on a wire, between its two ends, at most 8 px beside it
    EmptyBoard,     // anywhere inside the board frame
    InputColumn,    // the strip of board inputs, at any height
    OutputColumn,
    PaletteRow,     // the band of the palette, at any x
    Anywhere,       // anywhere, including beyond the window's edges
    Edge,           // on or next to the window's and the board frame's edges
};
constexpr int PLACE_KINDS = 14;

// The pixel the mouse is on. Falls back to a point anywhere when there is
// nothing of that kind (no board chip, no wire).
sf::Vector2i pointAt(const App& app, Place place, uint32_t index, float u, float v);
