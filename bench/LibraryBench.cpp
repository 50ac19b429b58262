#include "AllocationCounter.h"
#include "storage/DeepLibraries.h"
#include "storage/LibraryFile.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

// Reading and writing library texts of deep and wide chips. `peak_MB` is the
// most the heap held above what it held before, text included.

namespace {

// 2^levels NOTs: each level two copies of the one before, the first fed
// from the level's input and driving its output. At 23 levels, the widest
// chip a library may hold.
std::string doubling(int32_t levels) {
    std::string text = R"({"format": "vorplex-library", "version": 1, "definitions": [)"
                       R"({"kind": 0, "id": 10001, "inputs": "0", "outputs": "1"})";
    for (int32_t k = 1; k <= levels; ++k) {
        const std::string below = std::to_string(k - 1);
        text += R"(, {"kind": 2, "id": 10001, "inputs": "0", "outputs": "0", "parts": [)" + below + ", " + below +
                R"(], "connections": [[0, 0, 10001, 0], [10001, 0, 0, 0]]})";
    }
    return text + R"(], "chips": [{"name": "WIDE", "definition": )" + std::to_string(levels) + "}]}";
}

void runReads(benchmark::State& state, const std::string& text) {
    size_t peak = 0;
    for (auto _ : state) {
        const AllocationCounter counter;
        std::vector<NamedChip> chips = LibraryFile::parse(text, "bench.json").chips;
        peak = counter.peakBytes();
        benchmark::DoNotOptimize(chips.data());
    }
    state.counters["file_MB"] = static_cast<double>(text.size()) / 1e6;
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
}

// A chain of state.range(0) levels, a NOT at the bottom.
void BM_ReadChain(benchmark::State& state) {
    runReads(state, deep::chain(static_cast<int32_t>(state.range(0))));
}

// 2^state.range(0) NOTs, each level two copies of the one before.
void BM_ReadDoubling(benchmark::State& state) {
    runReads(state, doubling(static_cast<int32_t>(state.range(0))));
}

// The text of a chip read from a library: of a chain, and of 2^state.range(0)
// NOTs by doubling, whose every part the writer reads.
void runWrites(benchmark::State& state, const std::string& text) {
    const Library library = LibraryFile::parse(text, "bench.json");
    for (auto _ : state) {
        std::string written = LibraryFile::format(library);
        benchmark::DoNotOptimize(written.data());
    }
}

void BM_WriteChain(benchmark::State& state) { runWrites(state, deep::chain(static_cast<int32_t>(state.range(0)))); }
void BM_WriteDoubling(benchmark::State& state) { runWrites(state, doubling(static_cast<int32_t>(state.range(0)))); }

// The first placement of a chip read from a library, which compiles its
// circuit: of a chain, and of 2^state.range(0) NOTs by doubling.
void runFirstPlacements(benchmark::State& state, const std::string& text) {
    size_t peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::vector<NamedChip> chips = LibraryFile::parse(text, "bench.json").chips;
        const AllocationCounter counter;
        state.ResumeTiming();
        ChipLogic placed = chips[0].chip;
        placed.prepare();
        peak = counter.peakBytes();
        benchmark::DoNotOptimize(&placed);
    }
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
}

void BM_FirstPlacementOfChain(benchmark::State& state) {
    runFirstPlacements(state, deep::chain(static_cast<int32_t>(state.range(0))));
}

void BM_FirstPlacementOfDoubling(benchmark::State& state) {
    runFirstPlacements(state, doubling(static_cast<int32_t>(state.range(0))));
}

// The first call of 2^state.range(0) NOTs by doubling, placed: it runs the
// pins of the whole tree as they stand.
void BM_FirstCallOfDoubling(benchmark::State& state) {
    const std::vector<NamedChip> chips = LibraryFile::parse(doubling(static_cast<int32_t>(state.range(0))), "bench.json").chips;
    ChipLogic placed = chips[0].chip;
    placed.prepare();
    ChipLogic chip = placed;
    for (auto _ : state) {
        state.PauseTiming();
        chip = placed;
        state.ResumeTiming();
        chip.evaluate();
        benchmark::DoNotOptimize(&chip);
    }
}

} // namespace

BENCHMARK(BM_ReadChain)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDoubling)->Arg(16)->Arg(23)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteChain)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteDoubling)->Arg(16)->Arg(23)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstPlacementOfChain)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstPlacementOfDoubling)->Arg(16)->Arg(23)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstCallOfDoubling)->Arg(23)->Unit(benchmark::kMillisecond);
