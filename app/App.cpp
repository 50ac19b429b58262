#include "app/App.h"

#include "app/InsidePresses.h"
#include "app/Keys.h"
#include "app/Layout.h"
#include "app/PaletteRow.h"
#include "app/Screen.h"
#include "app/Shapes.h"
#include "storage/Spelling.h"

#include "widgets/Latin1.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <utility>

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
              Editor::Time(clock_.getElapsedTime().asMicroseconds())),
      clipboard_(mode != WindowMode::None) {
    setUpScene();
}

App::~App() { window_.reset(); }

void App::setUpScene() {
    const Box frame = editor_.layout().frame();
    widgets_.boardFrame.setPosition(frame.left, frame.top);
    widgets_.boardFrame.setSize({frame.width, frame.height});
    widgets_.boardFrame.setFillColor(sf::Color::Transparent);
    widgets_.boardFrame.setOutlineColor(layout::GREY);
    widgets_.boardFrame.setOutlineThickness(layout::BOARD_OUTLINE);
    const sf::Vector2f small(40.f, 40.f), wide(150.f, 40.f);
    widgets_.buttons[Widgets::AddInput].setup({10.f, 10.f}, small, font_, "+");
    widgets_.buttons[Widgets::RemoveInput].setup({10.f, 50.f}, small, font_, "-");
    widgets_.buttons[Widgets::AddOutput].setup({SCREEN_W - 50.f, 10.f}, small, font_, "+");
    widgets_.buttons[Widgets::RemoveOutput].setup({SCREEN_W - 50.f, 50.f}, small, font_, "-");
    widgets_.buttons[Widgets::Connect].setup({100.f, 30.f}, wide, font_, "Connect");
    widgets_.buttons[Widgets::Save].setup({300.f, 30.f}, wide, font_, "Save");
    widgets_.nameBox.setup({500.f, 30.f}, {350.f, 40.f}, font_);
    // Between the board frame's outline and the palette row.
    widgets_.notice.setup({frame.left, SCREEN_H - frame.top + layout::BOARD_OUTLINE}, font_);
    // Under the top bar: the pace under "Connect", what wiring waits for under
    // "Save", the path of the chips opened right of the name box.
    for (sf::Text* line : {&widgets_.paceLabel, &widgets_.wiringHint, &widgets_.pathLabel}) {
        line->setFont(font_);
        line->setCharacterSize(Notice::TEXT_SIZE);
        line->setFillColor(Notice::COLOUR);
    }
    widgets_.paceLabel.setPosition(100.f, frame.top - 28.f);
    widgets_.wiringHint.setPosition(300.f, frame.top - 28.f);
    widgets_.pathLabel.setPosition(layout::PATH_LINE);
    std::vector<std::pair<std::string, std::string>> keys;
    for (const KeyUse& key : PRESSES) keys.emplace_back(key.keys, key.use);
    for (const KeyUse& key : KEYS) keys.emplace_back(key.keys, key.use);
    widgets_.keyPanel.setup({frame.left + 40.f, frame.top + 20.f}, font_, keys, {frame.width - 80.f, frame.height - 40.f});
    widgets_.pinField.setup(font_);
    widgets_.pinLabel.setup(font_);
    widgets_.timingDiagram.setup(frame, font_);
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
        input.deleteHeld = sf::Keyboard::isKeyPressed(sf::Keyboard::Delete);
        input.shiftHeld = sf::Keyboard::isKeyPressed(sf::Keyboard::LShift) || sf::Keyboard::isKeyPressed(sf::Keyboard::RShift);
    }
    input.now = clock_.getElapsedTime();
    return input;
}

void App::step(const FrameInput& input) {
    frame_ = input;
    wiring_.rightButton(frame_.rightButtonHeld);
    deleteDown_ = deleteDown_ && frame_.deleteHeld;
    runSteps();
    selecting_.keepTo(editor_);
    editor_.keepWhenDue(now());
    showEditor();
}

