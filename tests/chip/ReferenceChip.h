#pragma once

#include "chip/ChipLogic.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// The chip logic written the plain way, as a yardstick for ChipLogic: a tree
// of values evaluated recursively, each connection end found by scanning for
// the first sub-chip with its id. A pin out of range is a source not found
// (the carried value stays) and a destination not found (nothing written).
struct ReferenceChip {
    int32_t id = 0;
    ChipKind kind = NOT_CHIP;
    std::vector<ReferenceChip> subChips;
    std::vector<Connection> connections;
    std::vector<bool> inputs;
    std::vector<bool> outputs;

    explicit ReferenceChip(ChipKind chipKind) : kind(chipKind) {
        if (kind == NOT_CHIP) inputs = {false}, outputs = {true};
        if (kind == AND_CHIP) inputs = {false, false}, outputs = {false};
    }

    ReferenceChip(ChipKind chipKind, std::vector<ReferenceChip> inner, std::vector<Connection> wires,
                  int32_t inputCount, int32_t outputCount)
        : kind(chipKind), subChips(std::move(inner)), connections(std::move(wires)),
          inputs(static_cast<std::size_t>(inputCount > 0 ? inputCount : 0)),
          outputs(static_cast<std::size_t>(outputCount > 0 ? outputCount : 0)) {}

    void setInput(int32_t pin, bool value) {
        if (inRange(pin, inputs)) inputs[index(pin)] = value;
    }

    void evaluate() {
        if (kind == NOT_CHIP) {
            if (!inputs.empty() && !outputs.empty()) outputs[0] = !inputs[0];
        } else if (kind == AND_CHIP) {
            if (inputs.size() >= 2 && !outputs.empty()) outputs[0] = inputs[0] && inputs[1];
        } else {
            propagate();
            for (ReferenceChip& sub : subChips) sub.evaluate();
            propagate();
        }
    }

    void propagate() {
        bool carried = false;
        for (const Connection& wire : connections) {
            std::vector<bool>* from = wire.fromChip == 0 ? &inputs : outputsOf(wire.fromChip);
            if (from && inRange(wire.fromPin, *from)) carried = (*from)[index(wire.fromPin)];
            std::vector<bool>* to = wire.toChip == 0 ? &outputs : inputsOf(wire.toChip);
            if (to && inRange(wire.toPin, *to)) (*to)[index(wire.toPin)] = carried;
        }
    }

    ReferenceChip* find(int32_t chipId) {
        for (ReferenceChip& sub : subChips)
            if (sub.id == chipId) return &sub;
        return nullptr;
    }
    std::vector<bool>* outputsOf(int32_t chipId) { return find(chipId) ? &find(chipId)->outputs : nullptr; }
    std::vector<bool>* inputsOf(int32_t chipId) { return find(chipId) ? &find(chipId)->inputs : nullptr; }

    static std::size_t index(int32_t pin) { return static_cast<std::size_t>(pin); }
    static bool inRange(int32_t pin, const std::vector<bool>& pins) {
        return pin >= 0 && index(pin) < pins.size();
    }
};
