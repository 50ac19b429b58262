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

// In the colours of the name box: black words on its grey.
void KeyPanel::setup(sf::Vector2f position, const sf::Font& font, const std::vector<std::pair<std::string, std::string>>& lines) {
    float keysWidth = 0.f, usesWidth = 0.f;
    for (const auto& [keys, use] : lines) {
        columns.push_back(line(font, keys));
        columns.push_back(line(font, use));
        keysWidth = std::max(keysWidth, columns[columns.size() - 2].getGlobalBounds().width);
        usesWidth = std::max(usesWidth, columns.back().getGlobalBounds().width);
    }
    for (std::size_t index = 0; index < columns.size(); ++index) {
        const float x = position.x + MARGIN + (index % 2 ? keysWidth + COLUMN_GAP : 0.f);
        columns[index].setPosition(x, position.y + MARGIN / 2 + LINE_HEIGHT * static_cast<float>(index / 2));
    }
    panel.setPosition(position);
    panel.setSize({2 * MARGIN + keysWidth + COLUMN_GAP + usesWidth, MARGIN + LINE_HEIGHT * static_cast<float>(lines.size())});
    panel.setFillColor(NameBox::FILL);
    panel.setOutlineColor(NameBox::OUTLINE);
    panel.setOutlineThickness(Button::OUTLINE_THICKNESS);
}
