#pragma once

#include "chip/Box.h"
#include "chip/Point.h"

#include <cstddef>
#include <cstdint>
#include <optional>

// Where the board stands on a screen of a given size: the frame that holds
// its chips, the columns of its input switches and output lamps on the
// frame's left and right edges, and the palette row below it.
class Chip;

class BoardLayout {
public:
    // The frame's inner area runs from (FRAME_LEFT, FRAME_TOP) to
    // (width - FRAME_LEFT, height - FRAME_TOP).
    static constexpr float FRAME_LEFT = 40.f;
    static constexpr float FRAME_TOP = 100.f;
    // Board input centres stand at x = PIN_COLUMN_X, outputs at width - PIN_COLUMN_X,
    // both on the frame's outline.
    static constexpr float PIN_COLUMN_X = 38.f;
    static constexpr float PIN_RADIUS = 10.f;
    // The palette row: chip tops at height - PALETTE_RAISE, entries PALETTE_GAP apart.
    static constexpr float PALETTE_RAISE = 70.f;
    static constexpr float PALETTE_GAP = 15.f;

    BoardLayout(float screenWidth, float screenHeight) : width_(screenWidth), height_(screenHeight) {}

    float screenWidth() const { return width_; }
    Box frame() const { return {FRAME_LEFT, FRAME_TOP, width_ - 2 * FRAME_LEFT, height_ - 2 * FRAME_TOP}; }
    float paletteTop() const { return height_ - PALETTE_RAISE; }

    // The centre of board input or output `index` of `count`: the pins of a
    // column are spread evenly over the band between the board's top and
    // bottom, with equal gaps between neighbours and at both ends.
    Point inputPoint(std::size_t index, std::size_t count) const { return pinPoint(PIN_COLUMN_X, index, count); }
    Point outputPoint(std::size_t index, std::size_t count) const { return pinPoint(width_ - PIN_COLUMN_X, index, count); }

    // A press at `point` on the column of `count` inputs (or outputs): none
    // when it lies outside the column, else the pin hit, or -1 between pins.
    // Each pin's zone is the square around its centre, left and top edges
    // outside; the column is that of its first pin.
    std::optional<int32_t> inputAt(Point point, std::size_t count) const { return pinAt(PIN_COLUMN_X, point, count); }
    std::optional<int32_t> outputAt(Point point, std::size_t count) const { return pinAt(width_ - PIN_COLUMN_X, point, count); }

    // The position nearest to `wanted` at which a body of this size lies
    // inside the frame; the top and left edges win when it does not fit.
    Point holdInFrame(Point wanted, Point size) const;
    // The same for a chip, measured by its bounds.
    Point inFrame(const Chip& chip, Point wanted) const;
    // A chip put on the board: laid out for it and held inside the frame.
    // Where it stood is kept, for the file, until the user moves it.
    void standInFrame(Chip& chip) const;

private:
    Point pinPoint(float x, std::size_t index, std::size_t count) const;
    std::optional<int32_t> pinAt(float x, Point point, std::size_t count) const;

    float width_;
    float height_;
};
