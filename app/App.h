#pragma once

#include "app/Clipboard.h"
#include "app/Dragging.h"
#include "app/FrameInput.h"
#include "app/PinNaming.h"
#include "app/SceneBatch.h"
#include "app/Selecting.h"
#include "app/Widgets.h"
#include "app/Wiring.h"
#include "editing/Editor.h"

#include <SFML/Graphics.hpp>

#include <memory>

// The shell: the window, the frame input, the buttons, the name box and the
// lines over the board, and the frame's steps, which the interactions
// (wiring, dragging, selecting, the palette row) and the editor carry out.
// A frame is `update` followed by `render`.
class App {
public:
    // Window: a fixed window of the screen's size. None: for tests, which step frames by hand.
    enum class WindowMode { FullScreen, Window, None };

    explicit App(WindowMode mode = WindowMode::FullScreen);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    bool isOpen() const { return open_; }

    // Reads the frame input from the window, then runs the frame's steps.
    void update();
    // The frame's steps, from the given input.
    void step(const FrameInput& input);
    void render();
    // Clears the target and draws the scene; the number of draw calls made.
    int drawScene(sf::RenderTarget& target);

    // What the frame's steps and the drawing work on.
    Editor& editor() { return editor_; }
    const Editor& editor() const { return editor_; }
    const Wiring& wiring() const { return wiring_; }
    const PinNaming& pinNaming() const { return pinNaming_; }
    const Selecting& selecting() const { return selecting_; }
    const FrameInput& frame() const { return frame_; }
    sf::RenderWindow* window() { return window_.get(); }
    const sf::Font& font() const { return font_; }
    const Widgets& widgets() const { return widgets_; }

private:
    FrameInput readFrameInput();
    void setUpScene();
    void runSteps();
    void quit();
    // The frame's steps while the inside of a chip is shown.
    void runStepsInside();
    void pressKey();
    // Ctrl with A, C, X, V or D: the selected chips, all, copied, cut, pasted or duplicated.
    void pressGroupKey(sf::Keyboard::Key code);
    // Delete over the palette takes a saved chip out of it; over the board the selected chips go.
    void pressDelete();
    // The steps that take a press; true when the press ends the frame's steps.
    bool pressInputColumn();
    bool pressOutputColumn();
    bool nameOutput();
    std::optional<int32_t> outputUnderMouse() const;  // the output whose zone the pointer is in
    bool pressBoardChip();
    // As a press elsewhere would end them: a wire under way, and a drag,
    // whose chip first comes to where this frame takes it.
    void endEditInProgress();
    // The editor's name, pace and notices, shown.
    void showEditor();
    void showPinTags();

    // Every test of the event looks at eventPending first.
    bool isEvent(sf::Event::EventType type) const { return frame_.eventPending && frame_.event.type == type; }
    bool isPress() const { return isEvent(sf::Event::MouseButtonPressed); }
    Point mouse() const;
    Editor::Time now() const { return Editor::Time(frame_.now.asMicroseconds()); }
    // Every button shows its hover colour each frame; it acts only on a press.
    bool buttonPressed(Widgets::ButtonId id);

    std::unique_ptr<sf::RenderWindow> window_;
    sf::Font font_;
    sf::Clock clock_;
    FrameInput frame_;
    Editor editor_;
    Wiring wiring_;
    Dragging dragging_;
    PinNaming pinNaming_;
    Selecting selecting_;
    Clipboard clipboard_;
    Widgets widgets_;
    SceneBatch sceneBatch_;
    bool open_ = true;
    bool quitUnkept_ = false;  // the work could not be kept when asked to quit
    bool deleteDown_ = false;  // since its press, while the key is held
};
