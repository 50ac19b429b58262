#include "app/Shapes.h"

#include "app/Layout.h"

#include "widgets/Latin1.h"

namespace {

sf::Text labelText(const sf::Font& font, const std::string& name) {
    sf::Text text;
    text.setFont(font);
    text.setCharacterSize(Chip::LABEL_SIZE);
    text.setFillColor(sf::Color::Black);
    text.setString(toScreenString(name));
    return text;
}

sf::CircleShape boardPinCircle(Point centre, bool value) {
    sf::CircleShape circle(0.f, 30);
    circle.setFillColor(logicColour(value));
    circle.setRadius(BoardLayout::PIN_RADIUS);
    circle.setOrigin(BoardLayout::PIN_RADIUS, BoardLayout::PIN_RADIUS);
    circle.setPosition(toScreen(centre));
    return circle;
}

}  // namespace

float labelWidth(const sf::Font& font, const std::string& name) { return labelText(font, name).getGlobalBounds().width; }

sf::RectangleShape bodyOf(const Chip& chip) {
    sf::RectangleShape body(toScreen(chip.size()));
    body.setPosition(toScreen(chip.position()));
    body.setFillColor(sf::Color::Red);
    body.setOutlineColor(sf::Color::Black);
    body.setOutlineThickness(-2.f);
    return body;
}

sf::CircleShape pinCircleOf(const Chip& chip, int32_t circle) {
    sf::CircleShape pin(0.f, 30);
    pin.setRadius(Chip::PIN_RADIUS);
    pin.setFillColor(sf::Color::Black);
    pin.setOrigin(Chip::PIN_RADIUS, Chip::PIN_RADIUS);
    pin.setPosition(toScreen(chip.pinPosition(circle)));
    return pin;
}

sf::Text labelOf(const Chip& chip, const sf::Font& font) {
    sf::Text text = labelText(font, chip.name());
    text.setPosition(toScreen(chip.labelPosition()));
    return text;
}

sf::RectangleShape selectedOutlineOf(const Chip& chip) {
    sf::RectangleShape outline;
    outlineSelected(outline, chip);
    return outline;
}

void outlineSelected(sf::RectangleShape& outline, const Chip& chip) {
    outline.setSize(toScreen(chip.size()));
    outline.setPosition(toScreen(chip.position()));
    outline.setFillColor(sf::Color::Transparent);
    outline.setOutlineColor(layout::SELECTED);
    outline.setOutlineThickness(layout::SELECTED_OUTLINE);
}

sf::RectangleShape selectingRectangle(const Box& area) {
    sf::RectangleShape rectangle({area.width, area.height});
    rectangle.setPosition(area.left, area.top);
    rectangle.setFillColor(sf::Color::Transparent);
    rectangle.setOutlineColor(layout::SELECTED);
    rectangle.setOutlineThickness(1.f);
    return rectangle;
}

sf::CircleShape inputCircle(const Editor& editor, std::size_t input) {
    const Board& board = editor.shownBoard();
    sf::CircleShape circle = boardPinCircle(editor.layout().inputPoint(input, board.inputs.size()), board.inputs[input].value);
    circle.setOutlineColor(layout::GREY);
    circle.setOutlineThickness(board.inputs[input].clocked ? layout::CLOCKED_RING : 0.f);
    return circle;
}

sf::Vector2f pinNamePlace(const Editor& editor, bool output, std::size_t pin) {
    constexpr float GAP = 16.f, RAISE = 15.f;
    const Board& board = editor.shownBoard();
    const Point centre = output ? editor.layout().outputPoint(pin, board.outputs.size()) : editor.layout().inputPoint(pin, board.inputs.size());
    return {output ? centre.x - GAP : centre.x + GAP, centre.y - RAISE};
}

std::vector<sf::Text> pinNameTexts(const Editor& editor, const sf::Font& font, bool namingOutput, int32_t naming) {
    std::vector<sf::Text> texts;
    const Board& board = editor.shownBoard();
    const PinNames& names = board.names;
    for (const bool output : {false, true}) {
        const std::size_t count = output ? board.outputs.size() : board.inputs.size();
        for (std::size_t pin = 0; pin < count; ++pin) {
            const std::string& name = output ? names.output(pin) : names.input(pin);
            if (name.empty() || (output == namingOutput && static_cast<int32_t>(pin) == naming)) continue;
            sf::Text text(toScreenString(name), font, Chip::LABEL_SIZE);
            text.setFillColor(layout::PIN_NAME);
            const sf::Vector2f place = pinNamePlace(editor, output, pin);
            text.setPosition(output ? place.x - text.getLocalBounds().width - text.getLocalBounds().left : place.x, place.y + 2.f);
            texts.push_back(text);
        }
    }
    return texts;
}

sf::CircleShape outputCircle(const Editor& editor, std::size_t output) {
    const Board& board = editor.shownBoard();
    return boardPinCircle(editor.layout().outputPoint(output, board.outputs.size()), board.lamps[output]);
}
