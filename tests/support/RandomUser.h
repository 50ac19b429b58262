#pragma once

#include "app/App.h"
#include "support/ChipWeights.h"
#include "support/Places.h"

#include <cstdint>
#include <deque>
#include <random>
#include <string>
#include <utility>
#include <vector>

// A user who does anything at all, fast, for as long as asked: presses and
// releases every mouse button, mostly where something happens (buttons, name
// box, board pins, palette entries, board chips, wires), but also on empty
// board and anywhere else; moves the mouse without events; types letters,
// digits, backspace, Enter, control characters and code points above 255;
// holds the right button over wires; and sometimes sends a stale frame, an
// event nobody acts on, or lets a long time pass. Besides single actions it
// carries out whole tasks of several frames: placing a chip, drawing a wire,
// saving the board under a name, deleting wires, dragging or removing a chip.
//
// It reads the App (const) to aim, and produces one FrameInput per frame, the
// clock advancing 16 ms per frame. The same seed gives the same use of an App
// that behaves the same.
class RandomUser {
public:
    static constexpr int FRAME_MS = 16;

    RandomUser(const App& app, uint32_t seed);

    FrameInput next();

private:
    struct Act {
        enum Kind { Press, Release, Move, HoldRight, Text, Event, Stale, Wait, Jump } kind = Move;
        Place place = Place::Anywhere;
        uint32_t index = 0;
        float u = 0.5f;
        float v = 0.5f;
        sf::Mouse::Button button = sf::Mouse::Left;
        uint32_t codePoint = 0;
        sf::Event::EventType eventType = sf::Event::MouseMoved;
        int ms = 0;
    };

    // Appends the acts of one task, chosen at random.
    void plan();
    void planPlaceChip();
    void planDrawWire();
    void planSave();
    void planDeleteWires();
    void planRemoveChip();
    void planDragChip();
    void planToggleInput();
    void planBoardPins();
    void planStrayPress();
    void planMoves();
    void planTyping();
    void planStale();
    void planOtherEvents();

    // Single acts, appended. An aimed act lands at a random spot of its place.
    Act aimed(Act::Kind kind, Place place, uint32_t index);
    void click(Place place, uint32_t index, sf::Mouse::Button button);
    void press(Place place, uint32_t index, sf::Mouse::Button button);
    void release(Place place, uint32_t index, sf::Mouse::Button button);
    void move(Place place, uint32_t index);
    void type(uint32_t codePoint);
    void pause(Act::Kind kind, int ms);  // Wait or Jump

    FrameInput carryOut(const Act& act);
    sf::Event randomEvent(const Act& act) const;

    // Random numbers.
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    float fraction() { return std::uniform_real_distribution<float>(0.f, 1.f)(random_); }
    uint32_t anyIndex() { return static_cast<uint32_t>(between(0, 1 << 16)); }
    sf::Mouse::Button anyButton();
    sf::Mouse::Button mostlyLeft() { return chance(0.85) ? sf::Mouse::Left : anyButton(); }
    uint32_t anyCodePoint();
    std::string anyName();

    // A saved palette entry that is light enough to place and on screen.
    uint32_t lightSavedEntry();

    const App& app_;
    std::mt19937 random_;
    std::deque<Act> acts_;
    ChipWeights weights_;  // presses that would nest too deep are not made

    sf::Vector2i mouse_{960, 540};
    bool rightHeld_ = false;
    sf::Time now_;
    sf::Event lastEvent_{};
};

// What a run did, counted from the App's state before and after each frame.
struct Coverage {
    std::size_t frames = 0;
    std::size_t presses = 0;
    std::size_t chipsPlaced = 0;
    std::size_t compositesPlaced = 0;
    std::size_t chipsRemoved = 0;
    std::size_t drags = 0;
    std::size_t wiresStarted = 0;
    std::size_t wiresCompleted = 0;
    std::size_t wiresToOutputs = 0;
    std::size_t wiresAbandoned = 0;
    std::size_t wiresDeleted = 0;
    std::size_t savesAppended = 0;
    std::size_t savesReplaced = 0;
    std::size_t nestedSaves = 0;  // saves of a board holding a composite
    std::size_t savesWithWireUnderWay = 0;
    std::size_t deepestSave = 0;  // levels of composites inside a saved chip, itself included
    std::size_t inputsAdded = 0;
    std::size_t inputsRemoved = 0;
    std::size_t outputsAdded = 0;
    std::size_t outputsRemoved = 0;
    std::size_t inputsSwitched = 0;
    std::size_t clockingSwitched = 0;
    std::size_t blinks = 0;
    std::size_t mostBoardChips = 0;
    std::size_t mostWires = 0;

    std::string report() const;
};

// Watches one App frame by frame: `before` right before a step, `after`
// right after it.
class CoverageCounter {
public:
    void before(const App& app);
    void after(const App& app);
    const Coverage& coverage() const { return coverage_; }

private:
    struct Snapshot {
        std::vector<int32_t> chipIds;
        std::vector<const Wire*> completeWires;
        const Wire* wireUnderWay = nullptr;
        std::vector<std::pair<int32_t, ChipKind>> library;
        std::vector<BoardInput> inputs;
        std::size_t outputs = 0;
        int32_t dragged = 0;
    };
    static Snapshot take(const App& app);

    Snapshot before_;
    Coverage coverage_;
};
