#include "editing/BoardLayout.h"

#include "chip/Chip.h"

namespace {

// Holds a position of the given extent inside [start, start + length]; the
// low edge wins when the extent does not fit.
float clampInto(float position, float extent, float start, float length) {
    if (start > position) return start;
    if (position + extent > length + start) return length + start - extent;
    return position;
}

}  // namespace

Point BoardLayout::pinPoint(float x, std::size_t index, std::size_t count) const {
    const float band = height_ - 2 * FRAME_TOP;
    return {x, band / (static_cast<float>(count) + 1) * static_cast<float>(index + 1) + FRAME_TOP};
}

std::optional<int32_t> BoardLayout::pinAt(float x, Point point, std::size_t count) const {
    if (!(x - PIN_RADIUS < point.x && point.x <= x + PIN_RADIUS)) return std::nullopt;
    for (std::size_t index = 0; index < count; ++index) {
        const float centre = pinPoint(x, index, count).y;
        if (centre - PIN_RADIUS < point.y && point.y <= centre + PIN_RADIUS) return static_cast<int32_t>(index);
    }
    return -1;
}

Point BoardLayout::holdInFrame(Point wanted, Point size) const {
    const Box area = frame();
    return {clampInto(wanted.x, size.x, area.left, area.width), clampInto(wanted.y, size.y, area.top, area.height)};
}

Point BoardLayout::inFrame(const Chip& chip, Point wanted) const {
    const Box bounds = chip.bounds();
    return holdInFrame(wanted, {bounds.width, bounds.height});
}

void BoardLayout::standInFrame(Chip& chip) const {
    chip.resize(chip.boardSize());
    const Point kept = chip.keptPosition();
    chip.moveTo(inFrame(chip, chip.position()));
    if (chip.position() != kept) chip.keepPositionAs(kept);
}
