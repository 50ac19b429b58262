#include "CircuitBuilders.h"
#include "check/TruthTable.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <streambuf>

// The truth table of a 20-input chip of about 1,000 gates, formatted and
// thrown away: five 10-bit ripple-carry adders, each adding the 20 inputs
// taken from a different place, each showing its two top bits.

namespace {

constexpr int32_t INPUTS = 20, ADDERS = 5, BITS = 10;

ChipLogic twentyInputChip() {
    std::vector<Connection> wires;
    for (int32_t adder = 0; adder < ADDERS; ++adder) {
        const int32_t id = FIRST_CHIP_ID + adder;
        for (int32_t pin = 0; pin < 2 * BITS; ++pin) wires.push_back({0, (pin + 4 * adder) % INPUTS, id, pin});
        wires.push_back({id, BITS - 1, 0, 2 * adder});  // the top sum bit
        wires.push_back({id, BITS, 0, 2 * adder + 1});  // the carry out
    }
    return ChipLogic(7, circuits::numberedCopies(circuits::adder<ChipLogic>(BITS), ADDERS), wires, INPUTS, 2 * ADDERS);
}

class Discard : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

// `ns_per_gate_row`: the time of the whole table divided by its rows and the
// chip's gates; `ns_per_gate_row_call` divides it further by the calls each
// row took to rest.
void BM_TruthTable20(benchmark::State& state) {
    const ChipLogic chip = twentyInputChip();
    const double gates = static_cast<double>(ADDERS * circuits::adderGates(BITS));
    Discard discard;
    std::ostream out(&discard);
    int64_t rowCalls = 0;
    const std::clock_t start = std::clock();
    for (auto _ : state) rowCalls += TruthTable::print(chip, TruthTable::Format::Text, out);
    const double elapsedNs = static_cast<double>(std::clock() - start) * 1e9 / CLOCKS_PER_SEC;
    const double rows = static_cast<double>(state.iterations()) * static_cast<double>(int64_t{1} << INPUTS);
    state.counters["gates"] = gates;
    state.counters["calls_per_row"] = static_cast<double>(rowCalls) / rows;
    state.counters["ns_per_gate_row"] = elapsedNs / (rows * gates);
    state.counters["ns_per_gate_row_call"] = elapsedNs / (static_cast<double>(rowCalls) * gates);
}

}  // namespace

BENCHMARK(BM_TruthTable20)->Unit(benchmark::kMillisecond)->Iterations(3);
