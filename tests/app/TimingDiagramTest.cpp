#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The diagram's row names, and a row's last columns: 1 where a green line
// runs high, 0 where a black one runs low, a space where none runs.
std::string shown(const AppDriver& user, int32_t row = -1, int32_t columns = 8) {
    const TimingDiagram& diagram = user.app.widgets().timingDiagram;
    std::string values;
    for (int32_t name = 0; row < 0 && name < diagram.rows(); ++name) values += diagram.names()[name].getString() + " ";
    const auto runs = [&](int32_t column, bool high) {
        return std::any_of(diagram.strokes().begin(), diagram.strokes().end(), [&](const TimingDiagram::Stroke& stroke) {
            return stroke.box.contains(diagram.at(row, column, high)) && stroke.colour == (high ? sf::Color::Green : sf::Color::Black);
        });
    };
    for (int32_t column = diagram.columns() - columns; row >= 0 && column < diagram.columns(); ++column)
        values += runs(column, true) ? '1' : runs(column, false) ? '0' : ' ';
    return values;
}

}  // namespace

// F2 shows a row per board pin, named, over at least its last 256 steps, the
// newest at the right. Paused, it stands still; each step by hand moves it a
// column: the switch shows in the step that carries it, the lamp after the
// NOT. A pin added has no past; a pin named is named at once. The chips under the diagram take no press;
// the switches beside it do.
TEST(TimingDiagram, ARowPerPinAndAColumnPerStep) {
    AppDriver user;
    user.setPinCounts(2, 1);
    user.app.editor().namePin(false, 0, "a");
    const int32_t under = user.place("NOT", {600, 930});
    user.inverter();
    user.frames(10);
    user.key(sf::Keyboard::Space);
    user.key(sf::Keyboard::F2);
    EXPECT_EQ(shown(user), "a in1 out0 ");
    EXPECT_GE(user.app.widgets().timingDiagram.columns(), 256);
    user.click(user.input(0));
    user.click(user.chip(under), sf::Mouse::Right);
    ASSERT_TRUE(user.board().chips.find(under));
    user.frames(30);
    EXPECT_EQ(std::make_tuple(shown(user, 0), shown(user, 1), shown(user, 2)), std::make_tuple("00000000", "00000000", "11111111"));
    for (int step = 0; step < 3; ++step) user.key(sf::Keyboard::Right);
    EXPECT_EQ(std::make_tuple(shown(user, 0), shown(user, 2)), std::make_tuple("00000111", "11111100"));
    user.click(user.button(Widgets::AddInput));
    user.key(sf::Keyboard::Right);
    EXPECT_EQ(std::make_tuple(shown(user), shown(user, 2), shown(user, 3)), std::make_tuple("a in1 in2 out0 ", "       0", "11111000"));
    user.app.editor().namePin(true, 0, "y");
    user.frames(1);
    EXPECT_EQ(shown(user), "a in1 in2 y ");
    user.key(sf::Keyboard::F2);
    user.click(user.chip(under), sf::Mouse::Right);
    EXPECT_FALSE(user.board().chips.find(under));
}
