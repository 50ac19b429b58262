#include "AllocationCounter.h"
#include "chip/ChipLogic.h"
#include "CircuitBuilders.h"
#include "chip/ReferenceChip.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <ctime>
#include <vector>

// Evaluation and copying of chips, for ChipLogic and, as a baseline, for the
// plain recursive ReferenceChip that the tests use as their yardstick.

namespace {

int32_t inputCountOf(const ChipLogic& chip) { return chip.inputCount(); }
int32_t inputCountOf(const ReferenceChip& chip) { return static_cast<int32_t>(chip.inputs.size()); }

// Placing a chip readies it to run: room for its gate state, its circuit
// compiled once for all placements.
void prepare(ChipLogic& chip) { chip.prepare(); }
void prepare(ReferenceChip&) {}

void toggleInput(ChipLogic& chip, int32_t pin) { chip.setInput(pin, !chip.input(pin)); }
void toggleInput(ReferenceChip& chip, int32_t pin) {
    chip.inputs[static_cast<size_t>(pin)] = !chip.inputs[static_cast<size_t>(pin)];
}

// One evaluate per iteration, one input flipped before each. `ns_per_gate`
// is the time of one call divided by the primitive gates in the chip.
template <class Chip>
void runEvaluations(benchmark::State& state, Chip chip, int64_t gates) {
    const int32_t inputs = inputCountOf(chip);
    int32_t pin = 0;
    // Process CPU time, as in the benchmark's CPU column, so that other work
    // on the machine does not inflate the figure.
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        toggleInput(chip, pin);
        pin = pin + 1 == inputs ? 0 : pin + 1;
        chip.evaluate();
        benchmark::ClobberMemory();
    }
    const double elapsedNs =
        static_cast<double>(std::clock() - start) * 1e9 / static_cast<double>(CLOCKS_PER_SEC);
    state.counters["gates"] = static_cast<double>(gates);
    state.counters["ns_per_gate"] =
        elapsedNs / (static_cast<double>(state.iterations()) * static_cast<double>(gates));
}

template <class Chip>
void runCopies(benchmark::State& state, const Chip& chip, int64_t gates) {
    size_t bytes = 0;
    for (int placement = 0; placement < 2; ++placement) {  // the first compiles the circuit
        const AllocationCounter counter;
        Chip copy(chip);
        prepare(copy);
        bytes = counter.bytes();
        benchmark::DoNotOptimize(&copy);
    }
    for (auto _ : state) {
        Chip* copy = new Chip(chip);
        prepare(*copy);
        benchmark::DoNotOptimize(copy);
        state.PauseTiming();
        delete copy;
        state.ResumeTiming();
    }
    state.counters["gates"] = static_cast<double>(gates);
    state.counters["bytes_per_gate"] = static_cast<double>(bytes) / static_cast<double>(gates);
}

// Enough full adders for at least `gates` gates.
int32_t adderBitsFor(int64_t gates) {
    return static_cast<int32_t>((gates + circuits::FULL_ADDER_GATES - 1) /
                                circuits::FULL_ADDER_GATES);
}

template <class Chip>
void adderEvaluate(benchmark::State& state) {
    const auto bits = static_cast<int32_t>(state.range(0));
    runEvaluations(state, circuits::adder<Chip>(bits), circuits::adderGates(bits));
}

template <class Chip>
void wideEvaluate(benchmark::State& state) {
    const auto count = static_cast<int32_t>(state.range(0));
    runEvaluations(state, circuits::wide<Chip>(count), circuits::wideGates(count));
}

// `subChips()` of a running composite of about `state.range(0)` gates, as
// saving the board does for every chip on it.
void extractSubChips(benchmark::State& state) {
    const int32_t bits = adderBitsFor(state.range(0));
    ChipLogic chip = circuits::adder<ChipLogic>(bits);
    for (int32_t call = 0; call < 3; ++call) chip.evaluate();
    for (auto _ : state) {
        std::vector<ChipLogic> parts = chip.subChips();
        benchmark::DoNotOptimize(parts.data());
    }
    state.counters["gates"] = static_cast<double>(circuits::adderGates(bits));
}

template <class Chip>
void placeCopy(benchmark::State& state) {
    const int32_t bits = adderBitsFor(state.range(0));
    runCopies(state, circuits::adder<Chip>(bits), circuits::adderGates(bits));
}

void BM_AdderEvaluate(benchmark::State& state) { adderEvaluate<ChipLogic>(state); }
void BM_ReferenceAdderEvaluate(benchmark::State& state) { adderEvaluate<ReferenceChip>(state); }
void BM_WideEvaluate(benchmark::State& state) { wideEvaluate<ChipLogic>(state); }
void BM_ReferenceWideEvaluate(benchmark::State& state) { wideEvaluate<ReferenceChip>(state); }
void BM_PlaceCopy(benchmark::State& state) { placeCopy<ChipLogic>(state); }
void BM_ReferencePlaceCopy(benchmark::State& state) { placeCopy<ReferenceChip>(state); }
void BM_ExtractSubChips(benchmark::State& state) { extractSubChips(state); }

} // namespace

BENCHMARK(BM_AdderEvaluate)->Arg(8)->Arg(64)->Arg(512);
BENCHMARK(BM_ReferenceAdderEvaluate)->Arg(8)->Arg(64)->Arg(512);
BENCHMARK(BM_WideEvaluate)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(BM_ReferenceWideEvaluate)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(BM_PlaceCopy)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferencePlaceCopy)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractSubChips)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
