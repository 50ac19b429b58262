#include "app/App.h"
#include "app/Keys.h"
#include "app/Layout.h"
#include "app/Screen.h"

#include <cstdlib>
#include <ctime>

namespace {

sf::CircleShape boardPinCircle() {
    sf::CircleShape circle(0.f, 30);
    circle.setFillColor(sf::Color::Black);
    circle.setRadius(layout::BOARD_PIN_RADIUS);
    circle.setOrigin(layout::BOARD_PIN_RADIUS, layout::BOARD_PIN_RADIUS);
    return circle;
}

}  // namespace

void App::buildScene() {
    // The seed fixes the palette chips' ids, so it comes first.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    const float paletteTop = SCREEN_H - layout::PALETTE_RAISE;
    library.emplace_back(NOT_CHIP, sf::Vector2f(20.f, paletteTop), font, "NOT");
    library.emplace_back(AND_CHIP, sf::Vector2f(100.f, paletteTop), font, "AND");

    boardFrame.setPosition(layout::BOARD_LEFT, layout::BOARD_TOP);
    boardFrame.setSize(sf::Vector2f(SCREEN_W - 2 * layout::BOARD_LEFT, SCREEN_H - 2 * layout::BOARD_TOP));
    boardFrame.setFillColor(sf::Color::Transparent);
    boardFrame.setOutlineColor(layout::GREY);
    boardFrame.setOutlineThickness(layout::BOARD_OUTLINE);

    const float middle = (SCREEN_H - 2 * layout::BOARD_TOP) * 0.5f + layout::BOARD_TOP;
    inputCircles.push_back(boardPinCircle());
    inputCircles.back().setPosition(layout::PIN_COLUMN_X, middle);
    // Later inputs are copies of the first and show their clocked ring in this colour.
    inputCircles.back().setOutlineColor(layout::GREY);
    outputCircles.push_back(boardPinCircle());
    outputCircles.back().setPosition(SCREEN_W - layout::PIN_COLUMN_X, middle);

    const sf::Vector2f small(40.f, 40.f);
    const sf::Vector2f wide(150.f, 40.f);
    addInputButton().setup(sf::Vector2f(10.f, 10.f), small, font, "+");
    removeInputButton().setup(sf::Vector2f(10.f, 50.f), small, font, "-");
    addOutputButton().setup(sf::Vector2f(SCREEN_W - 50.f, 10.f), small, font, "+");
    removeOutputButton().setup(sf::Vector2f(SCREEN_W - 50.f, 50.f), small, font, "-");
    connectButton().setup(sf::Vector2f(100.f, 30.f), wide, font, "Connect");
    saveButton().setup(sf::Vector2f(300.f, 30.f), wide, font, "Save");
    nameBox.setup(sf::Vector2f(500.f, 30.f), sf::Vector2f(350.f, 40.f), font);
    // Between the board frame's outline and the palette row.
    notice.setup(sf::Vector2f(layout::BOARD_LEFT, SCREEN_H - layout::BOARD_TOP + layout::BOARD_OUTLINE), font);
    // Under the top bar, beside "Connect".
    paceLabel.setFont(font);
    paceLabel.setCharacterSize(Notice::TEXT_SIZE);
    paceLabel.setFillColor(Notice::COLOUR);
    paceLabel.setPosition(100.f, layout::BOARD_TOP - 28.f);
    std::vector<std::pair<std::string, std::string>> keys;
    for (const KeyUse& key : KEYS) keys.emplace_back(key.keys, key.use);
    keyPanel.setup(sf::Vector2f(layout::BOARD_LEFT + 40.f, layout::BOARD_TOP + 20.f), font, keys);

    blinkRestartedAt = clock.getElapsedTime();
}
