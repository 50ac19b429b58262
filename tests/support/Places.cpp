#include "support/Places.h"

#include "app/Screen.h"

#include <cmath>
#include <iterator>

namespace {

constexpr float MARGIN = 2.f;

sf::Vector2i pixel(float x, float y) {
    return sf::Vector2i(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
}

// Inside [left - MARGIN, right + MARGIN] x [top - MARGIN, bottom + MARGIN].
sf::Vector2i inRect(sf::Vector2f position, sf::Vector2f size, float u, float v) {
    return pixel(position.x - MARGIN + u * (size.x + 2 * MARGIN),
                 position.y - MARGIN + v * (size.y + 2 * MARGIN));
}

sf::Vector2i nearCircle(const sf::CircleShape& circle, float u, float v) {
    const float reach = circle.getRadius() + MARGIN;
    return pixel(circle.getPosition().x - reach + u * 2 * reach,
                 circle.getPosition().y - reach + v * 2 * reach);
}

// The strip of a column of circles, at any height.
sf::Vector2i inColumn(const sf::CircleShape& first, float u, float v) {
    const float reach = first.getRadius() + MARGIN;
    return pixel(first.getPosition().x - reach + u * 2 * reach, v * SCREEN_H);
}

sf::Vector2i anywhere(float u, float v) {
    return pixel(-40.f + u * (SCREEN_W + 80.f), -40.f + v * (SCREEN_H + 80.f));
}

template <class Container>
auto nth(const Container& items, uint32_t index) {
    return std::next(items.begin(), static_cast<std::ptrdiff_t>(index % items.size()));
}

sf::Vector2i onWire(const Wire& wire, float u, float v) {
    const sf::Vector2f a = wire.sourcePoint();
    const sf::Vector2f b = wire.targetPoint();
    const sf::Vector2f along = a + (b - a) * u;
    const sf::Vector2f d = b - a;
    const float length = std::sqrt(d.x * d.x + d.y * d.y);
    const float side = (v * 2.f - 1.f) * 8.f;
    if (length < 1.f) return pixel(along.x + side, along.y);
    return pixel(along.x - d.y / length * side, along.y + d.x / length * side);
}

sf::Vector2i onEdge(const App& app, uint32_t index, float u) {
    const sf::Vector2f frameAt = app.boardFrame.getPosition();
    const sf::Vector2f frameSize = app.boardFrame.getSize();
    const float xs[] = {-1.f, 0.f, 1.f, SCREEN_W - 1.f, SCREEN_W, frameAt.x, frameAt.x + frameSize.x,
                        frameAt.x - 1.f, frameAt.x + frameSize.x + 1.f};
    const float ys[] = {-1.f, 0.f, 1.f, SCREEN_H - 1.f, SCREEN_H, frameAt.y, frameAt.y + frameSize.y,
                        frameAt.y - 1.f, frameAt.y + frameSize.y + 1.f};
    constexpr uint32_t count = 9;
    // Half of them on a vertical edge at some height, half on a horizontal one.
    if (index % 2 == 0) return pixel(xs[(index / 2) % count], u * SCREEN_H);
    return pixel(u * SCREEN_W, ys[(index / 2) % count]);
}

}  // namespace

sf::Vector2i pointAt(const App& app, Place place, uint32_t index, float u, float v) {
    switch (place) {
        case Place::Button: {
            const Button& button = app.buttons[index % app.buttons.size()];
            return inRect(button.rect.getPosition(), button.rect.getSize(), u, v);
        }
        case Place::NameBox:
            return inRect(app.nameBox.rect().getPosition(), app.nameBox.rect().getSize(), u, v);
        case Place::BoardInput:
            return nearCircle(*nth(app.inputCircles, index), u, v);
        case Place::BoardOutput:
            return nearCircle(*nth(app.outputCircles, index), u, v);
        case Place::PaletteEntry: {
            const sf::RectangleShape& body = nth(app.library, index)->body();
            return inRect(body.getPosition(), body.getSize(), u, v);
        }
        case Place::SavedEntry: {
            const std::size_t saved = app.library.size() - 2;
            const std::size_t at = saved == 0 ? index % 2 : 2 + index % saved;
            const sf::RectangleShape& body = app.library[at].body();
            return inRect(body.getPosition(), body.getSize(), u, v);
        }
        case Place::BoardChip: {
            if (app.boardChips.empty()) return anywhere(u, v);
            const sf::RectangleShape& body = nth(app.boardChips, index)->body();
            return inRect(body.getPosition(), body.getSize(), u, v);
        }
        case Place::Wire:
            if (app.wires.empty()) return anywhere(u, v);
            return onWire(*nth(app.wires, index), u, v);
        case Place::EmptyBoard:
            return inRect(app.boardFrame.getPosition(), app.boardFrame.getSize(), u, v);
        case Place::InputColumn:
            return inColumn(app.inputCircles.front(), u, v);
        case Place::OutputColumn:
            return inColumn(app.outputCircles.front(), u, v);
        case Place::PaletteRow: {
            const sf::RectangleShape& first = app.library.front().body();
            return pixel(u * SCREEN_W, first.getPosition().y - MARGIN + v * (first.getSize().y + 2 * MARGIN));
        }
        case Place::Anywhere:
            return anywhere(u, v);
        case Place::Edge:
            return onEdge(app, index, u);
    }
    return anywhere(u, v);
}
