// Drawing wires with "Connect", choosing sources and targets, the wire ends
// following their pins and the mouse, and deleting wires with the held right
// button, as a user does it, frame by frame.

#include "support/AppDriver.h"

#include <gtest/gtest.h>

class WiringTest : public ::testing::Test {
protected:
    AppDriver driver;
    App& app = driver.app();

    const Wire& underWay() const { return app.wires.back(); }
    const Connection& drawn() const { return app.wires.back().connection; }

    // "Connect", then a press on the chip with `button`.
    void startAtChip(int32_t chip, sf::Mouse::Button button) {
        driver.pressConnect();
        driver.click(driver.chipPoint(chip), button);
    }
    // "Connect", then a click on board input `input`: the source is fixed.
    void startAtInput(int input) {
        driver.pressConnect();
        driver.click(driver.inputPoint(input));
    }
    // Places a chip that has only pins.
    int32_t placeBlankChip(const std::string& name, int inputs, int outputs, sf::Vector2f at) {
        driver.saveBlankChip(name, inputs, outputs);
        return driver.placeChip(name, at);
    }
};

// "Connect" arms, with any button, and stays armed when pressed again; while
// a wire is under way it removes that wire only.
TEST_F(WiringTest, ConnectArmsOrRemovesTheWireUnderWay) {
    driver.pressConnect();
    EXPECT_EQ(app.wiringState, WiringState::Armed);
    driver.pressConnect(sf::Mouse::Right);
    EXPECT_EQ(app.wiringState, WiringState::Armed);
    EXPECT_TRUE(app.wires.empty());

    const int32_t chip = driver.placeChip("NOT", sf::Vector2f(400.f, 300.f));
    driver.wireInputToOutput(0, 0);
    startAtInput(0);
    ASSERT_EQ(app.wires.size(), 2u);
    driver.pressConnect();
    EXPECT_EQ(app.wiringState, WiringState::Idle);
    ASSERT_EQ(app.wires.size(), 1u);
    EXPECT_TRUE(app.wires.front().complete);

    startAtChip(chip, sf::Mouse::Right);
    ASSERT_EQ(app.wiringState, WiringState::ChoosingSource);
    ASSERT_EQ(app.wires.size(), 2u);
    driver.pressConnect();
    EXPECT_EQ(app.wiringState, WiringState::Idle);
    EXPECT_EQ(app.wires.size(), 1u);
}

// While a source is being chosen a press on another chip moves the source
// to that chip's output 0; on the source chip a right press steps through its
// outputs and wraps, a middle press does nothing and a left press confirms.
TEST_F(WiringTest, ChoosingASourceMovesBetweenChipsAndStepsThroughOutputs) {
    const int32_t split = placeBlankChip("SPLIT", 1, 3, sf::Vector2f(400.f, 300.f));
    const int32_t other = driver.placeChip("NOT", sf::Vector2f(700.f, 300.f));
    const Chip& chip = driver.boardChip(split);
    // A left press while armed takes output 0 at once.
    startAtChip(split, sf::Mouse::Left);
    EXPECT_EQ(app.wiringState, WiringState::ChoosingTarget);
    EXPECT_EQ(drawn(), (Connection{split, 0, -1, 0}));
    EXPECT_EQ(underWay().line[0].color, sf::Color::Black);
    EXPECT_EQ(underWay().line[1].color, sf::Color::White);
    EXPECT_EQ(underWay().line[0].position, chip.outputPinPosition(0));
    driver.pressConnect();

    startAtChip(split, sf::Mouse::Right);
    EXPECT_EQ(app.wiringState, WiringState::ChoosingSource);
    EXPECT_EQ(drawn(), (Connection{split, 0, -1, 0}));
    EXPECT_EQ(underWay().line[0].color, sf::Color::White);
    driver.click(driver.chipPoint(split), sf::Mouse::Right);
    ASSERT_EQ(drawn().fromPin, 1);
    driver.click(driver.chipPoint(other), sf::Mouse::Middle);
    EXPECT_EQ(drawn(), (Connection{other, 0, -1, 0}));
    driver.frame();
    EXPECT_EQ(underWay().line[0].position, driver.boardChip(other).outputPinPosition(0));

    driver.click(driver.chipPoint(split), sf::Mouse::Right);
    EXPECT_EQ(drawn(), (Connection{split, 0, -1, 0})) << "a press on another chip does not step";
    for (const int pin : {1, 2, 0, 1}) {
        driver.press(driver.chipPoint(split), sf::Mouse::Right);
        EXPECT_EQ(drawn().fromPin, pin);
        EXPECT_EQ(underWay().line[0].position, chip.outputPinPosition(pin)) << "moved at once";
        driver.release(driver.chipPoint(split), sf::Mouse::Right);
    }
    driver.click(driver.chipPoint(split), sf::Mouse::Middle);
    EXPECT_EQ(drawn().fromPin, 1) << "the middle button does not step";
    EXPECT_EQ(app.wiringState, WiringState::ChoosingSource);

    driver.click(driver.chipPoint(split));
    EXPECT_EQ(app.wiringState, WiringState::ChoosingTarget);
    EXPECT_EQ(drawn(), (Connection{split, 1, -1, 0}));
    EXPECT_EQ(underWay().line[0].color, sf::Color::Black);
}

