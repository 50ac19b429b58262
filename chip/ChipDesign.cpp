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

// A chip of kind NOT or AND is a gate whatever else it holds: its sub-chips,
// if it was built with any, are never evaluated.
bool isGateKind(ChipKind kind) { return kind == NOT_CHIP || kind == AND_CHIP; }

// A gate computes only if it has the pins it uses.
bool gateComputes(ChipKind kind, int32_t inputCount, int32_t outputCount) {
    if (kind == NOT_CHIP) return inputCount >= 1 && outputCount >= 1;
    if (kind == AND_CHIP) return inputCount >= 2 && outputCount >= 1;
    return false;
}

} // namespace

// The design's tree flattened in pre-order, with the sub-chips of gates left
// out, and every composite's connections resolved, once, to the last write
// into each pin they drive: a propagation reads only its composite's inputs
// and its sub-chips' outputs and writes only its sub-chips' inputs and its
// composite's outputs, so the last connection into a pin fixes what it gets,
// and a connection whose source is not found carries the last source found
// before it.
class ChipLogic::Design::Tree {
public:
    struct Node {
        const Design* design;
        int32_t id;
        uint32_t firstSlot;   // slot of its input 0
        uint32_t subtreeEnd;  // index of the first node after its subtree

        uint32_t inputSlot(int32_t pin) const { return firstSlot + static_cast<uint32_t>(pin); }
        uint32_t outputSlot(int32_t pin) const {
            return firstSlot + static_cast<uint32_t>(design->inputCount + pin);
        }
        uint32_t slotsEnd() const { return outputSlot(design->outputCount); }
        bool isGate() const { return isGateKind(design->kind); }
        bool computes() const {
            return gateComputes(design->kind, design->inputCount, design->outputCount);
        }
    };

    // The writes of one composite's propagation: writes[begin, end).
    struct Propagation {
        uint32_t node;
        uint32_t begin;
        uint32_t end;
    };

    explicit Tree(const Design& top);

    const Node& node(uint32_t index) const { return nodes[index]; }
    // The node whose pin is in `slot`; NONE for slot 0 and left-out pins.
    uint32_t owner(uint32_t slot) const { return ownerOfSlot_[slot]; }
    bool isInput(uint32_t slot) const { return slot < nodes[owner(slot)].outputSlot(0); }
    // Output 0 of a gate that computes.
    bool isGateOutput(uint32_t slot) const {
        const uint32_t index = owner(slot);
        return index != NONE && nodes[index].computes() && slot == nodes[index].outputSlot(0);
    }
    // The slot whose value the last write into pin `slot` carries (ZERO_SLOT
    // when no source came before it), or NONE when nothing writes the pin.
    uint32_t driver(uint32_t slot) const {
        const uint32_t write = writeOfSlot_[slot];
        return write == NONE ? NONE : writes[write].from;
    }

    std::vector<Node> nodes;
    // Every composite's propagation, in pre-order, as one write per pin.
    std::vector<SlotPair> writes;
    std::vector<Propagation> propagations;

private:
    using Children = std::vector<std::pair<int32_t, uint32_t>>;

    void flatten(const Design& top);
    void addNode(const Design& design, int32_t id, uint32_t firstSlot);
    void resolveWrites(uint32_t index, Children& children);

    std::vector<uint32_t> ownerOfSlot_;
    std::vector<uint32_t> writeOfSlot_;
};

ChipLogic::Design::Tree::Tree(const Design& top)
    : ownerOfSlot_(1 + static_cast<size_t>(top.pinCount), NONE),
      writeOfSlot_(1 + static_cast<size_t>(top.pinCount), NONE) {
    flatten(top);
    Children children;
    for (uint32_t index = 0; index < nodes.size(); ++index) {
        if (!nodes[index].isGate()) resolveWrites(index, children);
    }
}

