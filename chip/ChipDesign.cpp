#include "chip/ChipDesign.h"

#include <algorithm>
#include <cstring>
#include <limits>
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
    writes.shrink_to_fit();
}

// Pre-order without recursion, so that no depth of nesting can exhaust the
// stack: each open chip's next part is the next chip. Only chips with parts
// to visit are opened.
template <class Visit>
void ChipLogic::Design::forEachChip(Visit&& visit) const {
    struct Open {
        const Part* next;
        const Part* end;
        uint32_t firstSlot;
    };
    std::vector<Open> open;
    open.reserve(static_cast<size_t>(depth));
    auto enter = [&](const Design& chip, uint32_t firstSlot) {
        visit(chip, firstSlot);
        if (!chip.isGate() && !chip.parts.empty())
            open.push_back(Open{chip.parts.data(), chip.parts.data() + chip.parts.size(), firstSlot});
    };
    enter(*this, 1);
    while (!open.empty()) {
        Open& last = open.back();
        if (last.next == last.end) {
            open.pop_back();
            continue;
        }
        const Part& part = *last.next++;
        enter(*part.design, last.firstSlot + part.firstPin);
    }
}

// What the gate compiler asks of each pin slot of the tree: what the pin is,
// and what the last write into it carries. Sub-chips of gates are left out.
class ChipLogic::Design::Tree {
public:
    explicit Tree(const Design& top);

    bool isInput(uint32_t slot) const { return roles_[slot] == Role::Input; }
    // Output 0 of a gate that computes.
    bool isGateOutput(uint32_t slot) const { return roles_[slot] == Role::GateOutput; }
    // The slot whose value the last write into pin `slot` carries (ZERO_SLOT
    // when no source came before it), or NONE when nothing writes the pin.
    uint32_t driver(uint32_t slot) const { return drivers_[slot]; }

private:
    enum class Role : uint8_t { LeftOut, Input, Output, GateOutput };

    std::vector<Role> roles_;
    std::vector<uint32_t> drivers_;
};

ChipLogic::Design::Tree::Tree(const Design& top)
    : roles_(1 + static_cast<size_t>(top.pinCount), Role::LeftOut),
      drivers_(1 + static_cast<size_t>(top.pinCount), NONE) {
    top.forEachChip([this](const Design& chip, uint32_t firstSlot) {
        const auto outputs = roles_.begin() + firstSlot + chip.inputCount;
        std::fill(roles_.begin() + firstSlot, outputs, Role::Input);
        std::fill(outputs, outputs + chip.outputCount, Role::Output);
        if (chip.computes()) *outputs = Role::GateOutput;
        for (const SlotPair& write : chip.writes)
            drivers_[inTree(write.to, firstSlot)] = inTree(write.from, firstSlot);
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
    for (const ChipKind kind : {NOT_CHIP, AND_CHIP}) {
        (kind == NOT_CHIP ? program_.notBase : program_.andBase) = static_cast<uint32_t>(program_.slotPins.size());
        top_.forEachChip([&](const Design& chip, uint32_t firstSlot) {
            if (chip.kind == kind && chip.computes()) newSlot(firstSlot + static_cast<uint32_t>(chip.inputCount));
        });
    }
}

void ChipLogic::Design::GateCompiler::compileGates() {
    top_.forEachChip([this](const Design& chip, uint32_t firstSlot) {
        if (!chip.computes()) return;
        const uint32_t first = find(Lookup::During, firstSlot);
        if (chip.kind == NOT_CHIP)
            program_.notInputs.push_back(first);
        else
            program_.andInputs.push_back({first, find(Lookup::During, firstSlot + 1)});
    });
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
    found_[pin] = slot;
    return slot;
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
    if (!design->isGate()) design->resolveWrites();
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

// The gate program first, so that what working it out takes is given back
// before the pin program is made.
void ChipLogic::Design::compile() const {
    auto programs = std::make_unique<Programs>();
    {
        const Tree tree(*this);
        programs->laterCalls = GateCompiler(*this, tree).compile();
    }
    programs->firstCall = compilePinProgram();
    programs_ = std::move(programs);
}

// The first propagation's writes to a composite's own outputs are dropped:
// the second one always rewrites them before anything reads them. The
// second propagation's writes from the composite's own inputs or from the
// constant 0 are dropped: they repeat the first one's, since nothing changes
// those sources or those pins in between. A composite's second propagation
// reads what its sub-chips' second propagations wrote, so it runs after
// theirs: reversed pre-order puts every composite after its descendants
// (and reverses each one's writes, whose order does not matter).
ChipLogic::Design::PinProgram ChipLogic::Design::compilePinProgram() const {
    PinProgram program;
    forEachChip([&program](const Design& chip, uint32_t firstSlot) {
        if (chip.computes()) {
            auto& gates = chip.kind == NOT_CHIP ? program.notGates : program.andGates;
            gates.push_back(SlotPair{firstSlot, firstSlot + static_cast<uint32_t>(chip.inputCount)});
        }
        const auto ownOutputsEnd = 1 + static_cast<uint32_t>(chip.inputCount + chip.outputCount);
        for (const SlotPair& write : chip.writes) {
            const SlotPair inTheTree{inTree(write.from, firstSlot), inTree(write.to, firstSlot)};
            const bool toOwnOutput = write.to < ownOutputsEnd;
            const bool fromFixedSource = write.from <= static_cast<uint32_t>(chip.inputCount);
            if (!toOwnOutput) program.firstPass.push_back(inTheTree);
            if (toOwnOutput || !fromFixedSource) program.secondPass.push_back(inTheTree);
        }
    });
    std::reverse(program.secondPass.begin(), program.secondPass.end());
    return program;
}

template <class Word>
void ChipLogic::Design::PinProgram::run(Word* pins) const {
    for (const SlotPair& copy : firstPass) pins[copy.to] = pins[copy.from];
    for (const SlotPair& gate : notGates) pins[gate.to] = pins[gate.from] ^ ones<Word>();
    for (const SlotPair& gate : andGates) pins[gate.to] = pins[gate.from] & pins[gate.from + 1];
    for (const SlotPair& copy : secondPass) pins[copy.to] = pins[copy.from];
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
