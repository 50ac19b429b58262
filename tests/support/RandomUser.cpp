#include "support/RandomUser.h"
#include "support/MouseButtonEvent.h"

#include "app/Screen.h"

#include <algorithm>
#include <sstream>

namespace {

constexpr std::size_t CROWDED_BOARD = 24;
constexpr std::size_t TANGLED_BOARD = 50;

constexpr int BUTTON_ADD_INPUT = 0;
constexpr int BUTTON_REMOVE_INPUT = 1;
constexpr int BUTTON_ADD_OUTPUT = 2;
constexpr int BUTTON_REMOVE_OUTPUT = 3;
constexpr int BUTTON_CONNECT = 4;
constexpr int BUTTON_SAVE = 5;

bool isComposite(ChipKind kind) { return kind != NOT_CHIP && kind != AND_CHIP; }

// Levels of composites in a chip, itself included; 0 for a gate.
std::size_t depthOf(const ChipLogic& chip) {
    if (!isComposite(chip.kind())) return 0;
    std::size_t deepest = 0;
    for (const ChipLogic& sub : chip.subChips()) deepest = std::max(deepest, depthOf(sub));
    return deepest + 1;
}

// Entries beyond the window's right edge cannot be pressed.
bool reachable(const Chip& entry) {
    const sf::FloatRect body = entry.body().getGlobalBounds();
    return body.left + body.width < SCREEN_W;
}

}  // namespace

RandomUser::RandomUser(const App& app, uint32_t seed)
    : app_(app), random_(seed), weights_(app), now_(app.blinkRestartedAt) {}

FrameInput RandomUser::next() {
    if (acts_.empty()) plan();
    const Act act = acts_.front();
    acts_.pop_front();
    return carryOut(act);
}

// ---- Tasks ---------------------------------------------------------------

void RandomUser::plan() {
    // A full board gets emptied more than it gets filled, and so does one too
    // heavy to be saved.
    const bool crowded =
        app_.boardChips.size() >= CROWDED_BOARD || weights_.board() > ChipWeights::HEAVY_BOARD;
    const bool tangled = app_.wires.size() >= TANGLED_BOARD;
    struct Task {
        int weight;
        void (RandomUser::*run)();
    };
    const Task tasks[] = {
        {crowded ? 2 : 14, &RandomUser::planPlaceChip},
        {22, &RandomUser::planDrawWire},
        {7, &RandomUser::planSave},
        {tangled ? 20 : 3, &RandomUser::planDeleteWires},
        {crowded ? 20 : 4, &RandomUser::planRemoveChip},
        {5, &RandomUser::planDragChip},
        {6, &RandomUser::planToggleInput},
        {6, &RandomUser::planBoardPins},
        {9, &RandomUser::planStrayPress},
        {6, &RandomUser::planMoves},
        {4, &RandomUser::planTyping},
        {2, &RandomUser::planStale},
        {2, &RandomUser::planOtherEvents},
    };
    int total = 0;
    for (const Task& task : tasks) total += task.weight;
    int pick = between(0, total - 1);
    for (const Task& task : tasks) {
        if (pick < task.weight) {
            (this->*task.run)();
            break;
        }
        pick -= task.weight;
    }
    // Now and then a long pause, so clocked inputs blink.
    if (chance(0.02)) {
        pause(Act::Jump, between(300, 3000));
    } else if (chance(0.1)) {
        pause(Act::Wait, FRAME_MS * between(1, 4));
    }
}

void RandomUser::planPlaceChip() {
    const sf::Mouse::Button button = mostlyLeft();
    if (app_.library.size() > 2 && chance(0.5)) {
        press(Place::PaletteEntry, lightSavedEntry(), button);
    } else {
        press(Place::PaletteEntry, static_cast<uint32_t>(between(0, 1)), button);
    }
    for (int i = between(1, 3); i > 0; --i) move(Place::EmptyBoard, anyIndex());
    release(Place::EmptyBoard, anyIndex(), chance(0.9) ? button : anyButton());
}