// Pre-order without recursion, so that no depth of nesting can exhaust the
// stack: each open node's next part is the next node.
void ChipLogic::Design::Tree::flatten(const Design& top) {
    struct Open {
        uint32_t node;
        size_t nextPart;
    };
    nodes.reserve(static_cast<size_t>(top.chipCount));
    addNode(top, 0, 1);
    std::vector<Open> open{{0, 0}};
    while (!open.empty()) {
        Open& last = open.back();
        const Node& node = nodes[last.node];
        if (node.isGate() || last.nextPart == node.design->parts.size()) {
            nodes[last.node].subtreeEnd = static_cast<uint32_t>(nodes.size());
            open.pop_back();
            continue;
        }
        const Part& part = node.design->parts[last.nextPart++];
        const uint32_t child = static_cast<uint32_t>(nodes.size());
        addNode(*part.design, part.id, node.firstSlot + part.firstPin);
        open.push_back(Open{child, 0});
    }
}

void ChipLogic::Design::Tree::addNode(const Design& design, int32_t id, uint32_t firstSlot) {
    nodes.push_back(Node{&design, id, firstSlot, 0});
    std::fill(ownerOfSlot_.begin() + firstSlot, ownerOfSlot_.begin() + nodes.back().slotsEnd(),
              static_cast<uint32_t>(nodes.size() - 1));
}

void ChipLogic::Design::Tree::resolveWrites(uint32_t index, Children& children) {
    const Node& composite = nodes[index];
    // Sorted by id, then by position, so that the first entry of an id is
    // its first sub-chip.
    children.clear();
    for (uint32_t child = index + 1; child < composite.subtreeEnd; child = nodes[child].subtreeEnd)
        children.emplace_back(nodes[child].id, child);
    std::sort(children.begin(), children.end());
    auto findChild = [&](int32_t id) -> const Node* {
        const auto found = std::lower_bound(children.begin(), children.end(),
                                            std::pair<int32_t, uint32_t>(id, 0));
        return found != children.end() && found->first == id ? &nodes[found->second] : nullptr;
    };

    const Design& design = *composite.design;
    const auto begin = static_cast<uint32_t>(writes.size());
    uint32_t carried = ZERO_SLOT;
    for (const Connection& wire : design.connections) {
        if (wire.fromChip == 0) {
            if (pinInRange(wire.fromPin, design.inputCount)) carried = composite.inputSlot(wire.fromPin);
        } else if (const Node* source = findChild(wire.fromChip)) {
            if (pinInRange(wire.fromPin, source->design->outputCount))
                carried = source->outputSlot(wire.fromPin);
        }
        uint32_t destination = NONE;
        if (wire.toChip == 0) {
            if (pinInRange(wire.toPin, design.outputCount))
                destination = composite.outputSlot(wire.toPin);
        } else if (const Node* target = findChild(wire.toChip)) {
            if (pinInRange(wire.toPin, target->design->inputCount))
                destination = target->inputSlot(wire.toPin);
        }
        if (destination == NONE) continue;
        uint32_t& write = writeOfSlot_[destination];
        if (write == NONE) {
            write = static_cast<uint32_t>(writes.size());
            writes.push_back(SlotPair{carried, destination});
        } else {
            writes[write].from = carried;
        }
    }
    propagations.push_back(Propagation{index, begin, static_cast<uint32_t>(writes.size())});
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
    explicit GateCompiler(const Tree& tree);
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

    const Tree& tree_;
    GateProgram program_;
    // The slot a pin's value lies in as the call finds it, once known: its
    // own (a gate output, a pin that never changes, a pass-through output),
    // or, for a composite output passing on another, that one's.
    std::vector<uint32_t> slotOfPin_;
    // `During` of inputs and `AtEnd` of outputs, once worked out.
    std::vector<uint32_t> resolved_;
    std::vector<uint32_t> passThroughs_;
    // The pins a lookup passed, to remember in `resolved_` or `slotOfPin_`.
    std::vector<uint32_t> passedResolved_;
    std::vector<uint32_t> passedStarts_;
};

