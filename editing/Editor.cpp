#include "editing/Editor.h"

#include "editing/AutoLayout.h"
#include "editing/ChipFromBoard.h"
#include "editing/OlderCopies.h"
#include "storage/Spelling.h"

#include <algorithm>
#include <iostream>
#include <memory>

namespace {

std::vector<PaletteEntry> primitives(const BoardLayout& layout, const LabelWidth& labelWidth) {
    std::vector<PaletteEntry> entries;
    for (const auto& [kind, left, name] : {std::tuple{NOT_CHIP, Palette::NOT_LEFT, "NOT"}, {AND_CHIP, Palette::AND_LEFT, "AND"}})
        entries.emplace_back(Chip(ChipLogic(kind), {left, layout.paletteTop()}, name, labelWidth(name)));
    return entries;
}

// The window's line: the first lines after the words, and how many more
// the terminal lists.
std::string withLines(const std::string& words, const std::vector<std::string>& lines) {
    std::string line = words;
    for (std::size_t at = 0; at < lines.size() && at < 2; ++at) line += "; " + lines[at];
    if (lines.size() > 2) line += "; " + std::to_string(lines.size() - 2) + " more on the terminal";
    return line;
}

bool isPrimitive(const Chip& chip) { return chip.kind() == NOT_CHIP || chip.kind() == AND_CHIP; }

// What is said is UTF-8; names are 8-bit, each byte a character.
std::string shown(const std::string& name) { return Spelling::utf8(name); }

std::string counted(int32_t count, const char* what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

// ": 3 inputs → 2", for each side whose count changed.
std::string countsChanged(std::pair<int32_t, int32_t> before, std::pair<int32_t, int32_t> after) {
    std::string change;
    const auto side = [&change](int32_t from, int32_t to, const char* what) {
        if (from != to) change += (change.empty() ? ": " : ", ") + counted(from, what) + " \u2192 " + std::to_string(to);
    };
    side(before.first, after.first, "input");
    side(before.second, after.second, "output");
    return change;
}

std::pair<int32_t, int32_t> pinCounts(const ChipLogic& chip) { return {chip.inputCount(), chip.outputCount()}; }

}  // namespace

// The seed fixes the palette chips' ids; whoever makes the editor seeds first.
Editor::Editor(const BoardLayout& layout, LabelWidth labelWidth, Time now)
    : layout_(layout),
      labelWidth_(std::move(labelWidth)),
      palette_(layout_, primitives(layout_, labelWidth_)),
      blinkRestartedAt_(now) {}

Editor::~Editor() {
    if (keeper_ && keeper_->unkept()) keepWhenDue(Time::max(), true);
}

void Editor::keepIn(LibraryFile file, Library kept) {
    keeper_.emplace(std::move(file));
    for (NamedChip& named : kept.chips)
        palette_.join(PaletteEntry(Chip(std::move(named.chip), palette_.nextPosition(), named.name, labelWidth_(named.name)),
                                   std::move(named.board), std::move(named.pins)));
    board_ = boardFrom(kept.board);
    name_ = kept.name;
}

// Saved chips are those of composite kinds: the editor gives every chip it
// saves the palette's size, never 0 or 1.
Library Editor::work() const {
    Library work;
    for (const PaletteEntry& entry : palette_.entries())
        if (!isPrimitive(entry)) work.chips.push_back({entry.name(), entry, entry.savedBoard(), entry.pinNames()});
    work.board = keptBoard(board_);
    work.name = name_;
    return work;
}

// A write that fails says so in the window too, and is tried again after the
// next change, or at the end.
void Editor::keepWhenDue(Time now, bool ending) {
    if (!keeper_ || !keeper_->due(now, ending)) return;
    if (const std::optional<Keeper::Failure> failure = keeper_->write(work(), now)) say(failure->words, failure->line);
}

bool Editor::keepBeforeEnding(Time now) {
    if (!keeper_ || !keeper_->due(now, true)) return true;
    const std::optional<Keeper::Failure> failure = keeper_->write(work(), now);
    if (failure) say(failure->words + " \u2014 Escape again quits without keeping", failure->line);
    return !failure;
}

void Editor::addInput() {
    record("add an input");
    board_.inputs.push_back(BoardInput{});
}

void Editor::removeInput() {
    if (board_.inputs.size() <= 1) return;
    record("remove an input");
    const int32_t last = static_cast<int32_t>(board_.inputs.size() - 1);
    board_.removeWiresWhere([last](const Connection& c) { return c.fromChip == 0 && c.fromPin == last; });
    board_.inputs.pop_back();
    if (board_.names.inputs.size() > board_.inputs.size()) board_.names.inputs.pop_back();
}

void Editor::addOutput() {
    record("add an output");
    board_.outputs.push_back(false);
    board_.lamps.push_back(false);
}

void Editor::removeOutput() {
    if (board_.outputs.size() <= 1) return;
    record("remove an output");
    const int32_t last = static_cast<int32_t>(board_.outputs.size() - 1);
    board_.removeWiresWhere([last](const Connection& c) { return c.toChip == 0 && c.toPin == last; });
    board_.outputs.pop_back();
    board_.lamps.pop_back();
    if (board_.names.outputs.size() > board_.outputs.size()) board_.names.outputs.pop_back();
}

void Editor::namePin(bool output, int32_t pin, std::string name) {
    const std::size_t count = output ? board_.outputs.size() : board_.inputs.size();
    if (pin < 0 || static_cast<std::size_t>(pin) >= count) return;
    name.resize(std::min(name.size(), PinNames::LONGEST));
    const std::size_t at = static_cast<std::size_t>(pin);
    if ((output ? board_.names.output(at) : board_.names.input(at)) == name) return;
    record(std::string("name ") + (output ? "output " : "input ") + std::to_string(pin));
    std::vector<std::string>& names = output ? board_.names.outputs : board_.names.inputs;
    if (names.size() <= at) names.resize(at + 1);
    names[at] = std::move(name);
}

void Editor::switchInput(int32_t input) {
    board_.inputs.at(static_cast<std::size_t>(input)).value ^= true;
    workChanged();
}

void Editor::toggleBlinking(int32_t input) {
    board_.inputs.at(static_cast<std::size_t>(input)).clocked ^= true;
    workChanged();
}

const Chip* Editor::place(const PaletteEntry& entry) {
    if (tooLarge(board_.sizeAsChip() + entry.treeSize(), entry.name(), "not placed", "board")) return nullptr;
    if (tooDeep(entry.depth() + 1, entry.name(), "not placed", "board")) return nullptr;
    endMove();
    record("place " + shown(entry.name()));
    Chip& placed = board_.chips.place(entry);
    // Its pins are laid out for the new height when it first moves.
    placed.resize(placed.boardSize());
    move_ = Move{&placed, std::nullopt, placed.position()};
    return &placed;
}

void Editor::moveChip(const Chip& chip, Point to) {
    if (!move_ || move_->chip != &chip) {
        endMove();
        move_ = Move{&chip, board_, chip.position()};
    }
    own(chip).moveTo(inFrame(chip, to));
}

void Editor::endMove() {
    settleMove();
    move_.reset();
}

// A move is a step of its own, unless the placement that began it is; either
// way the file is to keep where the chip now stands.
void Editor::settleMove() {
    if (!move_ || move_->chip->position() == move_->start) return;
    workChanged();
    move_->start = move_->chip->position();
    if (!move_->before) return;
    history_.record("move " + shown(move_->chip->name()), History::State{std::move(*move_->before), {}, {}});
    move_->before = stateNow(false, false).board;
}

// Wires name chips by id and reach the first chip with it: on a board of more
// chips than ids, those of a repeated id are that chip's only.
void Editor::removeChip(const Chip& chip) {
    if (move_ && move_->chip == &chip) endMove();
    record("remove " + shown(chip.name()));
    const int32_t id = chip.id();
    if (board_.chips.find(id) == &chip)
        board_.removeWiresWhere([id](const Connection& c) { return c.fromChip == id || c.toChip == id; });
    board_.chips.remove(chip);
}

bool Editor::connect(const Wire& wire) {
    const Connection& c = wire.connection;
    if (!pinExists(c.fromChip, c.fromPin, true) || !pinExists(c.toChip, c.toPin, false)) return false;
    if (board_.wireInto(c.toChip, c.toPin)) {
        const std::string owner = c.toChip == 0 ? "the board" : shown(board_.chips.find(c.toChip)->name());
        return say((c.toChip == 0 ? "output " : "input ") + std::to_string(c.toPin) + " of " + owner + " is taken"), false;
    }
    record("make a wire");
    board_.wires.push_back(wire);
    board_.wires.back().finish();
    return true;
}

bool Editor::pinExists(int32_t chip, int32_t pin, bool source) const {
    if (pin < 0) return false;
    if (chip == 0) return static_cast<std::size_t>(pin) < (source ? board_.inputs.size() : board_.outputs.size());
    const Chip* found = board_.chips.find(chip);
    return found && pin < (source ? found->outputCount() : found->inputCount());
}

void Editor::deleteWire(const Wire& wire, bool partOfLastStep) {
    if (!partOfLastStep) record("delete wires");
    for (auto at = board_.wires.begin(); at != board_.wires.end(); ++at)
        if (&*at == &wire) return void(board_.removeWire(at));
}

void Editor::setName(std::string name) {
    name_ = std::move(name);
    workChanged();
}

// Saving under a new name appends the chip and empties the name; under an
// existing name it replaces that entry where it stands. An empty name saves
// nothing, nor does a board too large or too deep to become a chip.
Editor::Saved Editor::save(const std::optional<Connection>& wireUnderWay) {
    const int64_t size = board_.sizeAsChip() + (wireUnderWay ? 1 : 0);
    if (name_.empty()) return say("type a name first"), Saved::Refused;
    if (!fitsInPalette(size, name_) || tooDeep(board_.depthAsChip(), name_, "not saved", "chip")) return Saved::Refused;
    record("save " + shown(name_), true, true);
    const PaletteEntry* same = palette_.find(name_);
    const std::pair<int32_t, int32_t> before = same ? pinCounts(*same) : std::pair<int32_t, int32_t>{};
    auto kept = std::make_shared<const KeptBoard>(keptBoard(board_));
    ChipLogic logic = chipFromBoard(*kept, static_cast<ChipKind>(palette_.size()), wireUnderWay);
    Chip saved(std::move(logic), palette_.nextPosition(), name_, labelWidth_(name_));
    const std::pair<int32_t, int32_t> after = pinCounts(saved);
    if (!palette_.join(PaletteEntry(std::move(saved), std::move(kept), board_.names)))
        return say("replaced " + shown(name_) + countsChanged(before, after) + OlderCopies(palette_.entries(), board_, &name_).held()),
               Saved::Replaced;
    say("saved " + shown(name_));
    name_.clear();
    palette_.scroll(static_cast<int>(palette_.size()));
    return Saved::Appended;
}

bool Editor::canOpen(const PaletteEntry& entry) const { return !isPrimitive(entry); }

void Editor::open(const PaletteEntry& entry) {
    if (!canOpen(entry)) return;
    const PaletteEntry opened = entry;
    endMove();
    record("open " + shown(opened.name()), false, true);
    if (opened.savedBoard()) {
        board_ = boardFrom(*opened.savedBoard());
    } else {
        KeptBoard laidOut = laidOutBoard(opened, palette_, layout_, labelWidth_);
        laidOut.pins = opened.pinNames();
        board_ = boardFrom(laidOut);
    }
    name_ = opened.name();
}

// Chips placed from the entry, or saved with it inside, keep what they are.
void Editor::removeFromPalette(const PaletteEntry& entry) {
    if (&entry < palette_.entries().data() + 2) return;
    const std::string name = shown(entry.name());
    record("remove " + name + " from the palette", true);
    palette_.remove(entry);
    say("removed " + name + ": Ctrl+Z brings it back");
}

void Editor::newBoard() {
    endMove();
    record("new board", false, true);
    board_ = Board();
    name_.clear();
}

// One step, the palette with it. Wires removed and chips left as they were
// are said in the window and listed on the terminal.
void Editor::updateOlderCopies() {
    endMove();
    const OlderCopies older(palette_.entries(), board_);
    if (!older.any()) return say(withLines("nothing to update", older.notUpdated()), older.notUpdated());
    const auto fits = [this](int64_t size, int32_t depth, const std::string& name, const char* what) {
        return !tooLarge(size, name, "not updated", what) && !tooDeep(depth, name, "not updated", what);
    };
    std::optional<OlderCopies::Update> update = older.update(static_cast<ChipKind>(palette_.size()), layout_, fits);
    if (!update) return;
    std::vector<std::string>& lines = update->removedWires;
    lines.insert(lines.end(), older.notUpdated().begin(), older.notUpdated().end());
    const std::string words = withLines("updated " + older.described(), lines);
    record("update older copies", true);
    palette_.replaceAll(std::move(update->palette));
    board_ = std::move(update->board);
    say(words, lines);
}

void Editor::undo() {
    endMove();
    if (!history_.canUndo()) return say("nothing to undo");
    say("undone: " + history_.undoWhat());
    restore(history_.undo(stateNow(history_.undoTouchesPalette(), history_.undoTouchesName())));
}

void Editor::redo() {
    endMove();
    if (!history_.canRedo()) return say("nothing to redo");
    say("redone: " + history_.redoWhat());
    restore(history_.redo(stateNow(history_.redoTouchesPalette(), history_.redoTouchesName())));
}

void Editor::record(const std::string& what, bool palette, bool name) {
    settleMove();
    history_.record(what, stateNow(palette, name));
    workChanged();
}

// A chip placed and not moved yet still stands in the palette row: the step
// keeps it inside the board frame, where its drag takes it.
History::State Editor::stateNow(bool palette, bool name) const {
    History::State state{board_, {}, {}};
    if (move_) {
        auto copy = state.board.chips.begin();
        for (auto chip = board_.chips.begin(); chip != board_.chips.end(); ++chip, ++copy)
            if (&*chip == move_->chip) copy->moveTo(inFrame(*copy, copy->position()));
    }
    if (palette) state.palette = palette_.entries();
    if (name) state.name = name_;
    return state;
}

// Switching inputs is no edit, so the switches keep their values and blinking.
void Editor::restore(History::State state) {
    for (std::size_t i = 0; i < state.board.inputs.size() && i < board_.inputs.size(); ++i)
        state.board.inputs[i] = board_.inputs[i];
    board_ = std::move(state.board);
    board_.showLamps();
    if (state.palette) palette_.replaceAll(std::move(*state.palette));
    if (state.name) name_ = std::move(*state.name);
    workChanged();
}

void Editor::workChanged() {
    if (keeper_) keeper_->changed();
}

void Editor::say(const std::string& words, const std::string& line) {
    if (!line.empty()) std::cerr << "vorplex: " << line << '\n';
    notices_.push_back(words);
}

void Editor::say(const std::string& words, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) std::cerr << "vorplex: " << line << '\n';
    notices_.push_back(words);
}

