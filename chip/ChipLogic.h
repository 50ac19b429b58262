#pragma once

#include "chip/Connection.h"

#include <cstdint>
#include <vector>

// 0 is NOT, 1 is AND, any other value a composite.
using ChipKind = int32_t;
constexpr ChipKind NOT_CHIP = 0;
constexpr ChipKind AND_CHIP = 1;

// Chip ids are 10000 plus a 15-bit random number; 0 never names a chip.
constexpr int32_t FIRST_CHIP_ID = 10000;
constexpr int32_t LAST_CHIP_ID = FIRST_CHIP_ID + 32767;
int32_t drawChipId();

// The logic of one chip: its identity, kind, pin values and, for a composite,
// the inner circuit it was built with. Evaluation is one pass per call: a
// composite propagates along its connections, evaluates every sub-chip once
// and propagates again, so a signal advances one gate per call at any depth.
//
// A composite's whole tree is stored flat (nodes in pre-order, one byte per
// pin in one array) and compiled once, when it is built, into a list of
// copies between pin slots: connection ends are resolved by id a single time,
// since the inner structure never changes afterwards. Evaluation then touches
// each pin a constant number of times and allocates nothing.
class ChipLogic {
public:
    // NOT: inputs [0], outputs [1]. AND: inputs [0, 0], outputs [0]. Any
    // other kind gets no pins. Draws the id last.
    explicit ChipLogic(ChipKind kind);

    // Copies the sub-chips (deeply, with their current pin values) and the
    // connections, gives the chip `inputCount` inputs and `outputCount`
    // outputs, all 0, and draws the id last.
    ChipLogic(ChipKind kind, const std::vector<ChipLogic>& subChips,
              const std::vector<Connection>& connections, int32_t inputCount,
              int32_t outputCount);

    // Copies keep the id and every current pin value, at every depth. A
    // moved-from chip keeps its id and kind and is left without pins,
    // sub-chips or connections.
    ChipLogic(const ChipLogic&);
    ChipLogic(ChipLogic&&) noexcept;
    ChipLogic& operator=(const ChipLogic&);
    ChipLogic& operator=(ChipLogic&&) noexcept;
    ~ChipLogic();

    int32_t id() const;
    void setId(int32_t id);
    ChipKind kind() const;

    // A pin number out of range reads as 0 and is not written. In a
    // connection, such a pin is a source that is not found (the value
    // carried so far goes on) or a destination that is not found (nothing
    // is written).
    int32_t inputCount() const;
    int32_t outputCount() const;
    bool input(int32_t pin) const;
    bool output(int32_t pin) const;
    void setInput(int32_t pin, bool value);

    // Outputs from inputs, one pass (see the class comment).
    void evaluate();

    // Chips at every depth, this one included, plus all their pins and
    // connections: what a copy of this chip costs.
    int64_t treeSize() const;

    // The inner circuit, as it stands now. An index out of range yields an
    // empty chip: id 0, kind NOT, no pins.
    int32_t subChipCount() const;
    ChipLogic subChip(int32_t index) const;
    std::vector<ChipLogic> subChips() const;
    std::vector<Connection> connections() const;

private:
    // One chip of the tree. Its pins are `inputCount` input slots from
    // `pinBase` on, followed by `outputCount` output slots; its subtree is
    // itself and the `subtreeSize - 1` nodes after it; its own connections
    // are `connectionCount` entries from `connectionBegin` on.
    struct Node {
        int32_t id;
        ChipKind kind;
        uint32_t pinBase;
        int32_t inputCount;
        int32_t outputCount;
        uint32_t subtreeSize;
        uint32_t connectionBegin;
        uint32_t connectionCount;
    };

    // One compiled step between pin slots: a copy from `from` to `to`, or for
    // a gate its first input slot and its output slot.
    struct SlotPair {
        uint32_t from;
        uint32_t to;
    };

    // An empty chip that keeps `id` and `kind`; the factories fill it in.
    ChipLogic(int32_t id, ChipKind kind);

    // Index of the node that follows the subtree of node `index`, and the
    // first pin slot and connection after it.
    uint32_t subtreeEnd(uint32_t index) const;
    uint32_t slotsEnd(uint32_t index) const;
    uint32_t connectionsEnd(uint32_t index) const;

    // Appends `chip`'s tree below the nodes already present.
    void appendTree(const ChipLogic& chip);
    // The chip whose tree is the subtree of node `index`.
    ChipLogic extractSubtree(uint32_t index) const;
    // Turns the tree into the pass and gate lists that `evaluate` runs.
    struct CompileScratch;
    void compile();
    void compileComposite(uint32_t index, CompileScratch& scratch);
    // Takes over `other`'s contents, leaving it with its id and kind only.
    void takeFrom(ChipLogic& other) noexcept;

    int32_t id_ = 0;
    ChipKind kind_ = NOT_CHIP;
    // Pre-order: node 0 is this chip, a composite's sub-chips follow it, each
    // followed by its own subtree.
    std::vector<Node> nodes_;
    // One value (0 or 1) per pin of the whole tree; slot 0 is always 0.
    std::vector<uint8_t> values_;
    // Every level's connections, each node's own ones together, in node order.
    std::vector<Connection> connections_;
    // What `evaluate` runs, in this order: copies of the first propagation of
    // every composite, parents before their sub-chips; the NOT and AND gates;
    // copies of the second propagation, sub-chips before their parents.
    std::vector<SlotPair> firstPass_;
    std::vector<SlotPair> notGates_;
    std::vector<SlotPair> andGates_;
    std::vector<SlotPair> secondPass_;
};