void RandomUser::planDrawWire() {
    click(Place::Button, BUTTON_CONNECT, mostlyLeft());
    if (chance(0.05)) click(Place::Button, BUTTON_CONNECT, anyButton());  // stays armed
    // The source: a board input, or a chip's output pin stepped with the right button.
    const uint32_t source = anyIndex();
    if (app_.boardChips.empty() || chance(0.3)) {
        click(Place::BoardInput, source, anyButton());
    } else {
        if (chance(0.35)) {
            for (int steps = between(1, 4); steps > 0; --steps) click(Place::BoardChip, source, sf::Mouse::Right);
            if (chance(0.15)) click(Place::BoardChip, anyIndex(), anyButton());  // another chip
            if (chance(0.05)) planSave();  // with the source still to be confirmed
        }
        click(Place::BoardChip, source, chance(0.9) ? sf::Mouse::Left : anyButton());
    }
    if (chance(0.1)) move(Place::Anywhere, anyIndex());
    // The target: a board output, or a chip's input pin previewed and stepped first.
    const uint32_t target = chance(0.15) ? source : anyIndex();
    if (app_.boardChips.empty() || chance(0.3)) {
        click(Place::BoardOutput, target, anyButton());
    } else {
        if (chance(0.35)) {
            for (int steps = between(1, 3); steps > 0; --steps)
                click(Place::BoardChip, target, chance(0.7) ? sf::Mouse::Right : anyButton());
        }
        if (chance(0.05)) planSave();  // with the target previewed, or still to be chosen
        click(Place::BoardChip, target, chance(0.9) ? sf::Mouse::Left : anyButton());
    }
}

void RandomUser::planSave() {
    click(Place::NameBox, anyIndex(), mostlyLeft());
    // Mostly the name is typed into an empty box; else it adds to what is there.
    if (chance(0.7)) {
        for (std::size_t left = app_.nameBox.name().size(); left > 0; --left) type(NameBox::BACKSPACE);
    }
    if (chance(0.9))
        for (const char c : anyName()) type(static_cast<unsigned char>(c));
    if (chance(0.15)) type(NameBox::BACKSPACE);
    if (chance(0.2)) type(NameBox::CARRIAGE_RETURN);
    click(Place::Button, BUTTON_SAVE, mostlyLeft());
}

void RandomUser::planDeleteWires() {
    const uint32_t wire = anyIndex();
    press(Place::Wire, wire, sf::Mouse::Right);
    // Mostly briefly, over one wire; at times long, sweeping over others.
    const bool sweep = chance(0.2);
    for (int frames = sweep ? between(3, 12) : between(0, 2); frames > 0; --frames)
        move(Place::Wire, sweep && chance(0.5) ? anyIndex() : wire);
    release(Place::Wire, wire, sf::Mouse::Right);
}

void RandomUser::planRemoveChip() { click(Place::BoardChip, anyIndex(), sf::Mouse::Right); }

void RandomUser::planDragChip() {
    const sf::Mouse::Button button = mostlyLeft();
    const uint32_t chip = anyIndex();
    press(Place::BoardChip, chip, button);
    for (int i = between(1, 4); i > 0; --i) move(chance(0.8) ? Place::EmptyBoard : Place::Anywhere, anyIndex());
    release(Place::EmptyBoard, anyIndex(), chance(0.8) ? button : anyButton());
}

void RandomUser::planToggleInput() { click(Place::BoardInput, anyIndex(), anyButton()); }

void RandomUser::planBoardPins() {
    // More pins are wanted than there are, up to a few; beyond, fewer.
    const bool manyInputs = app_.boardInputs.size() > 5;
    const bool manyOutputs = app_.boardOutputs.size() > 5;
    int button = between(0, 3);
    if (button == BUTTON_ADD_INPUT && manyInputs) button = BUTTON_REMOVE_INPUT;
    if (button == BUTTON_ADD_OUTPUT && manyOutputs) button = BUTTON_REMOVE_OUTPUT;
    click(Place::Button, static_cast<uint32_t>(button), anyButton());
}

void RandomUser::planStrayPress() {
    const auto place = static_cast<Place>(between(0, PLACE_KINDS - 1));
    const sf::Mouse::Button button = anyButton();
    press(place, anyIndex(), button);
    for (int i = between(0, 2); i > 0; --i) move(place, anyIndex());
    if (chance(0.95)) release(place, anyIndex(), button);
}

void RandomUser::planMoves() {
    for (int i = between(1, 5); i > 0; --i) move(static_cast<Place>(between(0, PLACE_KINDS - 1)), anyIndex());
}

void RandomUser::planTyping() {
    if (chance(0.5)) click(Place::NameBox, anyIndex(), anyButton());
    for (int i = between(1, 8); i > 0; --i) type(anyCodePoint());
}

void RandomUser::planStale() {
    for (int i = between(1, 3); i > 0; --i) {
        Act stale = aimed(Act::Stale, static_cast<Place>(between(0, PLACE_KINDS - 1)), anyIndex());
        stale.button = anyButton();
        stale.codePoint = anyCodePoint();
        const sf::Event::EventType types[] = {sf::Event::MouseButtonPressed, sf::Event::MouseButtonReleased,
                                              sf::Event::TextEntered};
        stale.eventType = types[between(0, 2)];
        acts_.push_back(stale);
    }
}

