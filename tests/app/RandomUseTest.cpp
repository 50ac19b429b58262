#include "support/AppDriver.h"
#include "support/Invariants.h"
#include "support/RandomFrames.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A frame a little later than the last, alike for any App: without an event,
// or with a press or a key.
FrameInput laterFrame(const App& app, int frames = 1) {
    return FrameInput{false, app.frame().event, app.frame().mousePos, false, app.frame().now + sf::milliseconds(16 * frames)};
}

FrameInput keyFrame(const App& app, sf::Keyboard::Key code) {
    FrameInput frame = laterFrame(app);
    frame.eventPending = true;
    frame.event.type = sf::Event::KeyPressed;
    frame.event.key = {code, false, true, false, false};
    return frame;
}

FrameInput clickFrame(const App& app, sf::Event::EventType type) {
    FrameInput frame = laterFrame(app);
    frame.eventPending = true;
    frame.mousePos = {960, 5};  // on nothing
    frame.event.type = type;
    frame.event.mouseButton = {sf::Mouse::Left, 960, 5};
    return frame;
}

// The palette's saved chips with the boards they were saved from, the board
// and the name typed, as the file keeps them.
std::string keptWork(const Editor& editor) { return LibraryFile::format(editor.work()); }

}  // namespace

// A careless user at work for 25,000 frames per seed, every invariant checked
// after every frame. The run must also have built something worth checking.
// Then the work as the library file keeps it is read back into another
// editor, where the palette and the board are as they were and run alike,
// step after step. Last, undoing every step gives back the first board (the
// switches aside, which are no edit) and palette, and redoing them all gives
// back the last.
class RandomUse : public ::testing::TestWithParam<uint32_t> {};

TEST_P(RandomUse, EveryFrameKeepsTheInvariantsAndTheWorkIsKeptAndUndone) {
    std::mt19937 random(GetParam());
    std::vector<uint8_t> bytes(25000 * RandomFrames::BYTES_PER_FRAME);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
    App app(App::WindowMode::None);
    Editor& editor = app.editor();
    editor.setHistoryBudget(SIZE_MAX);  // every step kept, to be undone
    const Board first = editor.board();
    const std::vector<PaletteEntry> firstPalette = editor.palette().entries();
    RandomFrames frames(bytes.data(), bytes.size());
    std::size_t mostWires = 0, mostChips = 0;
    for (int frame = 1; !frames.done(); ++frame) {
        app.step(frames.next(app));
        ASSERT_EQ(findViolation(app), "") << "seed " << GetParam() << ", frame " << frame;
        mostWires = std::max(mostWires, editor.board().wires.size());
        mostChips = std::max(mostChips, editor.board().chips.size());
    }
    EXPECT_GE(editor.palette().size(), 10u);
    EXPECT_GE(mostWires, 3u);
    EXPECT_GE(mostChips, 10u);

    // The name box loses the focus and a drag ends; an undo and a redo end a wire under way.
    for (const FrameInput& frame : {clickFrame(app, sf::Event::MouseButtonPressed), clickFrame(app, sf::Event::MouseButtonReleased)})
        app.step(frame);
    app.step(keyFrame(app, sf::Keyboard::Z)), app.step(keyFrame(app, sf::Keyboard::Y));
    ASSERT_FALSE(app.wiring().isDrawing());
    while (editor.pace().isPaused()) editor.togglePause(Editor::Time(app.frame().now.asMicroseconds()));
    while (editor.pace().framesPerStep() > 1) editor.faster();
    Editor copy(editor.layout(), [&app](const std::string& name) { return labelWidth(app.font(), name); }, editor.blinkRestartedAt());
    copy.keepIn(newLibraryFile("random-use-" + std::to_string(GetParam()) + ".json"),
                LibraryFile::parse(LibraryFile::format(editor.work()), "random-use.json"));
    ASSERT_EQ(keptWork(copy), keptWork(editor));
    for (int frame = 0; frame < 50; ++frame) {
        ASSERT_EQ(copy.board(), editor.board()) << "seed " << GetParam() << ", frame " << frame << " after reading";
        app.step(laterFrame(app));
        copy.runFrame(Editor::Time(app.frame().now.asMicroseconds()));
    }

    const Board last = editor.board();
    const std::string lastWork = keptWork(editor);
    while (editor.history().canUndo()) editor.undo();
    Board expected = first;
    expected.inputs[0] = editor.board().inputs[0];
    EXPECT_EQ(editor.board(), expected);
    EXPECT_EQ(editor.palette().entries(), firstPalette);
    while (editor.history().canRedo()) editor.redo();
    EXPECT_EQ(editor.board(), last);
    EXPECT_EQ(keptWork(editor), lastWork);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomUse, ::testing::Values(1u, 2024u, 77001u, 4150893u));
