#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const sf::Color NORMAL(80, 80, 80, 255);
const sf::Color HOVERED(60, 60, 60, 255);
const sf::Time BLINK = sf::milliseconds(BLINK_PERIOD_MS);
const sf::Time FRAME = sf::milliseconds(AppDriver::FRAME_MS);
// With frames of 16 ms a blink comes every 44th frame.
constexpr int FRAMES_PER_BLINK = (BLINK_PERIOD_MS + AppDriver::FRAME_MS - 1) / AppDriver::FRAME_MS;

sf::Event pressAt(sf::Vector2f point) {
    sf::Event event{};
    event.type = sf::Event::MouseButtonPressed;
    event.mouseButton.button = sf::Mouse::Left;
    event.mouseButton.x = static_cast<int>(point.x);
    event.mouseButton.y = static_cast<int>(point.y);
    return event;
}

// The frame's simulation: the blink, one evaluation of every board chip per
// frame, the transfer along complete wires and the colours that show it.
class SimulationTest : public ::testing::Test {
protected:
    AppDriver driver;
    App& app = driver.app();

    bool input(int i) const { return app.boardInputs.at(i).value; }
    void toggleClocking(int i) { driver.click(driver.inputPoint(i), sf::Mouse::Middle); }
    void addInput() { driver.click(AppDriver::centreOf(app.addInputButton().rect)); }

    // Runs frames until input `i` toggles; the clock of that frame.
    sf::Time nextToggle(int i) {
        const bool before = input(i);
        for (int frame = 0; frame < 1000; ++frame) {
            driver.frame();
            if (input(i) != before) return driver.now();
        }
        ADD_FAILURE() << "input " << i << " never toggled";
        return sf::Time::Zero;
    }

    // Input 0 through `count` NOTs on the board to output 0; their ids.
    std::vector<int32_t> notChain(int count) {
        std::vector<int32_t> chain;
        for (int i = 0; i < count; ++i)
            chain.push_back(driver.placeChip("NOT", sf::Vector2f(300.f + 200.f * i, 300.f)));
        driver.wireInputToChip(0, chain.front());
        for (int i = 1; i < count; ++i) driver.wireChipToChip(chain[i - 1], chain[i]);
        driver.wireChipToOutput(chain.back(), 0);
        driver.frames(count + 2);  // settle
        return chain;
    }
};

TEST_F(SimulationTest, ButtonsShowTheirHoverColourOnFramesWithoutEvents) {
    for (std::size_t hovered = 0; hovered < app.buttons.size(); ++hovered) {
        driver.moveTo(AppDriver::centreOf(app.buttons[hovered].rect));
        driver.frame();
        for (std::size_t b = 0; b < app.buttons.size(); ++b)
            EXPECT_EQ(app.buttons[b].rect.getFillColor(), b == hovered ? HOVERED : NORMAL)
                << "mouse over button " << hovered << ", button " << b;
    }
    driver.moveTo(sf::Vector2f(960.f, 540.f));
    driver.frame();
    for (const Button& button : app.buttons) EXPECT_EQ(button.rect.getFillColor(), NORMAL);
    EXPECT_EQ(app.boardInputs.size(), 1u) << "hovering presses nothing";
}

TEST_F(SimulationTest, LeftAndRightClicksSwitchAnInputAndAMiddleClickItsBlinking) {
    const sf::Vector2f in = driver.inputPoint(0);
    driver.press(in);
    EXPECT_TRUE(input(0)) << "switched in the press's own frame";
    EXPECT_EQ(app.inputCircles[0].getFillColor(), sf::Color::Green);
    driver.release(in);
    EXPECT_TRUE(input(0)) << "the release does nothing";

    driver.press(in, sf::Mouse::Right);
    EXPECT_FALSE(input(0));
    EXPECT_EQ(app.inputCircles[0].getFillColor(), sf::Color::Black);
    EXPECT_FALSE(app.boardInputs[0].clocked);
    driver.release(in, sf::Mouse::Right);

    driver.press(in, sf::Mouse::Middle);
    EXPECT_TRUE(app.boardInputs[0].clocked);
    EXPECT_EQ(app.inputCircles[0].getOutlineThickness(), 5.f);
    EXPECT_EQ(app.inputCircles[0].getOutlineColor(), sf::Color(102, 102, 102, 255));
    EXPECT_FALSE(input(0)) << "the ring changes, the value does not";
    EXPECT_EQ(app.inputCircles[0].getFillColor(), sf::Color::Black);
    driver.release(in, sf::Mouse::Middle);

    driver.press(in);
    EXPECT_TRUE(input(0)) << "a clocked input still switches by hand";
    EXPECT_TRUE(app.boardInputs[0].clocked);
    driver.release(in);
    toggleClocking(0);
    EXPECT_FALSE(app.boardInputs[0].clocked);
    EXPECT_EQ(app.inputCircles[0].getOutlineThickness(), 0.f);
    EXPECT_TRUE(input(0));
}

