#include "chip/RandomCircuits.h"
#include "support/EditorSteps.h"

#include <gtest/gtest.h>

#include <cstdlib>

// CHAIN (four NOTs) and WRAP (a CHAIN) saved; on TOP, a WRAP from switch 0 to
// the lamp. WRAP then leaves the palette and CHAIN is saved anew, yet the
// insides shown are the boards they were saved from. Inside the WRAP's CHAIN,
// a change walks one NOT a frame. Going back climbs a level at a time, then
// shows the board. Looking changed nothing: the board is at every frame as
// the same board run alone, nothing is recorded or said, no id is drawn.
TEST(LookingInside, AChainInsideAChipWalksFrameByFrameAndLookingChangesNothing) {
    auto editor = newEditor();
    chainOf(*editor, "NOT", 4, "CHAIN");
    chainOf(*editor, "CHAIN", 1, "WRAP");
    const Chip& wrap = *editor->board().chips.find(chainOf(*editor, "WRAP", 1)[0]);
    editor->removeFromPalette(entryNamed(*editor, "WRAP"));
    saveAs(*editor, "CHAIN");
    editor->setName("TOP");
    run(*editor, 12);
    Board alone = editor->board();
    const std::size_t steps = editor->history().steps();
    editor->takeNotices();
    std::srand(7);
    editor->lookInside(wrap);
    const Chip& chain = *editor->shownBoard().chips.begin();
    EXPECT_EQ(std::make_pair(chain.name(), chain.position()), std::make_pair(std::string("CHAIN"), Point{300, 300}));
    editor->lookInside(chain);
    EXPECT_EQ(editor->path(), "TOP > WRAP > CHAIN   (looking inside)");
    editor->switchInput(0), alone.inputs[0].value = true;
    std::string walk;
    for (int frame = 0; frame < 7; ++frame) {
        run(*editor, 1);
        editor->showInside();
        alone.step();
        ASSERT_EQ(editor->board(), alone);
        int changed = 0, odd = 0;
        for (const Chip& shown : editor->shownBoard().chips) changed += shown.input(0) == (odd++ % 2 == 0);
        walk += std::to_string(changed);
    }
    EXPECT_EQ(walk, "0234444");
    editor->back();
    EXPECT_EQ(editor->path(), "TOP > WRAP   (looking inside)");
    editor->back();
    EXPECT_EQ(&editor->shownBoard(), &editor->board());
    const int next = std::rand();
    std::srand(7);
    EXPECT_EQ(std::rand(), next);
    EXPECT_EQ(editor->history().steps(), steps);
    EXPECT_TRUE(editor->takeNotices().empty());
}

namespace {

// A pin the part has not reads as 0, as a board pin shown for none does.
bool pin(const std::vector<bool>& pins, int32_t index) { return index < static_cast<int32_t>(pins.size()) && pins[index]; }

// The part's sub-chip a chip shown stands for: the n-th with its id for the
// n-th shown with it.
ReferenceChip* standsFor(const Board& shown, const Chip& chip, ReferenceChip& part) {
    int before = 0;
    for (auto other = shown.chips.begin(); &*other != &chip; ++other) before += other->id() == chip.id();
    for (ReferenceChip& sub : part.subChips)
        if (sub.id == chip.id() && before-- == 0) return &sub;
    return nullptr;
}

// Every switch, lamp, chip pin and wire shown against the part; a wire shows
// the pin it feeds.
::testing::AssertionResult showsPart(const Board& shown, ReferenceChip& part) {
    for (int32_t at = 0; at < static_cast<int32_t>(shown.inputs.size()); ++at)
        if (shown.inputs[at].value != pin(part.inputs, at)) return ::testing::AssertionFailure() << "switch " << at;
    for (int32_t at = 0; at < static_cast<int32_t>(shown.lamps.size()); ++at)
        if (shown.lamps[at] != pin(part.outputs, at)) return ::testing::AssertionFailure() << "lamp " << at;
    for (const Chip& chip : shown.chips) {
        const ReferenceChip& sub = *standsFor(shown, chip, part);
        for (int32_t at = 0, inputs = chip.inputCount(); at < inputs + chip.outputCount(); ++at)
            if (chip.pinValue(at) != pin(at < inputs ? sub.inputs : sub.outputs, at < inputs ? at : at - inputs))
                return ::testing::AssertionFailure() << "chip " << chip.id();
    }
    for (const Wire& wire : shown.wires) {
        const Connection& c = wire.connection;
        if (wire.shades[0] != Wire::shadeOf(pin(c.toChip == 0 ? part.outputs : *part.inputsOf(c.toChip), c.toPin)))
            return ::testing::AssertionFailure() << "wire into " << c.toChip;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

// Random composites, without the boards they were saved from, their insides
// laid out anew, fed from switches set at random: a level inside, two and
// three, every value shown agrees with the plain reference model run beside
// it, frame after frame. A chip taken off the board ends the view.
TEST(LookingInside, TheInsideOfRandomCompositesAgreesWithTheReference) {
    int deeper = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        RandomCircuits random(seed);
        Twin twin = random.chip(4);
        if (twin.logic.kind() <= AND_CHIP || twin.logic.subChipCount() == 0) continue;
        auto editor = newEditor();
        while (static_cast<int32_t>(editor->board().inputs.size()) < twin.logic.inputCount()) editor->addInput();
        const Chip& chip = *editor->place(PaletteEntry(Chip(twin.logic, {}, "R", 10.f)));
        for (int32_t at = 0; at < twin.logic.inputCount(); ++at) wire(*editor, 0, at, chip.id(), at);
        editor->lookInside(chip);
        ReferenceChip* part = &twin.reference;
        for (int frame = 0; frame < 24; ++frame) {
            for (std::size_t at = 0; at < editor->board().inputs.size(); ++at)
                if (random.chance(0.5)) editor->switchInput(static_cast<int32_t>(at));
            twin.reference.evaluate();
            run(*editor, 1);
            for (int32_t at = 0; at < chip.inputCount(); ++at) twin.reference.setInput(at, chip.input(at));
            editor->showInside();
            ASSERT_TRUE(showsPart(editor->shownBoard(), *part)) << "seed " << seed << ", frame " << frame;
            for (const Chip& shown : editor->shownBoard().chips) {
                ReferenceChip* sub = standsFor(editor->shownBoard(), shown, *part);
                if (frame % 8 != 7 || shown.kind() <= AND_CHIP || sub->subChips.empty()) continue;
                editor->lookInside(shown);
                part = sub, ++deeper;
                break;
            }
        }
        editor->removeChip(chip);
        editor->showInside();
        EXPECT_EQ(editor->inside(), nullptr);
    }
    EXPECT_GE(deeper, 20);
}
