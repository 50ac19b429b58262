#pragma once

#include "app/TimingDiagram.h"
#include "widgets/Button.h"
#include "widgets/KeyPanel.h"
#include "widgets/NameBox.h"
#include "widgets/Notice.h"
#include "widgets/Tag.h"

#include <SFML/Graphics.hpp>

#include <array>

// What the shell shows besides the board and the palette: the board's frame,
// the top bar's buttons and name box, and the lines, tags and panels over
// the board, each shown only while it has something to say.
struct Widgets {
    // The buttons of the top bar, in the order they are laid out and drawn.
    enum ButtonId { AddInput, RemoveInput, AddOutput, RemoveOutput, Connect, Save, BUTTON_COUNT };

    sf::RectangleShape boardFrame;
    std::array<Button, BUTTON_COUNT> buttons;
    NameBox nameBox;
    Notice notice;                // at the foot of the board
    KeyPanel keyPanel;            // F1
    sf::Text paceLabel;           // under the top bar, while paused or slowed
    sf::Text wiringHint;          // beside it, while a wire is being made
    sf::Text pathLabel;           // right of the name box, while a chip is opened or looked into
    Tag pinField;                 // where a board pin's name is typed
    Tag pinLabel;                 // a pin's name, beside the pointer
    TimingDiagram timingDiagram;  // F2
};
