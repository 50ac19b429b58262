// The palette row: where each entry stands, scrolling the row by whole
// entries with the mouse wheel when it runs past the screen's right edge,
// and taking a saved chip out of it with Delete.

#include "app/App.h"
#include "app/Layout.h"
#include "app/Screen.h"

#include <algorithm>

namespace {

constexpr float NOT_LEFT = 20.f;
constexpr float AND_LEFT = 100.f;

// Where the body of `entry` would stand with its left edge at `left`, as the
// graphics library measures it.
sf::FloatRect boundsAt(const Chip& entry, float left) {
    sf::RectangleShape body = entry.body();
    body.setPosition(left, body.getPosition().y);
    return body.getGlobalBounds();
}

}  // namespace

// NOT and AND stand where the scene put them, and every later entry 15
// pixels right of the one before; scrolled, the first entry shown stands
// where NOT stands, and those before it are not shown.
void App::layoutPalette() {
    std::vector<float> lefts;
    for (std::size_t index = 0; index < library.size(); ++index) {
        const sf::FloatRect before = index < 2 ? sf::FloatRect() : boundsAt(library[index - 1], lefts.back());
        lefts.push_back(index == 0 ? NOT_LEFT : index == 1 ? AND_LEFT : before.left + before.width + layout::PALETTE_GAP);
    }
    firstShownEntry = std::min(firstShownEntry, library.size() - 1);
    const float shift = lefts[firstShownEntry] - NOT_LEFT;
    for (std::size_t index = 0; index < library.size(); ++index) {
        const sf::Vector2f place(lefts[index] - shift, SCREEN_H - layout::PALETTE_RAISE);
        if (library[index].position() != place) library[index].moveTo(place);
    }
}

// Asked every frame, so from the body's place and size, without making its shape.
bool App::paletteRunsPastEdge() const { return library.back().position().x + library.back().size().x > SCREEN_W; }

// By whole entries: earlier ones while there are any, later ones while the
// row runs past the right edge.
void App::scrollPalette(int entries) {
    for (; entries < 0 && firstShownEntry > 0; ++entries) --firstShownEntry, layoutPalette();
    for (; entries > 0 && paletteRunsPastEdge() && firstShownEntry + 1 < library.size(); --entries) ++firstShownEntry, layoutPalette();
}

// After the palette changed: scrolled no further than it needs to be, so a
// palette that fits stands as it always has.
void App::settlePalette() {
    layoutPalette();
    while (firstShownEntry > 0) {
        --firstShownEntry, layoutPalette();
        if (paletteRunsPastEdge()) return scrollPalette(1);
    }
}

void App::scrollPaletteWithWheel() {
    if (!inPaletteRow(mouse())) return;
    const float delta = frame.event.mouseWheelScroll.delta;
    scrollPalette(delta > 0 ? -1 : delta < 0 ? 1 : 0);
}

bool App::inPaletteRow(sf::Vector2f point) const {
    const Chip& first = library.front();
    const float top = first.position().y;
    return top < point.y && point.y <= top + first.size().y;
}

const PaletteEntry* App::paletteEntryAt(sf::Vector2f point) const {
    if (!inPaletteRow(point)) return nullptr;
    for (std::size_t index = firstShownEntry; index < library.size(); ++index) {
        const float left = library[index].position().x;
        if (left < point.x && point.x <= left + library[index].size().x) return &library[index];
    }
    return nullptr;
}

// NOT and AND stay, whatever replaced them. Chips placed from the entry, or
// saved with it inside, keep what they are.
void App::removePaletteEntryUnderMouse() {
    const PaletteEntry* entry = paletteEntryAt(mouse());
    if (!entry || entry < library.data() + 2) return;
    recordEdit("remove " + entry->name() + " from the palette", true);
    library.erase(library.begin() + (entry - library.data()));
    settlePalette();
}
