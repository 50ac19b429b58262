#include "support/AppDriver.h"

#include <gtest/gtest.h>

// Place k NOTs, wire input 0 through them to output 0, click the input: the
// lamp changes k + 1 frames later, one frame for the wire, one per chip.
TEST(Simulation, AClickReachesTheLampOneChipPerFrame) {
    for (int chips = 1; chips <= 3; ++chips) {
        AppDriver user;
        int32_t previous = 0;
        for (int i = 0; i < chips; ++i) {
            const int32_t chip = user.place("NOT", {300.f + 200.f * static_cast<float>(i), 400.f});
            user.wire(previous, 0, chip, 0);
            previous = chip;
        }
        user.wire(previous, 0, 0, 0);
        user.frames(5);
        const bool before = user.lamp(0);
        ASSERT_EQ(before, chips % 2 == 1) << chips << " NOTs invert an input that is off";
        user.press(user.input(0));
        for (int frame = 1; frame <= chips + 1; ++frame, user.frames())
            EXPECT_EQ(user.lamp(0), before) << chips << " chips, frame " << frame;
        EXPECT_EQ(user.lamp(0), !before) << chips << " chips";
    }
}

namespace {

// Input 0 through three NOTs to the lamp; the chips, first to last.
std::vector<int32_t> chainOfThree(AppDriver& user) {
    std::vector<int32_t> chips;
    for (int i = 0; i < 3; ++i) {
        chips.push_back(user.place("NOT", {300.f + 200.f * static_cast<float>(i), 400.f}));
        user.wire(i == 0 ? 0 : chips[i - 1], 0, chips.back(), 0);
    }
    user.wire(chips.back(), 0, 0, 0);
    user.frames(5);
    return chips;
}

}  // namespace

// Space pauses: whatever frames pass, nothing moves. Each Right arrow (or
// '.') then moves the change one chip, as a running frame would: the lamp
// shows it after four steps. Space runs the circuit again; while the name
// box has the focus, Space types.
TEST(Simulation, PausedTheCircuitMovesOneChipPerStep) {
    AppDriver user;
    const std::vector<int32_t> chips = chainOfThree(user);
    const bool lamp = user.lamp(0);
    user.key(sf::Keyboard::Space);
    EXPECT_EQ(user.app.widgets().paceLabel.getString(), "paused, 0 steps");
    user.click(user.input(0));
    const Board paused = user.board();
    user.frames(100);
    EXPECT_EQ(user.board(), paused);
    for (int step = 1; step <= 4; ++step) {
        user.key(step % 2 ? sf::Keyboard::Right : sf::Keyboard::Period);
        for (int chip = 0; chip < 3; ++chip)
            EXPECT_EQ(user.board().chips.find(chips[chip])->output(0), (chip % 2 == 0) == (step <= chip + 1)) << "step " << step;
        EXPECT_EQ(user.lamp(0), lamp == (step < 4)) << "step " << step;
    }
    user.click(user.nameBox());
    user.key(sf::Keyboard::Space);
    EXPECT_TRUE(user.editor().pace().isPaused());
    user.click(user.input(0));
    user.key(sf::Keyboard::Space);
    user.frames(4);
    EXPECT_EQ(user.lamp(0), lamp);
    EXPECT_EQ(user.app.widgets().paceLabel.getString(), "");
}

// A blinking input holds while paused, and blinks 700 ms after the circuit
// runs again. Three '[' slow the circuit to a step every 8 frames: a click
// reaches the lamp after three NOTs in four steps; ']' brings back the pace
// step by step.
TEST(Simulation, BlinkingHoldsWhilePausedAndSlowMotionStepsEveryFewFrames) {
    AppDriver user;
    user.click(user.input(0), sf::Mouse::Middle);
    user.key(sf::Keyboard::Space);
    const bool held = user.board().inputs[0].value;
    user.lateFrame(3000);
    EXPECT_EQ(user.board().inputs[0].value, held);
    user.key(sf::Keyboard::Space);
    user.lateFrame(690);
    EXPECT_EQ(user.board().inputs[0].value, held);
    user.lateFrame(16);
    EXPECT_NE(user.board().inputs[0].value, held);
    user.click(user.input(0), sf::Mouse::Middle);

    chainOfThree(user);
    const bool lamp = user.lamp(0);
    for (int slower = 0; slower < 3; ++slower) user.key(sf::Keyboard::LBracket);
    user.click(user.input(0));
    user.frames(3 * 8 + 5);
    EXPECT_EQ(user.lamp(0), lamp);
    user.frames();
    EXPECT_NE(user.lamp(0), lamp);
    EXPECT_EQ(user.app.widgets().paceLabel.getString(), "1/8 speed, 4 steps");
    for (int faster = 0; faster < 3; ++faster) user.key(sf::Keyboard::RBracket);
    EXPECT_EQ(user.app.widgets().paceLabel.getString(), "");
}
