#include "editing/Wire.h"

#include <cmath>

namespace {

// Squares are summed in double precision and the root stored as float.
float distance(Point a, Point b) {
    const float dx = a.x - b.x;
    const float dy = a.y - b.y;
    return static_cast<float>(std::sqrt(std::pow(dx, 2) + std::pow(dy, 2)));
}

}  // namespace

Wire::Wire(Connection connection, Point source, Point target) : connection(connection), ends{source, target} {}

void Wire::finish() {
    shades = {Shade::Low, Shade::Low};
    complete = true;
}

bool Wire::isNear(Point point) const {
    const float toTarget = distance(targetPoint(), point);
    const float toSource = distance(sourcePoint(), point);
    const float length = distance(targetPoint(), sourcePoint());
    return (toTarget + toSource) - length < 1.f;
}
