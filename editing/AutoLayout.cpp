#include "editing/AutoLayout.h"

#include "editing/Wire.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <unordered_map>

namespace {

constexpr float LAYOUT_MARGIN = 60.f;  // clear of the board's pin columns
constexpr float COLUMN_GAP = 80.f;
constexpr float ROW_GAP = 30.f;

// The pins a connection joins, if both exist: on the board, every pin is fed
// by one wire at most, and the last connection into a pin is the one that counts.
std::vector<Connection> wiresOf(const ChipLogic& chip, const std::vector<ChipLogic>& parts,
                                const std::unordered_map<int32_t, std::size_t>& firstWithId) {
    const auto pins = [&](int32_t id, bool inputs) -> int32_t {
        if (id == 0) return std::max(inputs ? chip.outputCount() : chip.inputCount(), 1);
        const auto part = firstWithId.find(id);
        if (part == firstWithId.end()) return 0;
        return inputs ? parts[part->second].inputCount() : parts[part->second].outputCount();
    };
    std::vector<Connection> wires;
    std::map<std::pair<int32_t, int32_t>, std::size_t> wireInto;
    for (const Connection& c : chip.connections()) {
        if (c.fromPin < 0 || c.fromPin >= pins(c.fromChip, false) || c.toPin < 0 || c.toPin >= pins(c.toChip, true)) continue;
        const auto [earlier, first] = wireInto.emplace(std::make_pair(c.toChip, c.toPin), wires.size());
        if (!first) wires[earlier->second].toChip = Wire::NO_TARGET;  // dropped below
        earlier->second = wires.size();
        wires.push_back(c);
    }
    wires.erase(std::remove_if(wires.begin(), wires.end(), [](const Connection& c) { return c.toChip == Wire::NO_TARGET; }), wires.end());
    return wires;
}

// Each part's column: how many parts a signal from the chip's inputs passes
// to reach it, the nearest way; parts no input reaches come last.
std::vector<std::size_t> columnsOf(const std::vector<ChipLogic>& parts, const std::vector<Connection>& wires,
                                   const std::unordered_map<int32_t, std::size_t>& firstWithId) {
    constexpr std::size_t UNREACHED = SIZE_MAX;
    std::unordered_map<int32_t, std::vector<std::size_t>> fedBy;  // by source id, 0 for the chip's inputs
    for (const Connection& c : wires)
        if (c.toChip != 0) fedBy[c.fromChip].push_back(firstWithId.at(c.toChip));
    std::vector<std::size_t> column(parts.size(), UNREACHED);
    std::vector<int32_t> reached{0};
    for (std::size_t distance = 0; !reached.empty(); ++distance) {
        std::vector<int32_t> next;
        for (const int32_t source : reached)
            for (const std::size_t part : fedBy[source])
                if (column[part] == UNREACHED) column[part] = distance, next.push_back(parts[part].id());
        reached = std::move(next);
    }
    std::size_t last = 0;
    for (const std::size_t at : column)
        if (at != UNREACHED) last = std::max(last, at + 1);
    for (std::size_t& at : column)
        if (at == UNREACHED) at = last;
    return column;
}

}  // namespace

KeptBoard laidOutBoard(const ChipLogic& chip, const Palette& palette, const BoardLayout& layout,
                       const LabelWidth& labelWidth) {
    KeptBoard kept;
    kept.inputs.assign(static_cast<std::size_t>(std::max(chip.inputCount(), 1)), KeptBoard::Input{});
    kept.outputs.assign(static_cast<std::size_t>(std::max(chip.outputCount(), 1)), false);
    const std::vector<ChipLogic> parts = chip.subChips();
    std::unordered_map<int32_t, std::size_t> firstWithId;
    for (std::size_t index = 0; index < parts.size(); ++index) firstWithId.emplace(parts[index].id(), index);
    kept.wires = wiresOf(chip, parts, firstWithId);
    const std::vector<std::size_t> column = columnsOf(parts, kept.wires, firstWithId);
    std::vector<std::size_t> order(parts.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&column](std::size_t a, std::size_t b) { return column[a] < column[b]; });
    const Box frame = layout.frame();
    const float top = frame.top + ROW_GAP, bottom = frame.top + frame.height;
    float x = frame.left + LAYOUT_MARGIN, y = top, widest = 0.f;
    for (std::size_t at = 0; at < order.size(); ++at) {
        const ChipLogic& part = parts[order[at]];
        const std::string name = nameOfPart(part, palette);
        const Point size = Chip(part, {}, name, labelWidth(name)).boardSize();
        if (at > 0 && (column[order[at]] != column[order[at - 1]] || y + size.y > bottom))
            x += widest + COLUMN_GAP, y = top, widest = 0.f;
        kept.chips.push_back({name, part, x, y});
        y += size.y + ROW_GAP;
        widest = std::max(widest, size.x);
    }
    return kept;
}

std::string nameOfPart(const ChipLogic& part, const Palette& palette) {
    if (part.kind() == NOT_CHIP) return "NOT";
    if (part.kind() == AND_CHIP) return "AND";
    for (const PaletteEntry& entry : palette.entries())
        if (entry.hasSameCircuit(part)) return entry.name();
    return "#" + std::to_string(part.kind());
}
