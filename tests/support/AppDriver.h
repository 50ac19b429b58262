#pragma once

#include "app/App.h"

#include <ostream>
#include <string>

// Drives a windowless App frame by frame through synthetic frame input, the
// way a user at the desk would: the mouse moves, buttons go down and up, keys
// are typed, and every frame takes 16 ms.
class AppDriver {
public:
    static constexpr int FRAME_MS = 16;

    // A windowed App draws its frames too (tests of what the screen shows).
    explicit AppDriver(App::WindowMode mode = App::WindowMode::None);

    App& app() { return *app_; }

    // One frame without an event; the mouse stays where it is.
    void frame();
    void frames(int count);
    // One frame without an event, `ms` milliseconds after the one before: a late frame.
    void lateFrame(int ms);
    // The App's clock at the last frame.
    sf::Time now() const { return now_; }
    void moveTo(sf::Vector2f point);

    // One frame each.
    void press(sf::Vector2f point, sf::Mouse::Button button = sf::Mouse::Left);
    void release(sf::Vector2f point, sf::Mouse::Button button = sf::Mouse::Left);
    void click(sf::Vector2f point, sf::Mouse::Button button = sf::Mouse::Left);  // press, then release
    void typeText(const std::u32string& text);                                   // one frame per code point
    void keyPress(sf::Keyboard::Key key);
    // One frame that takes `event`.
    void send(const sf::Event& event) { run(true, event); }
    // A frame carrying `event` and flagged as not pending: a stale event.
    void staleFrame(const sf::Event& event) { run(false, event); }
    // Frames with the right button held at `point` (and no event).
    void holdRight(sf::Vector2f point, int frames = 1);

    // Where things are.
    sf::Vector2f inputPoint(int input) const;
    sf::Vector2f outputPoint(int output) const;
    sf::Vector2f paletteEntryPoint(const std::string& name) const;
    sf::Vector2f chipPoint(int32_t id) const;  // the middle of a board chip's body
    static sf::Vector2f centreOf(const sf::RectangleShape& rect);

    // User actions made of several frames.
    // Drags a palette entry onto the board so its body's top-left lands at `at`;
    // returns the new chip's id.
    int32_t placeChip(const std::string& name, sf::Vector2f at);
    void dragChip(int32_t id, sf::Vector2f to);
    void pressConnect(sf::Mouse::Button button = sf::Mouse::Left);
    // "Connect", then the source and the target, as the user draws a wire.
    // Chip 0 is the board: board input `fromPin` as the source, board output
    // `toPin` as the target. A chip's output pin is stepped to with the right
    // button and confirmed with the left; on a target chip toPin -1 takes the
    // lowest free input with a left click, any other input pin is previewed
    // and stepped to with the right button first.
    void wire(int32_t fromChip, int fromPin, int32_t toChip, int toPin);
    void wireInputToChip(int input, int32_t chip) { wire(0, input, chip, -1); }
    void wireChipToChip(int32_t from, int32_t to) { wire(from, 0, to, -1); }
    void wireChipToOutput(int32_t chip, int output) { wire(chip, 0, 0, output); }
    void wireInputToOutput(int input, int output) { wire(0, input, 0, output); }
    void setInput(int input, bool value);
    void saveAs(const std::string& name);
    // Saves a chip that has only pins, then gives the board one input and one output.
    void saveBlankChip(const std::string& name, int inputs, int outputs);
    bool lamp(int output);  // the lamp's colour, green true, black false
    // Presses the "+" and "-" buttons of both columns until the board has
    // this many inputs and outputs.
    void setPinCounts(int inputs, int outputs);
    void removeChip(int32_t id);  // a right click on it
    const Chip& boardChip(int32_t id) const;

private:
    // One frame; a frame without a pending event carries `event` all the same.
    void run(bool pending, const sf::Event& event);
    // Presses at `grab` and drags the chip picked up there until its body's
    // top-left stands at `to`; the chip's id.
    int32_t drag(sf::Vector2f grab, sf::Vector2f to);

    std::unique_ptr<App> app_;
    sf::Vector2i mouse_{960, 40};
    sf::Time now_;
    bool rightHeld_ = false;
};

// Failing comparisons of connections print their four numbers.
inline void PrintTo(const Connection& c, std::ostream* out) {
    *out << '{' << c.fromChip << ", " << c.fromPin << ", " << c.toChip << ", " << c.toPin << '}';
}