std::vector<std::string> Editor::takeNotices() { return std::exchange(notices_, {}); }

std::optional<Editor::PinOf> Editor::pinAt(Point point) const {
    const auto onPin = [point](const Chip& chip) -> std::optional<PinOf> {
        for (int32_t circle = 0; circle < chip.inputCount() + chip.outputCount(); ++circle) {
            const Point offset = chip.pinPosition(circle) - point;
            if (offset.x * offset.x + offset.y * offset.y <= (Chip::PIN_RADIUS + 1) * (Chip::PIN_RADIUS + 1))
                return circle < chip.inputCount() ? PinOf{&chip, false, circle} : PinOf{&chip, true, circle - chip.inputCount()};
        }
        return std::nullopt;
    };
    for (auto chip = board_.chips.end(); chip != board_.chips.begin();)
        if (const std::optional<PinOf> pin = onPin(*--chip)) return pin;
    for (std::size_t entry = palette_.firstShown(); entry < palette_.size(); ++entry)
        if (const std::optional<PinOf> pin = onPin(palette_[entry])) return pin;
    return std::nullopt;
}

std::string Editor::pinLabel(const PinOf& pin) const {
    const PaletteEntry* entry = palette_.find(pin.chip->name());
    const bool alike = entry && entry->inputCount() == pin.chip->inputCount() && entry->outputCount() == pin.chip->outputCount();
    const std::string named = !alike ? "" : pin.output ? entry->pinNames().output(static_cast<std::size_t>(pin.pin))
                                                        : entry->pinNames().input(static_cast<std::size_t>(pin.pin));
    const std::string unnamed = (pin.output ? "out " : "in ") + std::to_string(pin.pin);
    return shown(pin.chip->name()) + ": " + (named.empty() ? unnamed : shown(named));
}

