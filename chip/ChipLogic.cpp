#include "chip/ChipLogic.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

namespace {

constexpr uint32_t NO_SLOT = std::numeric_limits<uint32_t>::max();

// Slot 0 holds a 0 that nothing writes: the value a propagation carries
// before it has met any source it can read.
constexpr uint32_t ZERO_SLOT = 0;

bool pinInRange(int32_t pin, int32_t count) { return pin >= 0 && pin < count; }

int32_t primitiveInputCount(ChipKind kind) {
    if (kind == NOT_CHIP) return 1;
    if (kind == AND_CHIP) return 2;
    return 0;
}

int32_t primitiveOutputCount(ChipKind kind) {
    return kind == NOT_CHIP || kind == AND_CHIP ? 1 : 0;
}

} // namespace

int32_t drawChipId() { return FIRST_CHIP_ID + std::rand() % 32768; }

// Working memory of one compilation, shared by all its composites.
struct ChipLogic::CompileScratch {
    // The direct sub-chips of the composite at hand as (id, node index),
    // sorted, so that the first entry of an id is its first sub-chip.
    std::vector<std::pair<int32_t, uint32_t>> children;
    // The composite's propagation reduced to the last write of each pin.
    std::vector<SlotPair> writes;
    // Per slot, its entry in `writes`, or NO_SLOT.
    std::vector<uint32_t> writeOfSlot;
    // Second-pass copies of every composite, in pre-order, and each
    // composite's range in it.
    std::vector<SlotPair> secondPass;
    std::vector<std::pair<uint32_t, uint32_t>> secondPassRanges;
};

ChipLogic::ChipLogic(int32_t id, ChipKind kind) : id_(id), kind_(kind) {}

ChipLogic::ChipLogic(ChipKind kind) : kind_(kind) {
    const int32_t inputCount = primitiveInputCount(kind);
    const int32_t outputCount = primitiveOutputCount(kind);
    nodes_.push_back(Node{0, kind, 1, inputCount, outputCount, 1, 0, 0});
    values_.assign(1 + static_cast<size_t>(inputCount + outputCount), 0);
    if (kind == NOT_CHIP) values_[2] = 1;
    compile();
    setId(drawChipId());
}

ChipLogic::ChipLogic(ChipKind kind, const std::vector<ChipLogic>& subChips,
                     const std::vector<Connection>& connections, int32_t inputCount,
                     int32_t outputCount)
    : kind_(kind) {
    inputCount = std::max(inputCount, 0);
    outputCount = std::max(outputCount, 0);
    size_t nodeCount = 1;
    size_t slotCount = 1 + static_cast<size_t>(inputCount) + static_cast<size_t>(outputCount);
    size_t connectionCount = connections.size();
    for (const ChipLogic& sub : subChips) {
        nodeCount += std::max<size_t>(sub.nodes_.size(), 1);
        slotCount += sub.values_.empty() ? 0 : sub.values_.size() - 1;
        connectionCount += sub.connections_.size();
    }
    nodes_.reserve(nodeCount);
    values_.reserve(slotCount);
    connections_.reserve(connectionCount);

    nodes_.push_back(Node{0, kind, 1, inputCount, outputCount, static_cast<uint32_t>(nodeCount),
                          0, static_cast<uint32_t>(connections.size())});
    values_.assign(1 + static_cast<size_t>(inputCount) + static_cast<size_t>(outputCount), 0);
    connections_ = connections;
    for (const ChipLogic& sub : subChips) appendTree(sub);
    compile();
    setId(drawChipId());
}

ChipLogic::ChipLogic(const ChipLogic&) = default;
ChipLogic& ChipLogic::operator=(const ChipLogic&) = default;

ChipLogic::ChipLogic(ChipLogic&& other) noexcept : id_(other.id_), kind_(other.kind_) {
    takeFrom(other);
}

ChipLogic& ChipLogic::operator=(ChipLogic&& other) noexcept {
    if (this != &other) {
        id_ = other.id_;
        kind_ = other.kind_;
        takeFrom(other);
    }
    return *this;
}

