#pragma once

#include "app/App.h"
#include "app/Shapes.h"

#include <cstddef>
#include <cstdint>

// Frames of a busy, careless user, decoded from a string of bytes: presses and
// releases of every mouse button on the buttons, the name box, board pins,
// palette entries, board chips, wires and their edges, with Ctrl or Shift
// held or not; typing; keys; the right button held; long pauses; stale
// events. The seeded random runs draw the bytes from a generator, the fuzzer
// takes them from libFuzzer. Chips are kept small enough
// for thousands of frames a second: large saved chips are not placed, and a
// large board is not saved.
class RandomFrames {
public:
    RandomFrames(const uint8_t* bytes, std::size_t size) : bytes(bytes), size(size) {}

    bool done() const { return position >= size; }
    FrameInput next(const App& app);

    static constexpr std::size_t BYTES_PER_FRAME = 6;

private:
    uint8_t byte() { return position < size ? bytes[position++] : 0; }
    sf::Vector2i somewhere(const App& app);
    sf::Vector2i inside(const sf::FloatRect& area);

    const uint8_t* bytes;
    std::size_t size;
    std::size_t position = 0;
};
