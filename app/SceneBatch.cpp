#include "app/SceneBatch.h"

#include "app/App.h"

#include <algorithm>
#include <cmath>

namespace {

// Every page of a font's texture has white texels in its top-left corner.
const sf::Vector2f WHITE_TEXEL(1.f, 1.f);

// The unit normal of the segment from `a` to `b`, as the library takes it.
sf::Vector2f normalOf(sf::Vector2f a, sf::Vector2f b) {
    sf::Vector2f normal(a.y - b.y, b.x - a.x);
    const float length = std::sqrt(normal.x * normal.x + normal.y * normal.y);
    if (length != 0.f) normal /= length;
    return normal;
}

float dot(sf::Vector2f a, sf::Vector2f b) { return a.x * b.x + a.y * b.y; }

void addTriangle(sf::VertexArray& layer, const sf::Transform& transform, sf::Vector2f a, sf::Vector2f b,
                 sf::Vector2f c, sf::Color colour) {
    for (const sf::Vector2f point : {a, b, c}) layer.append(sf::Vertex(transform.transformPoint(point), colour, WHITE_TEXEL));
}

}  // namespace

void SceneBatch::rebuild(const App& app) {
    panelTexture = &app.font.getTexture(Button::LABEL_SIZE);
    chipTexture = &app.font.getTexture(Chip::LABEL_SIZE);
    panel.clear();
    chips.clear();
    wires.clear();
    addShape(panel, app.boardFrame, app.boardFrame.getFillColor());
    for (const Button& button : app.buttons) {
        addShape(panel, button.rect, button.rect.getFillColor());
        addText(panel, button.text);
    }
    addShape(panel, app.nameBox.rect(), app.nameBox.rect().getFillColor());
    addText(panel, app.nameBox.text());
    for (const Chip& chip : app.library) addChip(chip);
    for (const Chip& chip : app.boardChips) addChip(chip);
    for (const sf::CircleShape& circle : app.inputCircles) addCircle(chips, circle, circle.getFillColor());
    for (const sf::CircleShape& circle : app.outputCircles) addCircle(chips, circle, circle.getFillColor());
    for (const Wire& wire : app.wires) wires.append(wire.line[0]), wires.append(wire.line[1]);
}

int SceneBatch::draw(sf::RenderTarget& target) const {
    int calls = 0;
    for (const auto& [layer, texture] : {std::pair{&panel, panelTexture}, {&chips, chipTexture}, {&wires, nullptr}}) {
        if (layer->getVertexCount() == 0) continue;
        sf::RenderStates states;
        states.texture = texture;
        target.draw(*layer, states);
        ++calls;
    }
    return calls;
}

// Body, pins coloured by their values, label.
void SceneBatch::addChip(const Chip& chip) {
    addShape(chips, chip.body(), chip.body().getFillColor());
    const int32_t inputs = chip.inputCount();
    for (int32_t pin = 0; pin < inputs + chip.outputCount(); ++pin)
        addCircle(chips, chip.pins()[pin], logicColour(pin < inputs ? chip.input(pin) : chip.output(pin - inputs)));
    addText(chips, chip.label());
}

void SceneBatch::addShape(sf::VertexArray& layer, const sf::Shape& shape, sf::Color fill) {
    points.clear();
    for (std::size_t i = 0; i < shape.getPointCount(); ++i) points.push_back(shape.getPoint(i));
    addPolygon(layer, shape, points, fill);
}

// All pins, and all board circles, have the same points: they are worked out once.
void SceneBatch::addCircle(sf::VertexArray& layer, const sf::CircleShape& circle, sf::Color fill) {
    std::vector<sf::Vector2f>& cached = circlePoints[{circle.getRadius(), circle.getPointCount()}];
    for (std::size_t i = cached.size(); i < circle.getPointCount(); ++i) cached.push_back(circle.getPoint(i));
    addPolygon(layer, circle, cached, fill);
}

