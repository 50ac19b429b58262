// Saving the board as a composite chip in the palette.

#include "app/App.h"
#include "app/Layout.h"
#include "app/Screen.h"

#include <algorithm>

namespace {

// Board chip ids stay, so the copied wires find their sub-chips; pin values
// are not carried over.
std::vector<ChipLogic> snapshotChips(const BoardChips& chips) {
    std::vector<ChipLogic> parts;
    parts.reserve(chips.size());
    for (const Chip& chip : chips) {
        parts.emplace_back(chip.kind(), chip.subChips(), chip.connections(), chip.inputCount(),
                           chip.outputCount());
        parts.back().setId(chip.id());
    }
    return parts;
}

// Board pins become the chip's own pins unchanged: id 0 names them in both.
std::vector<Connection> snapshotWires(const std::list<Wire>& wires) {
    std::vector<Connection> links;
    links.reserve(wires.size());
    for (const Wire& wire : wires) links.push_back(wire.connection);
    return links;
}

}  // namespace

// Saving under a new name appends the chip and empties the name box; under an
// existing name it replaces that entry. An empty name saves nothing. Only an
// append lets the frame go on.
App::Outcome App::saveComposite() {
    const std::string name = nameBox.name();
    if (name.empty()) return Outcome::EndUpdate;
    const std::vector<ChipLogic> parts = snapshotChips(boardChips);
    const std::vector<Connection> links = snapshotWires(wires);
    const sf::FloatRect last = library.back().body().getGlobalBounds();
    const sf::Vector2f position(last.left + last.width + layout::PALETTE_GAP,
                                SCREEN_H - layout::PALETTE_RAISE);
    Chip saved(static_cast<ChipKind>(library.size()), position, font, name, parts, links,
               static_cast<int32_t>(boardInputs.size()), static_cast<int32_t>(boardOutputs.size()));
    const auto sameName = std::find_if(library.begin(), library.end(),
                                       [&name](const Chip& entry) { return entry.name() == name; });
    if (sameName != library.end()) {
        *sameName = std::move(saved);
        return Outcome::EndUpdate;
    }
    library.push_back(std::move(saved));
    nameBox.setName("");
    return Outcome::Continue;
}
