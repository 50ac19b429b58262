#pragma once

#include "app/FrameInput.h"
#include "app/SceneBatch.h"
#include "chip/Chip.h"
#include "storage/LibraryFile.h"
#include "editing/Board.h"
#include "editing/History.h"
#include "editing/Pace.h"
#include "editing/PaletteEntry.h"
#include "editing/WiringState.h"
#include "widgets/Button.h"
#include "widgets/KeyPanel.h"
#include "widgets/NameBox.h"
#include "widgets/Notice.h"

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

    // Joins the kept chips to the palette, each as saving it would, puts the
    // kept board on the board and the kept name in the name box, and from
    // now on keeps the palette's saved chips, the board and the name in the
    // file: after the edits that change them, at most once a second while
    // they keep coming, and at the end.
    void keepWorkIn(LibraryFile file, Library kept);

    // Whether the palette row goes on past the screen's right edge.
    bool paletteRunsPastEdge() const;

    // The work as the library file keeps it.
    Library workToKeep() const;

    // Takes back the last edit of the board, or does again the last one taken
    // back; a wire under way or a drag in progress ends first.
    void undo();
    void redo();

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
    std::vector<PaletteEntry> library;  // the palette: NOT, AND, then every saved composite
    Board board;                // what the user edits
    std::vector<sf::CircleShape> inputCircles;   // index-aligned with board.inputs
    std::vector<sf::CircleShape> outputCircles;  // index-aligned with board.outputs
    sf::RectangleShape boardFrame;
    std::array<Button, 6> buttons;
    NameBox nameBox;
    Notice notice;
    KeyPanel keyPanel;
    Pace pace;
    sf::Text paceLabel;  // near the top bar, while paused or slowed
    std::size_t firstShownEntry = 0;  // the palette's first entry shown: the row scrolls by whole entries
    Chip* draggedChip = nullptr;  // the board chip being dragged: the very chip, whatever ids repeat
    sf::Vector2f dragOffset;
    WiringState wiringState = WiringState::Idle;
    int64_t largestChip = LARGEST_CHIP;  // what no chip, board or palette may outgrow
    int32_t deepestChip = DEEPEST_CHIP;  // what no chip or board may nest deeper than
    History history;

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
    void runSteps();
    void pressKey();
    // Says it in the window for a few seconds; and, if `line` is not empty,
    // on the terminal.
    void say(const std::string& words, const std::string& line = "");

    // Undo and redo (editing/Undoing.cpp).
    // What stands now, with the palette and the name typed if asked for; a
    // wire under way is left out.
    History::State stateNow(bool palette, bool name = false) const;
    // Records what stood before an edit about to be made; a move made so far
    // by the drag in progress becomes a step of its own first.
    void recordEdit(const std::string& what, bool palette = false, bool name = false);
    void restore(History::State state);
    void endEditInProgress();
    void showBoardPins();

    // Simulation (editing/Simulation.cpp).
    void runSimulationStep();
    void togglePause();
    void stepByHand();
    void changePace(bool slower);
    void showPace();
    void blinkClockedInputs();
    void evaluateBoardChips();
    void transferAlongWires();
    void blackenUnfedLamps();

    // Board inputs and outputs (editing/BoardPins.cpp).
    void switchInput(int32_t input, bool clocking);
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
    // The position nearest to `wanted` at which the chip lies inside the board frame.
    sf::Vector2f placeInFrame(const Chip& chip, sf::Vector2f wanted) const;
    Outcome pressPaletteRow();
    Outcome pressBoardChip();
    void placeFromPalette(const Chip& chip);
    void removeBoardChip(const Chip& chip);
    // A drag that moved its chip becomes a step of its own, and goes on.
    void settleDragStep();
    void endDrag();

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
    // Removes every wire whose connection matches, as deleting each would;
    // a matching wire under way is abandoned.
    void removeWiresWhere(const std::function<bool(const Connection&)>& attached);
    Wire& wireUnderWay() { return board.wires.back(); }
    bool isDrawingWire() const;
    void finishWire(Wire& wire);

    // The palette row (editing/PaletteRow.cpp).
    void layoutPalette();
    void settlePalette();
    void scrollPalette(int entries);
    void scrollPaletteWithWheel();
    bool inPaletteRow(sf::Vector2f point) const;
    const PaletteEntry* paletteEntryAt(sf::Vector2f point) const;
    void removePaletteEntryUnderMouse();

    // Opening a saved chip (editing/Opening.cpp).
    void openPaletteChip(const PaletteEntry& entry);
    KeptBoard laidOut(const ChipLogic& chip) const;
    std::string nameOfPart(const ChipLogic& part) const;

    // Saving (editing/Saving.cpp).
    Outcome saveComposite();
    sf::Vector2f nextPalettePosition() const;
    // The palette entry of this name, if any.
    const PaletteEntry* paletteEntry(const std::string& name) const;
    // In place of the entry of the same name, where it stands, or at the end;
    // true for the end.
    bool joinPalette(PaletteEntry entry);
    // Whether a chip of this size may join the palette under this name; says why not.
    bool fitsInPalette(int64_t size, const std::string& name);
    // The chip was `refused` since the `what` would grow beyond the largest chip.
    void sayTooLarge(const std::string& name, const char* refused, const char* what);
    // Whether the `what` would nest beyond the deepest chip; says so.
    bool tooDeep(int32_t depth, const std::string& name, const char* refused, const char* what);

    // Keeping the work in the library file (editing/Keeping.cpp).
    void workChanged();
    void keepWorkWhenDue();
    void writeLibrary();
    Board boardFrom(const KeptBoard& kept) const;
    static KeptBoard keptBoard(const Board& board);

    bool open = true;
    std::optional<LibraryFile> libraryFile;  // where the work is kept, if anywhere
    bool unkept = false;         // the file lacks the latest change
    bool keepFailed = false;     // the last write failed, and nothing changed since
    std::optional<sf::Time> lastKept;
    // What stood when the drag in progress began, and where its chip stood.
    std::optional<Board> boardBeforeDrag;
    sf::Vector2f dragStart;
    bool holdRecorded = false;  // the held right button's deletions are a step already
    SceneBatch sceneBatch;
    std::vector<bool> fedLamps;  // the lamps a wire feeds, worked out every frame
};