// A press that is not left previews the lowest free input and each further
// one the next free input, wrapping; a left press completes on the preview.
TEST_F(WiringTest, PreviewStepsThroughTheFreeInputsAndALeftPressCompletes) {
    const int32_t chip = placeBlankChip("T3", 3, 1, sf::Vector2f(400.f, 300.f));
    const int32_t single = driver.placeChip("NOT", sf::Vector2f(700.f, 300.f));
    driver.wire(0, 0, chip, 1);
    ASSERT_EQ(drawn(), (Connection{0, 0, chip, 1}));

    startAtInput(0);
    for (const int pin : {0, 2, 0, 2, 0}) {
        driver.click(driver.chipPoint(chip), pin == 0 ? sf::Mouse::Middle : sf::Mouse::Right);
        EXPECT_EQ(drawn().toPin, pin);
        EXPECT_EQ(app.wiringState, WiringState::ChoosingTarget);
        EXPECT_FALSE(underWay().complete);
    }
    driver.click(driver.chipPoint(chip));
    EXPECT_EQ(app.wiringState, WiringState::Idle);
    EXPECT_TRUE(underWay().complete);
    EXPECT_EQ(drawn(), (Connection{0, 0, chip, 0})) << "completed on the previewed pin";
    EXPECT_EQ(underWay().line[1].color, sf::Color::Black);

    startAtInput(0);
    driver.click(driver.chipPoint(single), sf::Mouse::Right);
    driver.click(driver.chipPoint(single), sf::Mouse::Right);
    EXPECT_EQ(drawn(), (Connection{0, 0, single, 0})) << "a NOT's one input stays previewed";
}

// Input 0 and output 0 stand at height 540; their wire runs across the AND,
// so a press on the AND that did not end the frame would delete it.
TEST_F(WiringTest, AndTakesItsFreeInputAndAFullOneAbandonsTheWireAndEndsTheFrame) {
    driver.wireInputToOutput(0, 0);
    const int32_t chip = driver.placeChip("AND", sf::Vector2f(400.f, 505.f));
    driver.wire(0, 0, chip, 0);

    startAtInput(0);
    driver.click(sf::Vector2f(430.f, 540.f));
    EXPECT_EQ(drawn(), (Connection{0, 0, chip, 1}));
    EXPECT_TRUE(underWay().complete);

    startAtInput(0);
    ASSERT_EQ(app.wires.size(), 4u);
    driver.press(sf::Vector2f(430.f, 540.f), sf::Mouse::Right);
    EXPECT_EQ(app.wiringState, WiringState::Idle);
    ASSERT_EQ(app.wires.size(), 3u) << "the wire under way is gone, the others stay";
    EXPECT_EQ(app.wires.front().connection, (Connection{0, 0, 0, 0}));
    for (const Wire& wire : app.wires) EXPECT_TRUE(wire.complete);
}

TEST_F(WiringTest, AnyButtonOnAFreeOutputCompletesTheWireAndEndsTheFrame) {
    driver.setPinCounts(1, 3);
    for (const sf::Mouse::Button button : {sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Middle}) {
        SCOPED_TRACE(button);
        const int output = static_cast<int>(app.wires.size());
        startAtInput(0);
        // The loose end is under the mouse: were the frame to go on, the held
        // right button would delete the new wire.
        driver.press(driver.outputPoint(output), button);
        EXPECT_EQ(app.wiringState, WiringState::Idle);
        ASSERT_EQ(app.wires.size(), static_cast<std::size_t>(output + 1));
        EXPECT_TRUE(underWay().complete);
        EXPECT_EQ(drawn(), (Connection{0, 0, 0, output}));
        EXPECT_EQ(underWay().line[1].position, driver.outputPoint(output));
        driver.release(driver.outputPoint(output), button);
    }
}

