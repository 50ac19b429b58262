#include "app/SceneBatch.h"

#include "app/App.h"
#include "app/Shapes.h"
#include "app/Layout.h"

#include <algorithm>
#include <cmath>

namespace {

// The notice, the pace and the keys are drawn on the chip labels' page of the font.
static_assert(Notice::TEXT_SIZE == Chip::LABEL_SIZE && KeyPanel::TEXT_SIZE == Chip::LABEL_SIZE);

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

// The corners laid out in triangles as the library lays out a shape: a fan
// around the centre of their bounds, and an outline pushing each corner out
// along the mean of the normals of its two sides, `thickness` far.
void layOut(const std::vector<sf::Vector2f>& corners, float thickness, std::vector<sf::Vector2f>& inside,
            std::vector<sf::Vector2f>& outline) {
    inside.clear();
    outline.clear();
    const std::size_t count = corners.size();
    if (count < 3) return;
    const auto point = [&corners, count](std::size_t index) { return corners[index % count]; };
    float left = corners[0].x, top = corners[0].y, right = left, bottom = top;
    for (const sf::Vector2f corner : corners) {
        left = std::min(left, corner.x), right = std::max(right, corner.x);
        top = std::min(top, corner.y), bottom = std::max(bottom, corner.y);
    }
    const sf::Vector2f centre(left + (right - left) / 2, top + (bottom - top) / 2);
    for (std::size_t i = 0; i < count; ++i) inside.insert(inside.end(), {centre, point(i), point(i + 1)});
    if (thickness == 0.f) return;
    const auto outer = [&](std::size_t i) {
        const sf::Vector2f p0 = point(i + count - 1), p1 = point(i), p2 = point(i + 1);
        sf::Vector2f n1 = normalOf(p0, p1), n2 = normalOf(p1, p2);
        if (dot(n1, centre - p1) > 0) n1 = -n1;
        if (dot(n2, centre - p1) > 0) n2 = -n2;
        const float factor = 1.f + (n1.x * n2.x + n1.y * n2.y);
        return p1 + (n1 + n2) / factor * thickness;
    };
    for (std::size_t i = 0; i < count; ++i) {
        const sf::Vector2f inner0 = point(i), outer0 = outer(i), inner1 = point(i + 1), outer1 = outer(i + 1);
        outline.insert(outline.end(), {inner0, outer0, inner1, outer0, inner1, outer1});
    }
}

// Where `transform` puts the point, worked out as the library does.
sf::Vector2f place(const float* matrix, sf::Vector2f point) {
    return {matrix[0] * point.x + matrix[4] * point.y + matrix[12], matrix[1] * point.x + matrix[5] * point.y + matrix[13]};
}

void cornersOf(const sf::Shape& shape, std::vector<sf::Vector2f>& corners) {
    corners.clear();
    for (std::size_t i = 0; i < shape.getPointCount(); ++i) corners.push_back(shape.getPoint(i));
}

void addVertices(std::vector<sf::Vertex>& layer, const float* matrix, const std::vector<sf::Vector2f>& points,
                 sf::Color colour) {
    for (const sf::Vector2f point : points) layer.push_back(sf::Vertex(place(matrix, point), colour, WHITE_TEXEL));
}

}  // namespace

// The frame, the buttons, the name box and the wires are few: they are laid
// out anew every frame. The chips and board circles are laid out again only
// when one of them has moved, come, gone or changed its shape; otherwise only
// the colours that show values are brought up to date.
void SceneBatch::rebuild(const App& app) {
    const Editor& editor = app.editor();
    const Board& board = editor.shownBoard();
    panelTexture = &app.font().getTexture(Button::LABEL_SIZE);
    chipTexture = &app.font().getTexture(Chip::LABEL_SIZE);
    panel.clear();
    addShape(panel, app.widgets().boardFrame, app.widgets().boardFrame.getFillColor());
    for (const Button& button : app.widgets().buttons) {
        addShape(panel, button.rect, button.rect.getFillColor());
        addText(panel, button.text);
    }
    addShape(panel, app.widgets().nameBox.rect(), app.widgets().nameBox.rect().getFillColor());
    addText(panel, app.widgets().nameBox.text());
    wires.clear();
    for (const Wire& wire : board.wires) addWire(wire);
    if (app.wiring().underWay()) addWire(*app.wiring().underWay());
    overlay.clear();
    addSelection(app);
    if (app.widgets().notice.isShown()) addText(overlay, app.widgets().notice.text());
    for (const sf::Text* line : {&app.widgets().paceLabel, &app.widgets().wiringHint, &app.widgets().pathLabel})
        if (!line->getString().isEmpty()) addText(overlay, *line);
    addPaletteMarks(editor);
    if (app.widgets().timingDiagram.isShown()) addTimingDiagram(app.widgets().timingDiagram);
    addPinNames(app);
    addTag(app.widgets().pinField);
    if (app.widgets().keyPanel.isShown()) {
        addShape(overlay, app.widgets().keyPanel.rect(), app.widgets().keyPanel.rect().getFillColor());
        for (const sf::Text& text : app.widgets().keyPanel.texts()) addText(overlay, text);
    }
    addTag(app.widgets().pinLabel);
    findChipLayout(editor, nextChipLayout);
    if (nextChipLayout == chipLayout) return recolourChips(editor);
    chipLayout.swap(nextChipLayout);
    chips.clear();
    colourRanges.clear();
    const Palette& palette = editor.palette();
    for (std::size_t entry = palette.firstShown(); entry < palette.size(); ++entry) addChip(palette[entry], app.font());
    for (const Chip& chip : board.chips) addChip(chip, app.font());
    for (std::size_t input = 0; input < board.inputs.size(); ++input) {
        const sf::CircleShape circle = inputCircle(editor, input);
        addCircle(circle, circle.getFillColor());
    }
    for (std::size_t output = 0; output < board.outputs.size(); ++output) {
        const sf::CircleShape circle = outputCircle(editor, output);
        addCircle(circle, circle.getFillColor());
    }
}

