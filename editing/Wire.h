#pragma once

#include "chip/Connection.h"

#include <SFML/Graphics.hpp>

#include <array>

// One wire on the board. Vertex 0 of the line is the source end, vertex 1 the
// target end; only complete wires carry values.
class Wire {
public:
    static constexpr int32_t NO_TARGET = -1;  // toChip of the wire still being drawn

    // A new wire under way, drawn white from `source` to `target`.
    Wire(Connection connection, sf::Vector2f source, sf::Vector2f target);

    sf::Vector2f sourcePoint() const { return line[0].position; }
    sf::Vector2f targetPoint() const { return line[1].position; }
    void setSourcePoint(sf::Vector2f point) { line[0].position = point; }
    void setTargetPoint(sf::Vector2f point) { line[1].position = point; }
    void colour(sf::Color source, sf::Color target);

    // Both ends black and carrying values from now on.
    void finish();

    bool feedsBoardOutput(int32_t output) const {
        return connection.toChip == 0 && connection.toPin == output;
    }

    // The ellipse with the wire's ends as foci and a distance sum of the
    // wire's length plus one pixel.
    bool isNear(sf::Vector2f point) const;

    // The same ends and completeness; where the line is drawn and its colours
    // follow from the board.
    friend bool operator==(const Wire& a, const Wire& b) {
        return a.connection == b.connection && a.complete == b.complete;
    }
    friend bool operator!=(const Wire& a, const Wire& b) { return !(a == b); }

    Connection connection;
    std::array<sf::Vertex, 2> line;  // drawn as a line from vertex 0 to vertex 1
    bool complete = false;
};
