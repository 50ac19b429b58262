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
// existing name it replaces that entry where it stands. An empty name saves
// nothing, nor does a board too large to become a chip. Only an append lets
// the frame go on.
App::Outcome App::saveComposite() {
    const std::string name = nameBox.name();
    if (name.empty() || !fitsInPalette(board.sizeAsChip(), name)) return Outcome::EndUpdate;
    if (tooDeep(board.depthAsChip(), name, "not saved", "chip")) return Outcome::EndUpdate;
    recordEdit("save " + name, true, true);
    Chip saved(static_cast<ChipKind>(library.size()), nextPalettePosition(), font, name,
               snapshotChips(board.chips), snapshotWires(board.wires), static_cast<int32_t>(board.inputs.size()),
               static_cast<int32_t>(board.outputs.size()));
    const bool appended = joinPalette(PaletteEntry(std::move(saved), std::make_shared<const KeptBoard>(keptBoard(board))));
    if (appended) nameBox.setName(""), scrollPalette(static_cast<int>(library.size()));
    return appended ? Outcome::Continue : Outcome::EndUpdate;
}

// A new entry stands right of the last one, with its top at the row's.
sf::Vector2f App::nextPalettePosition() const {
    const sf::FloatRect last = library.back().bounds();
    return sf::Vector2f(last.left + last.width + layout::PALETTE_GAP, SCREEN_H - layout::PALETTE_RAISE);
}

const PaletteEntry* App::paletteEntry(const std::string& name) const {
    const auto entry = std::find_if(library.begin(), library.end(), [&name](const Chip& chip) { return chip.name() == name; });
    return entry == library.end() ? nullptr : &*entry;
}

// A replaced entry has the same name, so the same width: it fits where the
// old one stood.
bool App::joinPalette(PaletteEntry entry) {
    if (const PaletteEntry* sameName = paletteEntry(entry.name())) {
        entry.moveTo(sameName->position());
        library[static_cast<std::size_t>(sameName - library.data())] = std::move(entry);
        return false;
    }
    library.push_back(std::move(entry));
    return true;
}

// No chip, and not the palette as a whole, may grow beyond the largest chip a
// library may hold: so every library written can be read again, and a chip
// nested in copies of itself stops doubling long before memory runs out.
bool App::fitsInPalette(int64_t size, const std::string& name) {
    int64_t total = size;
    for (const Chip& entry : library)
        if (entry.name() != name) total += entry.treeSize();
    if (size <= largestChip && total <= largestChip) return true;
    sayTooLarge(name, "not saved", size > largestChip ? "chip" : "palette");
    return false;
}

void App::sayTooLarge(const std::string& name, const char* refused, const char* what) {
    say("\"" + name + "\" " + refused + ": the " + what + " would be too large",
        "\"" + name + "\" " + refused + ": the " + what + " would hold more than " + std::to_string(largestChip) +
            " parts (chips, pins and connections at every depth)");
}

// Nor may a chip nest deeper than the deepest a library may hold.
bool App::tooDeep(int32_t depth, const std::string& name, const char* refused, const char* what) {
    if (depth <= deepestChip) return false;
    say("\"" + name + "\" " + refused + ": the " + what + " would be too deep",
        "\"" + name + "\" " + refused + ": the " + what + " would be more than " + std::to_string(deepestChip) +
            " levels deep (chips within chips)");
    return true;
}
