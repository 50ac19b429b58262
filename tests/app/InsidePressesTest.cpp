#include "app/Shapes.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

// Ctrl+click on a placed INV shows its inside, and its path under the top
// bar. Presses and keys that would edit it — on its NOT with either button,
// its switch, a button, the name box, a palette chip, Ctrl+Z, Delete over a
// palette chip — change nothing, and only the first says so. Paused, a step
// shows the next values inside, and the inside's pin names stand beside
// its pins. Alt+Left comes back to the board.
TEST(LookingInside, ACtrlClickShowsTheInsideForLookingOnly) {
    AppDriver user;
    user.inverter();
    user.app.editor().namePin(false, 0, "a");
    user.saveAs("INV");
    const int32_t placed = user.place("INV", {800, 500});
    user.wire(0, 0, placed, 0);
    user.app.editor().namePin(false, 0, "board");
    user.key(sf::Keyboard::Space);
    user.click(user.input(0));
    const Board board = user.board();
    user.controlClick(user.chip(placed));
    EXPECT_EQ(user.app.widgets().pathLabel.getString().toAnsiString(), "(unnamed) > INV   (looking inside)");
    const auto pinNames = [&user] { return pinNameTexts(user.editor(), user.app.font(), false, -1).front().getString().toAnsiString(); };
    EXPECT_EQ(pinNames(), "a");
    const Chip& inverter = *user.editor().shownBoard().chips.begin();
    user.click(AppDriver::centre(inverter.bounds()));
    EXPECT_TRUE(user.app.widgets().notice.isShown());
    user.lateFrame(4100);
    user.click(AppDriver::centre(inverter.bounds()), sf::Mouse::Right);
    for (const sf::Vector2f at : {user.input(0), user.button(Widgets::Save), user.nameBox(), user.palette("NOT")}) user.click(at);
    user.undo();
    user.moveMouse(user.palette("INV"));
    user.key(sf::Keyboard::Delete);
    EXPECT_FALSE(user.app.widgets().notice.isShown());
    EXPECT_EQ(std::make_pair(user.board(), user.editor().palette().size()), std::make_pair(board, std::size_t{3}));
    user.key(sf::Keyboard::Right), user.key(sf::Keyboard::Right);
    EXPECT_TRUE(inverter.input(0));
    user.key(sf::Keyboard::Left, false, false, true);
    EXPECT_TRUE(user.app.widgets().pathLabel.getString().isEmpty());
    EXPECT_EQ(pinNames(), "board");
}
