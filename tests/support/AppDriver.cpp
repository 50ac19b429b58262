#include "support/AppDriver.h"
#include "support/MouseButtonEvent.h"

#include <stdexcept>

namespace {

sf::Vector2i pixel(sf::Vector2f point) {
    return sf::Vector2i(static_cast<int>(point.x), static_cast<int>(point.y));
}

}  // namespace

AppDriver::AppDriver(App::WindowMode mode) : app_(std::make_unique<App>(mode)) {
    now_ = app_->blinkRestartedAt;
}

void AppDriver::run(bool pending, const sf::Event& event) {
    now_ += sf::milliseconds(FRAME_MS);
    FrameInput input;
    input.eventPending = pending;
    input.event = event;
    input.mousePos = mouse_;
    input.rightButtonHeld = rightHeld_;
    input.now = now_;
    app_->step(input);
}

void AppDriver::frame() { run(false, app_->frame.event); }

void AppDriver::frames(int count) {
    for (int i = 0; i < count; ++i) frame();
}

void AppDriver::lateFrame(int ms) {
    now_ += sf::milliseconds(ms - FRAME_MS);
    frame();
}

void AppDriver::moveTo(sf::Vector2f point) { mouse_ = pixel(point); }

void AppDriver::press(sf::Vector2f point, sf::Mouse::Button button) {
    moveTo(point);
    if (button == sf::Mouse::Right) rightHeld_ = true;
    run(true, mouseButtonEvent(sf::Event::MouseButtonPressed, mouse_, button));
}

void AppDriver::release(sf::Vector2f point, sf::Mouse::Button button) {
    moveTo(point);
    if (button == sf::Mouse::Right) rightHeld_ = false;
    run(true, mouseButtonEvent(sf::Event::MouseButtonReleased, mouse_, button));
}

void AppDriver::click(sf::Vector2f point, sf::Mouse::Button button) {
    press(point, button);
    release(point, button);
}

void AppDriver::typeText(const std::u32string& text) {
    for (const char32_t codePoint : text) {
        sf::Event event{};
        event.type = sf::Event::TextEntered;
        event.text.unicode = static_cast<sf::Uint32>(codePoint);
        run(true, event);
    }
}

void AppDriver::keyPress(sf::Keyboard::Key key) {
    sf::Event event{};
    event.type = sf::Event::KeyPressed;
    event.key.code = key;
    run(true, event);
}

void AppDriver::holdRight(sf::Vector2f point, int count) {
    moveTo(point);
    rightHeld_ = true;
    frames(count);
    rightHeld_ = false;
}

sf::Vector2f AppDriver::inputPoint(int input) const { return app_->inputCircles.at(input).getPosition(); }

sf::Vector2f AppDriver::outputPoint(int output) const {
    return app_->outputCircles.at(output).getPosition();
}

sf::Vector2f AppDriver::paletteEntryPoint(const std::string& name) const {
    for (const Chip& entry : app_->library)
        if (entry.name() == name) return centreOf(entry.body());
    throw std::invalid_argument("no palette entry named " + name);
}

sf::Vector2f AppDriver::chipPoint(int32_t id) const { return centreOf(boardChip(id).body()); }

sf::Vector2f AppDriver::centreOf(const sf::RectangleShape& rect) {
    return rect.getPosition() + rect.getSize() * 0.5f;
}

int32_t AppDriver::placeChip(const std::string& name, sf::Vector2f at) {
    return drag(paletteEntryPoint(name), at);
}

void AppDriver::dragChip(int32_t id, sf::Vector2f to) { drag(chipPoint(id), to); }

int32_t AppDriver::drag(sf::Vector2f grab, sf::Vector2f to) {
    press(grab);
    const int32_t id = app_->draggedChipId;
    // Where the pressed pixel stands relative to the body's top-left.
    const sf::Vector2f offset = sf::Vector2f(pixel(grab)) - boardChip(id).body().getPosition();
    moveTo(to + offset);
    frame();
    release(to + offset);
    return id;
}

void AppDriver::pressConnect(sf::Mouse::Button button) {
    click(centreOf(app_->connectButton().rect), button);
}

void AppDriver::wire(int32_t fromChip, int fromPin, int32_t toChip, int toPin) {
    pressConnect();
    if (fromChip == 0) {
        click(inputPoint(fromPin));
    } else {
        // The first right press takes output 0, each further one steps on.
        for (int pin = -1; pin < fromPin; ++pin) click(chipPoint(fromChip), sf::Mouse::Right);
        click(chipPoint(fromChip));
    }
    if (toChip == 0) {
        click(outputPoint(toPin));
        return;
    }
    if (toPin >= 0) {
        const int inputs = boardChip(toChip).inputCount();
        click(chipPoint(toChip), sf::Mouse::Right);
        for (int steps = 0; steps < inputs && app_->wires.back().connection.toPin != toPin; ++steps)
            click(chipPoint(toChip), sf::Mouse::Right);
        if (app_->wires.back().connection.toPin != toPin)
            throw std::logic_error("input pin " + std::to_string(toPin) + " is not free");
    }
    click(chipPoint(toChip));
}

void AppDriver::setInput(int input, bool value) {
    if (app_->boardInputs.at(input).value != value) click(inputPoint(input));
}

void AppDriver::saveAs(const std::string& name) {
    click(centreOf(app_->nameBox.rect()));
    typeText(std::u32string(name.begin(), name.end()));
    click(centreOf(app_->saveButton().rect));
}

void AppDriver::saveBlankChip(const std::string& name, int inputs, int outputs) {
    setPinCounts(inputs, outputs);
    saveAs(name);
    setPinCounts(1, 1);
}

bool AppDriver::lamp(int output) {
    return app_->outputCircles.at(output).getFillColor() == sf::Color::Green;
}

void AppDriver::setPinCounts(int inputs, int outputs) {
    const auto count = [](const auto& pins) { return static_cast<int>(pins.size()); };
    while (count(app_->boardInputs) < inputs) click(centreOf(app_->addInputButton().rect));
    while (count(app_->boardInputs) > inputs) click(centreOf(app_->removeInputButton().rect));
    while (count(app_->boardOutputs) < outputs) click(centreOf(app_->addOutputButton().rect));
    while (count(app_->boardOutputs) > outputs) click(centreOf(app_->removeOutputButton().rect));
}

void AppDriver::removeChip(int32_t id) { click(chipPoint(id), sf::Mouse::Right); }

const Chip& AppDriver::boardChip(int32_t id) const {
    const Chip* chip = app_->boardChips.find(id);
    if (!chip) throw std::invalid_argument("no board chip " + std::to_string(id));
    return *chip;
}
