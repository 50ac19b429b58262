// Keeping the work in the library file: the palette's saved chips, the board
// and the name typed, written after the edits that change them.

#include "app/App.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <string>

namespace {

// A write at most once a second while changes keep coming: killed at any
// moment, the editor loses at most the last second of work.
const sf::Time KEEP_INTERVAL = sf::seconds(1);

// What a failed write comes to, in a few words.
std::string shortReason(int error) {
    switch (error) {
        case ENOSPC: case EDQUOT: return "disk full";
        case EACCES: case EPERM: case EROFS: return "not allowed to write there";
        default: {
            std::string reason = std::strerror(error);
            reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
            return reason;
        }
    }
}

}  // namespace

void App::keepWorkIn(LibraryFile file, Library kept) {
    libraryFile = std::move(file);
    for (NamedChip& named : kept.chips)
        joinPalette(PaletteEntry(Chip(std::move(named.chip), nextPalettePosition(), font, named.name), std::move(named.board)));
    board = boardFrom(kept.board);
    nameBox.setName(kept.name);
    showBoardPins();
}

// Saved chips are those of composite kinds: the editor gives every chip it
// saves the palette's size, never 0 or 1.
Library App::workToKeep() const {
    Library work;
    for (const PaletteEntry& entry : library)
        if (entry.kind() != NOT_CHIP && entry.kind() != AND_CHIP) work.chips.push_back({entry.name(), entry, entry.savedBoard()});
    work.board = keptBoard(board);
    work.name = nameBox.name();
    return work;
}

// A wire under way is no part of what is kept.
KeptBoard App::keptBoard(const Board& board) {
    KeptBoard kept;
    kept.inputs.clear();
    for (const BoardInput& input : board.inputs) kept.inputs.push_back({input.value, input.clocked});
    kept.outputs = board.outputs;
    for (const Chip& chip : board.chips) kept.chips.push_back({chip.name(), chip, chip.position().x, chip.position().y});
    for (const Wire& wire : board.wires)
        if (wire.complete) kept.wires.push_back(wire.connection);
    return kept;
}

// Chips stand where they stood, held inside the board frame of this run's screen.
Board App::boardFrom(const KeptBoard& kept) const {
    Board restored;
    restored.inputs.clear();
    for (const KeptBoard::Input& input : kept.inputs) restored.inputs.push_back({input.value, input.clocked});
    restored.outputs = kept.outputs;
    for (const KeptBoard::PlacedChip& placed : kept.chips) {
        Chip chip(placed.logic, sf::Vector2f(placed.x, placed.y), font, placed.name);
        chip.resize(chip.boardSize());
        chip.moveTo(placeInFrame(chip, chip.position()));
        restored.chips.add(std::move(chip));
    }
    for (const Connection& connection : kept.wires) {
        restored.wires.emplace_back(connection, sf::Vector2f(), sf::Vector2f());
        restored.wires.back().finish();
    }
    return restored;
}

// Something the file keeps has changed: it is written when due, and a write
// that failed is tried again.
void App::workChanged() {
    unkept = true;
    keepFailed = false;
}

// The end of every frame: a write when changes wait and the last write is a
// second old, and when the window has closed.
void App::keepWorkWhenDue() {
    const bool due = !keepFailed && (!lastKept || frame.now - *lastKept >= KEEP_INTERVAL);
    if (libraryFile && unkept && (due || !open)) writeLibrary();
}

// A write that fails says so in the window too, and is tried again after the
// next change, or at the end.
void App::writeLibrary() {
    lastKept = frame.now;
    try {
        libraryFile->write(workToKeep());
        unkept = keepFailed = false;
    } catch (const LibraryFile::Refused& refusal) {
        keepFailed = true;
        say("not kept: " + shortReason(refusal.error()), refusal.what());
    }
}
