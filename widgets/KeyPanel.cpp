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
// not fit under each other stand in pairs of columns side by side, as many
// lines in each; a panel still too large for its room is drawn smaller.
void KeyPanel::setup(sf::Vector2f position, const sf::Font& font, const std::vector<std::pair<std::string, std::string>>& lines,
                     sf::Vector2f room) {
    const std::size_t fits = std::max<std::size_t>(1, static_cast<std::size_t>((room.y - MARGIN) / LINE_HEIGHT));
    const std::size_t blocks = (lines.size() + fits - 1) / fits;
    const std::size_t perColumn = (lines.size() + blocks - 1) / std::max<std::size_t>(blocks, 1);
    float x = MARGIN;
    for (std::size_t first = 0; first < lines.size(); first += perColumn) {
        const std::size_t end = std::min(lines.size(), first + perColumn);
        float keysWidth = 0.f, usesWidth = 0.f;
        for (std::size_t at = first; at < end; ++at) {
            columns.push_back(line(font, lines[at].first));
            columns.push_back(line(font, lines[at].second));
            keysWidth = std::max(keysWidth, columns[columns.size() - 2].getGlobalBounds().width);
            usesWidth = std::max(usesWidth, columns.back().getGlobalBounds().width);
        }
        for (std::size_t at = first; at < end; ++at) {
            const std::size_t index = columns.size() - 2 * (end - at);
            const float y = MARGIN / 2 + LINE_HEIGHT * static_cast<float>(at - first);
            columns[index].setPosition(x, y);
            columns[index + 1].setPosition(x + keysWidth + COLUMN_GAP, y);
        }
        x += keysWidth + COLUMN_GAP + usesWidth + 2 * COLUMN_GAP;
    }
    const sf::Vector2f size(x - 2 * COLUMN_GAP + MARGIN, MARGIN + LINE_HEIGHT * static_cast<float>(std::min(lines.size(), perColumn)));
    const float scale = std::min({1.f, room.x / size.x, room.y / size.y});
    for (sf::Text& text : columns) text.setPosition(position + text.getPosition() * scale), text.setScale(scale, scale);
    panel.setPosition(position);
    panel.setSize(size * scale);
    panel.setFillColor(NameBox::FILL);
    panel.setOutlineColor(NameBox::OUTLINE);
    panel.setOutlineThickness(Button::OUTLINE_THICKNESS);
}
