#pragma once

#include "chip/Connection.h"
#include "chip/Point.h"

#include <array>

// One wire on the board, from a source pin to a target pin. It is drawn as a
// line from its source end to its target end, each end in a shade of its
// own: a wire under way is white where it is still to be chosen, a complete
// wire shows the value it carried last, green for 1 and black for 0. Only
// complete wires carry values.
class Wire {
public:
    static constexpr int32_t NO_TARGET = -1;  // toChip of a wire still being drawn

    enum class Shade : uint8_t { Unchosen, Low, High };

    // A new wire under way, white from `source` to `target`.
    Wire(Connection connection, Point source, Point target);

    Point sourcePoint() const { return ends[0]; }
    Point targetPoint() const { return ends[1]; }
    void setSourcePoint(Point point) { ends[0] = point; }
    void setTargetPoint(Point point) { ends[1] = point; }
    // Both ends show the value carried.
    void carry(bool value) { shades = {shadeOf(value), shadeOf(value)}; }

    // Both ends black and carrying values from now on.
    void finish();

    // The ellipse with the wire's ends as foci and a distance sum of the
    // wire's length plus one pixel.
    bool isNear(Point point) const;

    // The same ends and completeness; where the line is drawn and its shades
    // follow from the board.
    friend bool operator==(const Wire& a, const Wire& b) {
        return a.connection == b.connection && a.complete == b.complete;
    }
    friend bool operator!=(const Wire& a, const Wire& b) { return !(a == b); }

    static Shade shadeOf(bool value) { return value ? Shade::High : Shade::Low; }

    Connection connection;
    std::array<Point, 2> ends;  // the source end, then the target end
    std::array<Shade, 2> shades{Shade::Unchosen, Shade::Unchosen};
    bool complete = false;
};
