#include "app/App.h"

#include "app/Keys.h"
#include "app/Layout.h"
#include "app/PaletteRow.h"
#include "app/Screen.h"
#include "app/Shapes.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>

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

// A missing font is not an error: texts then show no glyphs and measure 0.
sf::Font loadFont() {
    sf::Font font;
    font.loadFromFile(fontPath());
    return font;
}

std::unique_ptr<sf::RenderWindow> makeWindow(App::WindowMode mode) {
    std::unique_ptr<sf::RenderWindow> window;
    // Full-screen leaves the mode at 0 x 0 and takes whatever the library
    // gives; all layout uses the screen size instead.
    if (mode == App::WindowMode::FullScreen)
        window = std::make_unique<sf::RenderWindow>(sf::VideoMode(), "Vorplex", sf::Style::Fullscreen, sf::ContextSettings());
    if (mode == App::WindowMode::Window) {
        window = std::make_unique<sf::RenderWindow>(
            sf::VideoMode(static_cast<unsigned>(SCREEN_W), static_cast<unsigned>(SCREEN_H)), "Vorplex",
            sf::Style::Titlebar | sf::Style::Close, sf::ContextSettings());
        // Centred by us: the graphics library centres a window on X11 with the
        // display's width for both coordinates, which can push its bottom off the screen.
        const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
        window->setPosition({(static_cast<int>(desktop.width) - static_cast<int>(SCREEN_W)) / 2,
                             (static_cast<int>(desktop.height) - static_cast<int>(SCREEN_H)) / 2});
    }
    if (window) window->setFramerateLimit(60);
    return window;
}

// The seed fixes the palette chips' ids, so it comes before the editor makes them.
BoardLayout seededScreenLayout() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    return BoardLayout(SCREEN_W, SCREEN_H);
}

}  // namespace

App::App(WindowMode mode)
    : window_(makeWindow(mode)),
      font_(loadFont()),
      editor_(seededScreenLayout(), [this](const std::string& name) { return labelWidth(font_, name); },
              Editor::Time(clock_.getElapsedTime().asMicroseconds())) {
    setUpScene();
}

App::~App() { window_.reset(); }

void App::setUpScene() {
    const Box frame = editor_.layout().frame();
    boardFrame_.setPosition(frame.left, frame.top);
    boardFrame_.setSize({frame.width, frame.height});
    boardFrame_.setFillColor(sf::Color::Transparent);
    boardFrame_.setOutlineColor(layout::GREY);
    boardFrame_.setOutlineThickness(layout::BOARD_OUTLINE);
    const sf::Vector2f small(40.f, 40.f), wide(150.f, 40.f);
    buttons_[AddInput].setup({10.f, 10.f}, small, font_, "+");
    buttons_[RemoveInput].setup({10.f, 50.f}, small, font_, "-");
    buttons_[AddOutput].setup({SCREEN_W - 50.f, 10.f}, small, font_, "+");
    buttons_[RemoveOutput].setup({SCREEN_W - 50.f, 50.f}, small, font_, "-");
    buttons_[Connect].setup({100.f, 30.f}, wide, font_, "Connect");
    buttons_[Save].setup({300.f, 30.f}, wide, font_, "Save");
    nameBox_.setup({500.f, 30.f}, {350.f, 40.f}, font_);
    // Between the board frame's outline and the palette row.
    notice_.setup({frame.left, SCREEN_H - frame.top + layout::BOARD_OUTLINE}, font_);
    // Under the top bar, beside "Connect".
    paceLabel_.setFont(font_);
    paceLabel_.setCharacterSize(Notice::TEXT_SIZE);
    paceLabel_.setFillColor(Notice::COLOUR);
    paceLabel_.setPosition(100.f, frame.top - 28.f);
    std::vector<std::pair<std::string, std::string>> keys;
    for (const KeyUse& key : KEYS) keys.emplace_back(key.keys, key.use);
    keyPanel_.setup({frame.left + 40.f, frame.top + 20.f}, font_, keys);
    timingDiagram_.setup(frame, font_);
}

