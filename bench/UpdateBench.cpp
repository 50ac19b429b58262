#include "editing/Editor.h"
#include "editing/OlderCopies.h"
#include "support/EditorSteps.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// Ctrl+U over a palette of 100 chips in five levels above a changed chip, as
// a user builds them with the editor's edits: BASE (3 inputs, 2 outputs, of
// three gates), then 20 chips a level, each of four chips of the level below
// chained through their pins, and 10 copies of the top level on the board.
// BASE is then saved again with one wire moved, so every chip holds an older
// BASE at some depth.

namespace {

constexpr int LEVELS = 5;
constexpr int PER_LEVEL = 20;

// out0 = NOT (in0 AND in1), out1 = out0 AND in2; moved: out1 = out0 AND in0.
void saveBase(Editor& editor, bool moved) {
    const int32_t gate = place(editor, "AND", {300, 200}), invert = place(editor, "NOT", {500, 200}), second = place(editor, "AND", {700, 200});
    wire(editor, 0, 0, gate, 0), wire(editor, 0, 1, gate, 1), wire(editor, gate, 0, invert, 0);
    wire(editor, invert, 0, second, 0), wire(editor, 0, moved ? 0 : 2, second, 1);
    wire(editor, invert, 0, 0, 0), wire(editor, second, 0, 0, 1);
    editor.setName("BASE");
    editor.save();
    clearBoard(editor);
}

std::string nameOf(int level, int index) { return level == 0 ? "BASE" : "L" + std::to_string(level) + "C" + std::to_string(index); }

// Each chip of a level: four of the level below, each fed by the outputs of
// the one before and the chip's third input.
void saveLevels(Editor& editor) {
    for (int level = 1; level <= LEVELS; ++level) {
        for (int index = 0; index < PER_LEVEL; ++index) {
            std::vector<int32_t> parts;
            for (int part = 0; part < 4; ++part)
                parts.push_back(place(editor, nameOf(level - 1, (index + 7 * part) % PER_LEVEL), {200.f + 300.f * part, 300.f}));
            for (int32_t pin = 0; pin < 3; ++pin) wire(editor, 0, pin, parts[0], pin);
            for (int part = 1; part < 4; ++part) {
                wire(editor, parts[part - 1], 0, parts[part], 0), wire(editor, parts[part - 1], 1, parts[part], 1);
                wire(editor, 0, 2, parts[part], 2);
            }
            wire(editor, parts[3], 0, 0, 0), wire(editor, parts[3], 1, 0, 1);
            editor.setName(nameOf(level, index));
            editor.save();
            clearBoard(editor);
        }
    }
}

// The palette and board above, BASE changed, the history cleared.
std::unique_ptr<Editor> changedWork() {
    auto editor = newEditor();
    editor->addInput(), editor->addInput(), editor->addOutput();
    saveBase(*editor, false);
    saveLevels(*editor);
    saveBase(*editor, true);
    for (int copy = 0; copy < 10; ++copy) place(*editor, nameOf(LEVELS, copy), {100.f + 150.f * copy, 600.f});
    editor->setHistoryBudget(History::BUDGET);
    editor->takeNotices();
    return editor;
}

// Ctrl+U, timed, then undone, untimed, so that each run has the same to do.
void updateEachTime(benchmark::State& state, Editor& editor) {
    for (auto _ : state) {
        editor.updateOlderCopies();
        state.PauseTiming();
        if (editor.takeNotices().at(0).rfind("updated", 0) != 0) state.SkipWithError("nothing updated");
        editor.undo();
        editor.takeNotices();
        state.ResumeTiming();
    }
}

void BM_UpdateOlderCopies(benchmark::State& state) {
    const auto editor = changedWork();
    int64_t parts = 0;
    for (const Chip& chip : editor->palette().entries()) parts += chip.treeSize();
    updateEachTime(state, *editor);
    state.counters["palette_parts"] = static_cast<double>(parts);
    state.counters["saved_chips"] = static_cast<double>(editor->palette().size() - 2);
}

// The same work written to a library and read back, as after a restart: no
// chip shares its inner circuit with another any more, so every circuit is
// numbered from its parts.
void BM_UpdateOlderCopiesReadBack(benchmark::State& state) {
    const std::string path = (std::filesystem::temp_directory_path() / "vorplex-bench-update.json").string();
    auto editor = newEditor();
    editor->keepIn(LibraryFile(path), LibraryFile::parse(LibraryFile::format(changedWork()->work()), "bench.json"));
    updateEachTime(state, *editor);
    editor.reset();
    std::filesystem::remove(path);
}

// What a save that replaces a chip adds: finding what holds the older one.
void BM_FindOlderCopies(benchmark::State& state) {
    const auto editor = changedWork();
    const std::string changed = "BASE";
    for (auto _ : state) {
        const OlderCopies older(editor->palette().entries(), editor->board(), &changed);
        benchmark::DoNotOptimize(older.any());
    }
}

}  // namespace

BENCHMARK(BM_UpdateOlderCopies)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpdateOlderCopiesReadBack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindOlderCopies)->Unit(benchmark::kMillisecond);