void SceneBatch::addPolygon(sf::VertexArray& layer, const sf::Shape& shape, const std::vector<sf::Vector2f>& corners,
                            sf::Color fill) {
    const std::size_t count = corners.size();
    if (count < 3) return;
    const sf::Transform& transform = shape.getTransform();
    const auto point = [&corners, count](std::size_t index) { return corners[index % count]; };
    float left = corners[0].x, top = corners[0].y, right = left, bottom = top;
    for (const sf::Vector2f corner : corners) {
        left = std::min(left, corner.x), right = std::max(right, corner.x);
        top = std::min(top, corner.y), bottom = std::max(bottom, corner.y);
    }
    const sf::Vector2f centre(left + (right - left) / 2, top + (bottom - top) / 2);
    if (fill.a != 0)  // a transparent inside changes no pixel
        for (std::size_t i = 0; i < count; ++i) addTriangle(layer, transform, centre, point(i), point(i + 1), fill);
    const float thickness = shape.getOutlineThickness();
    if (thickness == 0.f) return;
    // Each corner pushed out along the mean of the normals of its two sides.
    const auto outer = [&](std::size_t i) {
        const sf::Vector2f p0 = point(i + count - 1), p1 = point(i), p2 = point(i + 1);
        sf::Vector2f n1 = normalOf(p0, p1), n2 = normalOf(p1, p2);
        if (dot(n1, centre - p1) > 0) n1 = -n1;
        if (dot(n2, centre - p1) > 0) n2 = -n2;
        const float factor = 1.f + (n1.x * n2.x + n1.y * n2.y);
        return p1 + (n1 + n2) / factor * thickness;
    };
    const sf::Color outline = shape.getOutlineColor();
    for (std::size_t i = 0; i < count; ++i) {
        const sf::Vector2f inner0 = point(i), outer0 = outer(i), inner1 = point(i + 1), outer1 = outer(i + 1);
        addTriangle(layer, transform, inner0, outer0, inner1, outline);
        addTriangle(layer, transform, outer0, inner1, outer1, outline);
    }
}

// Glyph quads as the library places them: from the baseline at the character
// size, each glyph padded by a texel, spaces and tabs advancing, kerning
// between neighbours, carriage returns skipped and line feeds starting a line.
void SceneBatch::addText(sf::VertexArray& layer, const sf::Text& text) {
    const sf::Font* font = text.getFont();
    if (!font) return;
    const unsigned size = text.getCharacterSize();
    const sf::Transform& transform = text.getTransform();
    const sf::Color colour = text.getFillColor();
    const float space = font->getGlyph(U' ', size, false).advance;
    float x = 0.f, y = static_cast<float>(size);
    sf::Uint32 previous = 0;
    for (const sf::Uint32 character : text.getString()) {
        if (character == U'\r') continue;
        x += font->getKerning(previous, character, size);
        previous = character;
        if (character == U' ' || character == U'\t' || character == U'\n') {
            if (character == U' ') x += space;
            if (character == U'\t') x += space * 4;
            if (character == U'\n') y += font->getLineSpacing(size), x = 0;
            continue;
        }
        const sf::Glyph& glyph = font->getGlyph(character, size, false);
        const float padding = 1.f;
        const float left = glyph.bounds.left - padding, top = glyph.bounds.top - padding;
        const float right = glyph.bounds.left + glyph.bounds.width + padding;
        const float bottom = glyph.bounds.top + glyph.bounds.height + padding;
        const float u1 = static_cast<float>(glyph.textureRect.left) - padding;
        const float v1 = static_cast<float>(glyph.textureRect.top) - padding;
        const float u2 = static_cast<float>(glyph.textureRect.left + glyph.textureRect.width) + padding;
        const float v2 = static_cast<float>(glyph.textureRect.top + glyph.textureRect.height) + padding;
        const auto vertex = [&](float px, float py, float u, float v) {
            layer.append(sf::Vertex(transform.transformPoint(x + px, y + py), colour, sf::Vector2f(u, v)));
        };
        vertex(left, top, u1, v1), vertex(right, top, u2, v1), vertex(left, bottom, u1, v2);
        vertex(left, bottom, u1, v2), vertex(right, top, u2, v1), vertex(right, bottom, u2, v2);
        x += glyph.advance;
    }
}