// The output column is 1872 < x <= 1892; output 0's band is 530 < y <= 550.
TEST_F(WiringTest, OutputTakesPressesOnItsRightAndBottomEdgesAndAWiredOneAbandonsTheWire) {
    startAtInput(0);
    driver.click(sf::Vector2f(1872.f, 540.f));
    driver.click(sf::Vector2f(1882.f, 530.f));
    EXPECT_EQ(app.wiringState, WiringState::ChoosingTarget);
    EXPECT_FALSE(underWay().complete);
    driver.click(sf::Vector2f(1892.f, 550.f));
    EXPECT_EQ(app.wiringState, WiringState::Idle);
    EXPECT_EQ(drawn(), (Connection{0, 0, 0, 0}));

    const int32_t chip = driver.placeChip("NOT", sf::Vector2f(400.f, 300.f));
    startAtChip(chip, sf::Mouse::Left);
    driver.press(driver.outputPoint(0), sf::Mouse::Right);
    EXPECT_EQ(app.wiringState, WiringState::Idle);
    ASSERT_EQ(app.wires.size(), 1u) << "the wire already at the output stays";
    EXPECT_EQ(app.wires.front().connection, (Connection{0, 0, 0, 0}));
}

TEST_F(WiringTest, AChipWiredToItsOwnInputIsAccepted) {
    const int32_t chip = driver.placeChip("NOT", sf::Vector2f(400.f, 300.f));
    driver.wireChipToChip(chip, chip);
    EXPECT_EQ(drawn(), (Connection{chip, 0, chip, 0}));
    EXPECT_TRUE(underWay().complete);
    // The NOT feeds itself its own output: its input turns over every frame.
    const bool before = driver.boardChip(chip).input(0);
    driver.frame();
    EXPECT_NE(driver.boardChip(chip).input(0), before);
    driver.frame();
    EXPECT_EQ(driver.boardChip(chip).input(0), before);
}

TEST_F(WiringTest, PressesOnBoardInputsWhileAWireIsUnderWayDoNothing) {
    driver.setPinCounts(2, 1);
    const int32_t chip = driver.placeChip("NOT", sf::Vector2f(400.f, 300.f));
    startAtInput(0);
    for (const sf::Mouse::Button button : {sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Middle}) {
        driver.click(driver.inputPoint(1), button);
        driver.click(driver.inputPoint(0), button);
        for (const BoardInput& input : app.boardInputs) EXPECT_FALSE(input.value || input.clocked) << button;
    }
    EXPECT_EQ(app.wiringState, WiringState::ChoosingTarget);
    ASSERT_EQ(app.wires.size(), 1u);
    EXPECT_EQ(drawn(), (Connection{0, 0, -1, 0}));
    driver.pressConnect();

    startAtChip(chip, sf::Mouse::Right);
    driver.click(driver.inputPoint(1));
    EXPECT_FALSE(app.boardInputs[1].value);
    EXPECT_EQ(app.wiringState, WiringState::ChoosingSource);
    ASSERT_EQ(app.wires.size(), 1u);
    EXPECT_EQ(drawn(), (Connection{chip, 0, -1, 0}));
}

// The loose end follows the mouse until a target is previewed; the ends of
// complete wires follow their pins in the frame the chip moves.
TEST_F(WiringTest, WireEndsFollowTheMouseOrTheirPins) {
    const int32_t chip = driver.placeChip("NOT", sf::Vector2f(400.f, 300.f));
    startAtInput(0);
    driver.moveTo(sf::Vector2f(900.f, 700.f));
    driver.frame();
    EXPECT_EQ(underWay().line[1].position, sf::Vector2f(900.f, 700.f));
    EXPECT_EQ(underWay().line[0].position, driver.inputPoint(0));
    driver.click(driver.chipPoint(chip), sf::Mouse::Right);
    driver.moveTo(sf::Vector2f(900.f, 700.f));
    driver.frame();
    EXPECT_EQ(underWay().line[1].position, driver.boardChip(chip).inputPinPosition(0));
    driver.click(driver.chipPoint(chip));
    driver.wireChipToOutput(chip, 0);

    const Wire& in = app.wires.front();
    const Wire& out = app.wires.back();
    driver.press(driver.chipPoint(chip));
    driver.moveTo(sf::Vector2f(1000.f, 800.f));
    driver.frame();
    const Chip& moved = driver.boardChip(chip);
    ASSERT_EQ(moved.body().getPosition(), sf::Vector2f(962.f, 775.f));
    EXPECT_EQ(in.line[1].position, moved.inputPinPosition(0));
    EXPECT_EQ(out.line[0].position, moved.outputPinPosition(0));
    EXPECT_EQ(in.line[0].position, driver.inputPoint(0));
    EXPECT_EQ(out.line[1].position, driver.outputPoint(0));
}