// The frame's steps, in their order. Several end the frame once they have
// taken a press.
void App::runSteps() {
    if (isEvent(sf::Event::Closed) || (isEvent(sf::Event::KeyPressed) && frame_.event.key.code == sf::Keyboard::Escape))
        quit();
    editor_.runFrame(now());
    if (editor_.inside()) return runStepsInside();
    if (isPress()) widgets_.nameBox.takeFocusFromPress(toScreen(mouse())), pinNaming_.end(editor_);
    if (isEvent(sf::Event::TextEntered) && pinNaming_.isActive()) pinNaming_.type(editor_, frame_.event.text.unicode);
    if (isEvent(sf::Event::TextEntered))
        if (std::optional<std::string> name = widgets_.nameBox.type(frame_.event.text.unicode, editor_.name())) editor_.setName(*name);
    if (isEvent(sf::Event::KeyPressed) && !widgets_.nameBox.isActive() && !pinNaming_.isActive()) pressKey();
    if (isEvent(sf::Event::MouseWheelScrolled)) turnWheelOverPalette(editor_, mouse(), frame_.event.mouseWheelScroll.delta);
    if (buttonPressed(Widgets::AddInput)) editor_.addInput();
    if (buttonPressed(Widgets::RemoveInput)) editor_.removeInput(), wiring_.keepAttachedTo(editor_.board());
    if (buttonPressed(Widgets::AddOutput)) editor_.addOutput();
    if (buttonPressed(Widgets::RemoveOutput)) editor_.removeOutput();
    if (buttonPressed(Widgets::Connect)) wiring_.pressConnect();
    // Only a save that adds a chip lets the frame go on.
    if (buttonPressed(Widgets::Save) && editor_.save(wiring_.connectionUnderWay()) != Editor::Saved::Appended) return;
    dragging_.follow(editor_, mouse());
    selecting_.follow(mouse());
    editor_.blackenUnfedLamps();
    editor_.followPinsWithWireEnds();
    wiring_.followPins(editor_);
    wiring_.followMouse(mouse());
    if (isEvent(sf::Event::MouseButtonReleased)) dragging_.drop(editor_);
    if (isEvent(sf::Event::MouseButtonReleased)) selecting_.release(editor_);
    // The timing diagram takes the presses over it, and does nothing with them.
    if ((isPress() || frame_.rightButtonHeld) && widgets_.timingDiagram.covers(mouse())) return;
    if (isPress() && pressInputColumn()) return;
    if (isPress() && frame_.controlHeld && wiring_.state() == WiringState::Idle && nameOutput()) return;
    if (isPress() && wiring_.state() == WiringState::ChoosingTarget && pressOutputColumn()) return;
    // While a target is being chosen a press in the palette row is no palette press.
    if (isPress() && wiring_.state() != WiringState::ChoosingTarget &&
        pressPaletteRow(editor_, wiring_, dragging_, mouse(), frame_.controlHeld))
        return;
    if (isPress() && !selecting_.press(editor_, wiring_, dragging_, mouse(), frame_.event.mouseButton.button, frame_.shiftHeld) &&
        pressBoardChip())
        return;
    if (frame_.rightButtonHeld && wiring_.state() == WiringState::Idle) wiring_.deleteWireAt(editor_, mouse());
}

// While the inside of a chip is shown the frame only looks: the keys that
// edit nothing, the wheel over the palette, a Ctrl+press to look deeper or to
// open a palette chip. Any other press that would edit does nothing.
void App::runStepsInside() {
    bool onControls = widgets_.nameBox.rect().getGlobalBounds().contains(toScreen(mouse()));
    for (Button& button : widgets_.buttons) onControls = button.updateHover(frame_.mousePos) || onControls;
    if (isEvent(sf::Event::KeyPressed) && !widgets_.nameBox.isActive() && keyActsInside(editor_, frame_.event.key)) pressKey();
    if (isEvent(sf::Event::MouseWheelScrolled)) turnWheelOverPalette(editor_, mouse(), frame_.event.mouseWheelScroll.delta);
    if (isPress()) pressInside(editor_, mouse(), frame_.event.mouseButton.button, frame_.controlHeld, onControls);
}

