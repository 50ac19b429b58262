#pragma once

#include "chip/Box.h"
#include "chip/Chip.h"
#include "storage/SignalRecord.h"

#include <SFML/Graphics.hpp>

#include <string>
#include <vector>

// The board's pins over their last steps, over the lower part of the board:
// a row per pin, named at its left, and a column per step, the newest at the
// right, so the rows scroll left as steps run. Each row is a line, high and
// green where the pin was 1, low and dark where it was 0, and missing before
// the pin was there. Rows are as tall as there is room for, up to a limit,
// and a name goes with every row that has room for it, else every few rows.
// Hidden until asked for; shown, it covers what lies under it.
class TimingDiagram {
public:
    static constexpr unsigned TEXT_SIZE = Chip::LABEL_SIZE;  // on the page of the font the overlay draws with
    static constexpr float COLUMN_WIDTH = 6.f;               // of a step: 285 steps on a 1920 px board
    static constexpr float ROW_HEIGHT = 28.f;                // at most
    static const sf::Color FILL;

    // A line of a row, or the edge between two of its steps.
    struct Stroke {
        sf::FloatRect box;
        sf::Color colour;
    };

    // Within the board frame, clear of the pins on its edges.
    void setup(const Box& frame, const sf::Font& font);
    void toggle() { shown_ = !shown_; }
    bool isShown() const { return shown_; }
    // Whether it is shown and covers the point.
    bool covers(Point point) const;
    // The record laid out, while shown.
    void update(const SignalRecord& record);

    const sf::RectangleShape& panel() const { return panel_; }
    const std::vector<Stroke>& strokes() const { return strokes_; }
    // The rows shown, from the record's first signal on, and their names, a
    // name every nameEvery() rows.
    int32_t rows() const { return rows_; }
    const std::vector<sf::Text>& names() const { return names_; }
    int32_t nameEvery() const { return nameEvery_; }
    // The steps shown: at most this many, the newest in the last column.
    int32_t columns() const { return columns_; }
    // Where row `row` runs in column `column` when its pin is high, or low.
    sf::Vector2f at(int32_t row, int32_t column, bool high) const;

private:
    void nameRows(const SignalRecord& record);
    void layOut(int32_t signals);
    void strokeRow(const SignalRecord& record, int32_t row);
    float level(int32_t row, bool high) const;
    float columnLeft(int64_t stepsBeforeEnd) const { return plotRight_ - static_cast<float>(stepsBeforeEnd) * COLUMN_WIDTH; }

    Box frame_;
    const sf::Font* font_ = nullptr;
    bool shown_ = false;
    sf::RectangleShape panel_;
    std::vector<std::string> signalNames_;  // that the names were made from
    std::vector<sf::Text> names_;
    float namesWidth_ = 0.f;
    std::vector<Stroke> strokes_;
    uint64_t drawnVersion_ = 0;  // of the record the strokes were drawn from
    int32_t rows_ = 0;
    float rowHeight_ = ROW_HEIGHT;
    int32_t nameEvery_ = 1;
    int32_t columns_ = 0;
    float plotRight_ = 0.f;
};
