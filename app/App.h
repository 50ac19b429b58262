#pragma once

#include "app/FrameInput.h"
#include "app/SceneBatch.h"
#include "chip/Chip.h"
#include "chip/LibraryFile.h"
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
#include <optional>
#include <vector>

constexpr int BLINK_PERIOD_MS = 700;

// The one application object: it owns the window and every piece of state,
// and runs one frame as `update` followed by `render`.
class App {
public:
    // Window: a fixed window of the screen's size. None: for tests, which step frames by hand.
    enum class WindowMode { FullScreen, Window, None };

    explicit App(WindowMode mode = WindowMode::FullScreen);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    bool isOpen() const { return open; }

    // Joins the chips to the palette, each as saving it would, and from now
    // on writes the palette's saved chips to the file after every save.
    void keepChipsIn(LibraryFile file, std::vector<NamedChip> chips);

    // Reads the frame input from the window, then runs the frame's steps.
    void update();
    // The frame's steps, from the given input.
    void step(const FrameInput& input);
    void render();
    // Clears the target and draws the scene; the number of draw calls made.
    int drawScene(sf::RenderTarget& target);

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
    Chip* draggedChip = nullptr;  // the board chip being dragged: the very chip, whatever ids repeat
    sf::Vector2f dragOffset;
    WiringState wiringState = WiringState::Idle;
    int64_t largestChip = LARGEST_CHIP;  // what no chip, board or palette may outgrow
    int32_t deepestChip = DEEPEST_CHIP;  // what no chip or board may nest deeper than

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
    void removeBoardChip(const Chip& chip);

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
    sf::Vector2f nextPalettePosition() const;
    // In place of the entry of the same name, or at the end; true for the end.
    bool joinPalette(Chip chip);
    int64_t boardSizeAsChip() const;
    // Whether a chip of this size may join the palette under this name; says why not.
    bool fitsInPalette(int64_t size, const std::string& name) const;
    // On the terminal: the chip was `refused` since the `what` would grow beyond the largest chip.
    void sayTooLarge(const std::string& name, const char* refused, const char* what) const;
    // Whether the `what` would nest beyond the deepest chip; says so on the terminal.
    bool tooDeep(int32_t depth, const std::string& name, const char* refused, const char* what) const;
    void keepLibrary() const;

    bool open = true;
    std::optional<LibraryFile> libraryFile;  // where saved chips are kept, if anywhere
    SceneBatch sceneBatch;
    std::vector<bool> fedLamps;  // the lamps a wire feeds, worked out every frame
};
