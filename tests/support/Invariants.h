#pragma once

#include "app/App.h"

#include <cstdint>
#include <string>
#include <tuple>
#include <unordered_set>
#include <vector>

// What must hold after every frame, whatever the user did: board pins and
// their circles agree, the wire under way is where wiring expects it, every
// wire and every connection of every saved chip (at every depth) names pins
// that exist, complete wires run between their pins, no pin is fed twice and
// none holds a value that no wire gave it, ids and names are unique, every
// chip has one circle per pin, and chips not being dragged stand inside the
// board frame.
//
// Returns an empty string when everything holds, else a description of the
// first violation found.
std::string findViolation(const App& app);

// The same checks, frame after frame on one App. It also remembers every id
// seen on the board, so that a chip being dragged must be one that stood
// there, and checks each saved chip's inner circuit once, when it appears in
// the palette (a saved chip never changes afterwards; a replacement is a new
// entry with a fresh id). It also checks where the last wire runs once it
// has been complete for a frame.
class InvariantChecker {
public:
    std::string check(const App& app);

private:
    // Index, id, kind and name of a palette entry whose inner circuit was found sound.
    using EntryKey = std::tuple<std::size_t, int32_t, ChipKind, std::string>;

    std::unordered_set<int32_t> boardIdsSeen_;
    std::vector<EntryKey> soundEntries_;
    // The last wire at the previous check, if it was complete then.
    const Wire* lastWireComplete_ = nullptr;
    bool remember_ = true;

    friend std::string findViolation(const App& app);
};
