#include "editing/OlderCopies.h"

#include "editing/ChipFromBoard.h"
#include "editing/CircuitNumbers.h"
#include "storage/Spelling.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

namespace {

// Each node's strongly connected component in the graph of `edges` (Tarjan's,
// without recursion), numbered as they close: a component closes after every
// component it reaches, so those come first.
template <class Edge, class Target>
std::vector<std::size_t> components(const std::vector<std::vector<Edge>>& edges, Target target) {
    constexpr std::size_t NONE = SIZE_MAX;
    const std::size_t count = edges.size();
    std::vector<std::size_t> index(count, NONE), low(count), component(count, NONE), stack;
    std::vector<std::pair<std::size_t, std::size_t>> calls;  // a node and its next edge
    std::size_t visited = 0, closed = 0;
    for (std::size_t root = 0; root < count; ++root) {
        if (index[root] != NONE) continue;
        calls.push_back({root, 0});
        index[root] = low[root] = visited++, stack.push_back(root);
        while (!calls.empty()) {
            const std::size_t node = calls.back().first, edge = calls.back().second++;
            if (edge < edges[node].size()) {
                const std::size_t next = target(edges[node][edge]);
                if (index[next] == NONE) {
                    index[next] = low[next] = visited++, stack.push_back(next);
                    calls.push_back({next, 0});
                } else if (component[next] == NONE) {
                    low[node] = std::min(low[node], index[next]);
                }
                continue;
            }
            if (low[node] == index[node]) {
                for (std::size_t member = NONE; member != node; stack.pop_back()) component[member = stack.back()] = closed;
                ++closed;
            }
            calls.pop_back();
            if (!calls.empty()) low[calls.back().first] = std::min(low[calls.back().first], low[node]);
        }
    }
    return component;
}

// "a", "a and b", "a, b and c".
std::string listed(const std::vector<std::string>& items) {
    std::string list;
    for (std::size_t at = 0; at < items.size(); ++at)
        list += (at == 0 ? "" : at + 1 == items.size() ? " and " : ", ") + items[at];
    return list;
}

// The wires removed from one board as its chips are replaced, counted by the
// pin they were attached to. Wires reach the first chip of an id, so only
// that one's wires can lose their pin.
class Removals {
public:
    explicit Removals(std::string where) : where_(std::move(where)) {}

    void replacing(int32_t id, const ChipLogic& newer, const std::string& name) { replaced_.emplace(id, Newer{&newer, name}); }

    // Whether the connection is attached to a pin that the newer chip of its
    // id lacks; counted if so.
    bool removes(const Connection& c) {
        const auto from = replaced_.find(c.fromChip), to = replaced_.find(c.toChip);
        if (from != replaced_.end() && c.fromPin >= from->second.chip->outputCount()) return count(from->second.name, false, c.fromPin);
        if (to != replaced_.end() && c.toPin >= to->second.chip->inputCount()) return count(to->second.name, true, c.toPin);
        return false;
    }

    void say(std::vector<std::string>& lines) const {
        for (const Pin& pin : pins_)
            lines.push_back(where_ + ": " + Spelling::counted(static_cast<int64_t>(pin.wires), "wire") + (pin.input ? " to " : " from ") + Spelling::utf8(pin.chip) + "'s " +
                            (pin.input ? "input " : "output ") + std::to_string(pin.number) + " removed");
    }

private:
    struct Newer {
        const ChipLogic* chip;
        std::string name;
    };
    struct Pin {
        std::string chip;
        bool input;
        int32_t number;
        std::size_t wires;
    };

    bool count(const std::string& chip, bool input, int32_t number) {
        const auto same = [&](const Pin& pin) { return pin.chip == chip && pin.input == input && pin.number == number; };
        if (const auto pin = std::find_if(pins_.begin(), pins_.end(), same); pin != pins_.end())
            ++pin->wires;
        else
            pins_.push_back({chip, input, number, 1});
        return true;
    }

    std::string where_;
    std::unordered_map<int32_t, Newer> replaced_;
    std::vector<Pin> pins_;
};

}  // namespace

OlderCopies::OlderCopies(const std::vector<PaletteEntry>& palette, const Board& board, const std::string* only)
    : palette_(palette), board_(board), replaced_(palette.size()) {
    for (std::size_t entry = 0; entry < palette.size(); ++entry) byName_.emplace(palette[entry].name(), entry);
    CircuitNumbers numbers;
    std::vector<int32_t> circuits;
    for (const PaletteEntry& entry : palette) circuits.push_back(numbers.of(entry));
    std::vector<bool> rebuilds(palette.size(), false);
    const auto older = [&](const ChipLogic& chip, std::size_t entry) {
        return rebuilds[entry] || ((!only || palette[entry].name() == *only) && numbers.of(chip) != circuits[entry]);
    };
    const std::vector<std::vector<Held>> holds = heldByName();
    // Chips that hold each other, at any depth, are not updated with each other.
    const std::vector<std::size_t> component = components(holds, [](const Held& held) { return held.entry; });
    std::vector<std::size_t> order(palette.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&component](std::size_t a, std::size_t b) { return component[a] < component[b]; });
    for (const std::size_t entry : order) {
        for (const Held& held : holds[entry])
            if (component[held.entry] != component[entry] && older(palette[entry].savedBoard()->chips[held.chip].logic, held.entry))
                replaced_[entry].push_back(held);
        if (!replaced_[entry].empty()) rebuilds[entry] = true, rebuilt_.push_back(entry);
    }
    std::size_t at = 0;
    for (const Chip& chip : board.chips) {
        if (const std::size_t entry = entryNamed(chip.name()); entry != NO_ENTRY && older(chip, entry)) boardChips_.push_back({at, entry});
        ++at;
    }
    if (!only) findUnkept(numbers, circuits, rebuilds);
}

