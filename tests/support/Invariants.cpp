#include "support/Invariants.h"

#include "app/Layout.h"
#include "app/Screen.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <utility>

namespace {

bool within(int32_t pin, int32_t count) { return pin >= 0 && pin < count; }

bool isChipId(int32_t id) { return id >= FIRST_CHIP_ID && id <= LAST_CHIP_ID; }

std::string describe(const Connection& c) {
    std::ostringstream out;
    out << "{" << c.fromChip << ", " << c.fromPin << ", " << c.toChip << ", " << c.toPin << "}";
    return out.str();
}

// The first board chip with the id, found the way the frame's steps must find
// it: front to back through the list.
const Chip* firstBoardChip(const App& app, int32_t id) {
    for (const Chip& chip : app.boardChips)
        if (chip.id() == id) return &chip;
    return nullptr;
}

// The circles of a column stand evenly spread over the band between the
// board's top and bottom.
std::string checkColumn(const std::vector<sf::CircleShape>& circles, float x, const char* what) {
    const float band = SCREEN_H - 2 * layout::BOARD_TOP;
    const float count = static_cast<float>(circles.size());
    for (std::size_t i = 0; i < circles.size(); ++i) {
        const sf::Vector2f wanted(x, band / (count + 1) * static_cast<float>(i + 1) + layout::BOARD_TOP);
        if (circles[i].getPosition() != wanted) {
            std::ostringstream out;
            out << "board " << what << " circle " << i << " of " << circles.size() << " stands at ("
                << circles[i].getPosition().x << ", " << circles[i].getPosition().y << "), not at ("
                << wanted.x << ", " << wanted.y << ")";
            return out.str();
        }
    }
    return "";
}

std::string checkBoardPins(const App& app) {
    std::ostringstream out;
    if (app.boardInputs.empty() || app.boardOutputs.empty()) {
        out << "the board has " << app.boardInputs.size() << " inputs and " << app.boardOutputs.size()
            << " outputs";
        return out.str();
    }
    if (app.inputCircles.size() != app.boardInputs.size() || app.outputCircles.size() != app.boardOutputs.size()) {
        out << app.boardInputs.size() << " board inputs and " << app.boardOutputs.size() << " outputs but "
            << app.inputCircles.size() << " and " << app.outputCircles.size() << " circles";
        return out.str();
    }
    std::string misplaced = checkColumn(app.inputCircles, layout::PIN_COLUMN_X, "input");
    if (misplaced.empty()) misplaced = checkColumn(app.outputCircles, SCREEN_W - layout::PIN_COLUMN_X, "output");
    if (!misplaced.empty()) return misplaced;
    for (std::size_t i = 0; i < app.boardInputs.size(); ++i) {
        const BoardInput& input = app.boardInputs[i];
        const sf::CircleShape& circle = app.inputCircles[i];
        const sf::Color wanted = input.value ? sf::Color::Green : sf::Color::Black;
        if (circle.getFillColor() != wanted) {
            out << "board input " << i << " is " << input.value << " but its circle is not "
                << (input.value ? "green" : "black");
            return out.str();
        }
        const float ring = input.clocked ? layout::CLOCKED_RING : 0.f;
        if (circle.getOutlineThickness() != ring) {
            out << "board input " << i << (input.clocked ? " is" : " is not")
                << " clocked but its ring is " << circle.getOutlineThickness();
            return out.str();
        }
    }
    return "";
}

std::string checkWireEnds(const App& app, const Wire& wire, bool underWay, std::size_t index) {
    const Connection& c = wire.connection;
    std::ostringstream out;
    out << "wire " << index << " " << describe(c) << (wire.complete ? "" : " (under way)");
    const std::string name = out.str();
    if (wire.line.getVertexCount() != 2) return name + " does not have two vertices";
    if (c.fromChip == 0) {
        if (!within(c.fromPin, static_cast<int32_t>(app.boardInputs.size())))
            return name + " starts at a board input that does not exist";
    } else {
        const Chip* source = firstBoardChip(app, c.fromChip);
        if (!source) return name + " starts at a chip that is not on the board";
        if (!within(c.fromPin, source->outputCount()))
            return name + " starts at an output pin its chip does not have";
    }
    if (c.toChip == 0) {
        if (!within(c.toPin, static_cast<int32_t>(app.boardOutputs.size())))
            return name + " ends at a board output that does not exist";
    } else if (c.toChip == Wire::NO_TARGET) {
        if (!underWay) return name + " has no target but is not the wire under way";
        if (c.toPin != 0) return name + " has no target but a target pin other than 0";
    } else {
        const Chip* target = firstBoardChip(app, c.toChip);
        if (!target) return name + " ends at a chip that is not on the board";
        if (!within(c.toPin, target->inputCount()))
            return name + " ends at an input pin its chip does not have";
    }
    return "";
}

// A complete wire's ends stand on its pins: the geometry step puts them there
// every frame, and nothing moves a pin after it. Only a wire completed on a
// chip after the last geometry step may still end where the mouse or the
// preview was; it is the last wire.
std::string checkWireGeometry(const App& app, const Wire& wire, std::size_t index) {
    const Connection& c = wire.connection;
    sf::Vector2f source;
    if (c.fromChip == 0) {
        source = app.inputCircles[static_cast<std::size_t>(c.fromPin)].getPosition();
    } else {
        const Chip& chip = *firstBoardChip(app, c.fromChip);
        source = chip.pins()[static_cast<std::size_t>(chip.inputCount() + c.fromPin)].getPosition();
    }
    sf::Vector2f target;
    if (c.toChip == 0) {
        target = app.outputCircles[static_cast<std::size_t>(c.toPin)].getPosition();
    } else {
        target = firstBoardChip(app, c.toChip)->pins()[static_cast<std::size_t>(c.toPin)].getPosition();
    }
    if (wire.sourcePoint() == source && wire.targetPoint() == target) return "";
    std::ostringstream out;
    out << "wire " << index << " " << describe(c) << " runs from (" << wire.sourcePoint().x << ", "
        << wire.sourcePoint().y << ") to (" << wire.targetPoint().x << ", " << wire.targetPoint().y
        << "), not from its source pin at (" << source.x << ", " << source.y << ") to its target pin at ("
        << target.x << ", " << target.y << ")";
    return out.str();
}

std::string checkWires(const App& app, const Wire* settledLast) {
    const auto state = static_cast<int32_t>(app.wiringState);
    if (state < 0 || state > 3) return "the wiring state is " + std::to_string(state);
    const bool drawing = app.wiringState == WiringState::ChoosingSource ||
                         app.wiringState == WiringState::ChoosingTarget;
    const auto unfinished = std::count_if(app.wires.begin(), app.wires.end(),
                                          [](const Wire& wire) { return !wire.complete; });
    if (drawing) {
        if (unfinished != 1)
            return "a wire is under way but " + std::to_string(unfinished) + " wires are unfinished";
        if (app.wires.back().complete) return "the wire under way is not the last wire";
    } else if (unfinished != 0) {
        return "no wire is under way (state " + std::to_string(state) + ") but " +
               std::to_string(unfinished) + " wires are unfinished";
    }
    std::map<std::pair<int32_t, int32_t>, std::size_t> targets;
    std::set<std::pair<int32_t, int32_t>> fed;  // pins that complete wires end at
    std::size_t index = 0;
    for (const Wire& wire : app.wires) {
        std::string broken = checkWireEnds(app, wire, drawing && !wire.complete, index);
        const bool last = &wire == &app.wires.back();
        if (broken.empty() && wire.complete && (!last || &wire == settledLast))
            broken = checkWireGeometry(app, wire, index);
        if (!broken.empty()) return broken;
        const Connection& c = wire.connection;
        if (wire.complete) fed.emplace(c.toChip, c.toPin);
        if (c.toChip != Wire::NO_TARGET) {
            const auto [earlier, fresh] = targets.emplace(std::make_pair(c.toChip, c.toPin), index);
            if (!fresh) {
                const std::string pin = c.toChip == 0 ? "board output " + std::to_string(c.toPin)
                                                      : "input pin " + std::to_string(c.toPin) +
                                                            " of board chip " + std::to_string(c.toChip);
                return "wires " + std::to_string(earlier->second) + " and " + std::to_string(index) +
                       " both end at " + pin;
            }
        }
        ++index;
    }
    // A pin that no complete wire feeds was cleared when its wire went, and
    // nothing else writes it.
    for (const Chip& chip : app.boardChips) {
        for (int32_t pin = 0; pin < chip.inputCount(); ++pin) {
            if (chip.input(pin) && fed.count(std::make_pair(chip.id(), pin)) == 0)
                return "input pin " + std::to_string(pin) + " of board chip " + std::to_string(chip.id()) +
                       " is 1 but no wire feeds it";
        }
    }
    for (std::size_t output = 0; output < app.boardOutputs.size(); ++output) {
        if (app.boardOutputs[output] && fed.count(std::make_pair(0, static_cast<int32_t>(output))) == 0)
            return "board output " + std::to_string(output) + " is 1 but no wire feeds it";
    }
    return "";
}

std::string checkPins(const Chip& chip, const std::string& where) {
    const std::size_t wanted =
        static_cast<std::size_t>(chip.inputCount()) + static_cast<std::size_t>(chip.outputCount());
    if (chip.pins().size() == wanted) return "";
    return where + " has " + std::to_string(chip.pins().size()) + " pin circles for " +
           std::to_string(chip.inputCount()) + " inputs and " + std::to_string(chip.outputCount()) +
           " outputs";
}

std::string checkBoardChips(const App& app, const std::unordered_set<int32_t>* seen) {
    std::set<int32_t> ids;
    for (const Chip& chip : app.boardChips) {
        const std::string where = "board chip " + std::to_string(chip.id());
        if (!isChipId(chip.id())) return where + " has an id outside 10000 to 42767";
        if (!ids.insert(chip.id()).second) return "two board chips have the id " + std::to_string(chip.id());
        if (app.boardChips.find(chip.id()) != &chip) return where + " is not the one found by its id";
        const std::string pins = checkPins(chip, where);
        if (!pins.empty()) return pins;
    }
    // A chip that is not being dragged was last moved by the drag step, which
    // keeps it inside the board frame.
    const sf::FloatRect frame(app.boardFrame.getPosition(), app.boardFrame.getSize());
    for (const Chip& chip : app.boardChips) {
        if (chip.id() == app.draggedChipId) continue;
        const sf::FloatRect body = chip.body().getGlobalBounds();
        constexpr float slack = 0.01f;
        if (body.left < frame.left - slack || body.top < frame.top - slack ||
            body.left + body.width > frame.left + frame.width + slack ||
            body.top + body.height > frame.top + frame.height + slack) {
            std::ostringstream out;
            out << "board chip " << chip.id() << " stands at (" << body.left << ", " << body.top << ") size ("
                << body.width << ", " << body.height << "), not inside the board frame, and is not dragged";
            return out.str();
        }
    }
    const int32_t dragged = app.draggedChipId;
    if (dragged != 0) {
        if (!isChipId(dragged)) return "the dragged chip id " + std::to_string(dragged) + " names no chip";
        if (seen && seen->count(dragged) == 0)
            return "the dragged chip id " + std::to_string(dragged) + " was never on the board";
    }
    return "";
}

// The inner circuit of a chip, at every depth: primitives hold nothing and
// have their kind's pins; every connection of a composite names pins that
// exist, its own or those of the first sub-chip with the named id.
std::string checkCircuit(const ChipLogic& chip, const std::string& where) {
    if (chip.kind() == NOT_CHIP || chip.kind() == AND_CHIP) {
        const int32_t inputs = chip.kind() == NOT_CHIP ? 1 : 2;
        if (chip.inputCount() != inputs || chip.outputCount() != 1)
            return where + " is a gate with " + std::to_string(chip.inputCount()) + " inputs and " +
                   std::to_string(chip.outputCount()) + " outputs";
        if (chip.subChipCount() != 0 || !chip.connections().empty())
            return where + " is a gate with an inner circuit";
        return "";
    }
    const std::vector<ChipLogic> subChips = chip.subChips();
    if (static_cast<int32_t>(subChips.size()) != chip.subChipCount())
        return where + " counts " + std::to_string(chip.subChipCount()) + " sub-chips but lists " +
               std::to_string(subChips.size());
    const auto find = [&subChips](int32_t id) -> const ChipLogic* {
        for (const ChipLogic& sub : subChips)
            if (sub.id() == id) return &sub;
        return nullptr;
    };
    const std::vector<Connection> connections = chip.connections();
    std::size_t unfinished = 0;
    for (std::size_t k = 0; k < connections.size(); ++k) {
        const Connection& c = connections[k];
        const std::string name = where + ", connection " + std::to_string(k) + " " + describe(c);
        if (c.fromChip == 0) {
            if (!within(c.fromPin, chip.inputCount())) return name + " reads an input the chip does not have";
        } else if (const ChipLogic* source = find(c.fromChip)) {
            if (!within(c.fromPin, source->outputCount()))
                return name + " reads an output pin its sub-chip does not have";
        } else {
            return name + " reads from a sub-chip that does not exist";
        }
        if (c.toChip == 0) {
            if (!within(c.toPin, chip.outputCount())) return name + " writes an output the chip does not have";
        } else if (c.toChip == Wire::NO_TARGET) {
            if (c.toPin != 0) return name + " has no target but a target pin other than 0";
            if (++unfinished > 1) return where + " holds more than one connection without a target";
        } else if (const ChipLogic* target = find(c.toChip)) {
            if (!within(c.toPin, target->inputCount()))
                return name + " writes an input pin its sub-chip does not have";
        } else {
            return name + " writes to a sub-chip that does not exist";
        }
    }
    for (std::size_t i = 0; i < subChips.size(); ++i) {
        const ChipLogic& sub = subChips[i];
        const std::string inner = where + " > sub-chip " + std::to_string(i) + " (id " +
                                  std::to_string(sub.id()) + ", kind " + std::to_string(sub.kind()) + ")";
        if (!isChipId(sub.id())) return inner + " has an id outside 10000 to 42767";
        const std::string broken = checkCircuit(sub, inner);
        if (!broken.empty()) return broken;
    }
    return "";
}

}  // namespace

