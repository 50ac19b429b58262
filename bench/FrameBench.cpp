#include "app/App.h"
#include "app/Screen.h"
#include "AllocationCounter.h"
#include "CircuitBuilders.h"
#include "app/ReferenceRenderer.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

// One frame's update and drawing for boards of many AND chips, each fed by two
// complete wires: from the two chips placed before it (the first ones from
// board input 0). Runs on a display (xvfb-run); frames are drawn without
// waiting for the frame-rate limit. The drawing is measured batched, as the
// App draws, and a draw call per shape, as the tests' reference renderer.

namespace {

[[maybe_unused]] const bool screenSet = (setScreenSize(1920, 1080), true);

// Built with the editor's own edits, as a user would, the history cleared after.
std::unique_ptr<App> appWithBoard(int chips, App::WindowMode mode) {
    auto app = std::make_unique<App>(mode);
    Editor& editor = app->editor();
    std::vector<int32_t> ids;
    for (int i = 0; i < chips; ++i) {
        const Chip& chip = *editor.place(editor.palette()[1]);
        editor.moveChip(chip, {60.f + static_cast<float>(i % 40) * 45.f, 120.f + static_cast<float>(i / 40 % 15) * 55.f});
        editor.endMove();
        ids.push_back(chip.id());
    }
    for (int i = 0; i < chips; ++i) {
        for (int32_t pin = 0; pin < 2; ++pin) {
            const int source = i - 1 - pin;
            editor.connect(Wire({source < 0 ? 0 : ids[source], 0, ids[i], pin}, {}, {}));
        }
    }
    editor.setHistoryBudget(History::BUDGET);
    return app;
}

FrameInput quietFrame(const App& app, int frame) {
    FrameInput input;
    input.mousePos = sf::Vector2i(960, 540);
    input.now = sf::microseconds(app.editor().blinkRestartedAt().count()) + sf::milliseconds(16 * frame);
    return input;
}

FrameInput keyFrame(const App& app, int frame, sf::Keyboard::Key code, bool control) {
    FrameInput input = quietFrame(app, frame);
    input.eventPending = true;
    input.event.type = sf::Event::KeyPressed;
    input.event.key = {code, false, control, false, false};
    return input;
}

// A small target whose view lies far from the scene: every primitive is
// clipped, no pixel is filled.
void clipEverything(sf::RenderTexture& target) {
    target.create(16, 16);
    target.setView(sf::View(sf::FloatRect(-100000.f, -100000.f, 16.f, 16.f)));
}

// Heap taken by `frames` more frames of `work`, after one to warm up.
template <class Work>
double bytesPerFrame(Work work, int frames) {
    work();
    const AllocationCounter counter;
    for (int frame = 0; frame < frames; ++frame) work();
    return static_cast<double>(counter.bytes()) / frames;
}

void BM_FrameUpdate(benchmark::State& state) {
    const auto app = appWithBoard(static_cast<int>(state.range(0)), App::WindowMode::None);
    int frame = 0;
    for (auto _ : state) app->step(quietFrame(*app, ++frame));
    state.counters["chips"] = static_cast<double>(state.range(0));
    state.counters["bytes_per_frame"] = bytesPerFrame([&] { app->step(quietFrame(*app, ++frame)); }, 10);
}

// The same frame while the inside of a 4-bit ripple-carry adder, the board's
// C-th chip, fed from a blinking input, is shown a level deep (its full
// adders) and two (the XORs and NANDs of the first): each frame finds the
// adder again and reads its parts in place.
void BM_FrameUpdateLookingInside(benchmark::State& state) {
    const auto app = appWithBoard(static_cast<int>(state.range(0)) - 1, App::WindowMode::None);
    Editor& editor = app->editor();
    const Chip& adder = *editor.place(PaletteEntry(Chip(circuits::adder<ChipLogic>(4), {}, "ADD4", 60.f)));
    editor.moveChip(adder, {1500.f, 900.f});
    editor.endMove();
    for (int32_t pin = 0; pin < adder.inputCount(); ++pin) editor.connect(Wire({0, 0, adder.id(), pin}, {}, {}));
    editor.toggleBlinking(0);
    editor.lookInside(adder);
    editor.lookInside(*editor.shownBoard().chips.begin());
    int frame = 0;
    for (auto _ : state) app->step(quietFrame(*app, ++frame));
    state.counters["chips"] = static_cast<double>(state.range(0));
    state.counters["shown_chips"] = static_cast<double>(editor.shownBoard().chips.size());
    state.counters["bytes_per_frame"] = bytesPerFrame([&] { app->step(quietFrame(*app, ++frame)); }, 10);
    if (!editor.inside()) state.SkipWithError("the inside is no longer shown");
}

// The batched drawing, or a draw call per shape.
int drawScene(App& app, sf::RenderTarget& target, bool batched) {
    return batched ? app.drawScene(target) : drawOneShapeAtATime(app, target);
}

// The whole frame into the window, pixels filled by the virtual display's
// software renderer.
void frameRender(benchmark::State& state, bool batched) {
    const auto app = appWithBoard(static_cast<int>(state.range(0)), App::WindowMode::FullScreen);
    app->window()->setFramerateLimit(0);
    app->step(quietFrame(*app, 1));
    int calls = 0;
    for (auto _ : state) calls = drawScene(*app, *app->window(), batched), app->window()->display();
    state.counters["draw_calls"] = calls;
    state.counters["bytes_per_frame"] = bytesPerFrame([&] { drawScene(*app, *app->window(), batched); }, 10);
}

// The same frame into a small target whose view lies far from the scene: every
// primitive is clipped, no pixel is filled, and what is left is the program's
// own work and the cost of each draw call.
void frameDraw(benchmark::State& state, bool batched) {
    const auto app = appWithBoard(static_cast<int>(state.range(0)), App::WindowMode::None);
    app->step(quietFrame(*app, 1));
    sf::RenderTexture target;
    clipEverything(target);
    int calls = 0;
    for (auto _ : state) calls = drawScene(*app, target, batched), target.display();
    state.counters["draw_calls"] = calls;
}

// Recording an undo step on the same board: a copy of it, chips sharing their
// inner circuits. The heap each step holds, measured and as the history
// counts it against its budget.
void BM_UndoStep(benchmark::State& state) {
    const auto app = appWithBoard(static_cast<int>(state.range(0)), App::WindowMode::None);
    app->step(quietFrame(*app, 1));
    History history;
    for (auto _ : state) history.record("place AND", History::State{app->editor().board(), {}, {}});
    History measured;
    const AllocationCounter counter;
    for (int step = 0; step < 100; ++step) measured.record("place AND", History::State{app->editor().board(), {}, {}});
    state.counters["heap_bytes_per_step"] = static_cast<double>(counter.bytes()) / 100;
    state.counters["counted_bytes_per_step"] = static_cast<double>(measured.memoryUse()) / 100;
    state.counters["steps_in_256_MB"] = static_cast<double>(History::BUDGET) / (static_cast<double>(measured.memoryUse()) / 100);
}

// A frame of dragging every chip of the board at once, selected with Ctrl+A:
// the mouse moves a pixel up or down each frame, so the whole group moves
// (it spans the frame's width) and every wire follows. Then, in CPU time,
// such a frame with its drawing into the clipped target, and the drawing
// alone of the same scene standing still, each chip with its outline.
void BM_GroupDragStep(benchmark::State& state) {
    const auto app = appWithBoard(static_cast<int>(state.range(0)), App::WindowMode::None);
    int frame = 0;
    app->step(keyFrame(*app, ++frame, sf::Keyboard::A, true));
    FrameInput press = quietFrame(*app, ++frame);
    press.eventPending = true;
    press.event.type = sf::Event::MouseButtonPressed;
    press.event.mouseButton = {sf::Mouse::Left, 960, 540};
    const Point grab = app->editor().board().chips.begin()->position() + Point{5.f, 5.f};
    press.mousePos = {static_cast<int>(grab.x), static_cast<int>(grab.y)};
    app->step(press);
    sf::Vector2i mouse = press.mousePos;
    const auto dragFrame = [&] {
        FrameInput input = quietFrame(*app, ++frame);
        mouse.y += frame % 2 ? 1 : -1;
        input.mousePos = mouse;
        app->step(input);
    };
    for (auto _ : state) dragFrame();
    state.counters["selected"] = static_cast<double>(app->selecting().selected().size());
    state.counters["bytes_per_frame"] = bytesPerFrame(dragFrame, 10);
    sf::RenderTexture target;
    clipEverything(target);
    const auto cpuMicroseconds = [](std::clock_t since) { return static_cast<double>(std::clock() - since) * 1e6 / CLOCKS_PER_SEC; };
    std::clock_t start = std::clock();
    for (int drawn = 0; drawn < 20; ++drawn) dragFrame(), app->drawScene(target), target.display();
    state.counters["frame_drawn_cpu_us"] = cpuMicroseconds(start) / 20;
    start = std::clock();
    for (int drawn = 0; drawn < 20; ++drawn) app->drawScene(target), target.display();
    state.counters["drawing_still_cpu_us"] = cpuMicroseconds(start) / 20;
}

// Copying every chip of the board and the wires between them as the
// clipboard's text, and pasting that text back beside them; each paste is
// undone, untimed, so that the board stays as it is.
void BM_CopyAndPaste(benchmark::State& state) {
    const auto app = appWithBoard(static_cast<int>(state.range(0)), App::WindowMode::None);
    Editor& editor = app->editor();
    std::vector<const Chip*> all;
    std::size_t bytes = 0, wires = 0;
    for (auto _ : state) {
        state.PauseTiming();  // an undo puts a copy of the board in place
        all.clear();
        for (const Chip& chip : editor.board().chips) all.push_back(&chip);
        state.ResumeTiming();
        const std::string text = editor.copy(all);
        const std::size_t before = editor.board().wires.size();
        editor.paste(text, {100.f, 200.f});
        state.PauseTiming();
        bytes = text.size(), wires = editor.board().wires.size() - before;
        editor.undo();
        editor.takeNotices();
        state.ResumeTiming();
    }
    state.counters["chips"] = static_cast<double>(all.size());
    state.counters["wires"] = static_cast<double>(wires);
    state.counters["text_KB"] = static_cast<double>(bytes) / 1024;
}

// The timing diagram shown over a board of P outputs that all change at
// every step, each fed by a NOT wired to itself: the most the diagram costs
// for P rows, in a frame's update and its drawing, clipped as above.
void BM_DiagramFrame(benchmark::State& state) {
    const auto app = std::make_unique<App>(App::WindowMode::None);
    Editor& editor = app->editor();
    const Chip& oscillator = *editor.place(editor.palette()[0]);
    editor.endMove();
    editor.connect(Wire({oscillator.id(), 0, oscillator.id(), 0}, {}, {}));
    for (int32_t output = 0; output < state.range(0); ++output) {
        if (output > 0) editor.addOutput();
        editor.connect(Wire({oscillator.id(), 0, 0, output}, {}, {}));
    }
    app->step(keyFrame(*app, 1, sf::Keyboard::F2, false));
    int frame = 1;
    while (++frame < 400) app->step(quietFrame(*app, frame));
    sf::RenderTexture target;
    clipEverything(target);
    const auto work = [&] { app->step(quietFrame(*app, ++frame)), app->drawScene(target), target.display(); };
    for (auto _ : state) work();
    state.counters["draw_calls"] = app->drawScene(target);
    state.counters["strokes"] = static_cast<double>(app->widgets().timingDiagram.strokes().size());
    state.counters["bytes_per_frame"] = bytesPerFrame(work, 10);
}

void BM_FrameRender(benchmark::State& state) { frameRender(state, true); }
void BM_ReferenceFrameRender(benchmark::State& state) { frameRender(state, false); }
void BM_FrameDraw(benchmark::State& state) { frameDraw(state, true); }
void BM_ReferenceFrameDraw(benchmark::State& state) { frameDraw(state, false); }

}  // namespace

BENCHMARK(BM_FrameUpdate)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameUpdateLookingInside)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DiagramFrame)->Arg(1)->Arg(16)->Arg(64)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoStep)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GroupDragStep)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CopyAndPaste)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameRender)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReferenceFrameRender)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameDraw)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReferenceFrameDraw)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