Point Editor::inFrame(const Chip& chip, Point wanted) const {
    const Box bounds = chip.bounds();
    return layout_.holdInFrame(wanted, {bounds.width, bounds.height});
}

void Editor::runFrame(Time now) {
    if (!pace_.stepDue()) return;
    blinkClockedInputs(now);
    board_.evaluateChips();
    board_.transferAlongWires();
}

void Editor::togglePause(Time now) {
    pace_.togglePause();
    if (!pace_.isPaused()) blinkRestartedAt_ = now;
}

void Editor::stepByHand() {
    if (!pace_.isPaused()) return;
    board_.evaluateChips();
    board_.transferAlongWires();
    pace_.stepTaken();
}

// Restarted when it fires, not advanced: lateness is never made up.
void Editor::blinkClockedInputs(Time now) {
    if (now - blinkRestartedAt_ < BLINK_PERIOD) return;
    blinkRestartedAt_ = now;
    for (BoardInput& input : board_.inputs)
        if (input.clocked) input.value = !input.value;
}

void Editor::blackenUnfedLamps() {
    fedLamps_.assign(board_.lamps.size(), false);
    for (const Wire& wire : board_.wires)
        if (wire.connection.toChip == 0) fedLamps_[wire.connection.toPin] = true;
    for (std::size_t i = 0; i < board_.lamps.size(); ++i)
        if (!fedLamps_[i]) board_.lamps[i] = false;
}

