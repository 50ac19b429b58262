#include "editing/Editor.h"

#include "editing/AutoLayout.h"
#include "editing/ChipFromBoard.h"
#include "editing/OlderCopies.h"
#include "storage/Spelling.h"
#include "storage/AtomicFile.h"
#include "storage/Vcd.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <limits>
#include <memory>
#include <unordered_map>
#include <unordered_set>

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

// ": 3 inputs → 2", for each side whose count changed.
std::string countsChanged(std::pair<int32_t, int32_t> before, std::pair<int32_t, int32_t> after) {
    std::string change;
    const auto side = [&change](int32_t from, int32_t to, const char* what) {
        if (from != to) change += (change.empty() ? ": " : ", ") + Spelling::counted(from, what) + " \u2192 " + std::to_string(to);
    };
    side(before.first, after.first, "input");
    side(before.second, after.second, "output");
    return change;
}

std::pair<int32_t, int32_t> pinCounts(const ChipLogic& chip) { return {chip.inputCount(), chip.outputCount()}; }

// A chip by its name, more by their number, as a step names them.
std::string namesOf(const std::vector<const Chip*>& chips) {
    return chips.size() == 1 ? Spelling::utf8(chips.front()->name()) : std::to_string(chips.size()) + " chips";
}

Box boundsOf(const std::vector<const Chip*>& chips) {
    float left = std::numeric_limits<float>::max(), top = left, right = std::numeric_limits<float>::lowest(), bottom = right;
    for (const Chip* chip : chips) {
        const Box body = chip->bounds();
        left = std::min(left, body.left), top = std::min(top, body.top);
        right = std::max(right, body.right()), bottom = std::max(bottom, body.bottom());
    }
    return {left, top, right - left, bottom - top};
}

// The chips in the board's order, each placed from their top-left, and the
// wires that join two of them.
KeptBoard pieceOf(const Board& board, const std::vector<const Chip*>& chips) {
    const std::unordered_set<const Chip*> taken(chips.begin(), chips.end());
    const Box bounds = boundsOf(chips);
    KeptBoard piece;
    for (const Chip& chip : board.chips)
        if (taken.count(&chip)) piece.chips.push_back({chip.name(), chip, chip.position().x - bounds.left, chip.position().y - bounds.top});
    const auto inPiece = [&](int32_t id) { return taken.count(board.chips.find(id)) > 0; };
    for (const Wire& wire : board.wires)
        if (inPiece(wire.connection.fromChip) && inPiece(wire.connection.toChip)) piece.wires.push_back(wire.connection);
    return piece;
}

// Why a text is not pasted, in a few words.
std::string refusalOf(LibraryFile::Refused::Fault fault) {
    using Fault = LibraryFile::Refused::Fault;
    switch (fault) {
        case Fault::NotOurs: return "the clipboard holds no Vorplex chips";
        case Fault::Later: return "copied from a later Vorplex";
        case Fault::TooLarge: return "a chip in it is too large";
        case Fault::TooDeep: return "a chip in it is too deep";
        default: return "the copied text is damaged";
    }
}

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
    for (NamedChip& named : kept.chips) {
        kept_.remember(named.board);
        palette_.join(PaletteEntry(Chip(std::move(named.chip), palette_.nextPosition(), named.name, labelWidth_(named.name)),
                                   std::move(named.board), std::move(named.pins)));
    }
    replaceBoard(boardFrom(kept.board));
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
    record("place " + Spelling::utf8(entry.name()));
    Chip& placed = board_.chips.place(entry);
    // Its pins are laid out for the new height when it first moves.
    placed.resize(placed.boardSize());
    move_ = Move{{&placed}, std::nullopt, placed.position()};
    return &placed;
}

void Editor::moveChip(const Chip& chip, Point to) {
    if (!move_ || move_->chips.size() != 1 || move_->chips.front() != &chip) {
        endMove();
        move_ = Move{{&chip}, board_, chip.position()};
    }
    own(chip).moveTo(layout_.inFrame(chip, to));
}

void Editor::endMove() {
    settleMove();
    move_.reset();
}

// A move is a step of its own, unless the placement that began it is; either
// way the file is to keep where the chip now stands.
void Editor::settleMove() {
    if (!move_ || move_->chips.front()->position() == move_->start) return;
    workChanged();
    move_->start = move_->chips.front()->position();
    if (!move_->before) return;
    history_.record("move " + namesOf(move_->chips), History::State{std::move(*move_->before), {}, {}});
    move_->before = stateNow(false, false).board;
}

void Editor::removeChip(const Chip& chip) { removeChips({&chip}); }

bool Editor::moving(const Chip& chip) const {
    return move_ && std::find(move_->chips.begin(), move_->chips.end(), &chip) != move_->chips.end();
}

