#pragma once

#include <SFML/Graphics.hpp>

#include <map>
#include <utility>
#include <vector>

class App;
class Chip;

// The scene as three vertex arrays, drawn with a draw call each whatever the
// number of chips, pins and wires: the frame, buttons and name box on the
// texture of their labels; the chips and board pins on the texture of the
// chip labels; the wires. Shapes without a texture take its white corner, so
// that shapes and labels share one array and keep their order. Every shape
// and label is laid out as the graphics library lays it out, so the pixels
// are those of drawing each on its own.
class SceneBatch {
public:
    // Lays out the scene as it stands; the arrays keep their memory, so a
    // board that does not change costs no allocation.
    void rebuild(const App& app);
    // The number of draw calls made.
    int draw(sf::RenderTarget& target) const;

private:
    void addChip(const Chip& chip);
    void addShape(sf::VertexArray& layer, const sf::Shape& shape, sf::Color fill);
    void addCircle(sf::VertexArray& layer, const sf::CircleShape& circle, sf::Color fill);
    // A shape's inside as a fan around the centre of its corners, its
    // outline as a strip, both made of triangles, its inside filled with `fill`.
    void addPolygon(sf::VertexArray& layer, const sf::Shape& shape, const std::vector<sf::Vector2f>& corners, sf::Color fill);
    void addText(sf::VertexArray& layer, const sf::Text& text);

    sf::VertexArray panel{sf::Triangles};
    sf::VertexArray chips{sf::Triangles};
    sf::VertexArray wires{sf::Lines};
    const sf::Texture* panelTexture = nullptr;
    const sf::Texture* chipTexture = nullptr;
    std::vector<sf::Vector2f> points;  // of the shape at hand
    std::map<std::pair<float, std::size_t>, std::vector<sf::Vector2f>> circlePoints;  // by radius and point count
};
