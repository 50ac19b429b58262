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
    {"Left drag on empty board", "select the chips its rectangle touches; a click there, none"},
    {"Shift + left press on a chip", "select it too, or no longer"},
    {"Ctrl+A", "select every chip on the board"},
    {"Left drag on a selected chip", "move the selected chips together"},
    {"Delete over the board", "remove the selected chips"},
    {"Ctrl+C, Ctrl+X", "copy or cut the selected chips to the clipboard"},
    {"Ctrl+V", "paste chips from the clipboard, their top-left at the mouse"},
    {"Ctrl+D", "duplicate the selected chips, 20 pixels right and down"},
    {"Space", "pause or run the circuit"},
    {"Right arrow, .", "one step while paused"},
    {"[ and ]", "half and twice the speed: a step every 1 to 64 frames"},
    {"F1", "show or hide these keys"},
    {"Escape", "quit"},
};
