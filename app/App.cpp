#include "app/App.h"
#include "app/Layout.h"
#include "app/Screen.h"

#include <filesystem>
#include <iostream>

namespace {

// The working directory first, then where an installation puts the font
// beside the executable, then beside the executable itself, as in the build.
std::string fontPath() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    for (const std::filesystem::path& candidate :
         {std::filesystem::path("Square.ttf"), folder / "../share/vorplex/Square.ttf", folder / "Square.ttf"})
        if (std::filesystem::exists(candidate, error)) return candidate.string();
    return "Square.ttf";
}

}  // namespace

App::App(WindowMode mode) {
    // Full-screen leaves the mode at 0 x 0 and takes whatever the library
    // gives; all layout uses the screen size instead.
    if (mode == WindowMode::FullScreen)
        window = std::make_unique<sf::RenderWindow>(sf::VideoMode(), "Vorplex", sf::Style::Fullscreen, sf::ContextSettings());
    if (mode == WindowMode::Window)
        window = std::make_unique<sf::RenderWindow>(
            sf::VideoMode(static_cast<unsigned>(SCREEN_W), static_cast<unsigned>(SCREEN_H)), "Vorplex",
            sf::Style::Titlebar | sf::Style::Close, sf::ContextSettings());
    // Centred by us: the graphics library centres a window on X11 with the
    // display's width for both coordinates, which can push its bottom off the screen.
    if (mode == WindowMode::Window) {
        const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
        window->setPosition({(static_cast<int>(desktop.width) - static_cast<int>(SCREEN_W)) / 2,
                             (static_cast<int>(desktop.height) - static_cast<int>(SCREEN_H)) / 2});
    }
    if (window) window->setFramerateLimit(60);
    // A missing font is not an error: texts then show no glyphs and measure 0.
    font.loadFromFile(fontPath());
    buildScene();
}

App::~App() {
    if (libraryFile && unkept) writeLibrary();
    window.reset();
}

void App::update() { step(readFrameInput()); }

FrameInput App::readFrameInput() {
    FrameInput input;
    input.event = frame.event;
    if (window) {
        input.eventPending = takeEvent(*window, input.event);
        input.mousePos = sf::Mouse::getPosition(*window);
        input.rightButtonHeld = sf::Mouse::isButtonPressed(sf::Mouse::Right);
        input.controlHeld = sf::Keyboard::isKeyPressed(sf::Keyboard::LControl) || sf::Keyboard::isKeyPressed(sf::Keyboard::RControl);
    }
    input.now = clock.getElapsedTime();
    return input;
}

void App::step(const FrameInput& input) {
    frame = input;
    // One hold of the right button deletes wires as one step.
    if (!frame.rightButtonHeld) holdRecorded = false;
    runSteps();
    notice.update(frame.now);
    keepWorkWhenDue();
}

void App::runSteps() {
    closeOnRequest();
    if (pace.stepDue()) runSimulationStep();
    if (isPress()) nameBox.takeFocusFromPress(mouse());
    if (isEvent(sf::Event::TextEntered) && nameBox.type(frame.event.text.unicode)) workChanged();
    if (isEvent(sf::Event::KeyPressed) && !nameBox.isActive()) pressKey();
    if (isEvent(sf::Event::MouseWheelScrolled)) scrollPaletteWithWheel();
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

// Keys act only while the name box has no focus: while it has, they type.
void App::pressKey() {
    const sf::Event::KeyEvent& key = frame.event.key;
    if (key.control && key.code == sf::Keyboard::Z && !key.shift) undo();
    if (key.control && (key.code == sf::Keyboard::Y || (key.code == sf::Keyboard::Z && key.shift))) redo();
    if (key.code == sf::Keyboard::Delete) removePaletteEntryUnderMouse();
    if (key.code == sf::Keyboard::F1) keyPanel.toggle();
    if (key.code == sf::Keyboard::Space) togglePause();
    if (key.code == sf::Keyboard::Right || key.code == sf::Keyboard::Period) stepByHand();
    if (key.code == sf::Keyboard::LBracket || key.code == sf::Keyboard::RBracket) changePace(key.code == sf::Keyboard::LBracket);
}

void App::say(const std::string& words, const std::string& line) {
    if (!line.empty()) std::cerr << "vorplex: " << line << '\n';
    notice.say(words, frame.now);
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
    drawScene(*window);
    window->display();
}

// Frame, buttons, name box, palette, board chips (each body, pins, label),
// board inputs then outputs, and the wires over everything.
int App::drawScene(sf::RenderTarget& target) {
    target.clear(layout::BACKGROUND);
    sceneBatch.rebuild(*this);
    return sceneBatch.draw(target);
}
