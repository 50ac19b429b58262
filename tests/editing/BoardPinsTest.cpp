#include "app/Screen.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Where the layout puts pin i of a column of `count`: evenly over the band
// between the board's top and bottom, in single precision.
float bandHeight(int i, int count) {
    return (SCREEN_H - 200.f) / static_cast<float>(count + 1) * static_cast<float>(i + 1) + 100.f;
}

// The board's input switches and output lamps: the four buttons that add
// and remove them, the layout of their columns and presses on the inputs.
class BoardPinsTest : public ::testing::Test {
protected:
    AppDriver driver;
    App& app = driver.app();

    void press(Button& button) { driver.click(AppDriver::centreOf(button.rect)); }
    void addInputs(int count) {
        for (int i = 0; i < count; ++i) press(app.addInputButton());
    }
    void addOutputs(int count) {
        for (int i = 0; i < count; ++i) press(app.addOutputButton());
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
            EXPECT_EQ(app.outputCircles[i].getPosition(),
                      sf::Vector2f(SCREEN_W - 38.f, bandHeight(i, outputs)))
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

    bool toggledBy(sf::Vector2f point, int input = 0) {
        const bool before = app.boardInputs.at(input).value;
        driver.click(point);
        return app.boardInputs.at(input).value != before;
    }

    // A board chip pushed against the frame's left edge, across the input
    // column, between the first two of three inputs.
    int32_t chipAcrossTheColumn() {
        addInputs(2);
        const int32_t chip = driver.placeChip("NOT", sf::Vector2f(200.f, 400.f));
        driver.dragChip(chip, sf::Vector2f(0.f, 400.f));
        EXPECT_EQ(app.boardChips.find(chip)->body().getPosition().x, 40.f);
        return chip;
    }
};

TEST_F(BoardPinsTest, TheLastInputOrOutputCannotBeRemoved) {
    driver.click(driver.inputPoint(0));
    press(app.removeInputButton());
    press(app.removeOutputButton());
    ASSERT_EQ(app.boardInputs.size(), 1u);
    ASSERT_EQ(app.boardOutputs.size(), 1u);
    EXPECT_TRUE(app.boardInputs[0].value) << "the remaining input keeps its state";
    expectColumnsLaidOut();

    addInputs(1);
    addOutputs(1);
    press(app.removeInputButton());
    press(app.removeInputButton());
    press(app.removeOutputButton());
    press(app.removeOutputButton());
    EXPECT_EQ(app.boardInputs.size(), 1u);
    EXPECT_EQ(app.boardOutputs.size(), 1u);
    EXPECT_TRUE(app.boardInputs[0].value);
    expectColumnsLaidOut();
}

TEST_F(BoardPinsTest, ANewInputIsOffUnclockedAndBlackWhateverTheFirstShows) {
    driver.click(driver.inputPoint(0));
    driver.click(driver.inputPoint(0), sf::Mouse::Middle);
    addInputs(1);

    ASSERT_EQ(app.boardInputs.size(), 2u);
    EXPECT_TRUE(app.boardInputs[0].value);
    EXPECT_TRUE(app.boardInputs[0].clocked);
    EXPECT_EQ(app.inputCircles[0].getFillColor(), sf::Color::Green);
    EXPECT_EQ(app.inputCircles[0].getOutlineThickness(), 5.f);

    EXPECT_FALSE(app.boardInputs[1].value);
    EXPECT_FALSE(app.boardInputs[1].clocked);
    EXPECT_EQ(app.inputCircles[1].getFillColor(), sf::Color::Black);
    EXPECT_EQ(app.inputCircles[1].getOutlineThickness(), 0.f);
    EXPECT_EQ(app.inputCircles[1].getRadius(), 10.f);
    // Its ring, once clocked, shows in the first input's grey.
    EXPECT_EQ(app.inputCircles[1].getOutlineColor(), sf::Color(102, 102, 102, 255));

    // At one third and two thirds of the band.
    EXPECT_EQ(app.inputCircles[0].getPosition(), sf::Vector2f(38.f, (1080.f - 200.f) / 3.f + 100.f));
    EXPECT_EQ(app.inputCircles[1].getPosition(),
              sf::Vector2f(38.f, (1080.f - 200.f) / 3.f * 2.f + 100.f));
    EXPECT_EQ(app.outputCircles[0].getPosition(), sf::Vector2f(1882.f, 540.f));

    driver.click(driver.inputPoint(1), sf::Mouse::Middle);
    EXPECT_EQ(app.inputCircles[1].getOutlineThickness(), 5.f);
}

TEST_F(BoardPinsTest, ANewOutputIsFalseAndBlack) {
    driver.wireInputToOutput(0, 0);
    driver.setInput(0, true);
    ASSERT_TRUE(driver.lamp(0));
    addOutputs(1);
    ASSERT_EQ(app.boardOutputs.size(), 2u);
    EXPECT_FALSE(app.boardOutputs[1]);
    EXPECT_FALSE(driver.lamp(1));
    EXPECT_EQ(app.outputCircles[1].getRadius(), 10.f);
    EXPECT_TRUE(driver.lamp(0));
}

TEST_F(BoardPinsTest, AddingAndRemovingLaysBothColumnsOutAgain) {
    addInputs(3);
    expectColumnsLaidOut();
    addOutputs(4);
    expectColumnsLaidOut();
    press(app.removeInputButton());
    press(app.removeInputButton());
    expectColumnsLaidOut();
    press(app.removeOutputButton());
    expectColumnsLaidOut();
    EXPECT_EQ(app.inputCircles.size(), 2u);
    EXPECT_EQ(app.outputCircles.size(), 4u);

    // Wires follow their moved pins in the same frame.
    driver.wireInputToOutput(1, 3);
    addInputs(1);
    addOutputs(1);
    EXPECT_EQ(app.wires.front().line[0].position, app.inputCircles[1].getPosition());
    EXPECT_EQ(app.wires.front().line[1].position, app.outputCircles[3].getPosition());
}

TEST_F(BoardPinsTest, TheColumnIsTestedByXAloneAndEachCircleBySquareZone) {
    const float y = driver.inputPoint(0).y;
    EXPECT_FALSE(toggledBy(sf::Vector2f(28.f, y))) << "left edge of the zone";
    EXPECT_TRUE(toggledBy(sf::Vector2f(29.f, y)));
    EXPECT_TRUE(toggledBy(sf::Vector2f(48.f, y))) << "right edge of the zone";
    EXPECT_FALSE(toggledBy(sf::Vector2f(49.f, y)));
    EXPECT_FALSE(toggledBy(sf::Vector2f(38.f, y - 10.f))) << "top edge of the zone";
    EXPECT_TRUE(toggledBy(sf::Vector2f(38.f, y - 9.f)));
    EXPECT_TRUE(toggledBy(sf::Vector2f(38.f, y + 10.f))) << "bottom edge of the zone";
    EXPECT_FALSE(toggledBy(sf::Vector2f(38.f, y + 11.f)));
    // The zone is a square: its corner counts.
    EXPECT_TRUE(toggledBy(sf::Vector2f(48.f, y + 10.f)));

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

TEST_F(BoardPinsTest, APressInTheColumnBetweenCirclesEndsTheUpdate) {
    const int32_t chip = chipAcrossTheColumn();
    const sf::Vector2f onChipInColumn(45.f, app.boardChips.find(chip)->body().getPosition().y + 25.f);
    ASSERT_TRUE(app.boardChips.find(chip)->contains(onChipInColumn));

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

    // In the palette row the NOT template reaches into the column: nothing is placed there.
    const sf::Vector2f templateInColumn(45.f, app.library[0].body().getPosition().y + 25.f);
    ASSERT_TRUE(app.library[0].contains(templateInColumn));
    driver.press(templateInColumn);
    EXPECT_EQ(app.boardChips.size(), 1u);
    EXPECT_EQ(app.draggedChipId, 0);
}

TEST_F(BoardPinsTest, APressInTheColumnLeavesAWireUnderWayAlone) {
    addInputs(1);
    startWireAt(0);
    ASSERT_EQ(app.wiringState, WiringState::ChoosingTarget);
    ASSERT_EQ(app.wires.size(), 1u);
    for (const int in : {0, 1}) {
        for (const auto button : {sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Middle}) {
            driver.click(driver.inputPoint(in), button);
            EXPECT_FALSE(app.boardInputs[in].value) << "input " << in << ", button " << button;
            EXPECT_FALSE(app.boardInputs[in].clocked) << "input " << in << ", button " << button;
        }
    }
    EXPECT_EQ(app.wiringState, WiringState::ChoosingTarget);
    EXPECT_EQ(app.wires.size(), 1u);
    EXPECT_EQ(app.wires.back().connection.fromPin, 0);

    // The same while the source is still being chosen on a chip.
    driver.pressConnect();
    ASSERT_EQ(app.wiringState, WiringState::Idle);
    const int32_t chip = driver.placeChip("NOT", sf::Vector2f(300.f, 300.f));
    driver.pressConnect();
    driver.click(driver.chipPoint(chip), sf::Mouse::Right);
    ASSERT_EQ(app.wiringState, WiringState::ChoosingSource);
    driver.click(driver.inputPoint(1));
    EXPECT_FALSE(app.boardInputs[1].value);
    EXPECT_EQ(app.wiringState, WiringState::ChoosingSource);
}

TEST_F(BoardPinsTest, RemovingAnInputTakesItsWiresAlong) {
    addInputs(1);
    addOutputs(1);
    const int32_t chip = driver.placeChip("NOT", sf::Vector2f(300.f, 300.f));
    driver.wireInputToOutput(1, 0);
    driver.wireInputToChip(1, chip);
    driver.wireInputToOutput(0, 1);
    driver.setInput(1, true);
    driver.setInput(0, true);
    driver.frame();
    ASSERT_TRUE(driver.lamp(0));
    ASSERT_TRUE(app.boardChips.find(chip)->input(0));

    press(app.removeInputButton());
    ASSERT_EQ(app.wires.size(), 1u) << "only the wire from input 0 is left";
    EXPECT_EQ(app.wires.front().connection.fromPin, 0);
    EXPECT_FALSE(app.boardOutputs[0]) << "the pins the wires fed are cleared";
    EXPECT_FALSE(app.boardChips.find(chip)->input(0));
    expectWiresOnExistingPins();
    driver.frames(3);
    EXPECT_FALSE(driver.lamp(0));
    EXPECT_TRUE(driver.lamp(1));
    EXPECT_FALSE(app.boardChips.find(chip)->input(0));
}

TEST_F(BoardPinsTest, RemovingAnOutputTakesTheWireIntoItAlong) {
    addOutputs(2);
    const int32_t chip = driver.placeChip("NOT", sf::Vector2f(300.f, 300.f));
    driver.wireChipToOutput(chip, 2);
    driver.wireChipToOutput(chip, 0);
    driver.wireInputToOutput(0, 1);
    driver.frame();
    ASSERT_TRUE(app.boardOutputs[2]);

    press(app.removeOutputButton());
    ASSERT_EQ(app.wires.size(), 2u);
    expectWiresOnExistingPins();
    EXPECT_TRUE(driver.lamp(0));
    press(app.removeOutputButton());
    ASSERT_EQ(app.wires.size(), 1u);
    EXPECT_EQ(app.wires.front().connection.toPin, 0);
    expectWiresOnExistingPins();

    // Adding the output again brings no wire back.
    addOutputs(1);
    driver.frames(2);
    EXPECT_FALSE(driver.lamp(1));
    EXPECT_FALSE(app.boardOutputs[1]);
}

TEST_F(BoardPinsTest, RemovingTheInputAWireUnderWayStartsAtAbandonsTheWire) {
    addInputs(2);
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
    driver.click(driver.outputPoint(0));
    EXPECT_EQ(app.wiringState, WiringState::Idle) << "abandoned: output 0 already has its wire";
    expectWiresOnExistingPins();
}

}  // namespace
