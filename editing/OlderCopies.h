#pragma once

#include "editing/Board.h"
#include "editing/BoardLayout.h"
#include "editing/CircuitNumbers.h"
#include "editing/PaletteEntry.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// The chips that hold an older version of a palette chip, and their update.
//
// Every chip is placed under the name of a palette chip, and the board a
// chip was saved from keeps that name with each of its chips. A chip placed
// under a palette chip's name holds an older version of it when its circuit
// is not that chip's (circuits are compared by number, `CircuitNumbers`). A
// saved chip holds one when its kept board holds such a chip, or a copy of a
// saved chip that holds one itself, at any depth; and so does a chip on the
// board, placed under the name of either.
//
// The update rebuilds each such saved chip from its kept board, the chips
// there replaced by the palette's version, as saving that board again would:
// the inner chips first, so that the chips holding them take them rebuilt.
// On the board, the chips are replaced where they stand. Wires keep their
// pin numbers; those to pins the new version lacks go.
//
// Names can go round: a chip saved with an older version of itself inside,
// or two chips each holding a version of the other. A chip is never updated
// with a chip that holds it, at any depth, so no chip comes to hold itself.
// A saved chip whose board was not kept (from a version-1 library) cannot be
// looked into by name: it is left as it is, and named when it holds a chip
// that is no palette chip as it will stand.
class OlderCopies {
public:
    // Of every palette chip, or, given `only`, of the chip of that name.
    OlderCopies(const std::vector<PaletteEntry>& palette, const Board& board, const std::string* only = nullptr);

    bool any() const { return !rebuilt_.empty() || !boardChips_.empty(); }
    // The chips that hold an older version: "ADD4, ADD8 and 3 chips on the
    // board", names in UTF-8 as every line said.
    std::string described() const;
    // What a save that replaced the chip adds to its line: "; ADD4 and 3
    // chips on the board hold the older one (Ctrl+U updates them)", or nothing.
    std::string held() const;
    // Without `only`: a line for each saved chip without a kept board that
    // holds a chip which no palette chip will be.
    const std::vector<std::string>& notUpdated() const { return notUpdated_; }

    struct Update {
        std::vector<PaletteEntry> palette;
        Board board;
        // "ADD4: 2 wires to FULLADD's input 3 removed", in the order met.
        std::vector<std::string> removedWires;
    };
    // Whether a chip of this size and depth may be: "chip", "palette" or "board".
    using Fits = std::function<bool(int64_t size, int32_t depth, const std::string& name, const char* what)>;
    // The palette with each saved chip that holds an older version rebuilt
    // as kind `kind`, and the board with its copies replaced, held in
    // `layout`'s frame; none, and nothing built further, once one would not fit.
    std::optional<Update> update(ChipKind kind, const BoardLayout& layout, const Fits& fits) const;

private:
    static constexpr std::size_t NO_ENTRY = SIZE_MAX;

    // A chip of a kept board, or of the board, by its place there, and the
    // palette entry it is placed under.
    struct Held {
        std::size_t chip;
        std::size_t entry;
    };

    std::size_t entryNamed(const std::string& name) const;
    // By entry, the chips of its kept board that are placed under the name of a palette chip.
    std::vector<std::vector<Held>> heldByName() const;
    void findUnkept(CircuitNumbers& numbers, const std::vector<int32_t>& circuits, const std::vector<bool>& rebuilds);
    bool rebuild(std::size_t entry, ChipKind kind, Update& update, const Fits& fits) const;
    void replaceOnBoard(Update& update, const BoardLayout& layout) const;

    const std::vector<PaletteEntry>& palette_;
    const Board& board_;
    std::unordered_map<std::string, std::size_t> byName_;
    std::vector<std::size_t> rebuilt_;          // entries to rebuild, inner chips first
    std::vector<std::vector<Held>> replaced_;   // by entry: its kept board's chips to replace
    std::vector<Held> boardChips_;              // in the board's order
    std::vector<std::string> notUpdated_;
};
