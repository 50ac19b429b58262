#pragma once

#include "chip/Box.h"
#include "chip/ChipLogic.h"
#include "chip/Point.h"

#include <functional>
#include <optional>
#include <string>

// How wide a chip's name is drawn as its label: the graphics measure it.
using LabelWidth = std::function<float(const std::string& name)>;

// A chip as the palette and the board show it: its logic, its name, and
// where its body stands. The body is a red rectangle with the name along its
// top edge and one small circle per pin, inputs down the left edge and
// outputs down the right; what draws it makes those shapes from here.
//
// A chip is a value that costs little more than its logic to copy: it keeps
// its name, the width its label takes, where its body stands and where its
// label and pins were last laid out.
class Chip : public ChipLogic {
public:
    static constexpr float HEIGHT = 50.f;
    static constexpr float LABEL_MARGIN = 30.f;  // body width = label width + margin
    static constexpr float PIN_RADIUS = 5.f;
    static constexpr unsigned LABEL_SIZE = 20;

    // A chip with the given logic: its id, kind, pin values and inner circuit.
    // Its body stands at `position`, 50 high and as wide as its label (which
    // takes `labelWidth` pixels) plus the margin, and is laid out there.
    Chip(ChipLogic logic, Point position, std::string name, float labelWidth);

    // Places the label and every pin from the body's position and size.
    void layout();

    // Moves the body and lays the chip out at once. Where it is kept is
    // where it now stands.
    void moveTo(Point position);
    // Where the chip is kept, which may differ from where it stands: a chip
    // read from a larger screen stands inside this one's board, but is kept
    // where it stood there until it is moved.
    Point keptPosition() const { return keptAt_.value_or(position_); }
    void keepPositionAs(Point position) { keptAt_ = position; }
    // Resizes the body; its label and pins stay where they are until the next layout.
    void resize(Point size);

    // What the body becomes on the board: as wide as in the palette, and
    // taller with the chip's larger pin count.
    Point boardSize() const;

    // Left and top edges outside, right and bottom edges inside.
    bool contains(Point point) const;

    // Changes whenever the body, a pin or the label is placed or sized anew,
    // to a number no other chip's layout has had: equal stamps, same shapes.
    uint64_t layoutStamp() const { return layoutStamp_; }

    const std::string& name() const { return name_; }
    Point position() const { return position_; }
    Point size() const { return size_; }
    Box bounds() const { return Box::placed(position_, size_); }

    // The label's top-left corner: centred over the body as last laid out,
    // its top on the body's top edge.
    Point labelPosition() const;
    // The centre of pin circle `circle`: the inputs', then the outputs'.
    Point pinPosition(int32_t circle) const;
    // The value pin circle `circle` shows.
    bool pinValue(int32_t circle) const;
    Point inputPinPosition(int32_t pin) const;
    Point outputPinPosition(int32_t pin) const;

    // The same logic, name and body; where the label and pins were last laid
    // out is not compared.
    friend bool operator==(const Chip& a, const Chip& b);
    friend bool operator!=(const Chip& a, const Chip& b) { return !(a == b); }

private:
    std::string name_;
    float labelWidth_;
    Point position_;
    Point size_;
    // The body's position and size when the label and pins were last laid out.
    Point laidOutAt_;
    Point laidOutSize_;
    uint64_t layoutStamp_ = 0;
    std::optional<Point> keptAt_;
};
