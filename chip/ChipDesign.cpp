#include "chip/ChipDesign.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory_resource>
#include <unordered_map>
#include <utility>

namespace {

constexpr uint32_t NONE = std::numeric_limits<uint32_t>::max();

// Slot 0 holds a 0 that nothing writes: the value a propagation carries
// before it has met any source it can read.
constexpr uint32_t ZERO_SLOT = 0;

bool pinInRange(int32_t pin, int32_t count) { return pin >= 0 && pin < count; }

// A slot of a design's own level (chip/ChipDesign.h) as a slot of the tree,
// for the chip on that design whose input 0 is in `firstSlot`.
uint32_t inTree(uint32_t slot, uint32_t firstSlot) {
    return slot == ZERO_SLOT ? ZERO_SLOT : firstSlot - 1 + slot;
}

} // namespace

bool ChipLogic::Design::isGate() const { return kind == NOT_CHIP || kind == AND_CHIP; }

bool ChipLogic::Design::computes() const {
    if (kind == NOT_CHIP) return inputCount >= 1 && outputCount >= 1;
    if (kind == AND_CHIP) return inputCount >= 2 && outputCount >= 1;
    return false;
}

// A propagation reads only its composite's inputs and its parts' outputs and
// writes only its parts' inputs and its composite's outputs, so the last
// connection into a pin fixes what it gets, and the order of the writes does
// not matter. A connection whose source is not found carries the last source
// found before it.
void ChipLogic::Design::resolveWrites() {
    std::vector<SlotPair> writes;
    // Part indices sorted by id, then by position, so that the first entry of
    // an id is its first part.
    std::vector<std::pair<int32_t, size_t>> byId;
    for (size_t index = 0; index < parts.size(); ++index) byId.emplace_back(parts[index].id, index);
    std::sort(byId.begin(), byId.end());
    auto findPart = [&](int32_t id) -> const Part* {
        const auto found = std::lower_bound(byId.begin(), byId.end(), std::pair<int32_t, size_t>(id, 0));
        return found != byId.end() && found->first == id ? &parts[found->second] : nullptr;
    };

    uint32_t carried = ZERO_SLOT;
    for (const Connection& wire : connections) {
        if (wire.fromChip == 0) {
            if (pinInRange(wire.fromPin, inputCount)) carried = 1 + static_cast<uint32_t>(wire.fromPin);
        } else if (const Part* source = findPart(wire.fromChip)) {
            if (pinInRange(wire.fromPin, source->design->outputCount))
                carried = 1 + source->firstPin + static_cast<uint32_t>(source->design->inputCount + wire.fromPin);
        }
        if (wire.toChip == 0) {
            if (pinInRange(wire.toPin, outputCount))
                writes.push_back({carried, 1 + static_cast<uint32_t>(inputCount + wire.toPin)});
        } else if (const Part* target = findPart(wire.toChip)) {
            if (pinInRange(wire.toPin, target->design->inputCount))
                writes.push_back({carried, 1 + target->firstPin + static_cast<uint32_t>(wire.toPin)});
        }
    }
    // Sorted by pin, keeping the order of each pin's writes, then the last of
    // each pin's kept: `unique` from the back keeps the first it meets.
    auto byPin = [](const SlotPair& a, const SlotPair& b) { return a.to < b.to; };
    auto samePin = [](const SlotPair& a, const SlotPair& b) { return a.to == b.to; };
    std::stable_sort(writes.begin(), writes.end(), byPin);
    writes.erase(writes.begin(), std::unique(writes.rbegin(), writes.rend(), samePin).base());
    splitWrites(writes);
}

