#include "app/App.h"
#include "app/Screen.h"
#include "AllocationCounter.h"
#include "app/ReferenceRenderer.h"

#include <benchmark/benchmark.h>

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
    target.create(16, 16);
    target.setView(sf::View(sf::FloatRect(-100000.f, -100000.f, 16.f, 16.f)));
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
    FrameInput f2 = quietFrame(*app, 1);
    f2.eventPending = true;
    f2.event.type = sf::Event::KeyPressed;
    f2.event.key = {sf::Keyboard::F2, false, false, false, false};
    app->step(f2);
    int frame = 1;
    while (++frame < 400) app->step(quietFrame(*app, frame));
    sf::RenderTexture target;
    target.create(16, 16);
    target.setView(sf::View(sf::FloatRect(-100000.f, -100000.f, 16.f, 16.f)));
    const auto work = [&] { app->step(quietFrame(*app, ++frame)), app->drawScene(target), target.display(); };
    for (auto _ : state) work();
    state.counters["draw_calls"] = app->drawScene(target);
    state.counters["strokes"] = static_cast<double>(app->timingDiagram().strokes().size());
    state.counters["bytes_per_frame"] = bytesPerFrame(work, 10);
}

void BM_FrameRender(benchmark::State& state) { frameRender(state, true); }
void BM_ReferenceFrameRender(benchmark::State& state) { frameRender(state, false); }
void BM_FrameDraw(benchmark::State& state) { frameDraw(state, true); }
void BM_ReferenceFrameDraw(benchmark::State& state) { frameDraw(state, false); }

}  // namespace

BENCHMARK(BM_FrameUpdate)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DiagramFrame)->Arg(1)->Arg(16)->Arg(64)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoStep)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameRender)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReferenceFrameRender)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameDraw)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReferenceFrameDraw)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
