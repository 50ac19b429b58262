#include "app/InsidePresses.h"

#include <algorithm>

void pressInside(Editor& editor, Point mouse, sf::Mouse::Button button, bool control, bool onControls) {
    if (const PaletteEntry* entry = editor.palette().entryAt(mouse)) {
        if (!control) return editor.refuseInside();
        if (editor.canOpen(*entry)) editor.open(*entry);
        return;
    }
    const Board& shown = editor.shownBoard();
    if (const Chip* chip = shown.chips.at(mouse)) return control ? editor.lookInside(*chip) : editor.refuseInside();
    const std::optional<int32_t> input = editor.layout().inputAt(mouse, shown.inputs.size());
    const bool onWire = button == sf::Mouse::Right &&
                        std::any_of(shown.wires.begin(), shown.wires.end(), [mouse](const Wire& wire) { return wire.isNear(mouse); });
    if (onControls || (input && *input >= 0) || onWire) editor.refuseInside();
}

bool keyActsInside(Editor& editor, const sf::Event::KeyEvent& key) {
    switch (key.code) {
        case sf::Keyboard::Space: case sf::Keyboard::Right: case sf::Keyboard::Period: case sf::Keyboard::LBracket:
        case sf::Keyboard::RBracket: case sf::Keyboard::F1: case sf::Keyboard::BackSpace:
            return true;
        case sf::Keyboard::Left:
            return key.alt;
        default:
            if (key.control || key.code == sf::Keyboard::Delete) editor.refuseInside();
            return false;
    }
}
