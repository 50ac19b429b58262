#pragma once

#include "app/Clipboard.h"
#include "app/Dragging.h"
#include "app/FrameInput.h"
#include "app/PinNaming.h"
#include "app/SceneBatch.h"
#include "app/Selecting.h"
#include "app/TimingDiagram.h"
#include "app/Wiring.h"
#include "editing/Editor.h"
#include "widgets/Button.h"
#include "widgets/KeyPanel.h"
#include "widgets/NameBox.h"
#include "widgets/Notice.h"
#include "widgets/Tag.h"

#include <SFML/Graphics.hpp>

#include <array>
#include <memory>

// The shell: the window, the frame input, the buttons, the name box and the
// lines over the board, and the frame's steps, which the interactions
// (wiring, dragging, selecting, the palette row) and the editor carry out.
// A frame is `update` followed by `render`.
class App {
public:
    // Window: a fixed window of the screen's size. None: for tests, which step frames by hand.
    enum class WindowMode { FullScreen, Window, None };
    // The buttons of the top bar, in the order they are laid out and drawn.
    enum ButtonId { AddInput, RemoveInput, AddOutput, RemoveOutput, Connect, Save, BUTTON_COUNT };

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
    const sf::RectangleShape& boardFrame() const { return boardFrame_; }
    const std::array<Button, BUTTON_COUNT>& buttons() const { return buttons_; }
    const NameBox& nameBox() const { return nameBox_; }
    const Notice& notice() const { return notice_; }
    const KeyPanel& keyPanel() const { return keyPanel_; }
    const sf::Text& paceLabel() const { return paceLabel_; }
    const sf::Text& wiringHint() const { return wiringHint_; }
    const sf::Text& pathLabel() const { return pathLabel_; }
    const Tag& pinField() const { return pinField_; }  // where a board pin's name is typed
    const Tag& pinLabel() const { return pinLabel_; }  // a pin's name, beside the pointer
    const TimingDiagram& timingDiagram() const { return timingDiagram_; }

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
    bool buttonPressed(ButtonId id);

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
    sf::RectangleShape boardFrame_;
    std::array<Button, BUTTON_COUNT> buttons_;
    NameBox nameBox_;
    Notice notice_;
    KeyPanel keyPanel_;
    sf::Text paceLabel_;   // under the top bar, while paused or slowed
    sf::Text wiringHint_;  // beside it, while a wire is being made
    sf::Text pathLabel_;   // right of the name box, while a chip is opened or looked into
    Tag pinField_;
    Tag pinLabel_;
    TimingDiagram timingDiagram_;
    SceneBatch sceneBatch_;
    bool open_ = true;
    bool quitUnkept_ = false;  // the work could not be kept when asked to quit
    bool deleteDown_ = false;  // since its press, while the key is held
};
