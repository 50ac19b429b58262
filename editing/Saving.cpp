// Saving the board as a composite chip in the palette.

#include "app/App.h"
#include "app/Layout.h"
#include "app/Screen.h"

#include <algorithm>
#include <iostream>

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
// existing name it replaces that entry. An empty name saves nothing, nor does
// a board too large to become a chip. Only an append lets the frame go on.
App::Outcome App::saveComposite() {
    const std::string name = nameBox.name();
    if (name.empty() || !fitsInPalette(boardSizeAsChip(), name)) return Outcome::EndUpdate;
    int32_t depth = 1;  // the board as a chip: one level above its deepest chip
    for (const Chip& chip : boardChips) depth = std::max(depth, chip.depth() + 1);
    if (tooDeep(depth, name, "not saved", "chip")) return Outcome::EndUpdate;
    Chip saved(static_cast<ChipKind>(library.size()), nextPalettePosition(), font, name, snapshotChips(boardChips),
               snapshotWires(wires), static_cast<int32_t>(boardInputs.size()), static_cast<int32_t>(boardOutputs.size()));
    const bool appended = joinPalette(std::move(saved));
    if (appended) nameBox.setName("");
    keepLibrary();
    return appended ? Outcome::Continue : Outcome::EndUpdate;
}

// A new entry stands right of the last one, with its top at the row's.
sf::Vector2f App::nextPalettePosition() const {
    const sf::FloatRect last = library.back().body().getGlobalBounds();
    return sf::Vector2f(last.left + last.width + layout::PALETTE_GAP, SCREEN_H - layout::PALETTE_RAISE);
}

bool App::joinPalette(Chip chip) {
    const auto sameName = std::find_if(library.begin(), library.end(),
                                       [&chip](const Chip& entry) { return entry.name() == chip.name(); });
    if (sameName != library.end()) {
        *sameName = std::move(chip);
        return false;
    }
    library.push_back(std::move(chip));
    return true;
}

// What the board would weigh as a chip: itself, its pins, its wires and its chips.
int64_t App::boardSizeAsChip() const {
    int64_t size = 1 + static_cast<int64_t>(boardInputs.size() + boardOutputs.size() + wires.size());
    for (const Chip& chip : boardChips) size += chip.treeSize();
    return size;
}

// No chip, and not the palette as a whole, may grow beyond the largest chip a
// library may hold: so every library written can be read again, and a chip
// nested in copies of itself stops doubling long before memory runs out.
bool App::fitsInPalette(int64_t size, const std::string& name) const {
    int64_t total = size;
    for (const Chip& entry : library)
        if (entry.name() != name) total += entry.treeSize();
    if (size <= largestChip && total <= largestChip) return true;
    sayTooLarge(name, "not saved", size > largestChip ? "chip" : "palette");
    return false;
}

void App::sayTooLarge(const std::string& name, const char* refused, const char* what) const {
    std::cerr << "vorplex: \"" << name << "\" " << refused << ": the " << what << " would hold more than " << largestChip
              << " parts (chips, pins and connections at every depth)\n";
}

// Nor may a chip nest deeper than the deepest a library may hold.
bool App::tooDeep(int32_t depth, const std::string& name, const char* refused, const char* what) const {
    if (depth <= deepestChip) return false;
    std::cerr << "vorplex: \"" << name << "\" " << refused << ": the " << what << " would be more than " << deepestChip
              << " levels deep (chips within chips)\n";
    return true;
}

void App::keepChipsIn(LibraryFile file, std::vector<NamedChip> chips) {
    libraryFile = std::move(file);
    for (NamedChip& named : chips) joinPalette(Chip(std::move(named.chip), nextPalettePosition(), font, named.name));
}

// Saved chips are those of composite kinds: the editor gives every chip it
// saves the palette's size, never 0 or 1.
void App::keepLibrary() const {
    if (!libraryFile) return;
    std::vector<ChipToKeep> saved;
    for (const Chip& entry : library)
        if (entry.kind() != NOT_CHIP && entry.kind() != AND_CHIP) saved.push_back({entry.name(), entry});
    try {
        libraryFile->write(saved);
    } catch (const LibraryFile::Refused& refusal) {
        std::cerr << "vorplex: " << refusal.what() << '\n';
    }
}