TEST_F(SimulationTest, AClockedInputTogglesAtTheFirstFrameOnceTheBlinkPeriodHasPassed) {
    const sf::Time clockedAt = driver.now() + FRAME;  // the middle press's frame
    toggleClocking(0);
    // The blink clock runs all the time: the first toggle comes within a period.
    sf::Time last = nextToggle(0);
    EXPECT_LE(last - clockedAt, BLINK + FRAME);

    for (int blink = 0; blink < 8; ++blink) {
        const sf::Time next = nextToggle(0);
        EXPECT_GE(next - last, BLINK) << "never twice within a period";
        EXPECT_LT(next - last, BLINK + FRAME) << "the first frame at which a period has passed";
        last = next;
    }
}

TEST_F(SimulationTest, ABlinkFiresAtOnePeriodAndALateOneRestartsThePeriodWithoutMakingUp) {
    toggleClocking(0);
    nextToggle(0);
    const bool before = input(0);
    driver.lateFrame(BLINK_PERIOD_MS + 600);
    EXPECT_NE(input(0), before) << "one toggle, however late";
    const sf::Time lateAt = driver.now();
    const sf::Time next = nextToggle(0);
    EXPECT_GE(next - lateAt, BLINK);
    EXPECT_LT(next - lateAt, BLINK + FRAME);

    // A frame that comes exactly one period after the blink toggles; one a
    // millisecond earlier does not.
    const bool beforeEarly = input(0);
    driver.lateFrame(BLINK_PERIOD_MS - 1);
    EXPECT_EQ(input(0), beforeEarly);
    nextToggle(0);
    const bool beforeExact = input(0);
    driver.lateFrame(BLINK_PERIOD_MS);
    EXPECT_NE(input(0), beforeExact);
}

TEST_F(SimulationTest, ClockedInputsToggleTogetherAndUnclockedOnesAreLeftAlone) {
    addInput();
    addInput();
    driver.click(driver.inputPoint(0));
    driver.click(driver.inputPoint(2));
    toggleClocking(0);
    toggleClocking(1);
    ASSERT_TRUE(input(0));
    ASSERT_FALSE(input(1));

    int toggles = 0;
    bool last = input(0);
    for (int frame = 0; frame < 5 * FRAMES_PER_BLINK; ++frame) {
        driver.frame();
        EXPECT_NE(input(0), input(1)) << "set opposite, they stay opposite";
        EXPECT_EQ(app.inputCircles[1].getFillColor(), logicColour(input(1)));
        EXPECT_TRUE(input(2)) << "not clocked, not touched";
        EXPECT_EQ(app.inputCircles[2].getFillColor(), sf::Color::Green);
        if (input(0) != last) ++toggles;
        last = input(0);
    }
    EXPECT_EQ(toggles, 5) << "one toggle every " << FRAMES_PER_BLINK << " frames";
}

