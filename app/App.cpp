#include "app/App.h"
#include "app/Layout.h"

App::App(WindowMode mode) {
    if (mode == WindowMode::FullScreen) {
        // The mode is left at 0 x 0: full-screen takes whatever the library
        // gives, and all layout uses the desktop size instead.
        window = std::make_unique<sf::RenderWindow>(sf::VideoMode(), "Vorplex",
                                                    sf::Style::Fullscreen, sf::ContextSettings());
        window->setFramerateLimit(60);
    }
    // A missing font is not an error: texts then show no glyphs and measure 0.
    font.loadFromFile("Square.ttf");
    buildScene();
}

App::~App() { window.reset(); }

void App::update() { step(readFrameInput()); }

FrameInput App::readFrameInput() {
    FrameInput input;
    input.event = frame.event;
    if (window) {
        input.eventPending = takeEvent(*window, input.event);
        input.mousePos = sf::Mouse::getPosition(*window);
        input.rightButtonHeld = sf::Mouse::isButtonPressed(sf::Mouse::Right);
    }
    input.now = clock.getElapsedTime();
    return input;
}

void App::step(const FrameInput& input) {
    frame = input;
    closeOnRequest();
    blinkClockedInputs();
    evaluateBoardChips();
    transferAlongWires();
    if (isPress()) nameBox.takeFocusFromPress(mouse());
    if (isEvent(sf::Event::TextEntered)) nameBox.type(frame.event.text.unicode);
    if (buttonPressed(addInputButton())) addBoardInput();
    if (buttonPressed(removeInputButton())) removeBoardInput();
    if (buttonPressed(addOutputButton())) addBoardOutput();
    if (buttonPressed(removeOutputButton())) removeBoardOutput();
    if (buttonPressed(connectButton())) pressConnect();
    if (buttonPressed(saveButton()) && saveComposite() == Outcome::EndUpdate) return;
    dragChip();
    blackenUnfedLamps();
    followPinsWithWireEnds();
    followMouseWithLooseEnd();
    if (isEvent(sf::Event::MouseButtonReleased)) dropChip();
    if (isPress() && pressInputColumn() == Outcome::EndUpdate) return;
    if (isPress() && wiringState == WiringState::ChoosingTarget &&
        pressOutputColumn() == Outcome::EndUpdate)
        return;
    // While a target is being chosen a press in the palette row is no palette press.
    if (isPress() && wiringState != WiringState::ChoosingTarget &&
        pressPaletteRow() == Outcome::EndUpdate)
        return;
    if (isPress() && pressBoardChip() == Outcome::EndUpdate) return;
    if (frame.rightButtonHeld && wiringState == WiringState::Idle) deleteWireUnderMouse();
}

bool App::isEvent(sf::Event::EventType type) const {
    return frame.eventPending && frame.event.type == type;
}

sf::Vector2f App::mouse() const {
    return sf::Vector2f(static_cast<float>(frame.mousePos.x), static_cast<float>(frame.mousePos.y));
}

// Every button shows its hover colour each frame; it acts only on a press.
bool App::buttonPressed(Button& button) { return button.updateHover(frame.mousePos) && isPress(); }

void App::closeOnRequest() {
    const bool escape =
        isEvent(sf::Event::KeyPressed) && frame.event.key.code == sf::Keyboard::Escape;
    if (!isEvent(sf::Event::Closed) && !escape) return;
    // The frame still completes; the loop ends when it next looks.
    if (window) window->close();
    open = false;
}

void App::render() {
    if (!window) return;
    sf::RenderWindow& target = *window;
    target.clear(layout::BACKGROUND);
    target.draw(boardFrame, sf::RenderStates::Default);
    for (const Button& button : buttons) button.draw(target);
    nameBox.draw(target);
    for (Chip& chip : library) chip.draw(target);
    for (Chip& chip : boardChips) chip.draw(target);
    for (const sf::CircleShape& circle : inputCircles) target.draw(circle, sf::RenderStates::Default);
    for (const sf::CircleShape& circle : outputCircles) target.draw(circle, sf::RenderStates::Default);
    // Wires lie on top of everything, the one under way included.
    for (const Wire& wire : wires) target.draw(wire.line, sf::RenderStates::Default);
    target.display();
}