void RandomUser::planOtherEvents() {
    const sf::Event::EventType types[] = {
        sf::Event::KeyPressed,        sf::Event::KeyReleased,  sf::Event::MouseMoved,
        sf::Event::MouseWheelScrolled, sf::Event::MouseEntered, sf::Event::MouseLeft,
        sf::Event::LostFocus,         sf::Event::GainedFocus,  sf::Event::Resized,
    };
    for (int i = between(1, 3); i > 0; --i) {
        Act other = aimed(Act::Event, Place::Anywhere, 0);
        other.eventType = types[between(0, 8)];
        acts_.push_back(other);
    }
}

// ---- Single acts ---------------------------------------------------------

RandomUser::Act RandomUser::aimed(Act::Kind kind, Place place, uint32_t index) {
    Act act;
    act.kind = kind;
    act.place = place;
    act.index = index;
    act.u = fraction();
    act.v = fraction();
    return act;
}

void RandomUser::press(Place place, uint32_t index, sf::Mouse::Button button) {
    Act act = aimed(Act::Press, place, index);
    act.button = button;
    // The live right button can run ahead of its press event.
    if (button == sf::Mouse::Right && chance(0.1)) {
        Act down = act;
        down.kind = Act::HoldRight;
        acts_.push_back(down);
    }
    acts_.push_back(act);
}

void RandomUser::release(Place place, uint32_t index, sf::Mouse::Button button) {
    Act act = aimed(Act::Release, place, index);
    act.button = button;
    acts_.push_back(act);
}

void RandomUser::move(Place place, uint32_t index) { acts_.push_back(aimed(Act::Move, place, index)); }

// The press, at times a move on the same place, and the release where the
// mouse then is.
void RandomUser::click(Place place, uint32_t index, sf::Mouse::Button button) {
    press(place, index, button);
    if (chance(0.1)) move(place, index);
    Act act = acts_.back();
    act.kind = Act::Release;
    act.button = button;
    acts_.push_back(act);
}

void RandomUser::type(uint32_t codePoint) {
    Act act;
    act.kind = Act::Text;
    act.codePoint = codePoint;
    acts_.push_back(act);
}

void RandomUser::pause(Act::Kind kind, int ms) {
    Act act;
    act.kind = kind;
    act.ms = ms;
    acts_.push_back(act);
}

// ---- Frames --------------------------------------------------------------

FrameInput RandomUser::carryOut(const Act& act) {
    FrameInput input;
    now_ += sf::milliseconds(act.kind == Act::Jump || act.kind == Act::Wait ? act.ms : FRAME_MS);
    const bool moves = act.kind == Act::Press || act.kind == Act::Release || act.kind == Act::Move ||
                       act.kind == Act::HoldRight;
    if (moves) mouse_ = pointAt(app_, act.place, act.index, act.u, act.v);
    switch (act.kind) {
        case Act::Press:
            if (weights_.pressWouldGrowTooMuch(mouse_)) break;
            if (act.button == sf::Mouse::Right) rightHeld_ = true;
            input.eventPending = true;
            input.event = mouseButtonEvent(sf::Event::MouseButtonPressed, mouse_, act.button);
            break;
        case Act::Release:
            if (act.button == sf::Mouse::Right) rightHeld_ = false;
            input.eventPending = true;
            input.event = mouseButtonEvent(sf::Event::MouseButtonReleased, mouse_, act.button);
            break;
        case Act::Move:
            break;
        case Act::HoldRight:
            rightHeld_ = true;
            break;
        case Act::Text:
            input.eventPending = true;
            input.event.type = sf::Event::TextEntered;
            input.event.text.unicode = act.codePoint;
            break;
        case Act::Event:
            input.eventPending = true;
            input.event = randomEvent(act);
            break;
        case Act::Stale:
            // An event that was never taken this frame: nothing may act on it.
            input.event = randomEvent(act);
            break;
        case Act::Wait:
        case Act::Jump:
            break;
    }
    if (!input.eventPending && act.kind != Act::Stale) input.event = lastEvent_;
    if (input.eventPending) lastEvent_ = input.event;
    input.mousePos = mouse_;
    input.rightButtonHeld = rightHeld_;
    input.now = now_;
    return input;
}

