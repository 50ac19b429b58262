#include "app/App.h"
#include "app/Screen.h"

#include <benchmark/benchmark.h>

#include <memory>

// One frame's update and render for boards of many AND chips, each fed by two
// complete wires: from the two chips placed before it (the first ones from
// board input 0). Runs on a display (xvfb-run); render draws into the window
// without waiting for the frame-rate limit.

namespace {

[[maybe_unused]] const bool screenSet = (setScreenSize(1920, 1080), true);

std::unique_ptr<App> appWithBoard(int chips, App::WindowMode mode) {
    auto app = std::make_unique<App>(mode);
    const Chip& andTemplate = app->library[1];
    std::vector<int32_t> ids;
    for (int i = 0; i < chips; ++i) {
        Chip& chip = app->boardChips.place(andTemplate);
        chip.moveTo(sf::Vector2f(60.f + static_cast<float>(i % 40) * 45.f,
                                 120.f + static_cast<float>(i / 40 % 15) * 55.f));
        ids.push_back(chip.id());
    }
    for (int i = 0; i < chips; ++i) {
        for (int32_t pin = 0; pin < 2; ++pin) {
            const int source = i - 1 - pin;
            const Connection c{source < 0 ? 0 : ids[source], 0, ids[i], pin};
            app->wires.emplace_back(c, sf::Vector2f(), sf::Vector2f());
            app->wires.back().finish();
        }
    }
    return app;
}

FrameInput quietFrame(const App& app, int frame) {
    FrameInput input;
    input.mousePos = sf::Vector2i(960, 540);
    input.now = app.blinkRestartedAt + sf::milliseconds(16 * frame);
    return input;
}

void BM_FrameUpdate(benchmark::State& state) {
    const auto app = appWithBoard(static_cast<int>(state.range(0)), App::WindowMode::None);
    int frame = 0;
    for (auto _ : state) app->step(quietFrame(*app, ++frame));
    state.counters["chips"] = static_cast<double>(state.range(0));
}

void BM_FrameRender(benchmark::State& state) {
    const auto app = appWithBoard(static_cast<int>(state.range(0)), App::WindowMode::FullScreen);
    app->window->setFramerateLimit(0);
    app->step(quietFrame(*app, 1));
    for (auto _ : state) app->render();
    state.counters["chips"] = static_cast<double>(state.range(0));
}

}  // namespace

BENCHMARK(BM_FrameUpdate)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameRender)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