// The first propagation's writes to the chip's own outputs are dropped: the
// second one always rewrites them before anything reads them. The second
// propagation's writes from the chip's own inputs or from the constant 0 are
// dropped: they repeat the first one's, since nothing changes those sources
// or those pins in between.
void ChipLogic::Design::splitWrites(const std::vector<SlotPair>& writes) {
    const auto ownOutputsEnd = 1 + static_cast<uint32_t>(inputCount + outputCount);
    for (const SlotPair& write : writes) {
        const bool toOwnOutput = write.to < ownOutputsEnd;
        const bool fromFixedSource = write.from <= static_cast<uint32_t>(inputCount);
        if (!toOwnOutput) firstWrites.push_back(write);
        if (toOwnOutput || !fromFixedSource) secondWrites.push_back(write);
    }
}

// Without recursion, so that no depth of nesting can exhaust the stack: the
// chips whose parts are being walked wait on a stack, the innermost last.
// Only chips with parts to walk are opened.
template <class Enter, class Leave>
void ChipLogic::Design::walk(Enter&& enter, Leave&& leave) const {
    struct Open {
        const Design* design;
        const Part* next;
        uint32_t firstSlot;
    };
    std::vector<Open> open;
    auto visit = [&](const Design& chip, uint32_t firstSlot) {
        if (enter(chip, firstSlot) && !chip.isGate() && !chip.parts.empty())
            open.push_back(Open{&chip, chip.parts.data(), firstSlot});
        else
            leave(chip, firstSlot);
    };
    visit(*this, 1);
    while (!open.empty()) {
        Open& last = open.back();
        if (last.next == last.design->parts.data() + last.design->parts.size()) {
            leave(*last.design, last.firstSlot);
            open.pop_back();
        } else {
            const Part& part = *last.next++;
            visit(*part.design, last.firstSlot + part.firstPin);
        }
    }
}

// A gate has no propagations of its own.
template <class Gate, class First, class Second>
void ChipLogic::Design::forEachFirstCallStep(Gate&& gate, First&& first, Second&& second) const {
    auto inTheTree = [](const SlotPair& write, uint32_t firstSlot) {
        return SlotPair{inTree(write.from, firstSlot), inTree(write.to, firstSlot)};
    };
    auto enter = [&](const Design& chip, uint32_t firstSlot) {
        if (chip.computes()) gate(chip.kind, firstSlot, firstSlot + static_cast<uint32_t>(chip.inputCount));
        for (const SlotPair& write : chip.firstWrites) first(inTheTree(write, firstSlot));
        return true;
    };
    walk(enter, [&](const Design& chip, uint32_t firstSlot) {
        for (const SlotPair& write : chip.secondWrites) second(inTheTree(write, firstSlot));
    });
}

void ChipLogic::Design::runFirstCall(uint8_t* pins) const {
    auto copy = [pins](const SlotPair& write) { pins[write.to] = pins[write.from]; };
    auto gate = [pins](ChipKind kind, uint32_t input, uint32_t output) {
        pins[output] = kind == NOT_CHIP ? pins[input] ^ 1 : pins[input] & pins[input + 1];
    };
    forEachFirstCallStep(gate, copy, copy);
}

ChipLogic::Design::PinProgram ChipLogic::Design::compilePinProgram() const {
    PinProgram program;
    forEachFirstCallStep(
        [&program](ChipKind kind, uint32_t input, uint32_t output) {
            (kind == NOT_CHIP ? program.notGates : program.andGates).push_back(SlotPair{input, output});
        },
        [&program](const SlotPair& copy) { program.firstPass.push_back(copy); },
        [&program](const SlotPair& copy) { program.secondPass.push_back(copy); });
    return program;
}

// The walk's order, but every gate between the two passes: a gate's inputs
// are written only by its parent's first propagation, and its outputs read
// only by its parent's propagations, the first as the call found them, the
// second after the gate.
template <class Word>
void ChipLogic::Design::PinProgram::run(Word* pins) const {
    for (const SlotPair& copy : firstPass) pins[copy.to] = pins[copy.from];
    for (const SlotPair& gate : notGates) pins[gate.to] = pins[gate.from] ^ ones<Word>();
    for (const SlotPair& gate : andGates) pins[gate.to] = pins[gate.from] & pins[gate.from + 1];
    for (const SlotPair& copy : secondPass) pins[copy.to] = pins[copy.from];
}

