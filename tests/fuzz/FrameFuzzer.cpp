// Fuzzes the editor with frames: the input is read as a stream of frames,
// four bytes each, every one decoded into the FrameInput of one App step.
// After every frame all invariants must hold; a broken one aborts with a
// description.
//
// One frame, bytes b0 b1 b2 b3:
//   b0 % 16  what happens: 0 nothing, 1-5 a press, 6-8 a release, 9-10 a move,
//            11 a typed character, 12 a stale frame, 13 a long pause,
//            14 a move with the right button held, 15 an event nobody acts on
//   b0 / 16  the mouse button, modulo 8: 0-3 left, 4-5 right, 6 middle, 7 extra
//   b1       where: place kind b1 % 14 (see Places.h), index b1 / 14
//   b2, b3   where inside the place, as fractions of 255
// A typed character is b2 when b1 < 100, else a code point above 255 made of
// b1, b2 and b3.
//
// A press that would place a heavy chip or save a heavy board is made a mere
// move (see ChipWeights.h). Each input gets an App of its own; support/DisplayKeeper.cpp keeps the
// display open and the GL driver loaded between them.

#include "support/ChipWeights.h"
#include "support/Invariants.h"
#include "support/Places.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::size_t BYTES_PER_FRAME = 4;
constexpr int FRAME_MS = 16;

sf::Mouse::Button buttonOf(uint8_t b0) {
    switch ((b0 / 16) % 8) {
        case 0:
        case 1:
        case 2:
        case 3:
            return sf::Mouse::Left;
        case 4:
        case 5:
            return sf::Mouse::Right;
        case 6:
            return sf::Mouse::Middle;
        default:
            return b0 >= 128 ? sf::Mouse::XButton2 : sf::Mouse::XButton1;
    }
}

class FrameDecoder {
public:
    explicit FrameDecoder(const App& app) : app_(app), weights_(app), now_(app.blinkRestartedAt) {}

    FrameInput decode(const uint8_t* bytes) {
        const uint8_t b0 = bytes[0];
        const uint8_t b1 = bytes[1];
        const uint8_t b2 = bytes[2];
        const uint8_t b3 = bytes[3];
        const auto place = static_cast<Place>(b1 % PLACE_KINDS);
        const uint32_t index = b1 / PLACE_KINDS;
        const float u = static_cast<float>(b2) / 255.f;
        const float v = static_cast<float>(b3) / 255.f;
        const sf::Mouse::Button button = buttonOf(b0);

        FrameInput input;
        now_ += sf::milliseconds(FRAME_MS);
        const int action = b0 % 16;
        if (action >= 1 && action <= 8) {
            const bool press = action <= 5;
            mouse_ = pointAt(app_, place, index, u, v);
            // A press that would nest chips too deep becomes a mere move.
            if (press && weights_.pressWouldGrowTooMuch(mouse_)) return finish(input);
            if (button == sf::Mouse::Right) rightHeld_ = press;
            input.eventPending = true;
            input.event.type = press ? sf::Event::MouseButtonPressed : sf::Event::MouseButtonReleased;
            input.event.mouseButton.button = button;
            input.event.mouseButton.x = mouse_.x;
            input.event.mouseButton.y = mouse_.y;
        } else if (action == 9 || action == 10) {
            mouse_ = pointAt(app_, place, index, u, v);
        } else if (action == 11) {
            input.eventPending = true;
            input.event.type = sf::Event::TextEntered;
            input.event.text.unicode = b1 < 100 ? b2 : 0x100u + ((static_cast<uint32_t>(b1 & 0x0F) << 16) |
                                                                 (static_cast<uint32_t>(b2) << 8) | b3);
        } else if (action == 12) {
            // A press that was never taken: no step may act on it.
            input.event.type = sf::Event::MouseButtonPressed;
            input.event.mouseButton.button = button;
            const sf::Vector2i at = pointAt(app_, place, index, u, v);
            input.event.mouseButton.x = at.x;
            input.event.mouseButton.y = at.y;
        } else if (action == 13) {
            now_ += sf::milliseconds(FRAME_MS * (b2 + 1));
        } else if (action == 14) {
            mouse_ = pointAt(app_, place, index, u, v);
            rightHeld_ = true;
        } else if (action == 15) {
            const sf::Event::EventType ignored[] = {sf::Event::KeyPressed, sf::Event::KeyReleased,
                                                    sf::Event::MouseMoved, sf::Event::MouseWheelScrolled,
                                                    sf::Event::LostFocus,  sf::Event::Resized};
            input.eventPending = true;
            input.event.type = ignored[b2 % 6];
            // Any key but Escape, which closes the window.
            if (input.event.type == sf::Event::KeyPressed || input.event.type == sf::Event::KeyReleased)
                input.event.key.code = static_cast<sf::Keyboard::Key>(b3 % sf::Keyboard::Escape);
        }
        return finish(input, action != 12);
    }

private:
    // A frame without an event carries the last one, as the App keeps it,
    // unless it carries a stale one of its own.
    FrameInput finish(FrameInput& input, bool carryLastEvent = true) {
        if (!input.eventPending && carryLastEvent) input.event = last_;
        if (input.eventPending) last_ = input.event;
        input.mousePos = mouse_;
        input.rightButtonHeld = rightHeld_;
        input.now = now_;
        return input;
    }

    const App& app_;
    ChipWeights weights_;
    sf::Time now_;
    sf::Vector2i mouse_{960, 540};
    bool rightHeld_ = false;
    sf::Event last_{};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    App app(App::WindowMode::None);
    // Chip ids come from the standard generator: the same input, the same run.
    std::srand(1);
    InvariantChecker invariants;
    FrameDecoder decoder(app);
    for (std::size_t at = 0, frame = 1; at + BYTES_PER_FRAME <= size; at += BYTES_PER_FRAME, ++frame) {
        app.step(decoder.decode(data + at));
        const std::string violation = invariants.check(app);
        if (!violation.empty()) {
            std::fprintf(stderr, "invariant broken after frame %zu: %s\n", frame, violation.c_str());
            std::abort();
        }
    }
    return 0;
}
