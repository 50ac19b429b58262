#pragma once

#include "chip/ChipLogic.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// The chip logic written the plain way, as a yardstick for ChipLogic: a tree
// of values, evaluated recursively, every connection end found by a linear
// search for the first sub-chip with its id, every pass run connection by
// connection. A pin index out of range reads as an unknown source (the
// carried value stays) and writes nowhere; a NOT or AND without the pins it
// uses does nothing.
struct ReferenceChip {
    int32_t id = 0;
    ChipKind kind = NOT_CHIP;
    std::vector<ReferenceChip> subChips;
    std::vector<Connection> connections;
    std::vector<bool> inputs;
    std::vector<bool> outputs;

    // Ids are left at 0: whoever compares with a ChipLogic sets them.
    explicit ReferenceChip(ChipKind chipKind) : kind(chipKind) {
        if (kind == NOT_CHIP) {
            inputs = {false};
            outputs = {true};
        } else if (kind == AND_CHIP) {
            inputs = {false, false};
            outputs = {false};
        }
    }

    ReferenceChip(ChipKind chipKind, std::vector<ReferenceChip> inner,
                  std::vector<Connection> wires, int32_t inputCount, int32_t outputCount)
        : kind(chipKind),
          subChips(std::move(inner)),
          connections(std::move(wires)),
          inputs(static_cast<std::size_t>(inputCount > 0 ? inputCount : 0), false),
          outputs(static_cast<std::size_t>(outputCount > 0 ? outputCount : 0), false) {}

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
            if (wire.fromChip == 0) {
                if (inRange(wire.fromPin, inputs)) carried = inputs[static_cast<std::size_t>(wire.fromPin)];
            } else if (ReferenceChip* source = find(wire.fromChip)) {
                if (inRange(wire.fromPin, source->outputs))
                    carried = source->outputs[static_cast<std::size_t>(wire.fromPin)];
            }
            if (wire.toChip == 0) {
                if (inRange(wire.toPin, outputs)) outputs[static_cast<std::size_t>(wire.toPin)] = carried;
            } else if (ReferenceChip* target = find(wire.toChip)) {
                if (inRange(wire.toPin, target->inputs))
                    target->inputs[static_cast<std::size_t>(wire.toPin)] = carried;
            }
        }
    }

    ReferenceChip* find(int32_t chipId) {
        for (ReferenceChip& sub : subChips) {
            if (sub.id == chipId) return &sub;
        }
        return nullptr;
    }

    static bool inRange(int32_t pin, const std::vector<bool>& pins) {
        return pin >= 0 && static_cast<std::size_t>(pin) < pins.size();
    }
};
