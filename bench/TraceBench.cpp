// The record the editor keeps of its pins, and its VCD.
#include "storage/SignalRecord.h"
#include "storage/Vcd.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int64_t EDITOR_STEPS = 100'000;

// A record of `signals` pins over 100,000 steps, pin i the i-th bit of a
// counter: the lowest changes every step, the next every second step...; or,
// `toggling`, every pin changing at every step.
SignalRecord counter(int32_t signals, int64_t steps, bool toggling = false) {
    SignalRecord record(EDITOR_STEPS);
    for (int32_t signal = 0; signal < signals; ++signal) record.addSignal("pin " + std::to_string(signal));
    std::vector<bool> column(static_cast<size_t>(signals));
    for (int64_t step = 0; step < steps; ++step) {
        for (int32_t signal = 0; signal < signals; ++signal) column[static_cast<size_t>(signal)] = step >> (toggling ? 0 : signal) & 1;
        record.append(column);
    }
    return record;
}

// One frame's column of S pins, the record long full.
void BM_RecordAppend(benchmark::State& state) {
    SignalRecord record = counter(static_cast<int32_t>(state.range(0)), EDITOR_STEPS + 7);
    std::vector<bool> column(static_cast<size_t>(state.range(0)), true);
    for (auto _ : state) {
        column[0] = !column[0];
        record.append(column);
    }
    state.counters["bytes_per_signal"] = static_cast<double>(record.bytes()) / static_cast<double>(state.range(0));
}

// What a diagram reads each frame: the last 256 steps of S pins.
void BM_RecordLast256(benchmark::State& state) {
    const SignalRecord record = counter(static_cast<int32_t>(state.range(0)), EDITOR_STEPS + 7);
    for (auto _ : state) {
        uint64_t seen = 0;
        for (int32_t signal = 0; signal < record.signalCount(); ++signal)
            for (int64_t step = record.endStep() - 256; step < record.endStep(); step += 64) seen ^= record.bits(signal, step);
        benchmark::DoNotOptimize(seen);
    }
}

// The VCD of 100,000 steps of S pins counting, which changes them 200,000
// times; or all toggling, S × 100,000 changes, the largest it can be.
void BM_VcdOf100000Steps(benchmark::State& state) {
    const SignalRecord record = counter(static_cast<int32_t>(state.range(0)), EDITOR_STEPS, state.range(1) != 0);
    size_t bytes = 0;
    for (auto _ : state) bytes = Vcd::format(record, "board").size();
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

}  // namespace

BENCHMARK(BM_RecordAppend)->Arg(8)->Arg(64);
BENCHMARK(BM_RecordLast256)->Arg(8)->Arg(64);
BENCHMARK(BM_VcdOf100000Steps)->ArgNames({"pins", "toggling"})->Args({8, 0})->Args({64, 0})->Args({64, 1})->Unit(benchmark::kMillisecond);
