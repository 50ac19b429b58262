#pragma once

#include "storage/PinNames.h"

#include <SFML/Graphics.hpp>

#include <map>
#include <cstdint>
#include <tuple>
#include <utility>
#include <vector>

class App;
class Chip;
class Editor;
class Tag;
class TimingDiagram;
class Wire;

// The scene as three arrays of vertices, drawn with a draw call each whatever
// the number of chips, pins and wires: the frame, buttons and name box on the
// texture of their labels; the chips and board pins on the texture of the
// chip labels; the wires. The board is the one shown: while a chip is looked
// into, its inside. Over them, once there is anything to show, a fourth: the
// outlines of selected chips and the rectangle that selects them, the notice
// at the foot of the board, the lines under the top bar, the marks at the
// ends of a palette that scrolls, the timing diagram, the panel of keys. Shapes without a texture take its white corner, so
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
    // A shape's triangles where the shape itself stands: its inside as a fan
    // around the centre of its corners, its outline as a strip.
    struct Outline {
        std::vector<sf::Vector2f> inside;
        std::vector<sf::Vector2f> outline;
    };

    static void findChipLayout(const Editor& editor, std::vector<uint64_t>& layout);
    void recolourChips(const Editor& editor);
    void addPaletteMarks(const Editor& editor);
    void addSelection(const App& app);
    void addPinNames(const App& app);  // into the overlay
    void addTimingDiagram(const TimingDiagram& diagram);  // into the overlay
    void addWire(const Wire& wire);
    void addTag(const Tag& tag);
    void addChip(const Chip& chip, const sf::Font& font);
    void addShape(std::vector<sf::Vertex>& layer, const sf::Shape& shape, sf::Color fill);
    void addCircle(const sf::CircleShape& circle, sf::Color fill);  // into the chip layer
    void addTriangles(std::vector<sf::Vertex>& layer, const sf::Shape& shape, const Outline& triangles, sf::Color fill);
    void addText(std::vector<sf::Vertex>& layer, const sf::Text& text);

    std::vector<sf::Vertex> panel;
    std::vector<sf::Vertex> chips;
    std::vector<sf::Vertex> wires;
    std::vector<sf::Vertex> overlay;
    const sf::Texture* panelTexture = nullptr;
    const sf::Texture* chipTexture = nullptr;
    std::vector<sf::Vector2f> corners;  // of the shape at hand
    Outline rectangle;                  // of the rectangle at hand
    sf::RectangleShape selectedOutline;  // laid out again around each selected chip
    // Every pin, and every board circle, has the same triangles: worked out
    // once for each radius, number of points and outline thickness.
    std::map<std::tuple<float, std::size_t, float>, Outline> circles;
    // What the chip layer was laid out from, and the same for this frame.
    std::vector<uint64_t> chipLayout, nextChipLayout;
    // The names beside the board's pins, and what they were made from.
    struct PinNamesShown {
        PinNames names;
        std::size_t inputs = 0;
        std::size_t outputs = 0;
        bool namingOutput = false;
        int32_t naming = -1;
        std::vector<sf::Text> texts;
    };
    PinNamesShown pinNamesShown;
    // Where the inside of each pin and board circle lies in the chip layer, in drawing order.
    std::vector<std::pair<std::size_t, std::size_t>> colourRanges;
};
