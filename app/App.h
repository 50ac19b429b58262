#pragma once

#include "app/FrameInput.h"
#include "chip/Chip.h"
#include "editing/BoardChips.h"
#include "editing/BoardInput.h"
#include "editing/Wire.h"
#include "editing/WiringState.h"
#include "widgets/Button.h"
#include "widgets/NameBox.h"

#include <SFML/Graphics.hpp>

#include <array>
#include <functional>
#include <list>
#include <memory>
#include <vector>

constexpr int BLINK_PERIOD_MS = 700;

// The one application object: it owns the window and every piece of state,
// and runs one frame as `update` followed by `render`.
class App {
public:
    enum class WindowMode { FullScreen, None };  // None: for tests, which step frames by hand

    explicit App(WindowMode mode = WindowMode::FullScreen);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    bool isOpen() const { return open; }

    // Reads the frame input from the window, then runs the frame's steps.
    void update();
    // The frame's steps, from the given input.
    void step(const FrameInput& input);
    void render();

    Button& addInputButton() { return buttons[0]; }
    Button& removeInputButton() { return buttons[1]; }
    Button& addOutputButton() { return buttons[2]; }
    Button& removeOutputButton() { return buttons[3]; }
    Button& connectButton() { return buttons[4]; }
    Button& saveButton() { return buttons[5]; }

    // The state, readable by tests and by the invariant checks.
    std::unique_ptr<sf::RenderWindow> window;
    FrameInput frame;  // this frame's event and mouse position
    sf::Font font;
    sf::Clock clock;
    sf::Time blinkRestartedAt;  // when clocked inputs last toggled, on `clock`
    std::vector<Chip> library;  // the palette: NOT, AND, then every saved composite
    BoardChips boardChips;
    std::list<Wire> wires;  // in creation order; the one under way is last
    std::vector<BoardInput> boardInputs;
    std::vector<bool> boardOutputs;
    std::vector<sf::CircleShape> inputCircles;   // index-aligned with boardInputs
    std::vector<sf::CircleShape> outputCircles;  // index-aligned with boardOutputs
    sf::RectangleShape boardFrame;
    std::array<Button, 6> buttons;
    NameBox nameBox;
    int32_t draggedChipId = 0;
    sf::Vector2f dragOffset;
    WiringState wiringState = WiringState::Idle;

private:
    enum class Outcome { Continue, EndUpdate };

    FrameInput readFrameInput();
    void buildScene();

    // Frame input helpers: every test of the event looks at eventPending first.
    bool isEvent(sf::Event::EventType type) const;
    bool isPress() const { return isEvent(sf::Event::MouseButtonPressed); }
    sf::Mouse::Button pressedButton() const { return frame.event.mouseButton.button; }
    sf::Vector2f mouse() const;
    bool buttonPressed(Button& button);
    void closeOnRequest();

    // Simulation (editing/Simulation.cpp).
    void blinkClockedInputs();
    void evaluateBoardChips();
    void transferAlongWires();
    void blackenUnfedLamps();

    // Board inputs and outputs (editing/BoardPins.cpp).
    void addBoardInput();
    void removeBoardInput();
    void addBoardOutput();
    void removeBoardOutput();
    void layoutBoardPins();
    Outcome pressInputColumn();
    // False when the mouse is outside the column; else `pin` is the circle
    // hit, or -1 between circles.
    bool pressedBoardPin(const std::vector<sf::CircleShape>& circles, int32_t& pin) const;

    // Placing and dragging chips (editing/Placing.cpp).
    void dragChip();
    void dropChip();
    Outcome pressPaletteRow();
    Outcome pressBoardChip();
    void placeFromPalette(const Chip& chip);
    void removeBoardChip(int32_t id);

    // Wiring (editing/Wiring.cpp).
    void pressConnect();
    void followPinsWithWireEnds();
    void followMouseWithLooseEnd();
    Outcome pressOutputColumn();
    void startWireAtInput(int32_t input);
    void startWireAtChip(Chip& chip);
    void chooseSource(Chip& chip);
    Outcome chooseTarget(Chip& chip);
    void deleteWireUnderMouse();
    void abandonWireUnderWay();
    std::list<Wire>::iterator removeWire(std::list<Wire>::iterator wire);
    // Removes every wire whose connection matches, as deleting each would;
    // a matching wire under way is abandoned.
    void removeWiresWhere(const std::function<bool(const Connection&)>& attached);
    Wire& wireUnderWay() { return wires.back(); }
    bool isDrawingWire() const;

    // Saving (editing/Saving.cpp).
    Outcome saveComposite();

    bool open = true;
};