std::string InvariantChecker::check(const App& app) {
    std::string broken = checkBoardPins(app);
    // A wire complete at the last check has been put on its pins by the
    // geometry step of this frame, unless a press on "Save" ended the frame
    // before that step (when it saved nothing or replaced an entry); such a
    // frame moves nothing either.
    const sf::Vector2f mouse(static_cast<float>(app.frame.mousePos.x), static_cast<float>(app.frame.mousePos.y));
    const bool pressOnSave = app.frame.eventPending && app.frame.event.type == sf::Event::MouseButtonPressed &&
                             app.buttons[5].contains(mouse);
    const Wire* settled = remember_ && !pressOnSave ? lastWireComplete_ : nullptr;
    lastWireComplete_ = !app.wires.empty() && app.wires.back().complete ? &app.wires.back() : nullptr;
    // Chips first: the wire checks rely on every chip having a circle per pin.
    if (broken.empty()) {
        if (remember_)
            for (const Chip& chip : app.boardChips) boardIdsSeen_.insert(chip.id());
        broken = checkBoardChips(app, remember_ ? &boardIdsSeen_ : nullptr);
    }
    if (broken.empty()) broken = checkWires(app, settled);
    if (!broken.empty()) return broken;

    if (app.library.size() < 2) return "the palette has fewer than two entries";
    std::set<std::string> names;
    std::vector<EntryKey> sound;
    for (std::size_t i = 0; i < app.library.size(); ++i) {
        const Chip& entry = app.library[i];
        const std::string where = "palette entry " + std::to_string(i) + " \"" + entry.name() + "\"";
        if (!names.insert(entry.name()).second) return "two palette entries are named \"" + entry.name() + "\"";
        broken = checkPins(entry, where);
        if (!broken.empty()) return broken;
        // Palette chips are never evaluated: they keep the values they were built with.
        for (int32_t pin = 0; pin < entry.inputCount(); ++pin)
            if (entry.input(pin)) return where + " has input " + std::to_string(pin) + " at 1";
        for (int32_t pin = 0; pin < entry.outputCount(); ++pin)
            if (entry.output(pin) != (entry.kind() == NOT_CHIP))
                return where + " has output " + std::to_string(pin) + " changed";
        EntryKey key(i, entry.id(), entry.kind(), entry.name());
        if (std::find(soundEntries_.begin(), soundEntries_.end(), key) == soundEntries_.end()) {
            broken = checkCircuit(entry, where);
            if (!broken.empty()) return broken;
        }
        sound.push_back(std::move(key));
    }
    if (remember_) soundEntries_ = std::move(sound);

    if (app.nameBox.name().size() > NameBox::MAX_LENGTH)
        return "the name box holds " + std::to_string(app.nameBox.name().size()) + " characters";
    if (app.nameBox.rect().getFillColor() != (app.nameBox.isActive() ? NameBox::FOCUSED_FILL : NameBox::FILL))
        return "the name box's fill does not show its focus";
    return "";
}

std::string findViolation(const App& app) {
    InvariantChecker once;
    once.remember_ = false;
    return once.check(app);
}
