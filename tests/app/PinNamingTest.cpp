#include "support/AppDriver.h"

#include <gtest/gtest.h>

// Ctrl and a press on a board pin opens a field beside it and does not
// switch the input; typing names the pin, Backspace deletes, and Enter or a
// press anywhere else ends the naming, one step each. The names stay with
// their pins as pins come and go.
TEST(PinNaming, CtrlAndAPressOnABoardPinNamesIt) {
    AppDriver user;
    user.setPinCounts(2, 1);
    user.controlClick(user.input(1));
    EXPECT_FALSE(user.board().inputs[1].value);
    EXPECT_TRUE(user.app.widgets().pinField.isShown());
    user.type(U"cinX\b\r");
    user.controlClick(user.output(0));
    user.type(U"sum");
    user.click(user.input(0));
    EXPECT_FALSE(user.app.widgets().pinField.isShown());
    EXPECT_EQ(user.board().names, (PinNames{{"", "cin"}, {"sum"}}));
    EXPECT_TRUE(user.board().inputs[0].value) << "a press elsewhere does what it does as well";
    user.click(user.button(Widgets::AddInput));
    EXPECT_EQ(user.board().names.input(1), "cin");
    user.undo(), user.undo();
    EXPECT_EQ(user.board().names, (PinNames{{"", "cin"}, {}}));
}

// Hovering over a pin of a chip, on the board or in the palette, shows the
// chip's name and the pin's; an unnamed pin shows as "in 2". So does the
// pin a wire's target is previewed on.
TEST(PinNaming, APinsLabelShowsOverItAndWhileItIsPreviewed) {
    AppDriver user;
    user.setPinCounts(2, 1);
    user.controlClick(user.input(1));
    user.type(U"b\r");
    user.saveAs("G");
    const auto label = [&user] { return user.app.widgets().pinLabel.isShown() ? user.app.widgets().pinLabel.text().getString().toAnsiString() : ""; };
    const Chip& entry = user.paletteEntry("G");
    user.moveMouse(toScreen(entry.inputPinPosition(1)));
    EXPECT_EQ(label(), "G: b");
    const int32_t gate = user.place("G", {600, 300});
    user.moveMouse(toScreen(user.board().chips.find(gate)->inputPinPosition(0)));
    EXPECT_EQ(label(), "G: in 0");
    user.moveMouse({900, 900});
    EXPECT_EQ(label(), "");
    user.click(user.button(Widgets::Connect));
    user.click(user.input(0));
    user.click(user.chip(gate), sf::Mouse::Right), user.click(user.chip(gate), sf::Mouse::Right);
    user.moveMouse({900, 900});
    EXPECT_EQ(label(), "G: b");
}