void App::update() { step(readFrameInput()); }

FrameInput App::readFrameInput() {
    FrameInput input;
    input.event = frame_.event;
    if (window_) {
        input.eventPending = takeEvent(*window_, input.event);
        input.mousePos = sf::Mouse::getPosition(*window_);
        input.rightButtonHeld = sf::Mouse::isButtonPressed(sf::Mouse::Right);
        input.controlHeld = sf::Keyboard::isKeyPressed(sf::Keyboard::LControl) || sf::Keyboard::isKeyPressed(sf::Keyboard::RControl);
    }
    input.now = clock_.getElapsedTime();
    return input;
}

void App::step(const FrameInput& input) {
    frame_ = input;
    wiring_.rightButton(frame_.rightButtonHeld);
    runSteps();
    editor_.keepWhenDue(now(), !open_);
    showEditor();
}

// The frame's steps, in their order. Several end the frame once they have
// taken a press.
void App::runSteps() {
    if (isEvent(sf::Event::Closed) || (isEvent(sf::Event::KeyPressed) && frame_.event.key.code == sf::Keyboard::Escape)) {
        // The frame still completes; the loop ends when it next looks.
        if (window_) window_->close();
        open_ = false;
    }
    editor_.runFrame(now());
    if (isPress()) nameBox_.takeFocusFromPress(toScreen(mouse()));
    if (isEvent(sf::Event::TextEntered))
        if (std::optional<std::string> name = nameBox_.type(frame_.event.text.unicode, editor_.name())) editor_.setName(*name);
    if (isEvent(sf::Event::KeyPressed) && !nameBox_.isActive()) pressKey();
    if (isEvent(sf::Event::MouseWheelScrolled)) turnWheelOverPalette(editor_, mouse(), frame_.event.mouseWheelScroll.delta);
    if (buttonPressed(AddInput)) editor_.addInput();
    if (buttonPressed(RemoveInput)) editor_.removeInput(), wiring_.keepAttachedTo(editor_.board());
    if (buttonPressed(AddOutput)) editor_.addOutput();
    if (buttonPressed(RemoveOutput)) editor_.removeOutput();
    if (buttonPressed(Connect)) wiring_.pressConnect();
    // Only a save that adds a chip lets the frame go on.
    if (buttonPressed(Save) && editor_.save(wiring_.connectionUnderWay()) != Editor::Saved::Appended) return;
    dragging_.follow(editor_, mouse());
    editor_.blackenUnfedLamps();
    editor_.followPinsWithWireEnds();
    wiring_.followPins(editor_);
    wiring_.followMouse(mouse());
    if (isEvent(sf::Event::MouseButtonReleased)) dragging_.drop(editor_);
    // The timing diagram takes the presses over it, and does nothing with them.
    if ((isPress() || frame_.rightButtonHeld) && timingDiagram_.covers(mouse())) return;
    if (isPress() && pressInputColumn()) return;
    if (isPress() && wiring_.state() == WiringState::ChoosingTarget && pressOutputColumn()) return;
    // While a target is being chosen a press in the palette row is no palette press.
    if (isPress() && wiring_.state() != WiringState::ChoosingTarget &&
        pressPaletteRow(editor_, wiring_, dragging_, mouse(), frame_.controlHeld))
        return;
    if (isPress() && pressBoardChip()) return;
    if (frame_.rightButtonHeld && wiring_.state() == WiringState::Idle) wiring_.deleteWireAt(editor_, mouse());
}

