#pragma once

// One input switch of the board.
struct BoardInput {
    bool value = false;
    bool clocked = false;  // toggles by itself every blink period
};