ChipLogic::Design::GateCompiler::GateCompiler(const Tree& tree)
    : tree_(tree),
      slotOfPin_(1 + static_cast<size_t>(tree.node(0).design->pinCount), NONE),
      resolved_(slotOfPin_.size(), NONE) {}

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
    program_.inputCount = static_cast<uint32_t>(tree_.node(0).design->inputCount);
    for (uint32_t slot = ZERO_SLOT; slot <= program_.inputCount; ++slot) newSlot(slot);
    program_.notBase = static_cast<uint32_t>(program_.slotPins.size());
    for (const Tree::Node& node : tree_.nodes) {
        if (node.computes() && node.design->kind == NOT_CHIP) newSlot(node.outputSlot(0));
    }
    program_.andBase = static_cast<uint32_t>(program_.slotPins.size());
    for (const Tree::Node& node : tree_.nodes) {
        if (node.computes() && node.design->kind == AND_CHIP) newSlot(node.outputSlot(0));
    }
}

void ChipLogic::Design::GateCompiler::compileGates() {
    for (const Tree::Node& node : tree_.nodes) {
        if (!node.computes()) continue;
        const uint32_t first = find(Lookup::During, node.inputSlot(0));
        if (node.design->kind == NOT_CHIP)
            program_.notInputs.push_back(first);
        else
            program_.andInputs.push_back({first, find(Lookup::During, node.inputSlot(1))});
    }
}

// The chip's own pins are always in the pins; so are those of gates' sub-chips.
void ChipLogic::Design::GateCompiler::compilePinRoots() {
    program_.pinRoots.assign(slotOfPin_.size(), GateProgram::OWN_VALUE);
    for (size_t index = 1; index < tree_.nodes.size(); ++index) {
        const Tree::Node& node = tree_.nodes[index];
        for (uint32_t slot = node.firstSlot; slot < node.slotsEnd(); ++slot)
            program_.pinRoots[slot] = afterCall(slot);
    }
}

void ChipLogic::Design::GateCompiler::compileOutputs() {
    const Tree::Node& top = tree_.node(0);
    for (int32_t pin = 0; pin < top.design->outputCount; ++pin) {
        const uint32_t root = afterCall(top.outputSlot(pin));
        if (root != GateProgram::OWN_VALUE) program_.outputs.push_back({root, top.outputSlot(pin)});
    }
}

// Working out a latch's source may add pass-throughs, hence the index.
void ChipLogic::Design::GateCompiler::compileLatches() {
    for (size_t index = 0; index < passThroughs_.size(); ++index) {
        const uint32_t output = passThroughs_[index];
        const uint32_t source = find(Lookup::ReadSecond, tree_.driver(output));
        program_.latches.push_back({source, slotOfPin_[output]});
    }
}

uint32_t ChipLogic::Design::GateCompiler::newSlot(uint32_t pin) {
    const auto slot = static_cast<uint32_t>(program_.slotPins.size());
    program_.slotPins.push_back(pin);
    slotOfPin_[pin] = slot;
    return slot;
}

uint32_t ChipLogic::Design::GateCompiler::constantSlot(uint32_t pin) {
    return slotOfPin_[pin] != NONE ? slotOfPin_[pin] : newSlot(pin);
}

