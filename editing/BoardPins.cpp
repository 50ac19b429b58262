// The board's input switches and output lamps: adding and removing them,
// laying out their two columns, and presses on the input column.

#include "app/App.h"
#include "app/Layout.h"
#include "app/Screen.h"

namespace {

// The pins of a column are spread evenly over the band between the board's
// top and bottom, with equal gaps between neighbours and at both ends.
void layoutColumn(std::vector<sf::CircleShape>& circles, float x) {
    const float band = SCREEN_H - 2 * layout::BOARD_TOP;
    const float count = static_cast<float>(circles.size());
    for (std::size_t i = 0; i < circles.size(); ++i)
        circles[i].setPosition(x, band / (count + 1) * static_cast<float>(i + 1) + layout::BOARD_TOP);
}

// Square hit zones around the circles' centres: left and top edges outside,
// right and bottom edges inside. The column is tested against its first circle.
bool inColumn(const std::vector<sf::CircleShape>& circles, float x) {
    const sf::CircleShape& first = circles.front();
    return first.getPosition().x - first.getRadius() < x && x <= first.getPosition().x + first.getRadius();
}

int32_t circleAtHeight(const std::vector<sf::CircleShape>& circles, float y) {
    for (std::size_t i = 0; i < circles.size(); ++i) {
        const float centre = circles[i].getPosition().y;
        const float radius = circles[i].getRadius();
        if (centre - radius < y && y <= centre + radius) return static_cast<int32_t>(i);
    }
    return -1;
}

}  // namespace

void App::layoutBoardPins() {
    layoutColumn(inputCircles, layout::PIN_COLUMN_X);
    layoutColumn(outputCircles, SCREEN_W - layout::PIN_COLUMN_X);
}

void App::addBoardInput() {
    recordEdit("add an input");
    board.inputs.push_back(BoardInput{});
    // A copy of the first circle, without its colour or ring.
    inputCircles.push_back(inputCircles.front());
    inputCircles.back().setFillColor(sf::Color::Black);
    inputCircles.back().setOutlineThickness(0.f);
    layoutBoardPins();
}

void App::removeBoardInput() {
    if (board.inputs.size() <= 1) return;
    recordEdit("remove an input");
    const int32_t last = static_cast<int32_t>(board.inputs.size() - 1);
    removeWiresWhere([last](const Connection& c) { return c.fromChip == 0 && c.fromPin == last; });
    board.inputs.pop_back();
    inputCircles.pop_back();
    layoutBoardPins();
}

void App::addBoardOutput() {
    recordEdit("add an output");
    board.outputs.push_back(false);
    outputCircles.push_back(outputCircles.front());
    outputCircles.back().setFillColor(sf::Color::Black);
    layoutBoardPins();
}

void App::removeBoardOutput() {
    if (board.outputs.size() <= 1) return;
    recordEdit("remove an output");
    const int32_t last = static_cast<int32_t>(board.outputs.size() - 1);
    removeWiresWhere([last](const Connection& c) { return c.toChip == 0 && c.toPin == last; });
    board.outputs.pop_back();
    outputCircles.pop_back();
    layoutBoardPins();
}

// Any press in the column is taken here, circle or not, so nothing else
// under the mouse receives it.
App::Outcome App::pressInputColumn() {
    int32_t input = -1;
    if (!pressedBoardPin(inputCircles, input)) return Outcome::Continue;
    if (input < 0) return Outcome::EndUpdate;
    if (wiringState == WiringState::Armed)
        startWireAtInput(input);
    else if (wiringState == WiringState::Idle)
        switchInput(input, pressedButton() == sf::Mouse::Middle);
    return Outcome::EndUpdate;
}

// Switching is not an edit that can be undone, but it is kept.
void App::switchInput(int32_t input, bool clocking) {
    BoardInput& pressed = board.inputs[input];
    sf::CircleShape& circle = inputCircles[input];
    if (clocking) {
        pressed.clocked = !pressed.clocked;
        circle.setOutlineThickness(pressed.clocked ? layout::CLOCKED_RING : 0.f);
    } else {
        pressed.value = !pressed.value;
        circle.setFillColor(logicColour(pressed.value));
    }
    workChanged();
}

bool App::pressedBoardPin(const std::vector<sf::CircleShape>& circles, int32_t& pin) const {
    const sf::Vector2f point = mouse();
    if (!inColumn(circles, point.x)) return false;
    pin = circleAtHeight(circles, point.y);
    return true;
}
