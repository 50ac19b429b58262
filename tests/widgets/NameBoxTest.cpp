#include "support/AppDriver.h"

#include <gtest/gtest.h>

// The name box takes typing only while it has the focus, which a press of any
// button inside it gives and a press elsewhere or Enter takes away; it keeps
// the low byte of each character, at most 20 of them. Keys type too: Ctrl+Z
// undoes nothing while it has the focus.
TEST(NameBox, TakesUpToTwentyLowBytesWhileFocused) {
    AppDriver user;
    const NameBox& box = user.app.widgets().nameBox;
    user.type(U"X");
    user.click(user.button(Widgets::AddInput));
    user.click(user.nameBox(), sf::Mouse::Middle);
    EXPECT_TRUE(box.isActive());
    user.type(U"ABCDEFGHIJKLMNOPQR\t\u263A+");
    EXPECT_EQ(box.name(), "ABCDEFGHIJKLMNOPQR\t:");
    user.undo();
    EXPECT_EQ(user.board().inputs.size(), 2u);
    user.type(U"\b\b!\r?");
    EXPECT_EQ(box.name(), "ABCDEFGHIJKLMNOPQR!");
    EXPECT_EQ(user.editor().name(), box.name());
    EXPECT_FALSE(box.isActive());
    user.click(user.nameBox());
    user.click(user.button(Widgets::Connect));
    EXPECT_FALSE(box.isActive());
}

// A name too wide for the box is drawn smaller, inside it, not over the buttons.
TEST(NameBox, AWideNameStaysInsideTheBox) {
    AppDriver user;
    user.click(user.nameBox());
    user.type(U"WWWWWWWWWWWWWWWWWWWW");
    const sf::FloatRect text = user.app.widgets().nameBox.text().getGlobalBounds(), box = user.app.widgets().nameBox.rect().getGlobalBounds();
    EXPECT_GE(text.left, box.left);
    EXPECT_LE(text.left + text.width, box.left + box.width);
}
