#pragma once

// The inner circuit of a chip, which never changes once built and is shared
// by all copies of the chip, and the program it compiles to. Private to the
// chip logic.
//
// Pin slots: a chip keeps one byte per pin of its whole tree. Slot 0 holds a
// constant 0; from slot 1 on come the pins in pre-order: the chip's inputs,
// its outputs, then the pins of each sub-chip, each followed by those of its
// own sub-chips.

#include "chip/ChipLogic.h"

#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

struct ChipLogic::Design {
    // A chip runs on a byte per pin, 0 or 1, or, 64 chips side by side, on a
    // word per pin, one bit per chip (chip/ChipLanes.h). The value 1 of every
    // chip in a `Word`:
    template <class Word>
    static constexpr Word ones() {
        return std::is_same<Word, uint8_t>::value ? Word(1) : static_cast<Word>(~Word(0));
    }

    // One copy between slots: `to` takes the value of `from`. For a gate,
    // its first input slot and its output slot.
    struct SlotPair {
        uint32_t from;
        uint32_t to;
    };

    // The first call (`runFirstCall`) as a program, for chips that run it
    // again and again (chip/ChipLanes.h): the copies of the first
    // propagation of every composite, parents before their sub-chips; the NOT
    // and AND gates; the copies of the second propagation, sub-chips before
    // their parents.
    struct PinProgram {
        std::vector<SlotPair> firstPass;
        std::vector<SlotPair> notGates;
        std::vector<SlotPair> andGates;
        std::vector<SlotPair> secondPass;

        template <class Word>
        void run(Word* pins) const;
    };

    // The evaluation once the pins agree with the gates, that is after any
    // call: all that a call needs from the last one is one value per gate,
    // one per composite output that repeats an input of its chip (a
    // pass-through, which holds a value for a call), the inputs of the chip
    // and the pins that nothing drives. These values are the slots of the
    // gate state; every other pin's value is one of them, as of the start or
    // the end of the last call, and is read from there when asked for.
    //
    // Slot 0 holds 0, slots 1 to `inputCount` the chip's inputs as the call
    // read them, then come the NOT outputs, the AND outputs, and the slots
    // of constant pins and pass-through outputs. A call reads one copy of the
    // state and writes the other.
    struct GateProgram {
        // A value in the gate state: a slot as the call found it or, with
        // AFTER_CALL, as the call left it.
        static constexpr uint32_t AFTER_CALL = 1u << 31;
        // In `pinRoots`: the pin never changes, its value is in the pins.
        static constexpr uint32_t OWN_VALUE = ~0u;

        struct AndInputs {
            uint32_t first;
            uint32_t second;
        };

        uint32_t slotCount = 1;
        uint32_t inputCount = 0;
        uint32_t notBase = 0;
        uint32_t andBase = 0;
        // The slots each gate reads, as the call found them.
        std::vector<uint32_t> notInputs;
        std::vector<AndInputs> andInputs;
        // Pass-through outputs: slot `to` takes the value `from` (never
        // AFTER_CALL) of this call.
        std::vector<SlotPair> latches;
        // The chip's own outputs: pin slot `to` takes the value `from`.
        std::vector<SlotPair> outputs;
        // The pin slot each state slot mirrors, to load the state from pins.
        std::vector<uint32_t> slotPins;
        // Per pin slot, where its value lies after a call, or OWN_VALUE.
        std::vector<uint32_t> pinRoots;

        // One call: reads `pins` (the chip's inputs) and `found`, writes
        // `left` and the chip's outputs in `pins`.
        template <class Word>
        void run(Word* pins, Word* found, Word* left) const;
        // Both copies of the state from the pins of a chip after a call.
        template <class Word>
        void load(const Word* pins, Word* state, Word* other) const;
        // The value of pin slot `slot` after the call that started from
        // `found` and left `left`.
        bool pinValue(uint32_t slot, const uint8_t* pins, const uint8_t* found,
                      const uint8_t* left) const;

        template <class Word>
        static Word valueAt(uint32_t root, const Word* found, const Word* left) {
            return (root & AFTER_CALL) != 0 ? left[root & ~AFTER_CALL] : found[root];
        }
    };