uint32_t ChipLogic::Design::GateCompiler::passThroughSlot(uint32_t output) {
    if (slotOfPin_[output] != NONE) return slotOfPin_[output];
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
    passedResolved_.clear();
    passedStarts_.clear();
    uint32_t root = NONE;
    while (root == NONE) {
        switch (lookup) {
        case Lookup::ReadFirst:
        case Lookup::ReadSecond:
            if (pin == ZERO_SLOT) root = ZERO_SLOT;
            else if (tree_.isInput(pin)) lookup = Lookup::During;
            else lookup = lookup == Lookup::ReadFirst ? Lookup::AtStart : Lookup::AtEnd;
            break;
        case Lookup::During:
        case Lookup::AtEnd: {
            const bool during = lookup == Lookup::During;
            if (resolved_[pin] != NONE) {
                root = resolved_[pin];
            } else if (during ? tree_.owner(pin) == 0 : tree_.isGateOutput(pin)) {
                root = during ? slotOfPin_[pin] : GateProgram::AFTER_CALL | slotOfPin_[pin];
            } else {
                passedResolved_.push_back(pin);
                const uint32_t driver = tree_.driver(pin);
                if (driver == NONE) root = constantSlot(pin);
                lookup = during ? Lookup::ReadFirst : Lookup::ReadSecond, pin = driver;
            }
            break;
        }
        case Lookup::AtStart:
            if (slotOfPin_[pin] != NONE) {
                root = slotOfPin_[pin];
            } else {
                passedStarts_.push_back(pin);
                const uint32_t driver = tree_.driver(pin);
                if (driver == NONE) root = constantSlot(pin);
                else if (driver == ZERO_SLOT) root = ZERO_SLOT;
                else if (tree_.isInput(driver)) root = passThroughSlot(pin);
                pin = driver;
            }
            break;
        }
    }
    for (const uint32_t passed : passedResolved_) resolved_[passed] = root;
    for (const uint32_t passed : passedStarts_) slotOfPin_[passed] = root;
    return root;
}

// Outputs are written by their chip's second propagation (or their gate),
// inputs by their parent's; what nothing writes keeps its value.
uint32_t ChipLogic::Design::GateCompiler::afterCall(uint32_t pin) {
    if (tree_.isGateOutput(pin)) return GateProgram::AFTER_CALL | slotOfPin_[pin];
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
    auto programs = std::make_unique<Programs>();
    programs->firstCall = compilePinProgram(tree);
    programs->laterCalls = GateCompiler(tree).compile();
    programs_ = std::move(programs);
}

// The first propagation's writes to a composite's own outputs are dropped:
// the second one always rewrites them before anything reads them. The
// second propagation's writes from the composite's own inputs or from the
// constant 0 are dropped: they repeat the first one's, since nothing changes
// those sources or those pins in between. A composite's second propagation
// reads what its sub-chips' second propagations wrote, so it runs after
// theirs: reversed pre-order puts every composite after its descendants.
ChipLogic::Design::PinProgram ChipLogic::Design::compilePinProgram(const Tree& tree) {
    PinProgram program;
    for (const Tree::Node& node : tree.nodes) {
        if (!node.computes()) continue;
        auto& gates = node.design->kind == NOT_CHIP ? program.notGates : program.andGates;
        gates.push_back(SlotPair{node.inputSlot(0), node.outputSlot(0)});
    }
    auto toOwnOutput = [&](const Tree::Propagation& propagation, const SlotPair& write) {
        return tree.owner(write.to) == propagation.node;
    };
    auto fromFixedSource = [&](const Tree::Propagation& propagation, const SlotPair& write) {
        return write.from == ZERO_SLOT || tree.owner(write.from) == propagation.node;
    };
    for (const Tree::Propagation& propagation : tree.propagations) {
        for (uint32_t index = propagation.begin; index < propagation.end; ++index) {
            const SlotPair& write = tree.writes[index];
            if (!toOwnOutput(propagation, write)) program.firstPass.push_back(write);
        }
    }
    for (auto propagation = tree.propagations.rbegin(); propagation != tree.propagations.rend();
         ++propagation) {
        for (uint32_t index = propagation->begin; index < propagation->end; ++index) {
            const SlotPair& write = tree.writes[index];
            if (toOwnOutput(*propagation, write) || !fromFixedSource(*propagation, write))
                program.secondPass.push_back(write);
        }
    }
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