// Input 0 (38, 393.33) to output 1 (1882, 686.67) and input 1 to output 0
// cross at (960, 540). Nothing is deleted while a wire is being drawn.
TEST_F(WiringTest, HoldingTheRightButtonOverCrossingWiresDeletesOneAFrameOldestFirst) {
    driver.setPinCounts(2, 2);
    driver.wireInputToOutput(0, 1);
    driver.wireInputToOutput(1, 0);
    const int32_t chip = driver.placeChip("NOT", sf::Vector2f(400.f, 300.f));
    const sf::Vector2f crossing(960.f, 540.f);
    driver.pressConnect();
    driver.holdRight(crossing, 3);
    EXPECT_EQ(app.wires.size(), 2u) << "armed";
    driver.click(driver.chipPoint(chip), sf::Mouse::Right);
    driver.holdRight(crossing, 3);
    EXPECT_EQ(app.wires.size(), 3u) << "choosing a source";
    driver.click(driver.chipPoint(chip));
    driver.holdRight(crossing, 3);
    EXPECT_EQ(app.wires.size(), 3u) << "choosing a target";
    driver.pressConnect();

    driver.holdRight(crossing);
    ASSERT_EQ(app.wires.size(), 1u);
    EXPECT_EQ(app.wires.front().connection, (Connection{0, 1, 0, 0}));
    driver.holdRight(crossing);
    EXPECT_TRUE(app.wires.empty());
}

// Input 0 at (38, 540) to the input pin of a NOT at (138, 540): 100 pixels.
// A deleted wire clears the pin it fed; a lamp goes black the frame after.
TEST_F(WiringTest, RightButtonSevenPixelsBesideAHundredPixelWireDeletesItAndClearsThePin) {
    const int32_t chip = driver.placeChip("NOT", sf::Vector2f(138.f, 515.f));
    driver.wireInputToChip(0, chip);
    driver.wireChipToOutput(chip, 0);
    ASSERT_EQ(app.wires.front().line[1].position, sf::Vector2f(138.f, 540.f));
    driver.setInput(0, true);
    driver.frame();
    ASSERT_TRUE(driver.boardChip(chip).input(0));

    driver.holdRight(sf::Vector2f(88.f, 548.f));
    driver.holdRight(sf::Vector2f(88.f, 532.f));
    EXPECT_EQ(app.wires.size(), 2u) << "8 pixels off is too far";
    driver.holdRight(sf::Vector2f(88.f, 547.f));
    ASSERT_EQ(app.wires.size(), 1u);
    EXPECT_FALSE(driver.boardChip(chip).input(0));

    driver.frames(2);
    ASSERT_TRUE(driver.lamp(0));
    driver.holdRight(sf::Vector2f(960.f, 540.f));
    EXPECT_TRUE(app.wires.empty());
    EXPECT_FALSE(app.boardOutputs[0]);
    EXPECT_TRUE(driver.lamp(0)) << "still green in the frame of the deletion";
    driver.frame();
    EXPECT_FALSE(driver.lamp(0));
}

TEST(WireTest, HitRegionIsTheEllipseAroundTheEndsWithOnePixelToSpare) {
    // Beside the middle of a 100-pixel wire see the App test above; past its ends:
    const Wire shortWire(Connection{}, sf::Vector2f(0.f, 0.f), sf::Vector2f(100.f, 0.f));
    EXPECT_TRUE(shortWire.isNear(sf::Vector2f(100.4f, 0.f)));
    EXPECT_FALSE(shortWire.isNear(sf::Vector2f(100.6f, 0.f)));
    EXPECT_FALSE(shortWire.isNear(sf::Vector2f(-0.6f, 0.f)));

    // Longer wires have wider regions: sqrt(2 * 400 + 1) / 2 = 14.15.
    const Wire longWire(Connection{}, sf::Vector2f(100.f, 100.f), sf::Vector2f(100.f, 500.f));
    EXPECT_TRUE(longWire.isNear(sf::Vector2f(114.f, 300.f)));
    EXPECT_FALSE(longWire.isNear(sf::Vector2f(115.f, 300.f)));
}