    // A sub-chip: its id in this circuit, the position of its input 0 among
    // this design's pins (0 is the design's own input 0), and its design.
    struct Part {
        int32_t id;
        uint32_t firstPin;
        std::shared_ptr<const Design> design;
    };

    // A design with no sub-chips and no connections: a NOT, an AND, or a
    // composite without inner circuit.
    static std::shared_ptr<const Design> primitive(ChipKind kind, int32_t inputCount,
                                                   int32_t outputCount);
    // The design of a composite holding `parts` (their `firstPin` is worked
    // out here). It costs what this level holds: nothing is compiled.
    static std::shared_ptr<const Design> compose(ChipKind kind, int32_t inputCount,
                                                 int32_t outputCount,
                                                 const std::vector<Connection>& connections,
                                                 std::vector<Part> parts);

    // The sub-chips' ids and designs, to compose.
    static std::vector<Part> partsOf(const std::vector<ChipLogic>& subChips);

    Design() = default;
    Design(const Design&) = delete;
    Design& operator=(const Design&) = delete;
    ~Design();

    // The first call of a chip on this design, on the pins of its whole tree
    // as they stand: exactly the recursive model, whatever values the pins
    // held before. It walks the tree as that model does: a composite's first
    // propagation, then each of its sub-chips in turn, then its second
    // propagation; a gate computes when the walk comes to it. Nothing is
    // compiled for it.
    void runFirstCall(uint8_t* pins) const;
    // The same as a program, compiled the first time it is asked for and
    // kept, for chips that run their first call again and again.
    const PinProgram& firstCallProgram() const {
        if (!firstCallProgram_) firstCallProgram_ = std::make_unique<const PinProgram>(compilePinProgram());
        return *firstCallProgram_;
    }

    // What every later call runs: compiled the first time a chip on this
    // design is prepared to run, over the design's whole tree, and kept for
    // every chip on it. A design that is only ever a part of others compiles
    // nothing.
    const GateProgram& gateProgram() const {
        if (!gateProgram_) compile();
        return *gateProgram_;
    }

    // A NOT or an AND, whose sub-chips, if it was built with any, are never
    // evaluated; and whether it has the pins it computes with.
    bool isGate() const;
    bool computes() const;

    ChipKind kind = NOT_CHIP;
    int32_t inputCount = 0;
    int32_t outputCount = 0;
    std::vector<Connection> connections;
    std::vector<Part> parts;
    // This level's two propagations, resolved once when composed: one write
    // per pin its connections drive (a part's input or the chip's own
    // output), from the source the last connection into that pin carries,
    // less the writes that cannot change anything. In the slots of a chip on
    // this design: 0 the constant 0, its own pins from 1 on, a part's from
    // 1 + `firstPin` on. None for a gate.
    std::vector<SlotPair> firstWrites;
    std::vector<SlotPair> secondWrites;

    // Over the whole tree, this chip included.
    uint32_t pinCount = 0;
    int64_t chipCount = 1;
    int64_t connectionCount = 0;
    int32_t depth = 1;
    // The NOT and the AND gates that compute, over the whole tree but the
    // sub-chips of gates.
    uint32_t notGateCount = 0;
    uint32_t andGateCount = 0;

private:
    class Tree;
    class GateCompiler;
    void resolveWrites();
    void splitWrites(const std::vector<SlotPair>& writes);
    // Walks every chip of the tree, this one first, with the slot of its
    // input 0: `enter(design, firstSlot)` in pre-order, which says whether
    // to walk its sub-chips, and `leave(design, firstSlot)` once they are
    // left. A gate's sub-chips are left out.
    template <class Enter, class Leave>
    void walk(Enter&& enter, Leave&& leave) const;
    // The first call's steps in the walk's order: `gate(kind, first input
    // slot, output slot)`, and the copies of the first and the second
    // propagations, `first(copy)` and `second(copy)`.
    template <class Gate, class First, class Second>
    void forEachFirstCallStep(Gate&& gate, First&& first, Second&& second) const;
    void compile() const;
    PinProgram compilePinProgram() const;

    mutable std::unique_ptr<const GateProgram> gateProgram_;
    mutable std::unique_ptr<const PinProgram> firstCallProgram_;
};