// What the chip layer is laid out from: every chip's layout, in drawing
// order, and the board circles, their number and their rings.
void SceneBatch::findChipLayout(const Editor& editor, std::vector<uint64_t>& layout) {
    const Palette& palette = editor.palette();
    const Board& board = editor.shownBoard();
    layout.assign(1, palette.size() - palette.firstShown());
    for (std::size_t entry = palette.firstShown(); entry < palette.size(); ++entry) layout.push_back(palette[entry].layoutStamp());
    layout.push_back(board.chips.size());
    for (const Chip& chip : board.chips) layout.push_back(chip.layoutStamp());
    layout.push_back(board.inputs.size());
    for (const BoardInput& input : board.inputs) layout.push_back(input.clocked);
    layout.push_back(board.outputs.size());
}

// The same walk as laying the chips out, colouring each pin and circle anew.
void SceneBatch::recolourChips(const Editor& editor) {
    std::size_t range = 0;
    const auto recolour = [this, &range](sf::Color colour) {
        const auto [start, count] = colourRanges[range++];
        if (chips[start].color == colour) return;
        for (std::size_t vertex = start; vertex < start + count; ++vertex) chips[vertex].color = colour;
    };
    const auto recolourPins = [&recolour](const Chip& chip) {
        for (int32_t pin = 0; pin < chip.inputCount() + chip.outputCount(); ++pin) recolour(logicColour(chip.pinValue(pin)));
    };
    const Palette& palette = editor.palette();
    for (std::size_t entry = palette.firstShown(); entry < palette.size(); ++entry) recolourPins(palette[entry]);
    for (const Chip& chip : editor.shownBoard().chips) recolourPins(chip);
    for (const BoardInput& input : editor.shownBoard().inputs) recolour(logicColour(input.value));
    for (const bool lit : editor.shownBoard().lamps) recolour(logicColour(lit));
}

// A small grey triangle at each end of the palette row that has more beyond
// it. A palette that fits, as most do, costs nothing here.
void SceneBatch::addPaletteMarks(const Editor& editor) {
    const Palette& palette = editor.palette();
    const bool before = palette.firstShown() > 0, after = palette.runsPastEdge();
    if (!before && !after) return;
    const Chip& first = palette[0];
    const float middle = first.position().y + first.size().y / 2, size = 8.f;
    sf::ConvexShape mark(3);
    mark.setFillColor(layout::GREY);
    if (before) {
        mark.setPoint(0, {4.f, middle}), mark.setPoint(1, {4.f + size, middle - size}), mark.setPoint(2, {4.f + size, middle + size});
        addShape(overlay, mark, mark.getFillColor());
    }
    if (after) {
        const float edge = editor.layout().screenWidth() - 4.f;
        mark.setPoint(0, {edge, middle}), mark.setPoint(1, {edge - size, middle + size}), mark.setPoint(2, {edge - size, middle - size});
        addShape(overlay, mark, mark.getFillColor());
    }
}

void SceneBatch::addTag(const Tag& tag) {
    if (!tag.isShown()) return;
    addShape(overlay, tag.rect(), tag.rect().getFillColor());
    addText(overlay, tag.text());
}

// The selected chips' outlines and the rectangle that selects them, over the
// wires and under the lines and the panel; nothing while none is in use.
void SceneBatch::addSelection(const App& app) {
    if (app.editor().inside()) return;  // the chips selected are not the ones shown
    for (const Chip* chip : app.selecting().selected()) {
        outlineSelected(selectedOutline, *chip);
        addShape(overlay, selectedOutline, sf::Color::Transparent);
    }
    if (const std::optional<Box> area = app.selecting().area()) addShape(overlay, selectingRectangle(*area), sf::Color::Transparent);
}

