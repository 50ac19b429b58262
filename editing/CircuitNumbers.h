#pragma once

#include "chip/ChipLogic.h"

#include <cstdint>
#include <string>
#include <unordered_map>

// A number for every distinct inner circuit met: two chips get the same
// number exactly when `hasSameCircuit` says they have the same circuit. A
// circuit is numbered from its own level (kind, pins, connections, and each
// sub-chip's id and number), each design once however often it is copied, so
// numbering a whole palette costs what its distinct circuits hold at their
// own level. Designs are known by their address: the numbers hold while the
// chips asked about live.
class CircuitNumbers {
public:
    int32_t of(const ChipLogic& chip) { return of(chip.part()); }
    int32_t of(const ChipLogic::PartView& part);

private:
    int32_t numberLevel(const ChipLogic::PartView& part, const int32_t* subNumbers);

    std::unordered_map<const void*, int32_t> byDesign_;
    std::unordered_map<std::string, int32_t> byLevel_;
    std::string key_;  // one buffer for every level's key
};