ChipLogic::~ChipLogic() = default;

void ChipLogic::takeFrom(ChipLogic& other) noexcept {
    nodes_ = std::move(other.nodes_);
    values_ = std::move(other.values_);
    connections_ = std::move(other.connections_);
    firstPass_ = std::move(other.firstPass_);
    notGates_ = std::move(other.notGates_);
    andGates_ = std::move(other.andGates_);
    secondPass_ = std::move(other.secondPass_);
    other.nodes_.clear();
    other.values_.clear();
    other.connections_.clear();
    other.firstPass_.clear();
    other.notGates_.clear();
    other.andGates_.clear();
    other.secondPass_.clear();
}

int32_t ChipLogic::id() const { return id_; }

void ChipLogic::setId(int32_t id) {
    id_ = id;
    if (!nodes_.empty()) nodes_[0].id = id;
}

ChipKind ChipLogic::kind() const { return kind_; }

int32_t ChipLogic::inputCount() const { return nodes_.empty() ? 0 : nodes_[0].inputCount; }

int32_t ChipLogic::outputCount() const { return nodes_.empty() ? 0 : nodes_[0].outputCount; }

bool ChipLogic::input(int32_t pin) const {
    if (!pinInRange(pin, inputCount())) return false;
    return values_[nodes_[0].pinBase + static_cast<uint32_t>(pin)] != 0;
}

bool ChipLogic::output(int32_t pin) const {
    if (!pinInRange(pin, outputCount())) return false;
    const Node& root = nodes_[0];
    return values_[root.pinBase + static_cast<uint32_t>(root.inputCount + pin)] != 0;
}

void ChipLogic::setInput(int32_t pin, bool value) {
    if (!pinInRange(pin, inputCount())) return;
    values_[nodes_[0].pinBase + static_cast<uint32_t>(pin)] = value ? 1 : 0;
}

void ChipLogic::evaluate() {
    uint8_t* const values = values_.data();
    for (const SlotPair& copy : firstPass_) values[copy.to] = values[copy.from];
    for (const SlotPair& gate : notGates_) values[gate.to] = values[gate.from] ^ 1;
    for (const SlotPair& gate : andGates_)
        values[gate.to] = values[gate.from] & values[gate.from + 1];
    for (const SlotPair& copy : secondPass_) values[copy.to] = values[copy.from];
}

int64_t ChipLogic::treeSize() const {
    const size_t pins = values_.empty() ? 0 : values_.size() - 1;
    return static_cast<int64_t>(nodes_.size() + pins + connections_.size());
}

int32_t ChipLogic::subChipCount() const {
    if (nodes_.empty()) return 0;
    int32_t count = 0;
    for (uint32_t child = 1, end = subtreeEnd(0); child < end; child = subtreeEnd(child)) ++count;
    return count;
}

ChipLogic ChipLogic::subChip(int32_t index) const {
    if (!nodes_.empty() && index >= 0) {
        int32_t position = 0;
        for (uint32_t child = 1, end = subtreeEnd(0); child < end; child = subtreeEnd(child)) {
            if (position++ == index) return extractSubtree(child);
        }
    }
    return ChipLogic(0, NOT_CHIP);
}

std::vector<ChipLogic> ChipLogic::subChips() const {
    std::vector<ChipLogic> result;
    if (nodes_.empty()) return result;
    result.reserve(static_cast<size_t>(subChipCount()));
    for (uint32_t child = 1, end = subtreeEnd(0); child < end; child = subtreeEnd(child))
        result.push_back(extractSubtree(child));
    return result;
}

std::vector<Connection> ChipLogic::connections() const {
    if (nodes_.empty()) return {};
    const auto begin = connections_.begin() + nodes_[0].connectionBegin;
    return std::vector<Connection>(begin, begin + nodes_[0].connectionCount);
}

uint32_t ChipLogic::subtreeEnd(uint32_t index) const { return index + nodes_[index].subtreeSize; }

