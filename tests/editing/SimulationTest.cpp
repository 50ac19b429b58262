#include "support/EditorSteps.h"

#include <gtest/gtest.h>

// Input 0 through a NOT to the lamp, the input switched on: in each step the
// chips compute from what the wires delivered in the step before, and then
// the wires carry. So after one step the NOT has its new input but still
// shows its old output, and so does the lamp; after the second both change.
// A step by hand while paused is the same step.
TEST(Simulation, AStepEvaluatesTheChipsBeforeTheWiresCarry) {
    for (const bool byHand : {false, true}) {
        auto editor = newEditor();
        const int32_t invert = place(*editor, "NOT", {400, 300});
        wire(*editor, 0, 0, invert, 0);
        wire(*editor, invert, 0, 0, 0);
        run(*editor, 2);
        if (byHand) editor->togglePause(Editor::Time{0});
        editor->switchInput(0);
        const Chip& chip = *editor->board().chips.find(invert);
        const auto step = [&] { byHand ? editor->stepByHand() : run(*editor, 1); };
        step();
        EXPECT_EQ(std::make_tuple(chip.input(0), chip.output(0), editor->board().outputs[0]), std::make_tuple(true, true, true)) << byHand;
        EXPECT_EQ(editor->board().wires.back().shades[0], Wire::Shade::High) << "the wire shows what it carried";
        step();
        EXPECT_EQ(std::make_tuple(chip.output(0), editor->board().outputs[0], editor->board().lamps[0]), std::make_tuple(false, false, false));
    }
}

// A clocked input toggles at the first step 700 ms after its last toggle;
// a late step restarts the period, it is not made up. Paused, it holds, and
// its period starts again when the circuit runs again.
TEST(Simulation, AClockedInputTogglesEvery700MsFromItsLastToggle) {
    auto editor = newEditor();
    editor->toggleBlinking(0);
    const auto togglesAt = [&editor](int ms) {
        const bool before = editor->board().inputs[0].value;
        editor->runFrame(std::chrono::milliseconds(ms));
        return editor->board().inputs[0].value != before;
    };
    for (const auto& [ms, toggles] : {std::pair{699, false}, {700, true}, {1700, true}, {2399, false}, {2400, true}})
        EXPECT_EQ(togglesAt(ms), toggles) << ms << " ms";
    editor->togglePause(std::chrono::milliseconds(2500));
    EXPECT_FALSE(togglesAt(5000));
    editor->togglePause(std::chrono::milliseconds(6000));
    EXPECT_FALSE(togglesAt(6699));
    EXPECT_TRUE(togglesAt(6700));
}
