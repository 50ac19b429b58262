#include "app/Screen.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

// The scene at start-up, on the 1920 x 1080 display the tests run on.
class SceneTest : public ::testing::Test {
protected:
    AppDriver driver;
    App& app = driver.app();
};

TEST_F(SceneTest, BoardPinsAndPaletteStandWhereTheLayoutPutsThem) {
    ASSERT_EQ(SCREEN_W, 1920.f);
    ASSERT_EQ(SCREEN_H, 1080.f);
    EXPECT_EQ(app.boardFrame.getPosition(), sf::Vector2f(40.f, 100.f));
    EXPECT_EQ(app.boardFrame.getSize(), sf::Vector2f(1840.f, 880.f));
    ASSERT_EQ(app.inputCircles.size(), 1u);
    ASSERT_EQ(app.outputCircles.size(), 1u);
    EXPECT_EQ(app.inputCircles[0].getPosition(), sf::Vector2f(38.f, 540.f));
    EXPECT_EQ(app.outputCircles[0].getPosition(), sf::Vector2f(1882.f, 540.f));

    ASSERT_EQ(app.library.size(), 2u);
    EXPECT_EQ(app.library[0].name(), "NOT");
    EXPECT_EQ(app.library[0].kind(), NOT_CHIP);
    EXPECT_EQ(app.library[0].body().getPosition(), sf::Vector2f(20.f, 1010.f));
    EXPECT_EQ(app.library[1].name(), "AND");
    EXPECT_EQ(app.library[1].kind(), AND_CHIP);
    EXPECT_EQ(app.library[1].body().getPosition(), sf::Vector2f(100.f, 1010.f));
}

TEST_F(SceneTest, ButtonsAndNameBoxStandInTheTopStrip) {
    const struct {
        Button& button;
        sf::Vector2f at;
        sf::Vector2f size;
    } buttons[] = {{app.addInputButton(), {10.f, 10.f}, {40.f, 40.f}},
                   {app.removeInputButton(), {10.f, 50.f}, {40.f, 40.f}},
                   {app.addOutputButton(), {1870.f, 10.f}, {40.f, 40.f}},
                   {app.removeOutputButton(), {1870.f, 50.f}, {40.f, 40.f}},
                   {app.connectButton(), {100.f, 30.f}, {150.f, 40.f}},
                   {app.saveButton(), {300.f, 30.f}, {150.f, 40.f}}};
    for (const auto& b : buttons) {
        EXPECT_EQ(b.button.rect.getPosition(), b.at) << b.button.text.getString().toAnsiString();
        EXPECT_EQ(b.button.rect.getSize(), b.size) << b.button.text.getString().toAnsiString();
    }
    EXPECT_EQ(app.connectButton().text.getString(), "Connect");
    EXPECT_EQ(app.saveButton().text.getString(), "Save");
    EXPECT_EQ(app.nameBox.rect().getPosition(), sf::Vector2f(500.f, 30.f));
    EXPECT_EQ(app.nameBox.rect().getSize(), sf::Vector2f(350.f, 40.f));
    EXPECT_EQ(app.nameBox.text().getPosition(), sf::Vector2f(675.f, 30.f));
}
