#pragma once

#include <cstdint>

// Where the user is in drawing a wire.
enum class WiringState : int32_t {
    Idle = 0,            // no wire under way
    Armed = 1,           // "Connect" pressed: the next press on a source starts a wire
    ChoosingSource = 2,  // the wire starts at a chip's output pin that may still change
    ChoosingTarget = 3,  // the source is fixed; a chip input or board output is next
};
