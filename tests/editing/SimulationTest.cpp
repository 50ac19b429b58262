#include "support/AppDriver.h"

#include <gtest/gtest.h>

namespace {

const sf::Color NORMAL(80, 80, 80, 255);
const sf::Color HOVERED(60, 60, 60, 255);
const sf::Time BLINK = sf::milliseconds(BLINK_PERIOD_MS);
const sf::Time FRAME = sf::milliseconds(AppDriver::FRAME_MS);

sf::Event eventAt(sf::Event::EventType type, sf::Vector2f point) {
    sf::Event event{};
    event.type = type;
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

    driver.click(in, sf::Mouse::Right);
    EXPECT_FALSE(input(0));

    toggleClocking(0);
    EXPECT_TRUE(app.boardInputs[0].clocked);
    EXPECT_EQ(app.inputCircles[0].getOutlineThickness(), 5.f);
    EXPECT_FALSE(input(0)) << "the ring changes, the value does not";
    driver.click(in);
    EXPECT_TRUE(input(0)) << "a clocked input still switches by hand";
    EXPECT_TRUE(app.boardInputs[0].clocked);
    toggleClocking(0);
    EXPECT_FALSE(app.boardInputs[0].clocked);
    EXPECT_EQ(app.inputCircles[0].getOutlineThickness(), 0.f);
    EXPECT_TRUE(input(0));
}

// Clocked inputs toggle together at the first frame at which a period has
// passed since the last toggle; a late frame toggles once and restarts the
// period. Inputs not clocked are left alone.
TEST_F(SimulationTest, ClockedInputsToggleTogetherOncePerPeriodAndALateFrameDoesNotMakeUp) {
    driver.setPinCounts(3, 1);
    driver.click(driver.inputPoint(0));
    driver.click(driver.inputPoint(2));
    const sf::Time clockedAt = driver.now() + FRAME;  // the middle press's frame
    toggleClocking(0);
    toggleClocking(1);
    // The blink clock runs all the time: the first toggle comes within a period.
    sf::Time last = nextToggle(0);
    EXPECT_LE(last - clockedAt, BLINK + FRAME);
    for (int blink = 0; blink < 6; ++blink) {
        const sf::Time next = nextToggle(0);
        EXPECT_GE(next - last, BLINK) << "never twice within a period";
        EXPECT_LT(next - last, BLINK + FRAME) << "the first frame at which a period has passed";
        EXPECT_NE(input(0), input(1)) << "set opposite, they stay opposite";
        EXPECT_EQ(app.inputCircles[1].getFillColor(), logicColour(input(1)));
        EXPECT_TRUE(input(2)) << "not clocked, not touched";
        last = next;
    }

    const bool before = input(0);
    driver.lateFrame(BLINK_PERIOD_MS + 600);
    EXPECT_NE(input(0), before) << "one toggle, however late";
    const sf::Time lateAt = driver.now();
    EXPECT_LT(nextToggle(0) - lateAt, BLINK + FRAME);

    // Exactly one period after the toggle toggles; a millisecond earlier not.
    const bool beforeEarly = input(0);
    driver.lateFrame(BLINK_PERIOD_MS - 1);
    EXPECT_EQ(input(0), beforeEarly);
    nextToggle(0);
    const bool beforeExact = input(0);
    driver.lateFrame(BLINK_PERIOD_MS);
    EXPECT_NE(input(0), beforeExact);
}

TEST_F(SimulationTest, AStaleEventIsNeverActedOn) {
    // Each press would act if it were this frame's event.
    const sf::Vector2f targets[] = {driver.inputPoint(0), AppDriver::centreOf(app.addInputButton().rect),
                                    AppDriver::centreOf(app.connectButton().rect), driver.paletteEntryPoint("AND"),
                                    AppDriver::centreOf(app.nameBox.rect())};
    for (const sf::Vector2f target : targets) {
        driver.moveTo(target);
        driver.staleFrame(eventAt(sf::Event::MouseButtonPressed, target));
    }
    EXPECT_FALSE(input(0));
    EXPECT_EQ(app.boardInputs.size(), 1u);
    EXPECT_EQ(app.wiringState, WiringState::Idle);
    EXPECT_TRUE(app.boardChips.empty());
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
    driver.staleFrame(eventAt(sf::Event::MouseButtonReleased, driver.chipPoint(chip)));
    EXPECT_EQ(app.draggedChipId, chip);
}

// Only complete wires carry values and colour their lamps; a lamp no complete
// wire feeds is black at the end of every frame, whatever its value says.
TEST_F(SimulationTest, OnlyCompleteWiresCarryAndALampNoneFeedsIsBlack) {
    driver.setPinCounts(1, 2);
    driver.setInput(0, true);
    driver.pressConnect();
    driver.click(driver.inputPoint(0));
    ASSERT_EQ(app.wiringState, WiringState::ChoosingTarget);
    app.outputCircles[1].setFillColor(sf::Color::Green);
    driver.frames(3);
    EXPECT_EQ(app.wires.back().line[0].color, sf::Color::Black) << "the input's 1 is not carried";
    EXPECT_FALSE(driver.lamp(0));
    EXPECT_FALSE(driver.lamp(1));

    driver.click(driver.outputPoint(0));
    ASSERT_TRUE(app.wires.back().complete);
    driver.frame();
    EXPECT_EQ(app.wires.back().line[0].color, sf::Color::Green);
    EXPECT_EQ(app.wires.back().line[1].color, sf::Color::Green);
    EXPECT_TRUE(driver.lamp(0));

    app.boardOutputs[1] = true;
    app.outputCircles[1].setFillColor(sf::Color::Green);
    driver.frame();
    EXPECT_FALSE(driver.lamp(1));
    EXPECT_TRUE(app.boardOutputs[1]) << "only the colour is reset";
}

// The press switches the input after the frame's transfer, so the lamp shows
// it a frame later; a blink comes before the transfer, so the lamp follows
// in the blink's own frame.
TEST_F(SimulationTest, AWireFromAnInputToALampShowsAClickNextFrameAndABlinkAtOnce) {
    driver.wireInputToOutput(0, 0);
    driver.frame();
    ASSERT_FALSE(driver.lamp(0));
    driver.press(driver.inputPoint(0));
    EXPECT_FALSE(driver.lamp(0));
    driver.release(driver.inputPoint(0));
    EXPECT_TRUE(driver.lamp(0));
    EXPECT_TRUE(app.boardOutputs[0]);

    toggleClocking(0);
    for (int blink = 0; blink < 3; ++blink) {
        nextToggle(0);
        EXPECT_EQ(driver.lamp(0), input(0));
        EXPECT_EQ(app.wires.front().line[1].color, logicColour(input(0)));
    }
}

}  // namespace