void Editor::followPinsWithWireEnds() {
    for (Wire& wire : board_.wires) followPins(wire);
}

void Editor::followPins(Wire& wire) const {
    const Connection& c = wire.connection;
    if (c.fromChip == 0)
        wire.setSourcePoint(layout_.inputPoint(static_cast<std::size_t>(c.fromPin), board_.inputs.size()));
    else if (const Chip* source = board_.chips.find(c.fromChip))
        wire.setSourcePoint(source->outputPinPosition(c.fromPin));
    if (c.toChip == 0)
        wire.setTargetPoint(layout_.outputPoint(static_cast<std::size_t>(c.toPin), board_.outputs.size()));
    else if (const Chip* target = board_.chips.find(c.toChip))
        wire.setTargetPoint(target->inputPinPosition(c.toPin));
}

// No chip, and not the palette as a whole, may grow beyond the largest chip a
// library may hold: so every library written can be read again, and a chip
// nested in copies of itself stops doubling long before memory runs out.
bool Editor::fitsInPalette(int64_t size, const std::string& name) {
    int64_t total = size;
    for (const Chip& entry : palette_.entries())
        if (entry.name() != name) total += entry.treeSize();
    if (size <= largestChip_ && total <= largestChip_) return true;
    sayTooLarge(name, "not saved", size > largestChip_ ? "chip" : "palette");
    return false;
}