uint32_t ChipLogic::slotsEnd(uint32_t index) const {
    const uint32_t next = subtreeEnd(index);
    return next < nodes_.size() ? nodes_[next].pinBase : static_cast<uint32_t>(values_.size());
}

uint32_t ChipLogic::connectionsEnd(uint32_t index) const {
    const uint32_t next = subtreeEnd(index);
    return next < nodes_.size() ? nodes_[next].connectionBegin
                                : static_cast<uint32_t>(connections_.size());
}

void ChipLogic::appendTree(const ChipLogic& chip) {
    const auto connectionShift = static_cast<uint32_t>(connections_.size());
    if (chip.nodes_.empty()) {
        // A moved-from chip: it keeps its id and kind and has nothing else.
        nodes_.push_back(Node{chip.id_, chip.kind_, static_cast<uint32_t>(values_.size()), 0, 0, 1,
                              connectionShift, 0});
        return;
    }
    // The chip's slot 0 is its own constant; its pins start at slot 1.
    const auto slotShift = static_cast<uint32_t>(values_.size() - 1);
    const size_t first = nodes_.size();
    for (Node node : chip.nodes_) {
        node.pinBase += slotShift;
        node.connectionBegin += connectionShift;
        nodes_.push_back(node);
    }
    nodes_[first].id = chip.id_;
    values_.insert(values_.end(), chip.values_.begin() + 1, chip.values_.end());
    connections_.insert(connections_.end(), chip.connections_.begin(), chip.connections_.end());
}

ChipLogic ChipLogic::extractSubtree(uint32_t index) const {
    const Node& top = nodes_[index];
    ChipLogic chip(top.id, top.kind);
    const uint32_t slotBegin = top.pinBase;
    const uint32_t connectionBegin = top.connectionBegin;
    chip.nodes_.assign(nodes_.begin() + index, nodes_.begin() + subtreeEnd(index));
    for (Node& node : chip.nodes_) {
        node.pinBase = node.pinBase - slotBegin + 1;
        node.connectionBegin -= connectionBegin;
    }
    chip.values_.reserve(1 + slotsEnd(index) - slotBegin);
    chip.values_.push_back(0);
    chip.values_.insert(chip.values_.end(), values_.begin() + slotBegin,
                        values_.begin() + slotsEnd(index));
    chip.connections_.assign(connections_.begin() + connectionBegin,
                             connections_.begin() + connectionsEnd(index));
    chip.compile();
    return chip;
}

// A chip of kind NOT or AND is a gate whatever else it holds: its sub-chips,
// if it was built with any, are never evaluated. Every other node is a
// composite, compiled from its own connections.
void ChipLogic::compile() {
    firstPass_.clear();
    notGates_.clear();
    andGates_.clear();
    secondPass_.clear();
    CompileScratch scratch;
    const auto nodeCount = static_cast<uint32_t>(nodes_.size());
    for (uint32_t index = 0; index < nodeCount;) {
        const Node& node = nodes_[index];
        const uint32_t output = node.pinBase + static_cast<uint32_t>(node.inputCount);
        if (node.kind == NOT_CHIP) {
            if (node.inputCount >= 1 && node.outputCount >= 1)
                notGates_.push_back(SlotPair{node.pinBase, output});
            index = subtreeEnd(index);
        } else if (node.kind == AND_CHIP) {
            if (node.inputCount >= 2 && node.outputCount >= 1)
                andGates_.push_back(SlotPair{node.pinBase, output});
            index = subtreeEnd(index);
        } else {
            compileComposite(index, scratch);
            ++index;
        }
    }
    // A composite's second propagation reads what its sub-chips' second
    // propagations wrote, so it runs after theirs: reversed pre-order puts
    // every composite after all of its descendants.
    secondPass_.reserve(scratch.secondPass.size());
    for (auto range = scratch.secondPassRanges.rbegin(); range != scratch.secondPassRanges.rend();
         ++range) {
        secondPass_.insert(secondPass_.end(), scratch.secondPass.begin() + range->first,
                           scratch.secondPass.begin() + range->second);
    }
    firstPass_.shrink_to_fit();
    notGates_.shrink_to_fit();
    andGates_.shrink_to_fit();
}