// What the gate compiler asks of each pin slot of the tree: what the pin is,
// and what the last write into it carries. Sub-chips of gates are left out.
class ChipLogic::Design::Tree {
public:
    explicit Tree(const Design& top);

    uint32_t slotsEnd() const { return static_cast<uint32_t>(roles_.size()); }
    bool isInput(uint32_t slot) const { return roles_[slot] == Role::Input; }
    // Output 0 of a gate that computes, of any kind or of `kind`.
    bool isGateOutput(uint32_t slot) const { return roles_[slot] >= Role::NotOutput; }
    bool isGateOutput(uint32_t slot, ChipKind kind) const {
        return roles_[slot] == (kind == NOT_CHIP ? Role::NotOutput : Role::AndOutput);
    }
    // Where the value of pin `slot` comes from. For a pin a propagation
    // writes, the slot the last write into it carries (ZERO_SLOT when no
    // source came before it); for a gate's output 0, the gate's input 0;
    // NONE for any other pin, which nothing writes.
    uint32_t driver(uint32_t slot) const { return drivers_[slot]; }

private:
    enum class Role : uint8_t { LeftOut, Input, Output, NotOutput, AndOutput };

    void layOut(const Design& chip, uint32_t firstSlot);
    void copyLayout(uint32_t from, uint32_t to, const Design& chip);

    std::vector<Role> roles_;
    std::vector<uint32_t> drivers_;
};

ChipLogic::Design::Tree::Tree(const Design& top)
    : roles_(1 + static_cast<size_t>(top.pinCount), Role::LeftOut),
      drivers_(1 + static_cast<size_t>(top.pinCount), NONE) {
    // Where each design with parts was first laid out: met again, it is
    // copied from there instead of walked again. Its entries come from one
    // growing buffer, a chain of ten thousand designs holding as many.
    std::pmr::monotonic_buffer_resource entries;
    std::pmr::unordered_map<const Design*, uint32_t> laidOut(&entries);
    auto enter = [&](const Design& chip, uint32_t firstSlot) {
        const uint32_t outputs = firstSlot + static_cast<uint32_t>(chip.inputCount);
        std::fill(roles_.begin() + firstSlot, roles_.begin() + outputs, Role::Input);
        if (!chip.isGate() && !chip.parts.empty()) {
            const auto [first, isFirst] = laidOut.try_emplace(&chip, firstSlot);
            if (!isFirst) {
                copyLayout(first->second, firstSlot, chip);
                return false;
            }
        }
        layOut(chip, firstSlot);
        return true;
    };
    top.walk(enter, [](const Design&, uint32_t) {});
}

// The chip's own level: the roles of its outputs and the drivers of the pins
// its propagations write. A pin that both write, they write from the same
// source.
void ChipLogic::Design::Tree::layOut(const Design& chip, uint32_t firstSlot) {
    const uint32_t outputs = firstSlot + static_cast<uint32_t>(chip.inputCount);
    std::fill(roles_.begin() + outputs, roles_.begin() + outputs + chip.outputCount, Role::Output);
    if (chip.computes()) {
        roles_[outputs] = chip.kind == NOT_CHIP ? Role::NotOutput : Role::AndOutput;
        drivers_[outputs] = firstSlot;
    }
    for (const auto* writes : {&chip.firstWrites, &chip.secondWrites}) {
        for (const SlotPair& write : *writes) drivers_[inTree(write.to, firstSlot)] = inTree(write.from, firstSlot);
    }
}

