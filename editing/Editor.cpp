#include "editing/Editor.h"

#include "editing/AutoLayout.h"
#include "storage/AtomicFile.h"
#include "storage/Vcd.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>

namespace {

std::vector<PaletteEntry> primitives(const BoardLayout& layout, const LabelWidth& labelWidth) {
    std::vector<PaletteEntry> entries;
    for (const auto& [kind, left, name] : {std::tuple{NOT_CHIP, Palette::NOT_LEFT, "NOT"}, {AND_CHIP, Palette::AND_LEFT, "AND"}})
        entries.emplace_back(Chip(ChipLogic(kind), {left, layout.paletteTop()}, name, labelWidth(name)));
    return entries;
}

// Board chip ids stay, so the copied wires find their sub-chips; pin values
// are not carried over.
std::vector<ChipLogic> snapshotChips(const BoardChips& chips) {
    std::vector<ChipLogic> parts;
    parts.reserve(chips.size());
    for (const Chip& chip : chips) {
        parts.emplace_back(chip.kind(), chip.subChips(), chip.connections(), chip.inputCount(), chip.outputCount());
        parts.back().setId(chip.id());
    }
    return parts;
}

// Board pins become the chip's own pins unchanged: id 0 names them in both.
std::vector<Connection> snapshotWires(const std::list<Wire>& wires, const std::optional<Connection>& underWay) {
    std::vector<Connection> links;
    links.reserve(wires.size() + 1);
    for (const Wire& wire : wires) links.push_back(wire.connection);
    if (underWay) links.push_back(*underWay);
    return links;
}

bool isPrimitive(const Chip& chip) { return chip.kind() == NOT_CHIP || chip.kind() == AND_CHIP; }

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
    record("place " + entry.name());
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
    history_.record("move " + move_->chip->name(), History::State{std::move(*move_->before), {}, {}});
    move_->before = stateNow(false, false).board;
}

// Wires name chips by id and reach the first chip with it: on a board of more
// chips than ids, those of a repeated id are that chip's only.
void Editor::removeChip(const Chip& chip) {
    if (move_ && move_->chip == &chip) endMove();
    record("remove " + chip.name());
    const int32_t id = chip.id();
    if (board_.chips.find(id) == &chip)
        board_.removeWiresWhere([id](const Connection& c) { return c.fromChip == id || c.toChip == id; });
    board_.chips.remove(chip);
}

bool Editor::connect(const Wire& wire) {
    const Connection& c = wire.connection;
    if (!pinExists(c.fromChip, c.fromPin, true) || !pinExists(c.toChip, c.toPin, false) || board_.wireInto(c.toChip, c.toPin))
        return false;
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
    if (name_.empty() || !fitsInPalette(size, name_)) return Saved::Refused;
    if (tooDeep(board_.depthAsChip(), name_, "not saved", "chip")) return Saved::Refused;
    record("save " + name_, true, true);
    ChipLogic logic(static_cast<ChipKind>(palette_.size()), snapshotChips(board_.chips),
                    snapshotWires(board_.wires, wireUnderWay), static_cast<int32_t>(board_.inputs.size()),
                    static_cast<int32_t>(board_.outputs.size()));
    Chip saved(std::move(logic), palette_.nextPosition(), name_, labelWidth_(name_));
    if (!palette_.join(PaletteEntry(std::move(saved), std::make_shared<const KeptBoard>(keptBoard(board_)), board_.names)))
        return Saved::Replaced;
    name_.clear();
    palette_.scroll(static_cast<int>(palette_.size()));
    return Saved::Appended;
}

bool Editor::canOpen(const PaletteEntry& entry) const { return !isPrimitive(entry); }

void Editor::open(const PaletteEntry& entry) {
    if (!canOpen(entry)) return;
    const PaletteEntry opened = entry;
    endMove();
    record("open " + opened.name(), false, true);
    record_.restart();
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
    record("remove " + entry.name() + " from the palette", true);
    palette_.remove(entry);
}

