#include "support/AppDriver.h"

void AppDriver::step(bool pending, const sf::Event& event) {
    now += sf::milliseconds(16);
    app.step(FrameInput{pending, event, mouse, rightHeld, now, controlHeld, deleteHeld, shiftHeld});
}

void AppDriver::frames(int count) {
    for (int i = 0; i < count; ++i) step(false, app.frame().event);
}

void AppDriver::press(sf::Vector2f at, sf::Mouse::Button button) {
    rightHeld = rightHeld || button == sf::Mouse::Right;
    mouseButton(sf::Event::MouseButtonPressed, at, button);
}

void AppDriver::release(sf::Vector2f at, sf::Mouse::Button button) {
    rightHeld = rightHeld && button != sf::Mouse::Right;
    mouseButton(sf::Event::MouseButtonReleased, at, button);
}

void AppDriver::mouseButton(sf::Event::EventType type, sf::Vector2f at, sf::Mouse::Button button) {
    mouse = sf::Vector2i(at);
    sf::Event event{type, {}};
    event.mouseButton = {button, mouse.x, mouse.y};
    step(true, event);
}

void AppDriver::type(const std::u32string& text) {
    for (const char32_t character : text) {
        sf::Event event{sf::Event::TextEntered, {}};
        event.text.unicode = character;
        step(true, event);
    }
}

void AppDriver::wheel(sf::Vector2f at, float delta) {
    mouse = sf::Vector2i(at);
    sf::Event event{sf::Event::MouseWheelScrolled, {}};
    event.mouseWheelScroll = {sf::Mouse::VerticalWheel, delta, mouse.x, mouse.y};
    step(true, event);
}

void AppDriver::key(sf::Keyboard::Key code, bool control, bool shift, bool alt) {
    sf::Event event{sf::Event::KeyPressed, {}};
    event.key = {code, alt, control, shift, false};
    step(true, event);
}

void AppDriver::holdRight(sf::Vector2f at) {
    rightHeld = true;
    moveMouse(at);
    rightHeld = false;
}

int32_t AppDriver::place(const std::string& name, sf::Vector2f at) {
    const sf::Vector2f grab = palette(name);
    const sf::Vector2f offset = sf::Vector2f(sf::Vector2i(grab)) - toScreen(paletteEntry(name).position());
    const std::size_t before = board().chips.size();
    press(grab);
    const int32_t id = board().chips.size() > before ? std::prev(board().chips.end())->id() : 0;
    moveMouse(at + offset);
    release(at + offset);
    return id;
}

void AppDriver::wire(int32_t fromChip, int fromPin, int32_t toChip, int toPin) {
    click(button(Widgets::Connect));
    for (int pin = -1; fromChip != 0 && pin < fromPin; ++pin) click(chip(fromChip), sf::Mouse::Right);
    click(fromChip == 0 ? input(fromPin) : chip(fromChip));
    for (int tries = 0; toChip != 0 && tries < 8 && app.wiring().underWay() && app.wiring().underWay()->connection.toPin != toPin; ++tries)
        click(chip(toChip), sf::Mouse::Right);
    click(toChip == 0 ? output(toPin) : chip(toChip));
}

int32_t AppDriver::inverter(sf::Vector2f at) {
    const int32_t invert = place("NOT", at);
    wire(0, 0, invert, 0);
    wire(invert, 0, 0, 0);
    frames(3);
    return invert;
}

void AppDriver::saveAs(const std::string& name) {
    click(nameBox());
    type(std::u32string(name.begin(), name.end()));
    click(button(Widgets::Save));
}

void AppDriver::setPinCounts(int inputs, int outputs) {
    for (int press = 0; press < 20; ++press) {  // a few presses, in case a button is broken
        const auto count = [](const auto& pins) { return static_cast<int>(pins.size()); };
        if (count(board().inputs) != inputs)
            click(button(count(board().inputs) < inputs ? Widgets::AddInput : Widgets::RemoveInput));
        else if (count(board().outputs) != outputs)
            click(button(count(board().outputs) < outputs ? Widgets::AddOutput : Widgets::RemoveOutput));
    }
}
