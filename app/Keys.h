#pragma once

// Every key and modifier the editor understands, beside the mouse on the
// board's pins, chips, wires and buttons: listed by --help and on the panel
// that F1 shows.
struct KeyUse {
    const char* keys;
    const char* use;
};

inline constexpr KeyUse KEYS[] = {
    {"Ctrl+Z", "undo the last edit of the board"},
    {"Ctrl+Y, Ctrl+Shift+Z", "redo it"},
    {"Ctrl + press on a palette chip", "open it on the board, to change it"},
    {"Delete over a palette chip", "remove it from the palette"},
    {"Mouse wheel over the palette", "scroll the palette"},
    {"Space", "pause or run the circuit"},
    {"Right arrow, .", "one step while paused"},
    {"[ and ]", "half and twice the speed: a step every 1 to 64 frames"},
    {"F1", "show or hide these keys"},
    {"F2", "show or hide the timing diagram of the board's pins"},
    {"Ctrl+E", "export the pins' last 100,000 steps as a VCD file"},
    {"Escape", "quit"},
};