// Everything but the chip's inputs, whose drivers lie outside it, is as
// where the design was first laid out, every slot moved by the same step.
void ChipLogic::Design::Tree::copyLayout(uint32_t from, uint32_t to, const Design& chip) {
    const auto inputs = static_cast<uint32_t>(chip.inputCount);
    const auto begin = from + inputs, end = from + chip.pinCount;
    std::copy(roles_.begin() + begin, roles_.begin() + end, roles_.begin() + to + inputs);
    std::transform(drivers_.begin() + begin, drivers_.begin() + end, drivers_.begin() + to + inputs,
                   [step = to - from](uint32_t driver) {
                       return driver == NONE || driver == ZERO_SLOT ? driver : driver + step;
                   });
}

// Works out, for the gate state, where every value a call reads comes from.
// A value is a slot of the state as the call finds it (written before the
// call) or, with AFTER_CALL, as the call leaves it. In one call:
// - a chip's inputs hold, while it is evaluated, what its parent's first
//   propagation wrote: its parent's inputs, or its siblings' outputs as the
//   call found them;
// - an output as the call finds it is what the last call left on it: for a
//   gate's output that is the gate's slot, also when composite outputs pass
//   it on, so those need no slot of their own; a pass-through output keeps
//   a value of its own, in a slot that each call rewrites;
// - an output as the call leaves it, and a sub-chip's input after its
//   parent's second propagation, is the gate's new value, or an input of
//   the chip it passes through as the call read it.
// Pins that nothing writes never change: they read from slots of their own.
class ChipLogic::Design::GateCompiler {
public:
    GateCompiler(const Design& top, const Tree& tree);
    GateProgram compile();

private:
    // Where a value lies: an input while its chip is evaluated, a source as
    // the first or the second propagation reads it, an output as the call
    // finds it or leaves it.
    enum class Lookup { During, ReadFirst, ReadSecond, AtStart, AtEnd };

    void placeSlots();
    void compileGates();
    void compilePinRoots();
    void compileOutputs();
    void compileLatches();

    uint32_t newSlot(uint32_t pin);
    void placeSlot(uint32_t slot, uint32_t pin);
    uint32_t constantSlot(uint32_t pin);
    uint32_t passThroughSlot(uint32_t output);

    // Each lookup either finds its value or hands over to one other lookup
    // of the same value, up or down the tree: followed in a loop, so that
    // no depth of nesting can exhaust the stack.
    uint32_t find(Lookup lookup, uint32_t pin);
    // A pin after the call.
    uint32_t afterCall(uint32_t pin);

    const Design& top_;
    const Tree& tree_;
    // Where a pin's value lies after the call is its root in
    // `program_.pinRoots`; for an output, that is `AtEnd`, kept there as soon
    // as a lookup passes it. OWN_VALUE until worked out.
    GateProgram program_;
    // Where a pin's value lies as the call finds it, once known: `During` of
    // an input, `AtStart` of an output. Its own slot for a gate output, a
    // pin that never changes, a pass-through output or an input of the chip;
    // else that of the pin it repeats.
    std::vector<uint32_t> found_;
    std::vector<uint32_t> passThroughs_;
    // The pins a lookup passed, to remember in `found_` or, as the call
    // leaves them, in `program_.pinRoots`.
    std::vector<uint32_t> passedFound_;
    std::vector<uint32_t> passedLeft_;
};

ChipLogic::Design::GateCompiler::GateCompiler(const Design& top, const Tree& tree)
    : top_(top), tree_(tree), found_(1 + static_cast<size_t>(top.pinCount), NONE) {
    program_.pinRoots.assign(found_.size(), GateProgram::OWN_VALUE);
}

ChipLogic::Design::GateProgram ChipLogic::Design::GateCompiler::compile() {
    placeSlots();
    compileGates();
    compilePinRoots();
    compileOutputs();
    compileLatches();
    program_.slotCount = static_cast<uint32_t>(program_.slotPins.size());
    return std::move(program_);
}