// Keys act only while the name box has no focus: while it has, they type.
void App::pressKey() {
    const sf::Event::KeyEvent& key = frame_.event.key;
    if (key.control && key.code == sf::Keyboard::Z && !key.shift) endEditInProgress(), editor_.undo();
    if (key.control && (key.code == sf::Keyboard::Y || (key.code == sf::Keyboard::Z && key.shift)))
        endEditInProgress(), editor_.redo();
    if (key.control) pressGroupKey(key.code);
    // A held Delete repeats its presses: they act once.
    if (key.code == sf::Keyboard::Delete && !std::exchange(deleteDown_, true)) pressDelete();
    if (key.control && key.code == sf::Keyboard::N) endEditInProgress(), editor_.newBoard();
    if (key.control && key.code == sf::Keyboard::U) endEditInProgress(), editor_.updateOlderCopies();
    if (key.code == sf::Keyboard::F1) widgets_.keyPanel.toggle();
    if (key.code == sf::Keyboard::F2) widgets_.timingDiagram.toggle();
    if (key.control && key.code == sf::Keyboard::E) editor_.exportRecord(std::time(nullptr));
    if (key.code == sf::Keyboard::Space) editor_.togglePause(now());
    if (key.code == sf::Keyboard::Right || key.code == sf::Keyboard::Period) editor_.stepByHand();
    if (key.code == sf::Keyboard::LBracket) editor_.slower();
    if (key.code == sf::Keyboard::RBracket) editor_.faster();
    if ((key.alt && key.code == sf::Keyboard::Left) || key.code == sf::Keyboard::BackSpace) endEditInProgress(), editor_.back();
}

void App::pressGroupKey(sf::Keyboard::Key code) {
    const std::vector<const Chip*>& selected = selecting_.selected();
    if (code == sf::Keyboard::A) selecting_.selectAll(editor_.board());
    if (code == sf::Keyboard::C && !selected.empty()) clipboard_.setText(editor_.copy(selected));
    if (code == sf::Keyboard::X && !selected.empty()) {
        endEditInProgress();
        clipboard_.setText(editor_.cut(selected));
        selecting_.clear();
    }
    // A paste refused keeps the selection.
    if (code == sf::Keyboard::V)
        if (std::vector<const Chip*> pasted = editor_.paste(clipboard_.text(), mouse()); !pasted.empty()) selecting_.select(pasted);
    if (code == sf::Keyboard::D && !selected.empty()) selecting_.select(editor_.duplicate(selected));
}

// A wire under way or a drag ends first, as it may hold a chip that goes.
void App::pressDelete() {
    if (editor_.palette().inRow(mouse())) return deletePaletteEntryAt(editor_, mouse());
    if (selecting_.selected().empty() || !editor_.layout().frame().contains(mouse())) return;
    endEditInProgress();
    editor_.removeChips(selecting_.selected());
    selecting_.clear();
}

// Any press in the column is taken here, on a switch or not, so nothing else
// under the mouse receives it.
bool App::pressInputColumn() {
    const std::optional<int32_t> input = editor_.layout().inputAt(mouse(), editor_.board().inputs.size());
    if (!input) return false;
    if (*input < 0) return true;
    if (frame_.controlHeld && wiring_.state() == WiringState::Idle)
        pinNaming_.start(editor_, false, *input);
    else if (wiring_.state() == WiringState::Armed)
        wiring_.startAtInput(editor_, *input, mouse());
    else if (wiring_.state() == WiringState::Idle && frame_.event.mouseButton.button == sf::Mouse::Middle)
        editor_.toggleBlinking(*input);
    else if (wiring_.state() == WiringState::Idle)
        editor_.switchInput(*input);
    return true;
}

std::optional<int32_t> App::outputUnderMouse() const {
    const std::optional<int32_t> output = editor_.layout().outputAt(mouse(), editor_.board().outputs.size());
    return output && *output >= 0 ? output : std::nullopt;
}

bool App::pressOutputColumn() {
    const std::optional<int32_t> output = outputUnderMouse();
    if (output) wiring_.pressOutput(editor_, *output);
    return output.has_value();
}