// Over the chips and wires, under the keys' panel.
void SceneBatch::addTimingDiagram(const TimingDiagram& diagram) {
    addShape(overlay, diagram.panel(), diagram.panel().getFillColor());
    for (const TimingDiagram::Stroke& stroke : diagram.strokes()) {
        const sf::FloatRect& box = stroke.box;
        const sf::Vector2f corners[] = {{box.left, box.top}, {box.left + box.width, box.top},
                                        {box.left, box.top + box.height}, {box.left + box.width, box.top + box.height}};
        for (const int corner : {0, 1, 2, 2, 1, 3}) overlay.push_back(sf::Vertex(corners[corner], stroke.colour, WHITE_TEXEL));
    }
    for (int32_t row = 0; row < diagram.rows(); row += diagram.nameEvery()) addText(overlay, diagram.names()[static_cast<size_t>(row)]);
}

// Each end in its shade: white while still to be chosen.
// The names beside the board's pins are made again only when they, the
// number of pins or the pin being named change.
void SceneBatch::addPinNames(const App& app) {
    const Board& board = app.editor().shownBoard();
    const std::optional<PinNaming::Field>& field = app.pinNaming().field();
    const bool namingOutput = field && field->output;
    const int32_t naming = field ? field->pin : -1;
    PinNamesShown& shown = pinNamesShown;
    if (!(shown.names == board.names) || shown.inputs != board.inputs.size() || shown.outputs != board.outputs.size() ||
        shown.namingOutput != namingOutput || shown.naming != naming) {
        shown = {board.names, board.inputs.size(), board.outputs.size(), namingOutput, naming,
                 pinNameTexts(app.editor(), app.font(), namingOutput, naming)};
    }
    for (const sf::Text& name : shown.texts) addText(overlay, name);
}

void SceneBatch::addWire(const Wire& wire) {
    for (int end = 0; end < 2; ++end) {
        const Wire::Shade shade = wire.shades[static_cast<std::size_t>(end)];
        const sf::Color colour = shade == Wire::Shade::Unchosen ? sf::Color::White : logicColour(shade == Wire::Shade::High);
        wires.push_back(sf::Vertex(toScreen(wire.ends[static_cast<std::size_t>(end)]), colour));
    }
}

int SceneBatch::draw(sf::RenderTarget& target) const {
    int calls = 0;
    for (const auto& [layer, texture] :
         {std::pair{&panel, panelTexture}, {&chips, chipTexture}, {&wires, nullptr}, {&overlay, chipTexture}}) {
        if (layer->empty()) continue;
        sf::RenderStates states;
        states.texture = texture;
        target.draw(layer->data(), layer->size(), layer == &wires ? sf::Lines : sf::Triangles, states);
        ++calls;
    }
    return calls;
}

// Body, pins coloured by their values, label.
void SceneBatch::addChip(const Chip& chip, const sf::Font& font) {
    const sf::RectangleShape body = bodyOf(chip);
    addShape(chips, body, body.getFillColor());
    for (int32_t pin = 0; pin < chip.inputCount() + chip.outputCount(); ++pin)
        addCircle(pinCircleOf(chip, pin), logicColour(chip.pinValue(pin)));
    addText(chips, labelOf(chip, font));
}

void SceneBatch::addShape(std::vector<sf::Vertex>& layer, const sf::Shape& shape, sf::Color fill) {
    cornersOf(shape, corners);
    layOut(corners, shape.getOutlineThickness(), rectangle.inside, rectangle.outline);
    addTriangles(layer, shape, rectangle, fill);
}

// A circle's inside is where its colour goes: that range is kept for recolouring.
void SceneBatch::addCircle(const sf::CircleShape& circle, sf::Color fill) {
    const auto key = std::make_tuple(circle.getRadius(), circle.getPointCount(), circle.getOutlineThickness());
    auto known = circles.find(key);
    if (known == circles.end()) {
        cornersOf(circle, corners);
        known = circles.emplace(key, Outline{}).first;
        layOut(corners, circle.getOutlineThickness(), known->second.inside, known->second.outline);
    }
    colourRanges.push_back({chips.size(), known->second.inside.size()});
    addTriangles(chips, circle, known->second, fill);
}

void SceneBatch::addTriangles(std::vector<sf::Vertex>& layer, const sf::Shape& shape, const Outline& triangles,
                              sf::Color fill) {
    const float* matrix = shape.getTransform().getMatrix();
    if (fill.a != 0) addVertices(layer, matrix, triangles.inside, fill);  // a transparent inside changes no pixel
    addVertices(layer, matrix, triangles.outline, shape.getOutlineColor());
}

// Glyph quads as the library places them: from the baseline at the character
// size, each glyph padded by a texel, spaces and tabs advancing, kerning
// between neighbours, carriage returns skipped and line feeds starting a line.
void SceneBatch::addText(std::vector<sf::Vertex>& layer, const sf::Text& text) {
    const sf::Font* font = text.getFont();
    if (!font) return;
    const unsigned size = text.getCharacterSize();
    const float* matrix = text.getTransform().getMatrix();
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
            layer.push_back(sf::Vertex(place(matrix, {x + px, y + py}), colour, sf::Vector2f(u, v)));
        };
        vertex(left, top, u1, v1), vertex(right, top, u2, v1), vertex(left, bottom, u1, v2);
        vertex(left, bottom, u1, v2), vertex(right, top, u2, v1), vertex(right, bottom, u2, v2);
        x += glyph.advance;
    }
}
