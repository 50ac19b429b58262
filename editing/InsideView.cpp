#include "editing/InsideView.h"

#include "editing/AutoLayout.h"

#include <map>
#include <tuple>
#include <unordered_map>

namespace {

// Connections name the first sub-chip with an id.
std::unordered_map<int32_t, int32_t> firstWithId(ChipLogic::PartView part) {
    std::unordered_map<int32_t, int32_t> first;
    for (int32_t index = 0; index < part.subChipCount(); ++index) first.emplace(part.subChip(index).id(), index);
    return first;
}

// The n-th chip of the board with an id stands for the n-th sub-chip with it.
std::vector<int32_t> partsOf(ChipLogic::PartView part, const KeptBoard& inside) {
    std::unordered_map<int32_t, std::vector<int32_t>> withId;
    for (int32_t index = 0; index < part.subChipCount(); ++index) withId[part.subChip(index).id()].push_back(index);
    std::unordered_map<int32_t, std::size_t> taken;
    std::vector<int32_t> parts;
    for (const KeptBoard::PlacedChip& placed : inside.chips) {
        const std::vector<int32_t>& candidates = withId[placed.logic.id()];
        std::size_t& next = taken[placed.logic.id()];
        parts.push_back(next < candidates.size() ? candidates[next++] : -1);
    }
    return parts;
}

}  // namespace

InsideView::InsideView(const Chip& chip, const KeptBoards& known, const Palette& palette, BoardLayout layout,
                       LabelWidth labelWidth)
    : layout_(layout), labelWidth_(std::move(labelWidth)), chipId_(chip.id()), circuit_(chip.part().circuit()) {
    levels_.push_back({chip.name(), -1, insideOf(chip.part(), chip, known, palette)});
    show(chip.part());
}

bool InsideView::deeper(const Chip& shown, const Board& board, const KeptBoards& known, const Palette& palette) {
    std::size_t index = 0;
    for (const Chip& chip : shown_.chips) {
        if (&chip == &shown) break;
        ++index;
    }
    const std::optional<ChipLogic::PartView> part = partShown(board);
    if (index == parts_.size() || parts_[index] < 0 || !part) return false;
    const ChipLogic::PartView inner = part->subChip(parts_[index]);
    const KeptBoard::PlacedChip& placed = levels_.back().inside->chips[index];
    levels_.push_back({placed.name, parts_[index], insideOf(inner, placed.logic, known, palette)});
    show(inner);
    return true;
}

bool InsideView::back(const Board& board) {
    if (levels_.size() < 2) return false;
    levels_.pop_back();
    const std::optional<ChipLogic::PartView> part = partShown(board);
    if (!part) return false;
    show(*part);
    return true;
}

bool InsideView::follow(const Board& board) {
    const std::optional<ChipLogic::PartView> part = partShown(board);
    if (part) showValues(*part);
    return part.has_value();
}

std::vector<std::string> InsideView::names() const {
    std::vector<std::string> names;
    for (const Level& level : levels_) names.push_back(level.name);
    return names;
}

// The chip with the id, if it is still the one looked into, and the part
// shown within it.
std::optional<ChipLogic::PartView> InsideView::partShown(const Board& board) const {
    const Chip* chip = board.chips.find(chipId_);
    if (!chip || chip->part().circuit() != circuit_) return std::nullopt;
    ChipLogic::PartView part = chip->part();
    for (std::size_t level = 1; level < levels_.size(); ++level) part = part.subChip(levels_[level].part);
    return part;
}

// `chip` has the part's circuit: the board it was saved from describes both.
std::shared_ptr<const KeptBoard> InsideView::insideOf(ChipLogic::PartView part, const ChipLogic& chip,
                                                      const KeptBoards& known, const Palette& palette) const {
    if (std::shared_ptr<const KeptBoard> kept = known.find(part)) return kept;
    return std::make_shared<const KeptBoard>(laidOutBoard(chip, palette, layout_, labelWidth_));
}

// The chips shown hold their pins alone: each has a circuit of its kind and
// pin counts without parts, shared by those alike, so the view costs what
// its own level holds, however deep the chips are.
void InsideView::show(ChipLogic::PartView part) {
    const KeptBoard& inside = *levels_.back().inside;
    shown_ = Board();
    shown_.inputs.assign(inside.inputs.size(), BoardInput{});
    shown_.outputs.assign(inside.outputs.size(), false);
    shown_.lamps = shown_.outputs;
    shown_.names = inside.pins;
    std::map<std::tuple<ChipKind, int32_t, int32_t>, ChipLogic::Circuit> circuits;
    for (const KeptBoard::PlacedChip& placed : inside.chips) {
        const ChipLogic& logic = placed.logic;
        const auto [alike, first] = circuits.try_emplace({logic.kind(), logic.inputCount(), logic.outputCount()});
        if (first) alike->second = ChipLogic::circuit(logic.kind(), {}, {}, logic.inputCount(), logic.outputCount());
        Chip chip(ChipLogic(logic.id(), alike->second, {}), {placed.x, placed.y}, placed.name, labelWidth_(placed.name));
        layout_.standInFrame(chip);
        shown_.chips.add(std::move(chip));
    }
    parts_ = partsOf(part, inside);
    taps_.clear();
    const std::unordered_map<int32_t, int32_t> first = firstWithId(part);
    for (const Connection& c : inside.wires) {
        const std::optional<Point> from = shown_.pinPoint(layout_, c.fromChip, c.fromPin, true),
                                   to = shown_.pinPoint(layout_, c.toChip, c.toPin, false);
        const auto target = first.find(c.toChip);
        if (!from || !to || (c.toChip != 0 && target == first.end())) continue;
        shown_.wires.emplace_back(c, *from, *to);
        shown_.wires.back().finish();
        taps_.push_back({c.toChip == 0 ? -1 : target->second, c.toPin});
    }
    showValues(part);
}

void InsideView::showValues(ChipLogic::PartView part) {
    for (std::size_t pin = 0; pin < shown_.inputs.size(); ++pin)
        shown_.inputs[pin].value = part.input(static_cast<int32_t>(pin));
    for (std::size_t pin = 0; pin < shown_.outputs.size(); ++pin)
        shown_.outputs[pin] = shown_.lamps[pin] = part.output(static_cast<int32_t>(pin));
    auto stands = parts_.begin();
    for (Chip& chip : shown_.chips) {
        const int32_t index = *stands++;
        if (index < 0) continue;
        const ChipLogic::PartView inner = part.subChip(index);
        for (int32_t pin = 0; pin < chip.inputCount(); ++pin) chip.setInput(pin, inner.input(pin));
        for (int32_t pin = 0; pin < chip.outputCount(); ++pin) chip.setOutput(pin, inner.output(pin));
    }
    auto tap = taps_.begin();
    for (Wire& wire : shown_.wires) {
        wire.carry(tap->part < 0 ? part.output(tap->pin) : part.subChip(tap->part).input(tap->pin));
        ++tap;
    }
}

