#include "support/AppDriver.h"
#include "support/Invariants.h"
#include "support/RandomFrames.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Frames without an event, alike for any App.
FrameInput quietFrame(const App& app, int frame) {
    return FrameInput{false, app.frame.event, app.frame.mousePos, false, app.frame.now + sf::milliseconds(16 * frame)};
}

// The palette's saved chips with the boards they were saved from, the board
// and the name typed, as the file keeps them.
std::string keptWork(const App& app) { return LibraryFile::format(app.workToKeep()); }

}  // namespace

// A careless user at work for 25,000 frames per seed, every invariant checked
// after every frame. The run must also have built something worth checking.
// Then the work as the library file keeps it is written and read back into
// another editor, where the palette and the board are as they were and run
// alike, frame after frame. Last, undoing every step gives back the first
// board (the switches aside, which are no edit) and palette, and redoing them
// all gives back the last.
class RandomUse : public ::testing::TestWithParam<uint32_t> {};

TEST_P(RandomUse, EveryFrameKeepsTheInvariantsAndTheWorkIsKeptAndUndone) {
    std::mt19937 random(GetParam());
    std::vector<uint8_t> bytes(25000 * RandomFrames::BYTES_PER_FRAME);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
    App app(App::WindowMode::None);
    app.history = History(SIZE_MAX);  // every step kept, to be undone
    const Board first = app.board;
    const std::vector<PaletteEntry> firstPalette = app.library;
    RandomFrames frames(bytes.data(), bytes.size());
    std::size_t mostWires = 0, mostChips = 0;
    for (int frame = 1; !frames.done(); ++frame) {
        app.step(frames.next(app));
        ASSERT_EQ(findViolation(app), "") << "seed " << GetParam() << ", frame " << frame;
        mostWires = std::max(mostWires, app.board.wires.size());
        mostChips = std::max(mostChips, app.board.chips.size());
    }
    EXPECT_GE(app.library.size(), 10u);
    EXPECT_GE(mostWires, 3u);
    EXPECT_GE(mostChips, 10u);

    app.undo(), app.redo();  // a wire under way or a drag ends
    App copy(App::WindowMode::None);
    copy.keepWorkIn(newLibraryFile("random-use-" + std::to_string(GetParam()) + ".json"),
                    LibraryFile::parse(LibraryFile::format(app.workToKeep()), "random-use.json"));
    ASSERT_EQ(keptWork(copy), keptWork(app));
    copy.blinkRestartedAt = app.blinkRestartedAt;
    copy.pace = app.pace;
    for (int frame = 0; frame < 50; ++frame) {
        ASSERT_EQ(copy.board, app.board) << "seed " << GetParam() << ", frame " << frame << " after reading";
        copy.step(quietFrame(app, 1)), app.step(quietFrame(app, 1));
    }

    const Board last = app.board;
    const std::string lastWork = keptWork(app);
    while (app.history.canUndo()) app.undo();
    Board expected = first;
    expected.inputs[0] = app.board.inputs[0];
    EXPECT_EQ(app.board, expected);
    EXPECT_EQ(app.library, firstPalette);
    while (app.history.canRedo()) app.redo();
    EXPECT_EQ(app.board, last);
    EXPECT_EQ(keptWork(app), lastWork);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomUse, ::testing::Values(1u, 2024u, 77001u, 4150893u));