TEST_F(SimulationTest, FramesWithoutEventsStillBlinkEvaluateAndFollowTheMouse) {
    notChain(1);
    toggleClocking(0);
    driver.moveTo(AppDriver::centreOf(app.connectButton().rect));

    // From here on not a single event: the lamp follows the blinking input
    // through the NOT one frame later, and "Connect" stays hovered.
    int inputToggles = 0;
    bool previousInput = input(0);
    bool previousLamp = driver.lamp(0);
    bool inputToggledLastFrame = false;
    for (int frame = 0; frame < 200; ++frame) {
        driver.frame();
        const bool inputToggled = input(0) != previousInput;
        const bool lampToggled = driver.lamp(0) != previousLamp;
        EXPECT_EQ(lampToggled, inputToggledLastFrame) << "frame " << frame;
        inputToggles += inputToggled;
        inputToggledLastFrame = inputToggled;
        previousInput = input(0);
        previousLamp = driver.lamp(0);
        EXPECT_EQ(app.connectButton().rect.getFillColor(), HOVERED);
    }
    EXPECT_GE(inputToggles, 4);
}

TEST_F(SimulationTest, TheFrameThatClosesTheWindowStillRunsToItsEnd) {
    driver.wireInputToOutput(0, 0);
    toggleClocking(0);
    nextToggle(0);
    driver.frames(FRAMES_PER_BLINK - 1);
    driver.moveTo(AppDriver::centreOf(app.saveButton().rect));
    const bool before = input(0);
    driver.keyPress(sf::Keyboard::Escape);  // the frame of the next blink
    EXPECT_FALSE(app.isOpen());
    EXPECT_NE(input(0), before) << "blinked";
    EXPECT_EQ(driver.lamp(0), input(0)) << "carried along the wire";
    EXPECT_EQ(app.saveButton().rect.getFillColor(), HOVERED);
}

TEST_F(SimulationTest, AStaleEventIsNeverActedOn) {
    // Each would act if it were this frame's event.
    driver.moveTo(driver.inputPoint(0));
    driver.staleFrame(pressAt(driver.inputPoint(0)));
    EXPECT_FALSE(input(0));

    driver.moveTo(AppDriver::centreOf(app.addInputButton().rect));
    driver.staleFrame(pressAt(AppDriver::centreOf(app.addInputButton().rect)));
    EXPECT_EQ(app.boardInputs.size(), 1u);

    driver.moveTo(AppDriver::centreOf(app.connectButton().rect));
    driver.staleFrame(pressAt(AppDriver::centreOf(app.connectButton().rect)));
    EXPECT_EQ(app.wiringState, WiringState::Idle);

    driver.moveTo(driver.paletteEntryPoint("AND"));
    driver.staleFrame(pressAt(driver.paletteEntryPoint("AND")));
    EXPECT_TRUE(app.boardChips.empty());

    driver.moveTo(AppDriver::centreOf(app.nameBox.rect()));
    driver.staleFrame(pressAt(AppDriver::centreOf(app.nameBox.rect())));
    EXPECT_FALSE(app.nameBox.isActive());
    driver.click(AppDriver::centreOf(app.nameBox.rect()));
    ASSERT_TRUE(app.nameBox.isActive());
    sf::Event typed{};
    typed.type = sf::Event::TextEntered;
    typed.text.unicode = 'x';
    driver.staleFrame(typed);
    EXPECT_EQ(app.nameBox.name(), "");

    // A stale release does not end a drag.
    const int32_t chip = driver.placeChip("NOT", sf::Vector2f(400.f, 400.f));
    driver.press(driver.chipPoint(chip));
    sf::Event released = pressAt(driver.chipPoint(chip));
    released.type = sf::Event::MouseButtonReleased;
    driver.staleFrame(released);
    EXPECT_EQ(app.draggedChipId, chip);
}

TEST_F(SimulationTest, ALampNoWireFeedsIsBlackAtTheEndOfEveryFrame) {
    driver.click(AppDriver::centreOf(app.addOutputButton().rect));
    driver.wireInputToOutput(0, 0);
    driver.setInput(0, true);
    driver.frame();
    ASSERT_TRUE(driver.lamp(0));

    // Whatever the values say, a lamp without a wire goes black.
    app.boardOutputs[1] = true;
    app.outputCircles[1].setFillColor(sf::Color::Green);
    driver.frame();
    EXPECT_FALSE(driver.lamp(1));
    EXPECT_TRUE(app.boardOutputs[1]) << "only the colour is reset";
    EXPECT_TRUE(driver.lamp(0)) << "a fed lamp keeps its value's colour";

    // A wire under way counts for nothing until it is complete.
    driver.pressConnect();
    driver.click(driver.inputPoint(0));
    ASSERT_EQ(app.wiringState, WiringState::ChoosingTarget);
    app.outputCircles[1].setFillColor(sf::Color::Green);
    driver.frames(3);
    EXPECT_FALSE(driver.lamp(1));
}