// The constant 0, the chip's inputs, then the NOT and the AND outputs, so
// that each kind of gate writes a run of slots.
void ChipLogic::Design::GateCompiler::placeSlots() {
    program_.inputCount = static_cast<uint32_t>(top_.inputCount);
    for (uint32_t slot = ZERO_SLOT; slot <= program_.inputCount; ++slot) newSlot(slot);
    program_.notBase = program_.inputCount + 1;
    program_.andBase = program_.notBase + top_.notGateCount;
    program_.slotPins.resize(program_.andBase + top_.andGateCount);
    uint32_t nextNot = program_.notBase, nextAnd = program_.andBase;
    for (uint32_t pin = 1; pin < tree_.slotsEnd(); ++pin) {
        if (tree_.isGateOutput(pin, NOT_CHIP))
            placeSlot(nextNot++, pin);
        else if (tree_.isGateOutput(pin, AND_CHIP))
            placeSlot(nextAnd++, pin);
    }
}

// A gate's slot mirrors its output, whose driver is the gate's input 0.
void ChipLogic::Design::GateCompiler::compileGates() {
    const uint32_t gatesEnd = static_cast<uint32_t>(program_.slotPins.size());
    for (uint32_t slot = program_.notBase; slot < gatesEnd; ++slot) {
        const uint32_t input = tree_.driver(program_.slotPins[slot]);
        const uint32_t first = find(Lookup::During, input);
        if (slot < program_.andBase)
            program_.notInputs.push_back(first);
        else
            program_.andInputs.push_back({first, find(Lookup::During, input + 1)});
    }
}

// The chip's own pins are always in the pins; so are those of gates'
// sub-chips, which nothing writes. The outputs that lookups passed have
// their roots already.
void ChipLogic::Design::GateCompiler::compilePinRoots() {
    const uint32_t firstInner = 1 + static_cast<uint32_t>(top_.inputCount + top_.outputCount);
    for (uint32_t slot = firstInner; slot < program_.pinRoots.size(); ++slot) {
        if (program_.pinRoots[slot] == GateProgram::OWN_VALUE) program_.pinRoots[slot] = afterCall(slot);
    }
}

void ChipLogic::Design::GateCompiler::compileOutputs() {
    for (int32_t pin = 0; pin < top_.outputCount; ++pin) {
        const uint32_t output = 1 + static_cast<uint32_t>(top_.inputCount + pin);
        const uint32_t root = afterCall(output);
        if (root != GateProgram::OWN_VALUE) program_.outputs.push_back({root, output});
    }
}

// Working out a latch's source may add pass-throughs, hence the index.
void ChipLogic::Design::GateCompiler::compileLatches() {
    for (size_t index = 0; index < passThroughs_.size(); ++index) {
        const uint32_t output = passThroughs_[index];
        const uint32_t source = find(Lookup::ReadSecond, tree_.driver(output));
        program_.latches.push_back({source, found_[output]});
    }
}

uint32_t ChipLogic::Design::GateCompiler::newSlot(uint32_t pin) {
    const auto slot = static_cast<uint32_t>(program_.slotPins.size());
    program_.slotPins.push_back(pin);
    placeSlot(slot, pin);
    return slot;
}

void ChipLogic::Design::GateCompiler::placeSlot(uint32_t slot, uint32_t pin) {
    program_.slotPins[slot] = pin;
    found_[pin] = slot;
}

uint32_t ChipLogic::Design::GateCompiler::constantSlot(uint32_t pin) {
    return found_[pin] != NONE ? found_[pin] : newSlot(pin);
}

uint32_t ChipLogic::Design::GateCompiler::passThroughSlot(uint32_t output) {
    if (found_[output] != NONE) return found_[output];
    passThroughs_.push_back(output);
    return newSlot(output);
}

