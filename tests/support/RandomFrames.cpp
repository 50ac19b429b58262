#include "support/RandomFrames.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int64_t LARGEST_PLACED = 3000;  // parts of a saved chip, pins and wires included
constexpr int64_t LARGEST_SAVED = 20000;
constexpr std::size_t MOST_CHIPS = 100;  // on a board that still grows by pasting and duplicating

sf::FloatRect around(const sf::CircleShape& circle) { return circle.getGlobalBounds(); }
sf::FloatRect around(const sf::RectangleShape& shape) { return {shape.getPosition(), shape.getSize()}; }
sf::FloatRect around(const Chip& chip) { return {toScreen(chip.position()), toScreen(chip.size())}; }

template <class Container>
const auto& nth(const Container& items, uint8_t index) {
    return *std::next(items.begin(), static_cast<long>(index % items.size()));
}

bool tooLargeToSave(const App& app) {
    int64_t size = 0;
    for (const Chip& chip : app.editor().board().chips) size += chip.treeSize();
    return size > LARGEST_SAVED;
}

}  // namespace

FrameInput RandomFrames::next(const App& app) {
    FrameInput frame{false, app.frame().event, app.frame().mousePos, false,
                     std::max(app.frame().now, sf::microseconds(app.editor().blinkRestartedAt().count())) + sf::milliseconds(16)};
    const uint8_t roll = byte();
    switch (app.widgets().nameBox.isActive() && roll % 3 == 0 ? 10 : roll % 16) {  // keeps typing once focused
        case 0: case 1: case 2: case 3: case 4: case 5:  // a press, most of them at something that takes one
        case 6: case 7: {  // a release; or a stale event, never to be acted on
            static constexpr sf::Mouse::Button buttons[] = {sf::Mouse::Left,  sf::Mouse::Left,   sf::Mouse::Left,
                                                            sf::Mouse::Left,  sf::Mouse::Right,  sf::Mouse::Right,
                                                            sf::Mouse::Middle, sf::Mouse::XButton1};
            const bool press = roll % 16 < 6;
            frame.mousePos = somewhere(app);
            frame.event.type = press ? sf::Event::MouseButtonPressed : sf::Event::MouseButtonReleased;
            frame.event.mouseButton = {buttons[byte() % std::size(buttons)], frame.mousePos.x, frame.mousePos.y};
            frame.rightButtonHeld = press && frame.event.mouseButton.button == sf::Mouse::Right;
            frame.controlHeld = press && byte() % 16 == 0;
            frame.shiftHeld = press && byte() % 8 == 0;
            const bool onSave = around(app.widgets().buttons[Widgets::Save].rect).contains(sf::Vector2f(frame.mousePos));
            frame.eventPending = roll % 16 != 7 && !(press && onSave && tooLargeToSave(app));
            break;
        }
        case 10: case 11: {
            static constexpr sf::Uint32 typed[] = {'A', 'B', 'C', 'D', 'N', 8, 8, 13, 9, 0xE9, 0x263A};
            frame.eventPending = true;
            frame.event.type = sf::Event::TextEntered;
            frame.event.text.unicode = typed[byte() % std::size(typed)];
            break;
        }
        case 12: {  // a key but Escape, with Ctrl, Shift and Alt or not; the editor's keys most often
            static constexpr sf::Keyboard::Key keys[] = {sf::Keyboard::Z, sf::Keyboard::Y, sf::Keyboard::Z, sf::Keyboard::Delete,
                                                         sf::Keyboard::F1, sf::Keyboard::Space, sf::Keyboard::Space, sf::Keyboard::Right,
                                                         sf::Keyboard::LBracket, sf::Keyboard::RBracket, sf::Keyboard::RBracket,
                                                         sf::Keyboard::Left, sf::Keyboard::Left, sf::Keyboard::BackSpace,
                                                         sf::Keyboard::C, sf::Keyboard::D, sf::Keyboard::V, sf::Keyboard::D,
                                                         sf::Keyboard::U, sf::Keyboard::F2, sf::Keyboard::F2};
            const uint8_t key = byte(), modifiers = byte();
            const bool leaveLook = app.editor().inside() && modifiers % 4 == 0;  // the board is not left for long
            frame.eventPending = true;
            frame.event.type = sf::Event::KeyPressed;
            frame.event.key = {leaveLook ? sf::Keyboard::BackSpace
                               : key % 2 ? keys[key / 2 % std::size(keys)]
                                         : static_cast<sf::Keyboard::Key>(key % sf::Keyboard::Escape),
                               (modifiers & 8) != 0, (modifiers & 3) != 0, (modifiers & 4) != 0, false};
            const bool grows = frame.event.key.code == sf::Keyboard::V || frame.event.key.code == sf::Keyboard::D;
            frame.eventPending = !(grows && (app.editor().board().chips.size() > MOST_CHIPS || tooLargeToSave(app)));
            // Ctrl+E would write a file each time: the export is tested on its own.
            if (frame.event.key.code == sf::Keyboard::E) frame.event.key.control = false;
            break;
        }
        case 13: frame.rightButtonHeld = true, frame.mousePos = somewhere(app); break;
        case 14:  // a long pause, or the wheel turned
            if (roll & 16) {
                frame.now += sf::milliseconds(byte() * 8);
                break;
            }
            frame.mousePos = somewhere(app);
            frame.eventPending = true;
            frame.event.type = sf::Event::MouseWheelScrolled;
            frame.event.mouseWheelScroll = {sf::Mouse::VerticalWheel, byte() % 2 ? 1.f : -1.f, frame.mousePos.x, frame.mousePos.y};
            break;
        default: frame.mousePos = somewhere(app);
    }
    return frame;
}