TEST_F(SimulationTest, OnlyCompleteWiresCarryAndShowValues) {
    driver.setInput(0, true);
    driver.pressConnect();
    driver.click(driver.inputPoint(0));
    ASSERT_EQ(app.wiringState, WiringState::ChoosingTarget);
    driver.frames(3);
    const Wire& underWay = app.wires.back();
    EXPECT_EQ(underWay.line[0].color, sf::Color::Black);
    EXPECT_EQ(underWay.line[1].color, sf::Color::White);
    EXPECT_FALSE(driver.lamp(0));

    driver.click(driver.outputPoint(0));
    ASSERT_TRUE(app.wires.back().complete);
    driver.frame();
    EXPECT_EQ(app.wires.back().line[0].color, sf::Color::Green);
    EXPECT_EQ(app.wires.back().line[1].color, sf::Color::Green);
    EXPECT_TRUE(driver.lamp(0));
}

TEST_F(SimulationTest, AWireFromAnInputStraightToALampDeliversInTheSameFrame) {
    driver.wireInputToOutput(0, 0);
    driver.frame();
    ASSERT_FALSE(driver.lamp(0));

    // The press switches the input after the frame's transfer; the next
    // frame's transfer carries it all the way.
    driver.press(driver.inputPoint(0));
    EXPECT_FALSE(driver.lamp(0));
    driver.release(driver.inputPoint(0));
    EXPECT_TRUE(driver.lamp(0));
    EXPECT_TRUE(app.boardOutputs[0]);

    // A blink comes before the transfer: the lamp follows in the blink's frame.
    toggleClocking(0);
    for (int blink = 0; blink < 3; ++blink) {
        nextToggle(0);
        EXPECT_EQ(driver.lamp(0), input(0));
        EXPECT_EQ(app.wires.front().line[1].color, logicColour(input(0)));
    }
}

TEST_F(SimulationTest, ThroughThreeNotsALampShowsAClickFourFramesAfterTheClicksFrame) {
    const Chip& first = *app.boardChips.find(notChain(3).front());
    const bool before = driver.lamp(0);
    ASSERT_TRUE(before) << "three NOTs turn the input's 0 into 1";

    driver.press(driver.inputPoint(0));  // the click's frame
    EXPECT_EQ(driver.lamp(0), before);
    driver.release(driver.inputPoint(0));
    EXPECT_EQ(driver.lamp(0), before) << "1 frame after";
    // The first NOT has its new input but computes from it only next frame.
    EXPECT_TRUE(first.input(0));
    EXPECT_TRUE(first.output(0));
    driver.frame();
    EXPECT_FALSE(first.output(0));
    EXPECT_EQ(driver.lamp(0), before) << "2 frames after";
    driver.frame();
    EXPECT_EQ(driver.lamp(0), before) << "3 frames after";
    driver.frame();
    EXPECT_NE(driver.lamp(0), before) << "4 frames after";
    driver.frames(5);
    EXPECT_NE(driver.lamp(0), before) << "and stays";
}

TEST_F(SimulationTest, ThroughThreeNotsALampShowsABlinkThreeFramesAfterTheBlinksFrame) {
    notChain(3);
    toggleClocking(0);
    nextToggle(0);
    driver.frames(5);  // settled, well before the next blink
    for (int blink = 0; blink < 2; ++blink) {
        const bool before = driver.lamp(0);
        nextToggle(0);
        EXPECT_EQ(driver.lamp(0), before);
        driver.frames(2);
        EXPECT_EQ(driver.lamp(0), before) << "2 frames after the blink";
        driver.frame();
        EXPECT_NE(driver.lamp(0), before) << "3 frames after the blink";
    }
}

}  // namespace
