#include "support/AppDriver.h"

#include <gtest/gtest.h>

namespace {

// Where the layout puts pin i of a column of `count` on the 1080-high
// screen: evenly over the band from 100 to 980, in single precision.
float bandHeight(int i, int count) {
    return 880.f / static_cast<float>(count + 1) * static_cast<float>(i + 1) + 100.f;
}

// The board's input switches and output lamps: the four buttons that add
// and remove them, the layout of their columns and presses on the inputs.
class BoardPinsTest : public ::testing::Test {
protected:
    AppDriver driver;
    App& app = driver.app();

    void press(Button& button, int times = 1) {
        for (int i = 0; i < times; ++i) driver.click(AppDriver::centreOf(button.rect));
    }

    void expectColumnsLaidOut() {
        const int inputs = static_cast<int>(app.inputCircles.size());
        const int outputs = static_cast<int>(app.outputCircles.size());
        ASSERT_EQ(app.boardInputs.size(), app.inputCircles.size());
        ASSERT_EQ(app.boardOutputs.size(), app.outputCircles.size());
        for (int i = 0; i < inputs; ++i)
            EXPECT_EQ(app.inputCircles[i].getPosition(), sf::Vector2f(38.f, bandHeight(i, inputs)))
                << "input " << i << " of " << inputs;
        for (int i = 0; i < outputs; ++i)
            EXPECT_EQ(app.outputCircles[i].getPosition(), sf::Vector2f(1882.f, bandHeight(i, outputs)))
                << "output " << i << " of " << outputs;
    }

    // Every board pin a wire names exists.
    void expectWiresOnExistingPins() {
        for (const Wire& wire : app.wires) {
            const Connection& c = wire.connection;
            if (c.fromChip == 0) {
                EXPECT_LT(c.fromPin, static_cast<int32_t>(app.boardInputs.size()));
            }
            if (c.toChip == 0) {
                EXPECT_LT(c.toPin, static_cast<int32_t>(app.boardOutputs.size()));
            }
        }
    }

    // "Connect", then a press on the input: a wire under way from it.
    void startWireAt(int input) {
        driver.pressConnect();
        driver.click(driver.inputPoint(input));
    }

