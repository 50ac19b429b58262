#include "support/AppDriver.h"

#include <gtest/gtest.h>

// The name box takes typing only while it has the focus, which a press of any
// button inside it gives and a press elsewhere or Enter takes away; it keeps
// the low byte of each character, at most 20 of them.
TEST(NameBox, TakesUpToTwentyLowBytesWhileFocused) {
    AppDriver user;
    const NameBox& box = user.app.nameBox;
    user.type(U"X");
    user.click(user.centre(box.rect()), sf::Mouse::Middle);
    EXPECT_TRUE(box.isActive());
    user.type(U"ABCDEFGHIJKLMNOPQR\t\u263A+");
    EXPECT_EQ(box.name(), "ABCDEFGHIJKLMNOPQR\t:");
    user.type(U"\b\b!\r?");
    EXPECT_EQ(box.name(), "ABCDEFGHIJKLMNOPQR!");
    EXPECT_FALSE(box.isActive());
    user.click(user.centre(box.rect()));
    user.click(user.centre(user.app.connectButton().rect));
    EXPECT_FALSE(box.isActive());
}
