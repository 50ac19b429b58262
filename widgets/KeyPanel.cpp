#include "widgets/KeyPanel.h"

#include "widgets/Button.h"
#include "widgets/NameBox.h"

#include <algorithm>

namespace {

constexpr float MARGIN = 12.f;
constexpr float LINE_HEIGHT = 26.f;
constexpr float COLUMN_GAP = 24.f;

sf::Text line(const sf::Font& font, const std::string& words) {
    sf::Text text(words, font, KeyPanel::TEXT_SIZE);
    text.setFillColor(sf::Color::Black);
    return text;
}

}  // namespace

// In the colours of the name box: black words on its grey. Lines that do
// not fit under each other stand in another pair of columns beside.
void KeyPanel::setup(sf::Vector2f position, const sf::Font& font, const std::vector<std::pair<std::string, std::string>>& lines,
                     float tallest) {
    const std::size_t perColumn = std::max<std::size_t>(1, static_cast<std::size_t>((tallest - MARGIN) / LINE_HEIGHT));
    float x = position.x + MARGIN;
    for (std::size_t first = 0; first < lines.size(); first += perColumn) {
        const std::size_t end = std::min(lines.size(), first + perColumn);
        float keysWidth = 0.f, usesWidth = 0.f;
        for (std::size_t at = first; at < end; ++at) {
            columns.push_back(line(font, lines[at].first));
            columns.push_back(line(font, lines[at].second));
            keysWidth = std::max(keysWidth, columns[columns.size() - 2].getGlobalBounds().width);
            usesWidth = std::max(usesWidth, columns.back().getGlobalBounds().width);
            const float y = position.y + MARGIN / 2 + LINE_HEIGHT * static_cast<float>(at - first);
            columns[columns.size() - 2].setPosition(x, y);
            columns.back().setPosition(x + keysWidth, y);
        }
        for (std::size_t at = columns.size() - 2 * (end - first) + 1; at < columns.size(); at += 2)
            columns[at].setPosition(x + keysWidth + COLUMN_GAP, columns[at].getPosition().y);
        x += keysWidth + COLUMN_GAP + usesWidth + 2 * COLUMN_GAP;
    }
    const std::size_t rows = std::min(lines.size(), perColumn);
    panel.setPosition(position);
    panel.setSize({x - 2 * COLUMN_GAP + MARGIN - position.x, MARGIN + LINE_HEIGHT * static_cast<float>(rows)});
    panel.setFillColor(NameBox::FILL);
    panel.setOutlineColor(NameBox::OUTLINE);
    panel.setOutlineThickness(Button::OUTLINE_THICKNESS);
}