bool Editor::tooLarge(int64_t size, const std::string& name, const char* refused, const char* what) {
    if (size <= largestChip_) return false;
    sayTooLarge(name, refused, what);
    return true;
}

void Editor::sayTooLarge(const std::string& name, const char* refused, const char* what) {
    say("\"" + shown(name) + "\" " + refused + ": the " + what + " would be too large",
        "\"" + shown(name) + "\" " + refused + ": the " + what + " would hold more than " + std::to_string(largestChip_) +
            " parts (chips, pins and connections at every depth)");
}

// Nor may a chip nest deeper than the deepest a library may hold.
bool Editor::tooDeep(int32_t depth, const std::string& name, const char* refused, const char* what) {
    if (depth <= deepestChip_) return false;
    say("\"" + shown(name) + "\" " + refused + ": the " + what + " would be too deep",
        "\"" + shown(name) + "\" " + refused + ": the " + what + " would be more than " + std::to_string(deepestChip_) +
            " levels deep (chips within chips)");
    return true;
}

KeptBoard Editor::keptBoard(const Board& board) const {
    KeptBoard kept;
    kept.inputs.clear();
    for (const BoardInput& input : board.inputs) kept.inputs.push_back({input.value, input.clocked});
    kept.outputs = board.outputs;
    for (const Chip& chip : board.chips) kept.chips.push_back({chip.name(), chip, chip.keptPosition().x, chip.keptPosition().y});
    for (const Wire& wire : board.wires) kept.wires.push_back(wire.connection);
    kept.pins = board.names;
    return kept;
}

// Chips stand where they stood, held inside the board frame of this run's
// screen, and are kept where they stood until the user moves them: a smaller
// screen moves nothing for good.
Board Editor::boardFrom(const KeptBoard& kept) const {
    Board restored;
    restored.inputs.clear();
    for (const KeptBoard::Input& input : kept.inputs) restored.inputs.push_back({input.value, input.clocked});
    restored.outputs = kept.outputs;
    restored.names = kept.pins;
    restored.showLamps();
    for (const KeptBoard::PlacedChip& placed : kept.chips) {
        Chip chip(placed.logic, {placed.x, placed.y}, placed.name, labelWidth_(placed.name));
        chip.resize(chip.boardSize());
        const Point kept = chip.position();
        chip.moveTo(inFrame(chip, kept));
        if (chip.position() != kept) chip.keepPositionAs(kept);
        restored.chips.add(std::move(chip));
    }
    for (const Connection& connection : kept.wires) {
        restored.wires.emplace_back(connection, Point{}, Point{});
        restored.wires.back().finish();
    }
    return restored;
}
