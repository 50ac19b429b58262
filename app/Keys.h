#pragma once

// Every press of the mouse and every key the editor understands: listed by
// --help, in the README and on the panel that F1 shows.
struct KeyUse {
    const char* keys;
    const char* use;
};

inline constexpr KeyUse PRESSES[] = {
    {"Press on an input", "switch it on or off"},
    {"Middle press on an input", "make it blink every 700 ms, or stop"},
    {"Ctrl + press on an input, output", "name it: type, then Enter"},
    {"The pointer on a chip's pin", "its name, beside the pointer"},
    {"+ and - at the top left, right", "add or remove an input, an output"},
    {"Press on a palette chip, drag", "place a copy on the board"},
    {"Left drag on a chip", "move it"},
    {"Left drag on empty board", "select the chips it touches; a click, none"},
    {"Shift + left press on a chip", "select it too, or no longer"},
    {"Left drag on a selected chip", "move the selected chips together"},
    {"Right press on a chip", "remove it with its wires"},
    {"Connect, a source, a target", "make a wire: left on a chip, its first free pin"},
    {"Right press on a source, target", "the next output, the next free input"},
    {"Right button held over a wire", "delete it"},
    {"Name box, then Save", "save the board as a chip in the palette"},
    {"Press on a mark at a palette end", "scroll the palette"},
    {"Mouse wheel over the palette", "scroll the palette"},
};

// Keys act while the name box has no focus; while it has, they type, all but Escape.
inline constexpr KeyUse KEYS[] = {
    {"Ctrl+Z", "undo the last edit of the board"},
    {"Ctrl+Y, Ctrl+Shift+Z", "redo it"},
    {"Ctrl+N", "a new board: one input, one output, no chips"},
    {"Ctrl + press on a palette chip", "open it on the board, to change it"},
    {"Ctrl + press on a board chip", "look inside it as it runs (again: a level deeper)"},
    {"Alt+Left, Backspace", "back from a chip looked into or opened"},
    {"Delete over a palette chip", "remove it from the palette"},
    {"Delete over the board", "remove the selected chips"},
    {"Ctrl+A", "select every chip on the board"},
    {"Ctrl+C, Ctrl+X", "copy or cut the selected chips to the clipboard"},
    {"Ctrl+V", "paste chips from the clipboard at the mouse"},
    {"Ctrl+D", "duplicate the selected chips beside them"},
    {"Ctrl+U", "update the chips that hold an older saved chip"},
    {"Space", "pause or run the circuit"},
    {"Right arrow, .", "one step while paused"},
    {"[ and ]", "half and twice the speed: a step every 1 to 64 frames"},
    {"F1", "show or hide these keys"},
    {"F2", "show or hide the timing diagram of the pins"},
    {"Ctrl+E", "export the pins' last steps as a VCD file"},
    {"Escape", "quit"},
};