// The group's bounds move as one into the frame; each chip is held in it
// too, against the rounding of its own move.
void Editor::moveChips(const std::vector<const Chip*>& chips, Point to) {
    if (chips.empty()) return;
    if (!move_ || move_->chips != chips) {
        endMove();
        move_ = Move{chips, board_, chips.front()->position()};
    }
    const Box bounds = boundsOf(chips);
    const Point topLeft{bounds.left, bounds.top};
    const Point by = layout_.holdInFrame(topLeft + (to - chips.front()->position()), {bounds.width, bounds.height}) - topLeft;
    if (by == Point{}) return;
    for (const Chip* chip : chips) own(*chip).moveTo(layout_.inFrame(*chip, chip->position() + by));
}

void Editor::removeChips(const std::vector<const Chip*>& chips) { removeChips(chips, "remove " + namesOf(chips)); }

// As removing each would, in one step. Wires name chips by id and reach the
// first chip with it: on a board of more chips than ids, those of a repeated
// id are that chip's only.
void Editor::removeChips(const std::vector<const Chip*>& chips, const std::string& what) {
    if (chips.empty()) return;
    if (std::any_of(chips.begin(), chips.end(), [this](const Chip* chip) { return moving(*chip); })) endMove();
    record(what);
    std::unordered_set<int32_t> ids;
    for (const Chip* chip : chips)
        if (board_.chips.find(chip->id()) == chip) ids.insert(chip->id());
    board_.removeWiresWhere([&ids](const Connection& c) { return ids.count(c.fromChip) || ids.count(c.toChip); });
    for (const Chip* chip : chips) board_.chips.remove(*chip);
}

std::string Editor::copy(const std::vector<const Chip*>& chips) const { return LibraryFile::formatPiece(pieceOf(board_, chips)); }

std::string Editor::cut(const std::vector<const Chip*>& chips) {
    std::string text = copy(chips);
    removeChips(chips, "cut " + namesOf(chips));
    return text;
}

std::vector<const Chip*> Editor::paste(const std::string& text, Point at) {
    KeptBoard piece;
    try {
        piece = LibraryFile::parsePiece(text, "clipboard");
    } catch (const LibraryFile::Refused& refused) {
        say("not pasted: " + refusalOf(refused.fault()), refused.what());
        return {};
    }
    return addPiece(piece, at, "paste", "pasted");
}

std::vector<const Chip*> Editor::duplicate(const std::vector<const Chip*>& chips) {
    if (chips.empty()) return {};
    const Box bounds = boundsOf(chips);
    return addPiece(pieceOf(board_, chips), Point{bounds.left, bounds.top} + DUPLICATE_OFFSET, "duplicate", "duplicated");
}

// Wires name the first of the piece's chips with their id, as on a board;
// an input no wire of the piece feeds holds 0, as any such input does.
std::vector<const Chip*> Editor::addPiece(const KeptBoard& piece, Point at, const std::string& what, const std::string& done) {
    // The piece brings its chips and wires, not a chip of its own with pins.
    const int64_t size = sizeAsChip(piece) - 1 - static_cast<int64_t>(piece.inputs.size() + piece.outputs.size());
    std::vector<Chip> chips;
    for (const KeptBoard::PlacedChip& placed : piece.chips) {
        chips.emplace_back(placed.logic, Point{placed.x, placed.y}, placed.name, labelWidth_(placed.name));
        chips.back().resize(chips.back().boardSize());
    }
    std::vector<const Chip*> added;
    for (const Chip& chip : chips) added.push_back(&chip);
    if (added.empty() || tooLarge(board_.sizeAsChip() + size, namesOf(added), ("not " + done).c_str(), "board") ||
        tooDeep(depthAsChip(piece), namesOf(added), ("not " + done).c_str(), "board"))
        return {};
    record(what + " " + namesOf(added));
    const Box bounds = boundsOf(added);
    const Point topLeft{bounds.left, bounds.top}, by = layout_.holdInFrame(at, {bounds.width, bounds.height}) - topLeft;
    std::unordered_map<int32_t, int32_t> ids;
    for (std::size_t index = 0; index < chips.size(); ++index) {
        chips[index].moveTo(layout_.inFrame(chips[index], chips[index].position() + by));
        added[index] = &board_.chips.place(chips[index]);
        ids.emplace(chips[index].id(), added[index]->id());
    }
    std::unordered_set<int64_t> fed;
    for (const Connection& c : piece.wires) {
        board_.wires.emplace_back(Connection{ids.at(c.fromChip), c.fromPin, ids.at(c.toChip), c.toPin}, Point{}, Point{});
        board_.wires.back().finish();
        fed.insert(int64_t{board_.wires.back().connection.toChip} << 32 | c.toPin);
    }
    for (const Chip* chip : added)
        for (int32_t pin = 0; pin < chip->inputCount(); ++pin)
            if (!fed.count(int64_t{chip->id()} << 32 | pin)) own(*chip).setInput(pin, false);
    return added;
}