// Outputs take no presses of their own, but for Ctrl and a press, which names one.
bool App::nameOutput() {
    const std::optional<int32_t> output = outputUnderMouse();
    if (output) pinNaming_.start(editor_, true, *output);
    return output.has_value();
}

// While wiring, a press on a chip chooses a source or a target; else the
// left button drags the chip and the right one removes it.
bool App::pressBoardChip() {
    const Chip* chip = editor_.board().chips.at(mouse());
    if (!chip) return false;
    if (frame_.controlHeld) {
        wiring_.reset(), dragging_.drop(editor_);
        editor_.lookInside(*chip);
        return true;
    }
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
        if (dragging_.moves(*chip)) dragging_.forget();
        selecting_.forget(*chip);
        editor_.removeChip(*chip);
        wiring_.chipRemoved(frame_.rightButtonHeld);
    }
    return false;
}

// The work is kept before the window closes; when it cannot be, the window
// stays and says so, and a second request quits without keeping. The frame
// still completes; the loop ends when it next looks.
void App::quit() {
    if (!quitUnkept_ && !editor_.keepBeforeEnding(now())) {
        quitUnkept_ = true;
        return;
    }
    if (window_) window_->close();
    open_ = false;
}

void App::endEditInProgress() {
    wiring_.abandon();
    dragging_.follow(editor_, mouse());
    dragging_.drop(editor_);
}

void App::showEditor() {
    for (const std::string& words : editor_.takeNotices()) widgets_.notice.say(words, frame_.now);
    widgets_.notice.update(frame_.now);
    widgets_.nameBox.show(editor_.name());
    editor_.showInside();
    const sf::String path = toScreenString(editor_.path());
    if (widgets_.pathLabel.getString() != path) widgets_.pathLabel.setString(path);
    const std::string pace = editor_.pace().label();
    if (widgets_.paceLabel.getString() != pace) widgets_.paceLabel.setString(pace);
    const char* hint = wiring_.state() == WiringState::Idle             ? ""
                       : wiring_.state() == WiringState::ChoosingTarget ? "choose a target (right press: next free input)"
                                                                         : "choose a source";
    if (widgets_.wiringHint.getString() != hint) widgets_.wiringHint.setString(hint);
    widgets_.timingDiagram.update(editor_.record());
    showPinTags();
}

// The field of the pin being named; the label of the pin previewed as a
// wire's source or target, else of the pin under the pointer, but for a chip
// being dragged.
void App::showPinTags() {
    widgets_.pinField.hide(), widgets_.pinLabel.hide();
    if (editor_.inside()) return;
    if (const std::optional<PinNaming::Field>& field = pinNaming_.field()) {
        widgets_.pinField.show(Spelling::utf8(field->name), pinNamePlace(editor_, field->output, static_cast<std::size_t>(field->pin)),
                       field->output, true);
        return;
    }
    std::optional<Editor::PinOf> pin = dragging_.chip() ? std::nullopt : editor_.pinAt(mouse());
    if (const std::optional<Wire>& wire = wiring_.underWay()) {
        const Connection& c = wire->connection;
        const bool source = wiring_.state() == WiringState::ChoosingSource;
        if (const Chip* chip = editor_.board().chips.find(source ? c.fromChip : c.toChip))
            pin = Editor::PinOf{chip, source, source ? c.fromPin : c.toPin};
    }
    if (!pin) return;
    const sf::Vector2f beside = toScreen(mouse()) + sf::Vector2f(14.f, 18.f);
    const std::string label = editor_.pinLabel(*pin);
    widgets_.pinLabel.show(label, beside);
    if (widgets_.pinLabel.rect().getPosition().x + widgets_.pinLabel.rect().getSize().x > SCREEN_W)
        widgets_.pinLabel.show(label, beside - sf::Vector2f(28.f, 0.f), true);
}

Point App::mouse() const { return {static_cast<float>(frame_.mousePos.x), static_cast<float>(frame_.mousePos.y)}; }

bool App::buttonPressed(Widgets::ButtonId id) { return widgets_.buttons[id].updateHover(frame_.mousePos) && isPress(); }

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
