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

bool refuseKeyInside(Editor& editor, const sf::Event::KeyEvent& key, Point mouse) {
    const bool edits = (key.control && (key.code == sf::Keyboard::Z || key.code == sf::Keyboard::Y)) ||
                       (key.code == sf::Keyboard::Delete && editor.palette().entryAt(mouse));
    if (edits) editor.refuseInside();
    return edits;
}