bool Editor::connect(const Wire& wire) {
    const Connection& c = wire.connection;
    if (!board_.pinPoint(layout_, c.fromChip, c.fromPin, true) || !board_.pinPoint(layout_, c.toChip, c.toPin, false)) return false;
    if (board_.wireInto(c.toChip, c.toPin)) {
        const std::string owner = c.toChip == 0 ? "the board" : Spelling::utf8(board_.chips.find(c.toChip)->name());
        return say((c.toChip == 0 ? "output " : "input ") + std::to_string(c.toPin) + " of " + owner + " is taken"), false;
    }
    record("make a wire");
    board_.wires.push_back(wire);
    board_.wires.back().finish();
    return true;
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
    record("save " + Spelling::utf8(name_), true, true);
    const PaletteEntry* same = palette_.find(name_);
    const std::pair<int32_t, int32_t> before = same ? pinCounts(*same) : std::pair<int32_t, int32_t>{};
    auto kept = std::make_shared<const KeptBoard>(keptBoard(board_));
    ChipLogic logic = chipFromBoard(*kept, static_cast<ChipKind>(palette_.size()), wireUnderWay);
    Chip saved(std::move(logic), palette_.nextPosition(), name_, labelWidth_(name_));
    const std::pair<int32_t, int32_t> after = pinCounts(saved);
    kept_.remember(kept);
    if (!palette_.join(PaletteEntry(std::move(saved), kept, board_.names)))
        return say("replaced " + Spelling::utf8(name_) + countsChanged(before, after) + OlderCopies(palette_.entries(), board_, &name_).held()),
               Saved::Replaced;
    say("saved " + Spelling::utf8(name_));
    name_.clear();
    palette_.scroll(static_cast<int>(palette_.size()));
    return Saved::Appended;
}

bool Editor::canOpen(const PaletteEntry& entry) const { return !isPrimitive(entry); }

void Editor::open(const PaletteEntry& entry) {
    if (!canOpen(entry)) return;
    const PaletteEntry opened = entry;
    endMove();
    inside_.reset();
    record("open " + Spelling::utf8(opened.name()), false, true, true);
    way_.push_back(std::make_shared<const BoardLeft>(BoardLeft{board_, name_}));
    record_.restart();
    if (opened.savedBoard()) {
        replaceBoard(boardFrom(*opened.savedBoard()));
    } else {
        KeptBoard laidOut = laidOutBoard(opened, palette_, layout_, labelWidth_);
        laidOut.pins = opened.pinNames();
        replaceBoard(boardFrom(laidOut));
    }
    name_ = opened.name();
}

// Chips placed from the entry, or saved with it inside, keep what they are.
void Editor::removeFromPalette(const PaletteEntry& entry) {
    if (&entry < palette_.entries().data() + 2) return;  // NOT and AND stay
    const std::string name = Spelling::utf8(entry.name());
    record("remove " + name + " from the palette", true);
    palette_.remove(entry);
    say("removed " + name + ": Ctrl+Z brings it back");
}

// The boards left by openings go too: a new board is a new top.
void Editor::newBoard() {
    endMove();
    inside_.reset();
    record("new board", false, true, true);
    way_.clear();
    replaceBoard(Board());
    name_.clear();
    record_.restart();
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
    replaceBoard(std::move(update->board));
    say(words, lines);
}

// What holds the board's chips lets them go: see boardsReplaced().
void Editor::replaceBoard(Board board) {
    board_ = std::move(board);
    ++boardsReplaced_;
}

void Editor::undo() {
    endMove();
    if (!history_.canUndo()) return say("nothing to undo");
    say("undone: " + history_.undoWhat());
    if (history_.undoReplacesBoard()) record_.restart();
    restore(history_.undo(
        stateNow(history_.undoTouchesPalette(), history_.undoTouchesName(), history_.undoReplacesBoard())));
}

void Editor::redo() {
    endMove();
    if (!history_.canRedo()) return say("nothing to redo");
    say("redone: " + history_.redoWhat());
    if (history_.redoReplacesBoard()) record_.restart();
    restore(history_.redo(
        stateNow(history_.redoTouchesPalette(), history_.redoTouchesName(), history_.redoReplacesBoard())));
}

// Looking inside records nothing: going back from it is no step.
void Editor::back() {
    if (inside_) {
        if (!inside_->back(board_)) inside_.reset();
        return;
    }
    if (way_.empty()) return;
    endMove();
    const std::shared_ptr<const BoardLeft> left = way_.back();
    record("back to " + (left->name.empty() ? std::string("the board") : Spelling::utf8(left->name)), false, true, true);
    way_.pop_back();
    replaceBoard(left->board);
    name_ = left->name;
    record_.restart();
}