    bool toggledBy(sf::Vector2f point) {
        const bool before = app.boardInputs[0].value;
        driver.click(point);
        return app.boardInputs[0].value != before;
    }
};

TEST_F(BoardPinsTest, AddingAndRemovingLaysBothColumnsOutAgainAndTheLastPinStays) {
    driver.click(driver.inputPoint(0));
    driver.click(driver.inputPoint(0), sf::Mouse::Middle);
    press(app.addInputButton());
    // At one third and two thirds of the band.
    EXPECT_EQ(app.inputCircles[0].getPosition(), sf::Vector2f(38.f, 880.f / 3.f + 100.f));
    EXPECT_EQ(app.inputCircles[1].getPosition(), sf::Vector2f(38.f, 880.f / 3.f * 2.f + 100.f));
    EXPECT_EQ(app.outputCircles[0].getPosition(), sf::Vector2f(1882.f, 540.f));
    // A new input is off, unclocked and black whatever the first shows.
    EXPECT_FALSE(app.boardInputs[1].value);
    EXPECT_FALSE(app.boardInputs[1].clocked);
    EXPECT_EQ(app.inputCircles[1].getFillColor(), sf::Color::Black);
    EXPECT_EQ(app.inputCircles[1].getOutlineThickness(), 0.f);

    press(app.addInputButton(), 2);
    press(app.addOutputButton(), 4);
    expectColumnsLaidOut();
    EXPECT_FALSE(app.boardOutputs[4]);
    EXPECT_EQ(app.outputCircles[4].getFillColor(), sf::Color::Black);
    press(app.removeInputButton(), 2);
    press(app.removeOutputButton());
    expectColumnsLaidOut();
    EXPECT_EQ(app.inputCircles.size(), 2u);
    EXPECT_EQ(app.outputCircles.size(), 4u);

    // Wires follow their moved pins in the same frame.
    driver.wireInputToOutput(1, 3);
    press(app.addInputButton());
    press(app.addOutputButton());
    EXPECT_EQ(app.wires.front().line[0].position, app.inputCircles[1].getPosition());
    EXPECT_EQ(app.wires.front().line[1].position, app.outputCircles[3].getPosition());

    // The last input and the last output stay.
    press(app.removeInputButton(), 3);
    press(app.removeOutputButton(), 5);
    EXPECT_EQ(app.boardInputs.size(), 1u);
    EXPECT_EQ(app.boardOutputs.size(), 1u);
    expectColumnsLaidOut();
}

TEST_F(BoardPinsTest, TheColumnIsTestedByXAloneAndEachCircleBySquareZone) {
    const float y = driver.inputPoint(0).y;
    EXPECT_FALSE(toggledBy(sf::Vector2f(28.f, y))) << "left edge of the zone";
    EXPECT_TRUE(toggledBy(sf::Vector2f(29.f, y)));
    EXPECT_TRUE(toggledBy(sf::Vector2f(48.f, y))) << "right edge of the zone";
    EXPECT_FALSE(toggledBy(sf::Vector2f(49.f, y)));
    EXPECT_FALSE(toggledBy(sf::Vector2f(38.f, y - 10.f))) << "top edge of the zone";
    EXPECT_TRUE(toggledBy(sf::Vector2f(38.f, y - 9.f)));
    EXPECT_TRUE(toggledBy(sf::Vector2f(48.f, y + 10.f))) << "bottom right corner of the zone";
    EXPECT_FALSE(toggledBy(sf::Vector2f(38.f, y + 11.f)));

    // Only the mouse position sampled in the frame counts, never the one the
    // event carries.
    sf::Event press{};
    press.type = sf::Event::MouseButtonPressed;
    press.mouseButton.button = sf::Mouse::Left;
    press.mouseButton.x = 38;
    press.mouseButton.y = static_cast<int>(y);
    const bool before = app.boardInputs[0].value;
    driver.moveTo(sf::Vector2f(600.f, y));
    driver.send(press);
    EXPECT_EQ(app.boardInputs[0].value, before) << "the event points at the input, the mouse not";
    press.mouseButton.x = 600;
    driver.moveTo(sf::Vector2f(38.f, y));
    driver.send(press);
    EXPECT_NE(app.boardInputs[0].value, before) << "the mouse is on the input, the event not";
}

// A chip pushed against the frame's left edge reaches into the input column
// between the first two of three inputs; so does the palette's NOT below.
TEST_F(BoardPinsTest, APressInTheColumnBetweenCirclesEndsTheUpdate) {
    driver.setPinCounts(3, 1);
    const int32_t chip = driver.placeChip("NOT", sf::Vector2f(200.f, 400.f));
    driver.dragChip(chip, sf::Vector2f(0.f, 400.f));
    ASSERT_EQ(driver.boardChip(chip).body().getPosition().x, 40.f);
    const sf::Vector2f onChipInColumn(45.f, driver.boardChip(chip).body().getPosition().y + 25.f);
    ASSERT_TRUE(driver.boardChip(chip).contains(onChipInColumn));

    driver.press(onChipInColumn);
    EXPECT_EQ(app.draggedChipId, 0) << "the chip must not start dragging";
    driver.release(onChipInColumn);
    driver.click(onChipInColumn, sf::Mouse::Right);
    EXPECT_NE(app.boardChips.find(chip), nullptr) << "nor be removed";
    for (const BoardInput& in : app.boardInputs) EXPECT_FALSE(in.value);

    // Just right of the column the same chip is picked up.
    const sf::Vector2f onChipOutside(49.f, onChipInColumn.y);
    driver.press(onChipOutside);
    EXPECT_EQ(app.draggedChipId, chip);
    driver.release(onChipOutside);

    const sf::Vector2f templateInColumn(45.f, app.library[0].body().getPosition().y + 25.f);
    ASSERT_TRUE(app.library[0].contains(templateInColumn));
    driver.press(templateInColumn);
    EXPECT_EQ(app.boardChips.size(), 1u) << "nothing placed from the palette";
    EXPECT_EQ(app.draggedChipId, 0);
}

TEST_F(BoardPinsTest, RemovingAnInputOrOutputTakesItsWiresAlongAndClearsThePinsTheyFed) {
    driver.setPinCounts(2, 3);
    const int32_t chip = driver.placeChip("NOT", sf::Vector2f(300.f, 300.f));
    driver.wireInputToOutput(1, 0);
    driver.wireInputToChip(1, chip);
    driver.wireInputToOutput(0, 1);
    driver.wireChipToOutput(chip, 2);
    driver.setInput(1, true);
    driver.setInput(0, true);
    driver.frame();
    ASSERT_TRUE(driver.lamp(0));
    ASSERT_TRUE(driver.boardChip(chip).input(0));

    press(app.removeInputButton());
    ASSERT_EQ(app.wires.size(), 2u) << "the wires from input 1 are gone";
    EXPECT_FALSE(app.boardOutputs[0]) << "the pins they fed are cleared";
    EXPECT_FALSE(driver.boardChip(chip).input(0));
    driver.frames(3);
    EXPECT_FALSE(driver.lamp(0));
    EXPECT_TRUE(driver.lamp(1));
    EXPECT_TRUE(driver.lamp(2));
    EXPECT_FALSE(driver.boardChip(chip).input(0));

    press(app.removeOutputButton());
    ASSERT_EQ(app.wires.size(), 1u);
    EXPECT_EQ(app.wires.front().connection, (Connection{0, 0, 0, 1}));
    // Adding the output again brings no wire and no value back.
    press(app.addOutputButton());
    driver.frames(2);
    EXPECT_FALSE(driver.lamp(2));
    EXPECT_FALSE(app.boardOutputs[2]);
}

TEST_F(BoardPinsTest, RemovingTheInputAWireUnderWayStartsAtAbandonsTheWire) {
    driver.setPinCounts(3, 1);
    driver.wireInputToOutput(0, 0);
    startWireAt(2);
    ASSERT_EQ(app.wiringState, WiringState::ChoosingTarget);

    press(app.removeInputButton());
    EXPECT_EQ(app.wiringState, WiringState::Idle);
    ASSERT_EQ(app.wires.size(), 1u);
    EXPECT_TRUE(app.wires.front().complete);
    expectWiresOnExistingPins();

    // A wire under way from another input stays under way.
    startWireAt(0);
    ASSERT_EQ(app.wiringState, WiringState::ChoosingTarget);
    press(app.removeInputButton());
    EXPECT_EQ(app.wiringState, WiringState::ChoosingTarget);
    EXPECT_EQ(app.wires.size(), 2u);
    expectWiresOnExistingPins();
    driver.click(driver.outputPoint(0));
    EXPECT_EQ(app.wiringState, WiringState::Idle) << "abandoned: output 0 already has its wire";
}

}  // namespace