// A source is read as an input while its chip is evaluated, or as an output
// as the call finds it (first propagation) or leaves it (second one). An
// input of the chip itself is in its own slot; any other reads what its
// parent's first propagation wrote. An output as the call finds it is the
// gate's slot, its own slot for a pass-through or a pin that nothing writes,
// else what the output it passes on holds; as the call leaves it, the gate's
// new value, else what its chip's second propagation wrote.
uint32_t ChipLogic::Design::GateCompiler::find(Lookup lookup, uint32_t pin) {
    passedFound_.clear();
    passedLeft_.clear();
    uint32_t root = NONE;
    while (root == NONE) {
        switch (lookup) {
        case Lookup::ReadFirst:
        case Lookup::ReadSecond:
            if (pin == ZERO_SLOT) root = ZERO_SLOT;
            else if (tree_.isInput(pin)) lookup = Lookup::During;
            else lookup = lookup == Lookup::ReadFirst ? Lookup::AtStart : Lookup::AtEnd;
            break;
        case Lookup::AtStart:
            if (found_[pin] != NONE) {
                root = found_[pin];
            } else {
                passedFound_.push_back(pin);
                const uint32_t driver = tree_.driver(pin);
                if (driver == NONE) root = constantSlot(pin);
                else if (driver == ZERO_SLOT) root = ZERO_SLOT;
                else if (tree_.isInput(driver)) root = passThroughSlot(pin);
                pin = driver;
            }
            break;
        case Lookup::During:
        case Lookup::AtEnd: {
            const bool during = lookup == Lookup::During;
            // A root not worked out yet is OWN_VALUE, which is NONE.
            static_assert(GateProgram::OWN_VALUE == NONE, "roots start unknown");
            const uint32_t known = during ? found_[pin] : program_.pinRoots[pin];
            if (known != NONE) {
                root = known;
            } else if (!during && tree_.isGateOutput(pin)) {
                root = GateProgram::AFTER_CALL | found_[pin];
            } else {
                (during ? passedFound_ : passedLeft_).push_back(pin);
                const uint32_t driver = tree_.driver(pin);
                if (driver == NONE) root = constantSlot(pin);
                lookup = during ? Lookup::ReadFirst : Lookup::ReadSecond, pin = driver;
            }
            break;
        }
        }
    }
    for (const uint32_t passed : passedFound_) found_[passed] = root;
    for (const uint32_t passed : passedLeft_) program_.pinRoots[passed] = root;
    return root;
}

// Outputs are written by their chip's second propagation (or their gate),
// inputs by their parent's; what nothing writes keeps its value.
uint32_t ChipLogic::Design::GateCompiler::afterCall(uint32_t pin) {
    if (tree_.isGateOutput(pin)) return GateProgram::AFTER_CALL | found_[pin];
    const uint32_t driver = tree_.driver(pin);
    return driver == NONE ? GateProgram::OWN_VALUE : find(Lookup::ReadSecond, driver);
}

std::shared_ptr<const ChipLogic::Design> ChipLogic::Design::primitive(ChipKind kind,
                                                                      int32_t inputCount,
                                                                      int32_t outputCount) {
    return compose(kind, inputCount, outputCount, {}, {});
}

std::shared_ptr<const ChipLogic::Design> ChipLogic::Design::compose(
    ChipKind kind, int32_t inputCount, int32_t outputCount,
    const std::vector<Connection>& connections, std::vector<Part> parts) {
    auto design = std::make_shared<Design>();
    design->kind = kind;
    design->inputCount = std::max(inputCount, 0);
    design->outputCount = std::max(outputCount, 0);
    design->connections = connections;
    design->pinCount = static_cast<uint32_t>(design->inputCount + design->outputCount);
    design->connectionCount = static_cast<int64_t>(connections.size());
    for (Part& part : parts) {
        part.firstPin = design->pinCount;
        design->pinCount += part.design->pinCount;
        design->chipCount += part.design->chipCount;
        design->connectionCount += part.design->connectionCount;
        design->depth = std::max(design->depth, part.design->depth + 1);
    }
    design->parts = std::move(parts);
    if (design->isGate()) {
        const bool computes = design->computes();
        design->notGateCount = computes && kind == NOT_CHIP ? 1 : 0;
        design->andGateCount = computes && kind == AND_CHIP ? 1 : 0;
    } else {
        for (const Part& part : design->parts) {
            design->notGateCount += part.design->notGateCount;
            design->andGateCount += part.design->andGateCount;
        }
        design->resolveWrites();
    }
    return design;
}

