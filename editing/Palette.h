#pragma once

#include "editing/BoardLayout.h"
#include "editing/PaletteEntry.h"

#include <cstddef>
#include <string>
#include <vector>

// The palette row below the board: NOT, AND, then every chip saved, each
// standing where the row puts it. The row runs on to the right as chips are
// saved; when it runs past the screen's edge it scrolls by whole entries.
class Palette {
public:
    // NOT at the row's start and AND beside it, as the scene has always had them.
    static constexpr float NOT_LEFT = 20.f;
    static constexpr float AND_LEFT = 100.f;
    // At each end of a row that has more beyond it stands a mark; a press
    // this close to the screen's edge is a press on it.
    static constexpr float MARK_ZONE = 16.f;

    Palette(const BoardLayout& layout, std::vector<PaletteEntry> entries);

    const std::vector<PaletteEntry>& entries() const { return entries_; }
    std::size_t size() const { return entries_.size(); }
    const PaletteEntry& operator[](std::size_t index) const { return entries_[index]; }
    const PaletteEntry& back() const { return entries_.back(); }
    // The first entry shown: those before it are scrolled out of view.
    std::size_t firstShown() const { return firstShown_; }

    // The entry of this name, if any.
    const PaletteEntry* find(const std::string& name) const;
    // Where a new entry stands: right of the last one, its top at the row's.
    Point nextPosition() const;

    // In place of the entry of the same name, where it stands, or at the
    // end; true for the end.
    bool join(PaletteEntry entry);
    // Takes the entry, one of this palette's, out of the row.
    void remove(const PaletteEntry& entry);
    // All of them at once, as an undo brings them back.
    void replaceAll(std::vector<PaletteEntry> entries);

    // By whole entries: earlier ones while there are any, later ones while
    // the row runs past the right edge.
    void scroll(int entries);
    bool runsPastEdge() const;

    bool inRow(Point point) const;
    // -1 or 1 for a point in the row on the mark at its left or right end,
    // where there is more that way; else 0.
    int markAt(Point point) const;
    // The entry shown at the point, if any.
    const PaletteEntry* entryAt(Point point) const;

private:
    void layOut();
    // After the palette changed: scrolled no further than it needs to be.
    void settle();

    BoardLayout layout_;
    std::vector<PaletteEntry> entries_;
    std::size_t firstShown_ = 0;
};
