#include "editing/Wire.h"

#include <cmath>

namespace {

// Squares are summed in double precision and the root stored as float.
float distance(sf::Vector2f a, sf::Vector2f b) {
    const float dx = a.x - b.x;
    const float dy = a.y - b.y;
    return static_cast<float>(std::sqrt(std::pow(dx, 2) + std::pow(dy, 2)));
}

}  // namespace

Wire::Wire(Connection connection, sf::Vector2f source, sf::Vector2f target)
    : connection(connection), line{sf::Vertex(source, sf::Color::White), sf::Vertex(target, sf::Color::White)} {}

void Wire::colour(sf::Color source, sf::Color target) {
    line[0].color = source;
    line[1].color = target;
}

void Wire::finish() {
    colour(sf::Color::Black, sf::Color::Black);
    complete = true;
}

bool Wire::isNear(sf::Vector2f point) const {
    const float toTarget = distance(targetPoint(), point);
    const float toSource = distance(sourcePoint(), point);
    const float length = distance(targetPoint(), sourcePoint());
    return (toTarget + toSource) - length < 1.f;
}
