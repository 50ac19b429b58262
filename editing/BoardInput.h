#pragma once

// One input switch of the board.
struct BoardInput {
    bool value = false;
    bool clocked = false;  // toggles by itself every blink period

    friend bool operator==(const BoardInput& a, const BoardInput& b) {
        return a.value == b.value && a.clocked == b.clocked;
    }
    friend bool operator!=(const BoardInput& a, const BoardInput& b) { return !(a == b); }
};
