#pragma once

#include "chip/Connection.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// 0 is NOT, 1 is AND, any other value a composite.
using ChipKind = int32_t;
constexpr ChipKind NOT_CHIP = 0;
constexpr ChipKind AND_CHIP = 1;

// Chip ids are 10000 plus a 15-bit random number; 0 never names a chip.
constexpr int32_t FIRST_CHIP_ID = 10000;
constexpr int32_t LAST_CHIP_ID = FIRST_CHIP_ID + 32767;

// No chip may be larger, counted as `treeSize` counts: the editor places and
// saves none, and a library that describes one is refused. It lets a chip
// hold some ten million gates, and keeps one nested in copies of itself from
// doubling until memory runs out.
constexpr int64_t LARGEST_CHIP = 100'000'000;
// Nor may a chip be deeper, counted as `depth` counts: a chip without
// sub-chips is 1 deep, any other one more than its deepest sub-chip. Every
// walk over a tree is a loop, whatever its depth; the limit bounds a file
// that is all depth, and admits far more levels than anyone saves by hand.
constexpr int32_t DEEPEST_CHIP = 10'000;
int32_t drawChipId();

// The logic of one chip: its identity, kind, pin values and, for a composite,
// the inner circuit it was built with. Evaluation is one pass per call: a
// composite propagates along its connections, evaluates every sub-chip once
// and propagates again, so a signal advances one gate per call at any depth.
//
// The inner circuit never changes once built: it lives in an immutable
// design, shared by copies and extracted sub-chips and compiled once, for
// the calls after the first, the first time a chip on it is prepared to run
// (chip/ChipDesign.h). A chip itself holds one byte per pin of its whole
// tree and, once prepared, two copies of a gate state of about one byte per
// gate: a call after the first computes every gate from the state the last
// call left, and leaves the inner pins to be read from the state when asked
// for.
class ChipLogic {
    // The immutable inner circuit and what it compiles to (chip/ChipDesign.h).
    struct Design;

public:
    class PartView;
    class ConnectionRange;
    class Circuit;

    // NOT: inputs [0], outputs [1]. AND: inputs [0, 0], outputs [0]. Any
    // other kind gets no pins. Draws the id last.
    explicit ChipLogic(ChipKind kind);

    // Copies the sub-chips (deeply, with their current pin values) and the
    // connections, gives the chip `inputCount` inputs and `outputCount`
    // outputs, all 0, and draws the id last.
    ChipLogic(ChipKind kind, const std::vector<ChipLogic>& subChips,
              const std::vector<Connection>& connections, int32_t inputCount,
              int32_t outputCount);

    // A chip on `circuit`, its id `id`; `pins` holds the value (0 or 1) of
    // every pin of its tree: part by part in the order of `forEachPart`, each
    // part's inputs, then its outputs. Missing values are 0.
    ChipLogic(int32_t id, const Circuit& circuit, const std::vector<uint8_t>& pins);