// Keys act only while the name box has no focus: while it has, they type.
void App::pressKey() {
    const sf::Event::KeyEvent& key = frame_.event.key;
    if (key.control && key.code == sf::Keyboard::Z && !key.shift) endEditInProgress(), editor_.undo();
    if (key.control && (key.code == sf::Keyboard::Y || (key.code == sf::Keyboard::Z && key.shift)))
        endEditInProgress(), editor_.redo();
    if (key.code == sf::Keyboard::Delete) deletePaletteEntryAt(editor_, mouse());
    if (key.code == sf::Keyboard::F1) keyPanel_.toggle();
    if (key.code == sf::Keyboard::F2) timingDiagram_.toggle();
    if (key.control && key.code == sf::Keyboard::E) editor_.exportRecord(std::time(nullptr));
    if (key.code == sf::Keyboard::Space) editor_.togglePause(now());
    if (key.code == sf::Keyboard::Right || key.code == sf::Keyboard::Period) editor_.stepByHand();
    if (key.code == sf::Keyboard::LBracket) editor_.slower();
    if (key.code == sf::Keyboard::RBracket) editor_.faster();
}

// Any press in the column is taken here, on a switch or not, so nothing else
// under the mouse receives it.
bool App::pressInputColumn() {
    const std::optional<int32_t> input = editor_.layout().inputAt(mouse(), editor_.board().inputs.size());
    if (!input) return false;
    if (*input < 0) return true;
    if (wiring_.state() == WiringState::Armed)
        wiring_.startAtInput(editor_, *input, mouse());
    else if (wiring_.state() == WiringState::Idle && frame_.event.mouseButton.button == sf::Mouse::Middle)
        editor_.toggleBlinking(*input);
    else if (wiring_.state() == WiringState::Idle)
        editor_.switchInput(*input);
    return true;
}

bool App::pressOutputColumn() {
    const std::optional<int32_t> output = editor_.layout().outputAt(mouse(), editor_.board().outputs.size());
    if (!output || *output < 0) return false;
    wiring_.pressOutput(editor_, *output);
    return true;
}

// While wiring, a press on a chip chooses a source or a target; else the
// left button drags the chip and the right one removes it.
bool App::pressBoardChip() {
    const Chip* chip = editor_.board().chips.at(mouse());
    if (!chip) return false;
    const sf::Mouse::Button button = frame_.event.mouseButton.button;
    switch (wiring_.state()) {
        case WiringState::Idle:
            break;
        case WiringState::Armed:
            wiring_.startAtChip(*chip, mouse(), button);
            return false;
        case WiringState::ChoosingSource:
            wiring_.chooseSource(*chip, button);
            return false;
        case WiringState::ChoosingTarget:
            return wiring_.chooseTarget(editor_, *chip, button);
    }
    if (button == sf::Mouse::Left) {
        dragging_.drop(editor_);
        dragging_.start(*chip, mouse());
    } else if (button == sf::Mouse::Right) {
        if (dragging_.chip() == chip) dragging_.forget();
        editor_.removeChip(*chip);
        wiring_.chipRemoved(frame_.rightButtonHeld);
    }
    return false;
}

void App::endEditInProgress() {
    wiring_.abandon();
    dragging_.follow(editor_, mouse());
    dragging_.drop(editor_);
}

void App::showEditor() {
    for (const std::string& words : editor_.takeNotices()) notice_.say(words, frame_.now);
    notice_.update(frame_.now);
    nameBox_.show(editor_.name());
    const std::string pace = editor_.pace().label();
    if (paceLabel_.getString() != pace) paceLabel_.setString(pace);
    timingDiagram_.update(editor_.record());
}

Point App::mouse() const { return {static_cast<float>(frame_.mousePos.x), static_cast<float>(frame_.mousePos.y)}; }

bool App::buttonPressed(ButtonId id) { return buttons_[id].updateHover(frame_.mousePos) && isPress(); }

void App::render() {
    if (!window_) return;
    drawScene(*window_);
    window_->display();
}

// Frame, buttons, name box, palette, board chips (each body, pins, label),
// board inputs then outputs, and the wires over everything.
int App::drawScene(sf::RenderTarget& target) {
    target.clear(layout::BACKGROUND);
    sceneBatch_.rebuild(*this);
    return sceneBatch_.draw(target);
}