std::size_t OlderCopies::entryNamed(const std::string& name) const {
    const auto found = byName_.find(name);
    return found == byName_.end() ? NO_ENTRY : found->second;
}

std::vector<std::vector<OlderCopies::Held>> OlderCopies::heldByName() const {
    std::vector<std::vector<Held>> holds(palette_.size());
    for (std::size_t entry = 0; entry < palette_.size(); ++entry) {
        if (!palette_[entry].savedBoard()) continue;
        const std::vector<KeptBoard::PlacedChip>& chips = palette_[entry].savedBoard()->chips;
        for (std::size_t chip = 0; chip < chips.size(); ++chip)
            if (const std::size_t held = entryNamed(chips[chip].name); held != NO_ENTRY) holds[entry].push_back({chip, held});
    }
    return holds;
}

// Its sub-chips hold no names, only circuits: one that is no palette chip as
// it will stand may be an older version.
void OlderCopies::findUnkept(CircuitNumbers& numbers, const std::vector<int32_t>& circuits, const std::vector<bool>& rebuilds) {
    std::unordered_set<int32_t> standing;
    for (std::size_t entry = 0; entry < palette_.size(); ++entry)
        if (!rebuilds[entry]) standing.insert(circuits[entry]);
    for (const PaletteEntry& entry : palette_)
        for (int32_t sub = 0; !entry.savedBoard() && sub < entry.subChipCount(); ++sub)
            if (!standing.count(numbers.of(entry.part().subChip(sub)))) {
                notUpdated_.push_back(Spelling::utf8(entry.name()) + ": not updated, its board was not kept");
                break;
            }
}

std::string OlderCopies::described() const {
    std::vector<std::size_t> entries = rebuilt_;
    std::sort(entries.begin(), entries.end());
    const std::size_t named = entries.size() > 3 ? 2 : entries.size();
    std::vector<std::string> items;
    for (std::size_t at = 0; at < named; ++at) items.push_back(Spelling::utf8(palette_[entries[at]].name()));
    if (entries.size() > named) items.push_back(Spelling::counted(static_cast<int64_t>(entries.size() - named), "other saved chip"));
    if (!boardChips_.empty()) items.push_back(Spelling::counted(static_cast<int64_t>(boardChips_.size()), "chip") + " on the board");
    return listed(items);
}

std::string OlderCopies::held() const {
    if (!any()) return "";
    const bool one = rebuilt_.size() + boardChips_.size() == 1;
    return "; " + described() + (one ? " holds the older one (Ctrl+U updates it)" : " hold the older one (Ctrl+U updates them)");
}

std::optional<OlderCopies::Update> OlderCopies::update(ChipKind kind, const BoardLayout& layout, const Fits& fits) const {
    Update update{palette_, board_, {}};
    for (const std::size_t entry : rebuilt_)
        if (!rebuild(entry, kind, update, fits)) return std::nullopt;
    int64_t total = 0;
    for (const PaletteEntry& entry : update.palette) total += entry.treeSize();
    if (!rebuilt_.empty() && !fits(total, 1, palette_[rebuilt_.back()].name(), "palette")) return std::nullopt;
    replaceOnBoard(update, layout);
    if (!boardChips_.empty() && !fits(update.board.sizeAsChip(), update.board.depthAsChip(), palette_[boardChips_.front().entry].name(), "board"))
        return std::nullopt;
    return update;
}

// Entries it holds that are rebuilt come before it, so `update` has them rebuilt.
bool OlderCopies::rebuild(std::size_t entry, ChipKind kind, Update& update, const Fits& fits) const {
    KeptBoard kept = *palette_[entry].savedBoard();
    std::unordered_map<int32_t, std::size_t> firstWithId;
    for (std::size_t chip = 0; chip < kept.chips.size(); ++chip) firstWithId.emplace(kept.chips[chip].logic.id(), chip);
    Removals removals(Spelling::utf8(palette_[entry].name()));
    for (const Held& held : replaced_[entry]) {
        KeptBoard::PlacedChip& placed = kept.chips[held.chip];
        const int32_t id = placed.logic.id();
        if (firstWithId[id] == held.chip) removals.replacing(id, update.palette[held.entry], placed.name);
        placed.logic = update.palette[held.entry];
        placed.logic.setId(id);
    }
    kept.wires.erase(std::remove_if(kept.wires.begin(), kept.wires.end(), [&](const Connection& c) { return removals.removes(c); }),
                     kept.wires.end());
    removals.say(update.removedWires);
    if (!fits(sizeAsChip(kept), depthAsChip(kept), palette_[entry].name(), "chip")) return false;
    ChipLogic logic = chipFromBoard(kept, kind);
    update.palette[entry] = palette_[entry].rebuilt(std::move(logic), std::make_shared<const KeptBoard>(std::move(kept)));
    return true;
}

// Each chip keeps its id, name and place, held inside the frame as it grows,
// and where it is kept.
void OlderCopies::replaceOnBoard(Update& update, const BoardLayout& layout) const {
    Removals removals("the board");
    auto chip = update.board.chips.begin();
    std::size_t at = 0;
    for (const Held& held : boardChips_) {
        for (; at < held.chip; ++at) ++chip;
        const int32_t id = chip->id();
        if (update.board.chips.find(id) == &*chip) removals.replacing(id, update.palette[held.entry], chip->name());
        static_cast<ChipLogic&>(*chip) = update.palette[held.entry];
        chip->setId(id);
        layout.standInFrame(*chip);
    }
    update.board.removeWiresWhere([&](const Connection& c) { return removals.removes(c); });
    removals.say(update.removedWires);
}