void Editor::lookInside(const Chip& chip) {
    if (isPrimitive(chip)) return;
    if (inside_) return void(inside_->deeper(chip, board_, kept_, palette_));
    endMove();
    inside_.emplace(chip, kept_, palette_, layout_, labelWidth_);
}

std::string Editor::path() const {
    if (way_.empty() && !inside_) return "";
    std::vector<std::string> names;
    for (const std::shared_ptr<const BoardLeft>& left : way_) names.push_back(left->name);
    names.push_back(name_);
    if (inside_)
        for (std::string& name : inside_->names()) names.push_back(std::move(name));
    std::string path;
    for (const std::string& name : names) path += (path.empty() ? "" : " > ") + (name.empty() ? "(unnamed)" : name);
    return inside_ ? path + "   (looking inside)" : path;
}

void Editor::showInside() {
    if (inside_ && !inside_->follow(board_)) inside_.reset();
}

void Editor::refuseInside() {
    if (inside_ && inside_->firstRefusal()) say("only looking inside: nothing here can be changed (Alt+Left goes back)");
}

void Editor::record(const std::string& what, bool palette, bool name, bool wholeBoard) {
    settleMove();
    history_.record(what, stateNow(palette, name, wholeBoard));
    workChanged();
}

// A chip placed and not moved yet still stands in the palette row: the step
// keeps it inside the board frame, where its drag takes it.
History::State Editor::stateNow(bool palette, bool name, bool wholeBoard) const {
    History::State state{board_, {}, {}};
    if (move_) {
        auto copy = state.board.chips.begin();
        for (auto chip = board_.chips.begin(); chip != board_.chips.end(); ++chip, ++copy)
            if (&*chip == move_->chips.front()) copy->moveTo(layout_.inFrame(*copy, copy->position()));
    }
    if (palette) state.palette = palette_.entries();
    if (name) state.name = name_;
    if (wholeBoard) state.way = way_;
    return state;
}

// Switching inputs is no edit, so the switches keep their values and
// blinking; but a step that replaced the whole board brings back what stood,
// exactly. Nothing is looked into any more.
void Editor::restore(History::State state) {
    for (std::size_t i = 0; !state.way && i < state.board.inputs.size() && i < board_.inputs.size(); ++i)
        state.board.inputs[i] = board_.inputs[i];
    replaceBoard(std::move(state.board));
    board_.showLamps();
    if (state.palette) palette_.replaceAll(std::move(*state.palette));
    if (state.name) name_ = std::move(*state.name);
    if (state.way) way_ = std::move(*state.way);
    inside_.reset();
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
    return Spelling::utf8(pin.chip->name()) + ": " + (named.empty() ? unnamed : Spelling::utf8(named));
}

// The record's rows follow the board's pins every frame, so that the diagram
// shows them at once; a column is recorded only when a step runs.
void Editor::runFrame(Time now) {
    if (!pace_.stepDue()) return record_.follow(board_);
    blinkClockedInputs(now);
    board_.step();
    record_.append(board_);
}

void Editor::togglePause(Time now) {
    pace_.togglePause();
    if (!pace_.isPaused()) blinkRestartedAt_ = now;
}

void Editor::stepByHand() {
    if (!pace_.isPaused()) return;
    board_.step();
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
    if (const std::optional<Point> source = board_.pinPoint(layout_, c.fromChip, c.fromPin, true)) wire.setSourcePoint(*source);
    if (const std::optional<Point> target = board_.pinPoint(layout_, c.toChip, c.toPin, false)) wire.setTargetPoint(*target);
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
    say("\"" + Spelling::utf8(name) + "\" " + refused + ": the " + what + " would be too large",
        "\"" + Spelling::utf8(name) + "\" " + refused + ": the " + what + " would hold more than " + std::to_string(largestChip_) +
            " parts (chips, pins and connections at every depth)");
}

// Nor may a chip nest deeper than the deepest a library may hold.
bool Editor::tooDeep(int32_t depth, const std::string& name, const char* refused, const char* what) {
    if (depth <= deepestChip_) return false;
    say("\"" + Spelling::utf8(name) + "\" " + refused + ": the " + what + " would be too deep",
        "\"" + Spelling::utf8(name) + "\" " + refused + ": the " + what + " would be more than " + std::to_string(deepestChip_) +
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
        layout_.standInFrame(chip);
        restored.chips.add(std::move(chip));
    }
    for (const Connection& connection : kept.wires) {
        restored.wires.emplace_back(connection, Point{}, Point{});
        restored.wires.back().finish();
    }
    return restored;
}
