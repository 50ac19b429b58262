#pragma once

#include "app/App.h"
#include "app/Shapes.h"
#include "support/EditorSteps.h"

#include <string>

// Drives a windowless App frame by frame the way a user at the desk would:
// the mouse moves, buttons go down and up, keys are typed, and every frame
// takes 16 ms on the App's clock. Each call below is one frame unless it says
// otherwise.
class AppDriver {
public:
    App app{App::WindowMode::None};

    const Editor& editor() const { return app.editor(); }
    const Board& board() const { return app.editor().board(); }

    void frames(int count = 1);
    void lateFrame(int ms) { now += sf::milliseconds(ms - 16), frames(); }  // `ms` after the frame before
    void press(sf::Vector2f at, sf::Mouse::Button button = sf::Mouse::Left);
    void release(sf::Vector2f at, sf::Mouse::Button button = sf::Mouse::Left);
    void click(sf::Vector2f at, sf::Mouse::Button button = sf::Mouse::Left) { press(at, button), release(at, button); }
    void controlClick(sf::Vector2f at) { controlHeld = true, click(at), controlHeld = false; }
    void shiftClick(sf::Vector2f at) { shiftHeld = true, click(at), shiftHeld = false; }
    // A left drag: press, a frame on the way, release.
    void drag(sf::Vector2f from, sf::Vector2f to) { press(from), moveMouse(to), release(to); }
    void wheel(sf::Vector2f at, float delta);
    void type(const std::u32string& text);  // a frame per character
    void key(sf::Keyboard::Key code, bool control = false, bool shift = false, bool alt = false);
    void undo() { key(sf::Keyboard::Z, true); }
    void redo(bool withShift = false) { key(withShift ? sf::Keyboard::Z : sf::Keyboard::Y, true, withShift); }
    void holdRight(sf::Vector2f at);  // no event
    void moveMouse(sf::Vector2f to) { mouse = sf::Vector2i(to), frames(); }

    // Where things are.
    sf::Vector2f input(int index) const { return toScreen(editor().layout().inputPoint(index, board().inputs.size())); }
    sf::Vector2f output(int index) const { return toScreen(editor().layout().outputPoint(index, board().outputs.size())); }
    sf::Vector2f button(Widgets::ButtonId id) const { return centre(app.widgets().buttons[id].rect); }
    sf::Vector2f nameBox() const { return centre(app.widgets().nameBox.rect()); }
    const Chip& paletteEntry(const std::string& name) const { return entryNamed(editor(), name); }
    sf::Vector2f palette(const std::string& name) const { return centre(paletteEntry(name).bounds()); }
    sf::Vector2f chip(int32_t id) const { return centre(board().chips.find(id)->bounds()); }
    static sf::Vector2f centre(const sf::RectangleShape& shape) { return shape.getPosition() + shape.getSize() * 0.5f; }
    static sf::Vector2f centre(const Box& box) { return {box.left + box.width * 0.5f, box.top + box.height * 0.5f}; }

    // Several frames each. A drag from the palette that leaves the chip's
    // top-left at `at`; the new chip's id, or 0 when none was placed.
    int32_t place(const std::string& name, sf::Vector2f at);
    // "Connect", the source, the target. Chip 0 is the board: its input
    // `fromPin`, its output `toPin`. On chips the pins are stepped to with the
    // right button, then taken with the left.
    void wire(int32_t fromChip, int fromPin, int32_t toChip, int toPin);
    void saveAs(const std::string& name);
    // A NOT at `at`, wired from input 0 to lamp 0, left to settle; its id.
    int32_t inverter(sf::Vector2f at = {400, 300});
    void setPinCounts(int inputs, int outputs);  // with the + and - buttons
    bool lamp(int output) const { return board().lamps.at(output); }

private:
    void step(bool pending, const sf::Event& event);
    void mouseButton(sf::Event::EventType type, sf::Vector2f at, sf::Mouse::Button button);

    sf::Vector2i mouse{960, 40};
    sf::Time now = sf::microseconds(app.editor().blinkRestartedAt().count());
    bool rightHeld = false;
    bool controlHeld = false;

public:
    bool deleteHeld = false;  // the key's live state, as the frames see it
    bool shiftHeld = false;
};
