#pragma once

#include <cstdint>

// One wire of a circuit, by chip id and pin number. Chip id 0 names the
// enclosing circuit's own pins: its input `fromPin` as a source, its output
// `toPin` as a destination. On the board `toChip` -1 marks the one wire still
// being drawn.
struct Connection {
    int32_t fromChip = 0;
    int32_t fromPin = 0;
    int32_t toChip = 0;
    int32_t toPin = 0;

    friend bool operator==(const Connection& a, const Connection& b) {
        return a.fromChip == b.fromChip && a.fromPin == b.fromPin && a.toChip == b.toChip &&
               a.toPin == b.toPin;
    }
    friend bool operator!=(const Connection& a, const Connection& b) { return !(a == b); }
};