// A moved-from chip keeps its id and kind and has nothing else.
std::vector<ChipLogic::Design::Part> ChipLogic::Design::partsOf(const std::vector<ChipLogic>& subChips) {
    std::vector<Part> parts;
    parts.reserve(subChips.size());
    for (const ChipLogic& sub : subChips)
        parts.push_back(Part{sub.id_, 0, sub.design_ ? sub.design_ : primitive(sub.kind_, 0, 0)});
    return parts;
}

// A design held only by its parent goes with it: released here one after
// the other, not each from within its parent's release, so that a chain of
// any depth takes no stack.
ChipLogic::Design::~Design() {
    std::vector<std::shared_ptr<const Design>> lastHeld;
    auto takeLastHeld = [&lastHeld](Design& design) {
        for (Part& part : design.parts)
            if (part.design.use_count() == 1) lastHeld.push_back(std::move(part.design));
    };
    takeLastHeld(*this);
    while (!lastHeld.empty()) {
        const std::shared_ptr<const Design> design = std::move(lastHeld.back());
        lastHeld.pop_back();
        // Every design is made non-const (compose), and no one else holds this one.
        takeLastHeld(const_cast<Design&>(*design));
    }
}

void ChipLogic::Design::compile() const {
    const Tree tree(*this);
    gateProgram_ = std::make_unique<const GateProgram>(GateCompiler(*this, tree).compile());
}

// The loops keep their arrays in locals: the byte stores could alias any
// member, which would make the compiler reload them at every gate.
template <class Word>
void ChipLogic::Design::GateProgram::run(Word* pins, Word* found, Word* left) const {
    std::memcpy(found + 1, pins + 1, inputCount * sizeof(Word));

    const uint32_t* const notInput = notInputs.data();
    Word* const notOutput = left + notBase;
    const size_t notCount = notInputs.size();
    for (size_t gate = 0; gate < notCount; ++gate)
        notOutput[gate] = static_cast<Word>(found[notInput[gate]] ^ ones<Word>());

    const AndInputs* const andInput = andInputs.data();
    Word* const andOutput = left + andBase;
    const size_t andCount = andInputs.size();
    for (size_t gate = 0; gate < andCount; ++gate)
        andOutput[gate] = found[andInput[gate].first] & found[andInput[gate].second];

    for (const SlotPair& latch : latches) left[latch.to] = found[latch.from];
    for (const SlotPair& output : outputs) pins[output.to] = valueAt(output.from, found, left);
}

template <class Word>
void ChipLogic::Design::GateProgram::load(const Word* pins, Word* state, Word* other) const {
    for (uint32_t slot = 0; slot < slotCount; ++slot) state[slot] = pins[slotPins[slot]];
    std::memcpy(other, state, slotCount * sizeof(Word));
}

// A chip's byte per pin, and 64 chips' word per pin (chip/ChipLanes.h).
template void ChipLogic::Design::PinProgram::run(uint8_t*) const;
template void ChipLogic::Design::PinProgram::run(uint64_t*) const;
template void ChipLogic::Design::GateProgram::run(uint8_t*, uint8_t*, uint8_t*) const;
template void ChipLogic::Design::GateProgram::run(uint64_t*, uint64_t*, uint64_t*) const;
template void ChipLogic::Design::GateProgram::load(const uint8_t*, uint8_t*, uint8_t*) const;
template void ChipLogic::Design::GateProgram::load(const uint64_t*, uint64_t*, uint64_t*) const;

bool ChipLogic::Design::GateProgram::pinValue(uint32_t slot, const uint8_t* pins,
                                              const uint8_t* found, const uint8_t* left) const {
    const uint32_t root = pinRoots[slot];
    return (root == OWN_VALUE ? pins[slot] : valueAt(root, found, left)) != 0;
}