sf::Vector2i RandomFrames::somewhere(const App& app) {
    const uint8_t index = byte(), kind = byte();
    // A wire under way is mostly taken on to a chip or a board output;
    const bool drawing = app.wiring().isDrawing();
    const Editor& editor = app.editor();
    const Board& board = editor.shownBoard();  // inside a chip looked into, its chips and wires
    const Palette& palette = editor.palette();
    // Armed, mostly on a board input or a chip, to start one.
    const bool armed = app.wiring().state() == WiringState::Armed;
    switch (drawing && kind % 2 ? (kind % 4 == 1 ? 3 : 5) : armed && kind % 2 ? (kind % 4 == 1 ? 2 : 5) : kind % 10) {
        case 0: {  // "Connect", "Save" and the "+" buttons most often
            static constexpr int favourites[] = {4, 5, 4, 5, 0, 2, 0, 1, 2, 3, 4, 5, 4, 4};
            return inside(around(app.widgets().buttons[favourites[index % std::size(favourites)]].rect));
        }
        case 1: return inside(around(app.widgets().nameBox.rect()));
        case 2: return inside(around(inputCircle(editor, index % board.inputs.size())));
        case 3: return inside(around(outputCircle(editor, index % board.outputs.size())));
        case 4: {  // an entry shown
            const Chip& entry = palette[palette.firstShown() + index % (palette.size() - palette.firstShown())];
            return inside(around(entry.treeSize() > LARGEST_PLACED ? palette[palette.firstShown()] : entry));
        }
        case 5: case 6:
            if (!board.chips.empty()) return inside(around(nth(board.chips, index)));
            break;
        case 7:
            if (!board.wires.empty()) {  // near a point of a wire
                const Wire& wire = nth(board.wires, index);
                const sf::Vector2f along = toScreen(wire.sourcePoint() + (wire.targetPoint() - wire.sourcePoint()) * (byte() / 255.f));
                const int dx = byte() % 17 - 8, dy = byte() % 17 - 8;
                return sf::Vector2i(along) + sf::Vector2i(dx, dy);
            }
            break;
        case 8: return inside(around(app.widgets().boardFrame));
    }
    const int x = byte() * 8 - 20, y = byte() * 5 - 20;
    return {x, y};  // anywhere, the window's edges included
}

// Mostly inside the area, often on its very edges or just beside them.
sf::Vector2i RandomFrames::inside(const sf::FloatRect& area) {
    const auto fraction = [this] { return static_cast<float>(byte() % 24 - 2) / 20.f; };
    const float x = area.left + area.width * fraction(), y = area.top + area.height * fraction();
    return sf::Vector2i(sf::Vector2f(x, y));
}