sf::Event RandomUser::randomEvent(const Act& act) const {
    sf::Event event{};
    event.type = act.eventType;
    const sf::Vector2i at = pointAt(app_, act.place, act.index, act.u, act.v);
    switch (act.eventType) {
        case sf::Event::MouseButtonPressed:
        case sf::Event::MouseButtonReleased:
            event.mouseButton.button = act.button;
            event.mouseButton.x = at.x;
            event.mouseButton.y = at.y;
            break;
        case sf::Event::TextEntered:
            event.text.unicode = act.codePoint;
            break;
        case sf::Event::KeyPressed:
        case sf::Event::KeyReleased:
            // Any key but Escape, which closes the window.
            event.key.code = static_cast<sf::Keyboard::Key>(act.index % sf::Keyboard::Escape);
            break;
        case sf::Event::MouseMoved:
            event.mouseMove.x = at.x;
            event.mouseMove.y = at.y;
            break;
        case sf::Event::MouseWheelScrolled:
            event.mouseWheelScroll.delta = act.u * 2.f - 1.f;
            event.mouseWheelScroll.x = at.x;
            event.mouseWheelScroll.y = at.y;
            break;
        case sf::Event::Resized:
            event.size.width = static_cast<unsigned>(at.x < 0 ? 0 : at.x);
            event.size.height = static_cast<unsigned>(at.y < 0 ? 0 : at.y);
            break;
        default:
            break;
    }
    return event;
}

// ---- Random picks --------------------------------------------------------

sf::Mouse::Button RandomUser::anyButton() {
    const int roll = between(0, 19);
    if (roll < 8) return sf::Mouse::Left;
    if (roll < 14) return sf::Mouse::Right;
    if (roll < 18) return sf::Mouse::Middle;
    return roll == 18 ? sf::Mouse::XButton1 : sf::Mouse::XButton2;
}

uint32_t RandomUser::anyCodePoint() {
    const int roll = between(0, 99);
    if (roll < 40) return static_cast<uint32_t>(between('a', 'z'));
    if (roll < 50) return static_cast<uint32_t>(between('A', 'Z'));
    if (roll < 60) return static_cast<uint32_t>(between('0', '9'));
    if (roll < 72) return NameBox::BACKSPACE;
    if (roll < 78) return NameBox::CARRIAGE_RETURN;
    if (roll < 84) {
        const uint32_t controls[] = {0, 1, 9, 10, 27, 31, 127};
        return controls[between(0, 6)];
    }
    if (roll < 90) return static_cast<uint32_t>(between(128, 255));
    // Above 255: stored as the low byte, which may itself be 8 or 13.
    const uint32_t wide[] = {0x100, 0x108, 0x10D, 0x263A, 0x20AC, 0xFFFF, 0x1F600, 0x10FFFF};
    if (roll < 95) return wide[between(0, 7)];
    return static_cast<uint32_t>(between(256, 0x10FFFF));
}

// Few names, so that saving often replaces an entry; now and then a new one.
std::string RandomUser::anyName() {
    const int roll = between(0, 99);
    if (roll < 2) return "NOT";
    if (roll < 4) return "AND";
    if (roll < 80) {
        const char* names[] = {"half", "full", "mux", "latch", "xor", "or", "nand", "nor"};
        return names[between(0, 7)];
    }
    std::string name;
    for (int i = between(1, 6); i > 0; --i) name.push_back(static_cast<char>(between('a', 'f')));
    return name;
}

// A saved palette entry whose inner tree is small, preferring the newest.
uint32_t RandomUser::lightSavedEntry() {
    std::vector<uint32_t> light;
    for (std::size_t i = 2; i < app_.library.size(); ++i)
        if (weights_.of(app_.library[i]) <= ChipWeights::HEAVY_CHIP && reachable(app_.library[i]))
            light.push_back(static_cast<uint32_t>(i));
    if (light.empty()) return static_cast<uint32_t>(between(0, 1));
    if (chance(0.3)) return light.back();
    return light[static_cast<std::size_t>(between(0, static_cast<int>(light.size()) - 1))];
}

// ---- Coverage ------------------------------------------------------------

CoverageCounter::Snapshot CoverageCounter::take(const App& app) {
    Snapshot shot;
    for (const Chip& chip : app.boardChips) shot.chipIds.push_back(chip.id());
    for (const Wire& wire : app.wires) {
        if (wire.complete)
            shot.completeWires.push_back(&wire);
        else
            shot.wireUnderWay = &wire;
    }
    for (const Chip& entry : app.library) shot.library.emplace_back(entry.id(), entry.kind());
    shot.inputs = app.boardInputs;
    shot.outputs = app.boardOutputs.size();
    shot.dragged = app.draggedChipId;
    return shot;
}

