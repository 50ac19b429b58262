#include "chip/Chip.h"

#include <algorithm>
#include <cmath>

namespace {

uint64_t lastLayoutStamp = 0;

}  // namespace

Chip::Chip(ChipLogic logic, Point position, std::string name, float labelWidth)
    : ChipLogic(std::move(logic)),
      name_(std::move(name)),
      labelWidth_(labelWidth),
      position_(position),
      size_{labelWidth_ + LABEL_MARGIN, HEIGHT} {
    layout();
}

void Chip::layout() {
    laidOutAt_ = position_;
    laidOutSize_ = size_;
    layoutStamp_ = ++lastLayoutStamp;
}

void Chip::moveTo(Point position) {
    // A chip held still by the mouse is moved where it stands every frame:
    // that lays out nothing again.
    if (position == position_ && !keptAt_ && laidOutAt_ == position_ && laidOutSize_ == size_) return;
    position_ = position;
    keptAt_.reset();
    layout();
}

void Chip::resize(Point size) {
    size_ = size;
    layoutStamp_ = ++lastLayoutStamp;
}

Point Chip::boardSize() const {
    const int32_t pins = std::max(inputCount(), outputCount());
    return {labelWidth_ + LABEL_MARGIN, static_cast<float>(std::sqrt(static_cast<double>(pins)) * HEIGHT)};
}

bool Chip::contains(Point point) const {
    return Box{position_.x, position_.y, size_.x, size_.y}.contains(point);
}

Point Chip::labelPosition() const { return {laidOutAt_.x + (laidOutSize_.x - labelWidth_) * 0.5f, laidOutAt_.y}; }

Point Chip::pinPosition(int32_t circle) const {
    return circle < inputCount() ? inputPinPosition(circle) : outputPinPosition(circle - inputCount());
}

bool Chip::pinValue(int32_t circle) const {
    return circle < inputCount() ? input(circle) : output(circle - inputCount());
}

// Pins are spread evenly down each edge, with equal gaps at both ends.
Point Chip::inputPinPosition(int32_t pin) const {
    return {laidOutAt_.x, laidOutAt_.y + laidOutSize_.y / static_cast<float>(inputCount() + 1) * static_cast<float>(pin + 1)};
}

Point Chip::outputPinPosition(int32_t pin) const {
    return {laidOutAt_.x + laidOutSize_.x,
            laidOutAt_.y + laidOutSize_.y / static_cast<float>(outputCount() + 1) * static_cast<float>(pin + 1)};
}

bool operator==(const Chip& a, const Chip& b) {
    return static_cast<const ChipLogic&>(a) == static_cast<const ChipLogic&>(b) && a.name_ == b.name_ &&
           a.position_ == b.position_ && a.size_ == b.size_;
}