// One propagation of a composite reads only its own inputs and its sub-chips'
// outputs and writes only its sub-chips' inputs and its own outputs, so its
// result is fixed by the last connection into each pin, and a connection
// whose source is not found carries the last source found before it. The
// first propagation's writes to the composite's own outputs are dropped:
// the second one always rewrites them before anything reads them. The
// second propagation's writes from the composite's own inputs or from the
// constant 0 are dropped: they repeat the first one's, since nothing changes
// those sources or those pins in between.
void ChipLogic::compileComposite(uint32_t index, CompileScratch& scratch) {
    const Node& node = nodes_[index];
    const uint32_t outputBase = node.pinBase + static_cast<uint32_t>(node.inputCount);
    const uint32_t outputEnd = outputBase + static_cast<uint32_t>(node.outputCount);

    auto& children = scratch.children;
    children.clear();
    for (uint32_t child = index + 1, end = subtreeEnd(index); child < end;
         child = subtreeEnd(child)) {
        children.emplace_back(nodes_[child].id, child);
    }
    std::sort(children.begin(), children.end());
    auto findChild = [&](int32_t id) -> const Node* {
        const auto found = std::lower_bound(children.begin(), children.end(),
                                            std::pair<int32_t, uint32_t>(id, 0));
        return found != children.end() && found->first == id ? &nodes_[found->second] : nullptr;
    };

    if (scratch.writeOfSlot.size() < values_.size()) scratch.writeOfSlot.assign(values_.size(), NO_SLOT);
    auto& writes = scratch.writes;
    writes.clear();
    uint32_t carried = ZERO_SLOT;
    const uint32_t connectionEnd = node.connectionBegin + node.connectionCount;
    for (uint32_t k = node.connectionBegin; k < connectionEnd; ++k) {
        const Connection& wire = connections_[k];
        if (wire.fromChip == 0) {
            if (pinInRange(wire.fromPin, node.inputCount))
                carried = node.pinBase + static_cast<uint32_t>(wire.fromPin);
        } else if (const Node* source = findChild(wire.fromChip)) {
            if (pinInRange(wire.fromPin, source->outputCount))
                carried = source->pinBase + static_cast<uint32_t>(source->inputCount + wire.fromPin);
        }
        uint32_t destination = NO_SLOT;
        if (wire.toChip == 0) {
            if (pinInRange(wire.toPin, node.outputCount))
                destination = outputBase + static_cast<uint32_t>(wire.toPin);
        } else if (const Node* target = findChild(wire.toChip)) {
            if (pinInRange(wire.toPin, target->inputCount))
                destination = target->pinBase + static_cast<uint32_t>(wire.toPin);
        }
        if (destination == NO_SLOT) continue;
        uint32_t& write = scratch.writeOfSlot[destination];
        if (write == NO_SLOT) {
            write = static_cast<uint32_t>(writes.size());
            writes.push_back(SlotPair{carried, destination});
        } else {
            writes[write].from = carried;
        }
    }

    const auto secondBegin = static_cast<uint32_t>(scratch.secondPass.size());
    for (const SlotPair& copy : writes) {
        scratch.writeOfSlot[copy.to] = NO_SLOT;
        const bool toOwnOutput = copy.to >= outputBase && copy.to < outputEnd;
        const bool fromFixedSource =
            copy.from == ZERO_SLOT || (copy.from >= node.pinBase && copy.from < outputBase);
        if (!toOwnOutput) firstPass_.push_back(copy);
        if (toOwnOutput || !fromFixedSource) scratch.secondPass.push_back(copy);
    }
    scratch.secondPassRanges.emplace_back(secondBegin,
                                          static_cast<uint32_t>(scratch.secondPass.size()));
}
