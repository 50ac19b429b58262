#include "app/Screen.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

// The tests run on a 1920 x 1080 display.
class SceneTest : public ::testing::Test {
protected:
    AppDriver driver;
    App& app = driver.app();
};

TEST_F(SceneTest, DesktopSizeIsReadBeforeTheProgramStarts) {
    EXPECT_EQ(SCREEN_W, 1920.f);
    EXPECT_EQ(SCREEN_H, 1080.f);
}

TEST_F(SceneTest, PaletteStartsWithNotAndAndInTheRowBelowTheBoard) {
    ASSERT_EQ(app.library.size(), 2u);
    EXPECT_EQ(app.library[0].name(), "NOT");
    EXPECT_EQ(app.library[0].kind(), NOT_CHIP);
    EXPECT_EQ(app.library[0].body().getPosition(), sf::Vector2f(20.f, 1010.f));
    EXPECT_EQ(app.library[1].name(), "AND");
    EXPECT_EQ(app.library[1].kind(), AND_CHIP);
    EXPECT_EQ(app.library[1].body().getPosition(), sf::Vector2f(100.f, 1010.f));
    for (const Chip& entry : app.library) EXPECT_EQ(entry.body().getSize().y, 50.f);
}

TEST_F(SceneTest, BoardFrameAndOneInputAndOutputStandWhereTheLayoutPutsThem) {
    EXPECT_EQ(app.boardFrame.getPosition(), sf::Vector2f(40.f, 100.f));
    EXPECT_EQ(app.boardFrame.getSize(), sf::Vector2f(1840.f, 880.f));
    EXPECT_EQ(app.boardFrame.getOutlineThickness(), 4.f);
    EXPECT_EQ(app.boardFrame.getOutlineColor(), sf::Color(102, 102, 102));
    EXPECT_EQ(app.boardFrame.getFillColor(), sf::Color::Transparent);
    ASSERT_EQ(app.inputCircles.size(), 1u);
    ASSERT_EQ(app.outputCircles.size(), 1u);
    EXPECT_EQ(app.inputCircles[0].getPosition(), sf::Vector2f(38.f, 540.f));
    EXPECT_EQ(app.outputCircles[0].getPosition(), sf::Vector2f(1882.f, 540.f));
    EXPECT_EQ(app.inputCircles[0].getRadius(), 10.f);
    EXPECT_EQ(app.inputCircles[0].getFillColor(), sf::Color::Black);
    EXPECT_EQ(app.inputCircles[0].getOutlineThickness(), 0.f);
    EXPECT_FALSE(app.boardInputs[0].value);
    EXPECT_FALSE(app.boardInputs[0].clocked);
    EXPECT_FALSE(app.boardOutputs[0]);
    EXPECT_TRUE(app.boardChips.empty());
    EXPECT_TRUE(app.wires.empty());
    EXPECT_EQ(app.wiringState, WiringState::Idle);
    EXPECT_EQ(app.draggedChipId, 0);
}

TEST_F(SceneTest, ButtonsAndNameBoxStandInTheTopStrip) {
    const sf::Vector2f small(40.f, 40.f);
    const sf::Vector2f wide(150.f, 40.f);
    EXPECT_EQ(app.addInputButton().rect.getPosition(), sf::Vector2f(10.f, 10.f));
    EXPECT_EQ(app.removeInputButton().rect.getPosition(), sf::Vector2f(10.f, 50.f));
    EXPECT_EQ(app.addOutputButton().rect.getPosition(), sf::Vector2f(1870.f, 10.f));
    EXPECT_EQ(app.removeOutputButton().rect.getPosition(), sf::Vector2f(1870.f, 50.f));
    EXPECT_EQ(app.connectButton().rect.getPosition(), sf::Vector2f(100.f, 30.f));
    EXPECT_EQ(app.saveButton().rect.getPosition(), sf::Vector2f(300.f, 30.f));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(app.buttons[i].rect.getSize(), small);
    EXPECT_EQ(app.connectButton().rect.getSize(), wide);
    EXPECT_EQ(app.saveButton().rect.getSize(), wide);
    EXPECT_EQ(app.connectButton().text.getString(), "Connect");
    EXPECT_EQ(app.saveButton().text.getString(), "Save");
    EXPECT_EQ(app.nameBox.rect().getPosition(), sf::Vector2f(500.f, 30.f));
    EXPECT_EQ(app.nameBox.rect().getSize(), sf::Vector2f(350.f, 40.f));
    EXPECT_EQ(app.nameBox.rect().getFillColor(), sf::Color(120, 120, 120));
    EXPECT_EQ(app.nameBox.text().getPosition(), sf::Vector2f(675.f, 30.f));
    EXPECT_FALSE(app.nameBox.isActive());
}

TEST_F(SceneTest, PaletteChipsAreNeverEvaluatedAndShowTheValuesTheyWereMadeWith) {
    const int32_t placed = driver.placeChip("NOT", sf::Vector2f(400.f, 300.f));
    app.boardChips.find(placed)->setInput(0, true);
    driver.frames(3);
    ASSERT_FALSE(app.boardChips.find(placed)->output(0));

    sf::RenderTexture target;
    ASSERT_TRUE(target.create(16, 16));
    for (Chip& entry : app.library) entry.draw(target);
    const std::vector<sf::CircleShape>& notPins = app.library[0].pins();
    ASSERT_EQ(notPins.size(), 2u);
    EXPECT_EQ(notPins[0].getFillColor(), sf::Color::Black) << "input";
    EXPECT_EQ(notPins[1].getFillColor(), sf::Color::Green) << "output of a fresh NOT";
    for (const sf::CircleShape& pin : app.library[1].pins())
        EXPECT_EQ(pin.getFillColor(), sf::Color::Black) << "AND";
}
