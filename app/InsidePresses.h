#pragma once

#include "editing/Editor.h"

#include <SFML/Window/Event.hpp>

// Presses and keys while the inside of a chip is shown in place of the
// board. It is for looking: a Ctrl+press on one of its chips looks deeper,
// one on a palette chip opens that chip (which ends the look); a press that
// would edit — on a chip, a switch, a button or the name box, the right
// button on a wire — does nothing, and the first of a look says so.
// `onControls`: the press is on a button or the name box.
void pressInside(Editor& editor, Point mouse, sf::Mouse::Button button, bool control, bool onControls);

// Whether the key acts as on the board: those that only look do (pause, step,
// speed, F1, back, with Ctrl or not); any other does nothing, and one that
// would edit (another key with Ctrl, Delete) is refused.
bool keyActsInside(Editor& editor, const sf::Event::KeyEvent& key);