void CoverageCounter::before(const App& app) { before_ = take(app); }

void CoverageCounter::after(const App& app) {
    const Snapshot now = take(app);
    Coverage& c = coverage_;
    ++c.frames;
    const bool pressed = app.frame.eventPending && app.frame.event.type == sf::Event::MouseButtonPressed;
    if (pressed) ++c.presses;
    const auto has = [](const auto& items, const auto& item) {
        return std::find(items.begin(), items.end(), item) != items.end();
    };

    for (const Chip& chip : app.boardChips) {
        if (has(before_.chipIds, chip.id())) continue;
        ++c.chipsPlaced;
        if (isComposite(chip.kind())) ++c.compositesPlaced;
    }
    for (const int32_t id : before_.chipIds)
        if (!has(now.chipIds, id)) ++c.chipsRemoved;
    if (now.dragged != 0 && now.dragged != before_.dragged && has(before_.chipIds, now.dragged)) ++c.drags;

    std::vector<const Wire*> all = now.completeWires;
    if (now.wireUnderWay) all.push_back(now.wireUnderWay);
    if (now.wireUnderWay && now.wireUnderWay != before_.wireUnderWay) ++c.wiresStarted;
    if (before_.wireUnderWay && !has(all, before_.wireUnderWay)) ++c.wiresAbandoned;
    for (const Wire* wire : now.completeWires) {
        if (has(before_.completeWires, wire)) continue;
        ++c.wiresCompleted;
        if (wire->connection.toChip == 0) ++c.wiresToOutputs;
    }
    for (const Wire* wire : before_.completeWires)
        if (!has(now.completeWires, wire)) ++c.wiresDeleted;

    for (std::size_t i = 0; i < now.library.size(); ++i) {
        const bool appended = i >= before_.library.size();
        const bool replaced = !appended && now.library[i] != before_.library[i];
        if (!appended && !replaced) continue;
        ++(appended ? c.savesAppended : c.savesReplaced);
        if (now.wireUnderWay) ++c.savesWithWireUnderWay;
        const std::size_t depth = depthOf(app.library[i]);
        if (depth >= 2) ++c.nestedSaves;
        c.deepestSave = std::max(c.deepestSave, depth);
    }

    if (now.inputs.size() > before_.inputs.size()) c.inputsAdded += now.inputs.size() - before_.inputs.size();
    if (now.inputs.size() < before_.inputs.size()) c.inputsRemoved += before_.inputs.size() - now.inputs.size();
    if (now.outputs > before_.outputs) c.outputsAdded += now.outputs - before_.outputs;
    if (now.outputs < before_.outputs) c.outputsRemoved += before_.outputs - now.outputs;
    bool blinked = false;
    for (std::size_t i = 0; i < std::min(now.inputs.size(), before_.inputs.size()); ++i) {
        if (now.inputs[i].clocked != before_.inputs[i].clocked) ++c.clockingSwitched;
        if (now.inputs[i].value == before_.inputs[i].value) continue;
        if (pressed && now.inputs[i].clocked == before_.inputs[i].clocked)
            ++c.inputsSwitched;
        else
            blinked = true;
    }
    if (blinked) ++c.blinks;
    c.mostBoardChips = std::max(c.mostBoardChips, now.chipIds.size());
    c.mostWires = std::max(c.mostWires, app.wires.size());
    before_ = now;
}

std::string Coverage::report() const {
    std::ostringstream out;
    out << frames << " frames, " << presses << " presses; chips: " << chipsPlaced << " placed ("
        << compositesPlaced << " saved ones), " << chipsRemoved << " removed, " << drags
        << " dragged, at most " << mostBoardChips << " at once; wires: " << wiresStarted << " started, "
        << wiresCompleted << " completed (" << wiresToOutputs << " to outputs), " << wiresAbandoned
        << " abandoned, " << wiresDeleted << " deleted, at most " << mostWires << " at once; saves: "
        << savesAppended << " new, " << savesReplaced << " replacing, " << nestedSaves
        << " nested, " << savesWithWireUnderWay << " with a wire under way, deepest " << deepestSave
        << " levels; pins: " << inputsAdded << "/" << inputsRemoved
        << " inputs and " << outputsAdded << "/" << outputsRemoved << " outputs added/removed, "
        << inputsSwitched << " inputs switched, " << clockingSwitched << " clockings switched, " << blinks
        << " blinks";
    return out.str();
}