    // An inner circuit without pin values, built from its parts' circuits
    // at the cost of its own level alone and shared by every chip built on
    // it: so a library builds a chain n levels deep in n steps, not n².
    static Circuit circuit(ChipKind kind, const std::vector<std::pair<int32_t, Circuit>>& parts,
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
    // Sets an output as if the chip had computed it, to restore a saved
    // value: the next call overwrites it unless nothing drives that output.
    void setOutput(int32_t pin, bool value);

    // Outputs from inputs, one pass (see the class comment). The first call
    // of a chip built or extracted (or of a copy of one not yet evaluated)
    // evaluates its pins as they are, however they disagree, walking its
    // inner circuit; later calls run on the gate state. Once the chip is
    // prepared, only the first call allocates: the walk's stack, an entry
    // per level.
    void evaluate();

    // Readies the chip to run: compiles its inner circuit, unless a chip on
    // it has run before, and makes room for the gate state. Copies made
    // after it are ready too.
    void prepare();

    // The inner circuit, as it stands now. An index out of range yields an
    // empty chip: id 0, kind NOT, no pins.
    int32_t subChipCount() const;
    ChipLogic subChip(int32_t index) const;
    std::vector<ChipLogic> subChips() const;
    std::vector<Connection> connections() const;

    // Chips at every depth (this one included), plus all their pins, plus
    // all their connections: the size of what a saved copy holds. O(1).
    int64_t treeSize() const;
    // Levels of chips within chips, this one included (see DEEPEST_CHIP). O(1).
    int32_t depth() const;

    // Calls `visit(const PartView&)` for every chip of the tree, in
    // pre-order: this chip first, then each sub-chip followed by its own
    // sub-chips. Nothing is copied; a view shows what `input`, `output`,
    // `connections` and `subChipCount` of the extracted chip would. A loop,
    // at any depth.
    template <class Visit>
    void forEachPart(Visit&& visit) const {
        std::vector<PartView> waiting{part()};
        while (!waiting.empty()) {
            const PartView next = waiting.back();
            waiting.pop_back();
            visit(next);
            for (int32_t index = next.subChipCount(); index-- > 0;) waiting.push_back(next.subChip(index));
        }
    }

    // This chip as the root part of its tree.
    PartView part() const;

    // The same id, kind, pin values and connections, and the same sub-chips,
    // at every depth.
    friend bool operator==(const ChipLogic& a, const ChipLogic& b);
    // The same inner circuit, at every depth: all but the chip's own id and
    // the pin values.
    bool hasSameCircuit(const ChipLogic& other) const;
    friend bool operator!=(const ChipLogic& a, const ChipLogic& b) { return !(a == b); }

    // The heap the chip holds of its own, its shared inner circuit aside.
    std::size_t ownMemory() const { return pins_.capacity() + slots_.capacity(); }

    // A chip's own connections, in order, where the design keeps them.
    class ConnectionRange {
    public:
        ConnectionRange(const Connection* begin, const Connection* end) : begin_(begin), end_(end) {}
        const Connection* begin() const { return begin_; }
        const Connection* end() const { return end_; }
        size_t size() const { return static_cast<size_t>(end_ - begin_); }
        const Connection& operator[](size_t index) const { return begin_[index]; }

    private:
        const Connection* begin_;
        const Connection* end_;
    };

    // An inner circuit without pin values (see `circuit`). One made by
    // default is none: a place to fill, not to build on.
    class Circuit {
    public:
        Circuit() = default;

    private:
        friend class ChipLogic;
        explicit Circuit(std::shared_ptr<const Design> design) : design_(std::move(design)) {}
        std::shared_ptr<const Design> design_;
    };

    // One chip of the tree, read in place. Valid while the chip it was taken
    // from is not changed, moved or destroyed.
    class PartView {
    public:
        int32_t id() const { return id_; }
        ChipKind kind() const { return kind_; }
        int32_t inputCount() const;
        int32_t outputCount() const;
        bool input(int32_t pin) const;
        bool output(int32_t pin) const;
        int32_t subChipCount() const;
        PartView subChip(int32_t index) const;
        ConnectionRange connections() const;
        // Parts with the same circuit have the same kind, pin counts,
        // connections and sub-chip ids and circuits; only pin values differ.
        const void* circuit() const { return design_; }
        // As `ChipLogic::hasSameCircuit`, for the parts read in place.
        bool hasSameCircuit(const PartView& other) const;

    private:
        friend class ChipLogic;
        PartView(const ChipLogic& chip, const Design* design, int32_t id, ChipKind kind,
                 uint32_t firstSlot);

        const ChipLogic* chip_;
        const Design* design_;  // none for an empty or moved-from chip
        int32_t id_;
        ChipKind kind_;
        uint32_t firstSlot_;  // pin slot of the part's input 0
    };

private:
    // 64 copies of a chip side by side run its design's programs on words.
    friend class ChipLanes;
    // The design and what it compiles to: none for an empty or moved-from chip.
    const std::shared_ptr<const Design>& compiledDesign() const { return design_; }
    // The value of every pin of the tree, by slot, slot 0 included.
    std::vector<uint8_t> pinValues() const;

    // Where the pin values stand. As built, `pins_` holds the values the chip
    // was built or extracted with, which need not agree with each other.
    // Settled, `pins_` holds what the last call left. Running, the latest
    // values of the inner pins are read from `slots_` (the chip's own pins
    // are always in `pins_`).
    enum class Phase : uint8_t { AsBuilt, Settled, Running };

    // An empty chip that keeps `id` and `kind`.
    ChipLogic(int32_t id, ChipKind kind);
    // A chip on `design`, its pins all 0 for now.
    ChipLogic(int32_t id, ChipKind kind, std::shared_ptr<const Design> design);

    // The value of the pin in slot `slot` of this chip's tree.
    bool pinValue(uint32_t slot) const;
    // The values of `count` pins from slot `firstSlot` on, into `values`.
    void readPins(uint32_t firstSlot, uint32_t count, uint8_t* values) const;
    // The sub-chip `index` of the design, with its current pin values.
    ChipLogic extractPart(size_t index) const;

    // Builds the gate state from the pins of a settled chip.
    void loadGateState();
    // Offset in `slots_` of the half the last call started from.
    uint32_t otherHalf() const;

    // Takes over `other`'s contents, leaving it with its id and kind only.
    void takeFrom(ChipLogic& other) noexcept;

    int32_t id_ = 0;
    ChipKind kind_ = NOT_CHIP;
    Phase phase_ = Phase::AsBuilt;
    // Offset in `slots_` of the half the last call wrote; the other half
    // holds what that call started from.
    uint32_t current_ = 0;
    // Shared by copies; none for an empty or moved-from chip.
    std::shared_ptr<const Design> design_;
    // One value (0 or 1) per pin of the whole tree, in the design's pre-order
    // from slot 1 on: this chip's inputs, its outputs, then each sub-chip's
    // pins. Slot 0 is always 0.
    std::vector<uint8_t> pins_;
    // The gate state, twice: what the last call started from and what it
    // left, each the size of the design's slot count; empty until prepared.
    std::vector<uint8_t> slots_;
};
