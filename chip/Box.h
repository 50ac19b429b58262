#pragma once

#include "chip/Point.h"

#include <algorithm>

// A rectangle on the screen: its top-left corner and its size.
struct Box {
    float left = 0.f;
    float top = 0.f;
    float width = 0.f;
    float height = 0.f;

    // A body's bounds as the graphics library measures them: from its
    // corners moved to its place, so the width is (left + width) - left.
    static Box placed(Point position, Point size) {
        const float right = size.x + position.x, bottom = size.y + position.y;
        return {position.x, position.y, right - position.x, bottom - position.y};
    }

    float right() const { return left + width; }
    float bottom() const { return top + height; }

    // Whether the point lies inside: the left and top edges outside, the
    // right and bottom ones inside, as on a chip.
    bool contains(Point point) const { return left < point.x && point.x <= right() && top < point.y && point.y <= bottom(); }

    // Whether the two overlap, edges apart.
    bool intersects(const Box& other) const {
        return std::max(left, other.left) < std::min(right(), other.right()) &&
               std::max(top, other.top) < std::min(bottom(), other.bottom());
    }
};