void Editor::undo() {
    endMove();
    if (!history_.canUndo()) return say("nothing to undo");
    say("undone: " + history_.undoWhat());
    if (opens(history_.undoTouchesPalette(), history_.undoTouchesName())) record_.restart();
    restore(history_.undo(stateNow(history_.undoTouchesPalette(), history_.undoTouchesName())));
}

void Editor::redo() {
    endMove();
    if (!history_.canRedo()) return say("nothing to redo");
    say("redone: " + history_.redoWhat());
    if (opens(history_.redoTouchesPalette(), history_.redoTouchesName())) record_.restart();
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

std::vector<std::string> Editor::takeNotices() { return std::exchange(notices_, {}); }

Point Editor::inFrame(const Chip& chip, Point wanted) const {
    const Box bounds = chip.bounds();
    return layout_.holdInFrame(wanted, {bounds.width, bounds.height});
}

// The record's rows follow the board's pins every frame, so that the diagram
// shows them at once; a column is recorded only when a step runs.
void Editor::runFrame(Time now) {
    if (!pace_.stepDue()) return record_.follow(board_);
    blinkClockedInputs(now);
    board_.evaluateChips();
    board_.transferAlongWires();
    record_.append(board_);
}

void Editor::togglePause(Time now) {
    pace_.togglePause();
    if (!pace_.isPaused()) blinkRestartedAt_ = now;
}

void Editor::stepByHand() {
    if (!pace_.isPaused()) return;
    board_.evaluateChips();
    board_.transferAlongWires();
    record_.append(board_);
    pace_.stepTaken();
}

// The record stays as it is whatever the write does.
Editor::Export Editor::exportRecord(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "-%Y%m%d-%H%M%S", &local);
    std::error_code error;
    const std::filesystem::path named = keeper_ ? keeper_->file().path() : "vorplex";
    const std::string base = std::filesystem::absolute(named, error).replace_extension().string() + stamp;
    Export done{base + ".vcd", std::nullopt};
    for (int copy = 2; std::filesystem::exists(done.path, error); ++copy) done.path = base + "-" + std::to_string(copy) + ".vcd";
    try {
        Vcd::write(done.path, record_.signals(), name_.empty() ? "board" : name_);
        say("exported to " + done.path);
    } catch (const AtomicFile::Failed& failed) {
        done.failure = Keeper::shortReason(failed.error());
        say("not exported: " + *done.failure, failed.what());
    }
    return done;
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
    say("\"" + name + "\" " + refused + ": the " + what + " would be too large",
        "\"" + name + "\" " + refused + ": the " + what + " would hold more than " + std::to_string(largestChip_) +
            " parts (chips, pins and connections at every depth)");
}

// Nor may a chip nest deeper than the deepest a library may hold.
bool Editor::tooDeep(int32_t depth, const std::string& name, const char* refused, const char* what) {
    if (depth <= deepestChip_) return false;
    say("\"" + name + "\" " + refused + ": the " + what + " would be too deep",
        "\"" + name + "\" " + refused + ": the " + what + " would be more than " + std::to_string(deepestChip_) +
            " levels deep (chips within chips)");
    return true;
}

KeptBoard Editor::keptBoard(const Board& board) const {
    KeptBoard kept;
    kept.inputs.clear();
    for (const BoardInput& input : board.inputs) kept.inputs.push_back({input.value, input.clocked});
    kept.outputs = board.outputs;
    for (const Chip& chip : board.chips) kept.chips.push_back({chip.name(), chip, chip.position().x, chip.position().y});
    for (const Wire& wire : board.wires) kept.wires.push_back(wire.connection);
    kept.pins = board.names;
    return kept;
}

// Chips stand where they stood, held inside the board frame of this run's screen.
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
        chip.moveTo(inFrame(chip, chip.position()));
        restored.chips.add(std::move(chip));
    }
    for (const Connection& connection : kept.wires) {
        restored.wires.emplace_back(connection, Point{}, Point{});
        restored.wires.back().finish();
    }
    return restored;
}
