#include "app/TimingDiagram.h"

#include "app/Layout.h"
#include "app/Shapes.h"
#include "widgets/Button.h"
#include "widgets/NameBox.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float MARGIN = 8.f;
constexpr float SIDE = 16.f;           // from the frame's edges, clear of the board's pin circles
constexpr float MOST_OF_FRAME = 0.6f;  // of the frame's height, at most
constexpr float THINNEST_ROW = 4.f;    // more rows than fit so are not shown
constexpr float NAME_HEIGHT = 22.f;    // the room a name takes
constexpr float LINE = 2.f;            // a row's line, and its edges, this thick
const sf::Color EDGE(150, 150, 150, 255);
const sf::Color NAME_COLOUR(220, 220, 220, 255);

}  // namespace

const sf::Color TimingDiagram::FILL(90, 90, 90, 255);

void TimingDiagram::setup(const Box& frame, const sf::Font& font) {
    frame_ = frame;
    font_ = &font;
    panel_.setFillColor(FILL);
    panel_.setOutlineColor(NameBox::OUTLINE);
    panel_.setOutlineThickness(Button::OUTLINE_THICKNESS);
}

bool TimingDiagram::covers(Point point) const { return shown_ && panel_.getGlobalBounds().contains(toScreen(point)); }

// Paused or slowed, most frames run no step: the diagram stays as drawn.
void TimingDiagram::update(const SignalRecord& record) {
    if (!shown_ || record.version() == drawnVersion_) return;
    drawnVersion_ = record.version();
    nameRows(record);
    layOut(record.signalCount());
    strokes_.clear();
    for (int32_t row = 0; row < rows_; ++row) strokeRow(record, row);
}

// Names are made again only when they change: measuring them takes long.
void TimingDiagram::nameRows(const SignalRecord& record) {
    const auto count = static_cast<size_t>(record.signalCount());
    bool same = signalNames_.size() == count;
    for (size_t signal = 0; same && signal < count; ++signal) same = signalNames_[signal] == record.name(static_cast<int32_t>(signal));
    if (same) return;
    signalNames_.clear(), names_.clear();
    namesWidth_ = 0.f;
    for (size_t signal = 0; signal < count; ++signal) {
        signalNames_.push_back(record.name(static_cast<int32_t>(signal)));
        names_.emplace_back(signalNames_.back(), *font_, TEXT_SIZE);
        names_.back().setFillColor(NAME_COLOUR);
        namesWidth_ = std::max(namesWidth_, std::ceil(names_.back().getLocalBounds().width));
    }
}

// As tall as its rows, at the foot of the frame; rows thinner when they do
// not fit, down to the thinnest.
void TimingDiagram::layOut(int32_t signals) {
    const float room = std::floor(frame_.height * MOST_OF_FRAME) - 2 * MARGIN;
    rows_ = std::min(signals, static_cast<int32_t>(room / THINNEST_ROW));
    rowHeight_ = rows_ > 0 ? std::min(ROW_HEIGHT, std::floor(room / static_cast<float>(rows_))) : ROW_HEIGHT;
    nameEvery_ = static_cast<int32_t>(std::ceil(NAME_HEIGHT / rowHeight_));
    const float left = frame_.left + SIDE, right = frame_.right() - SIDE;
    const float height = static_cast<float>(rows_) * rowHeight_ + 2 * MARGIN;
    panel_.setPosition(left, frame_.bottom() - MARGIN - height);
    panel_.setSize({right - left, height});
    plotRight_ = right - MARGIN;
    columns_ = static_cast<int32_t>((plotRight_ - (left + 2 * MARGIN + namesWidth_)) / COLUMN_WIDTH);
    for (int32_t row = 0; row < rows_; row += nameEvery_) {
        sf::Text& name = names_[static_cast<size_t>(row)];
        const sf::FloatRect bounds = name.getLocalBounds();
        const float middle = (level(row, true) + level(row, false)) / 2;
        name.setPosition(left + MARGIN, std::round(middle - bounds.top - bounds.height / 2));
    }
}

// A line for each run of steps of one value, an edge between two runs.
void TimingDiagram::strokeRow(const SignalRecord& record, int32_t row) {
    const int64_t end = record.endStep(), first = std::max(record.since(row), end - columns_);
    const float high = level(row, true), low = level(row, false);
    const auto run = [&](int64_t from, int64_t to, bool value) {
        const float x = columnLeft(end - from), y = value ? high : low;
        strokes_.push_back({{x, y - LINE / 2, columnLeft(end - to) - x, LINE}, logicColour(value)});
    };
    uint64_t word = 0;
    int64_t runStart = first;
    bool runValue = false;
    for (int64_t step = first; step < end; ++step) {
        const int64_t offset = (step - first) % 64;
        if (offset == 0) word = record.bits(row, step);
        const bool value = (word >> offset) & 1;
        if (step == first) runValue = value;
        if (value == runValue) continue;
        run(runStart, step, runValue);
        strokes_.push_back({{columnLeft(end - step) - LINE / 2, high - LINE / 2, LINE, low - high + LINE}, EDGE});
        runStart = step, runValue = value;
    }
    if (first < end) run(runStart, end, runValue);
}

float TimingDiagram::level(int32_t row, bool high) const {
    const float top = panel_.getPosition().y + MARGIN + static_cast<float>(row) * rowHeight_;
    return top + std::round(rowHeight_ * (high ? 0.2f : 0.8f));
}

sf::Vector2f TimingDiagram::at(int32_t row, int32_t column, bool high) const {
    return {columnLeft(columns_ - column) + COLUMN_WIDTH / 2, level(row, high)};
}
