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

// A middle click makes an input blink: it toggles at the first frame 700 ms
// after its last toggle; a late frame restarts the period, it is not made up.
TEST(Simulation, AClockedInputTogglesEvery700MsFromItsLastToggle) {
    AppDriver user;
    user.click(user.input(0), sf::Mouse::Middle);  // 32 ms after the start
    const auto togglesAfter = [&user](int ms) {
        const bool before = user.app.board.inputs[0].value;
        user.lateFrame(ms);
        return user.app.board.inputs[0].value != before;
    };
    for (const auto& [ms, toggles] : {std::pair{667, false}, {16, true}, {1000, true}, {699, false}, {16, true}})
        EXPECT_EQ(togglesAfter(ms), toggles) << ms << " ms later";
    user.click(user.input(0), sf::Mouse::Middle);
    EXPECT_FALSE(togglesAfter(2000));
}
