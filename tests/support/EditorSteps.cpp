#include "support/EditorSteps.h"

#include <filesystem>
#include <stdexcept>

std::unique_ptr<Editor> newEditor() {
    return std::make_unique<Editor>(BoardLayout(1920, 1080), [](const std::string& name) { return 10.f * static_cast<float>(name.size()); });
}

LibraryFile newLibraryFile(const std::string& name) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / ("vorplex-" + name);
    std::filesystem::remove(path);
    return LibraryFile(path.string());
}

const PaletteEntry& entryNamed(const Editor& editor, const std::string& name) {
    if (const PaletteEntry* entry = editor.palette().find(name)) return *entry;
    throw std::invalid_argument("no palette entry " + name);
}

int32_t place(Editor& editor, const std::string& name, Point at) {
    const Chip* chip = editor.place(entryNamed(editor, name));
    if (!chip) return 0;
    editor.moveChip(*chip, at);
    editor.endMove();
    return chip->id();
}

bool wire(Editor& editor, int32_t fromChip, int32_t fromPin, int32_t toChip, int32_t toPin) {
    return editor.connect(Wire({fromChip, fromPin, toChip, toPin}, {}, {}));
}

Editor::Saved saveAs(Editor& editor, const std::string& name) {
    editor.setName(name);
    return editor.save();
}

void run(Editor& editor, int steps) {
    for (int step = 0; step < steps; ++step) editor.runFrame(Editor::Time{0});
}

void clearBoard(Editor& editor) {
    while (!editor.board().chips.empty()) editor.removeChip(*editor.board().chips.begin());
}

std::vector<int32_t> chainOf(Editor& editor, const std::string& part, int length, const std::string& savedAs) {
    clearBoard(editor);
    std::vector<int32_t> ids;
    for (int at = 0; at < length; ++at) {
        ids.push_back(place(editor, part, {300.f + 150.f * static_cast<float>(at), 300.f}));
        wire(editor, at == 0 ? 0 : ids[ids.size() - 2], 0, ids.back(), 0);
    }
    wire(editor, ids.back(), 0, 0, 0);
    if (!savedAs.empty()) saveAs(editor, savedAs);
    return ids;
}

void saveBuilt(Editor& editor, const std::string& name, std::size_t inputs, std::size_t outputs,
               const std::vector<std::string>& parts, const PartWires& wires) {
    while (editor.board().inputs.size() < inputs) editor.addInput();
    while (editor.board().inputs.size() > inputs) editor.removeInput();
    while (editor.board().outputs.size() < outputs) editor.addOutput();
    while (editor.board().outputs.size() > outputs) editor.removeOutput();
    std::vector<int32_t> ids{0};
    for (size_t part = 0; part < parts.size(); ++part)
        ids.push_back(place(editor, parts[part], {250.f + 300 * static_cast<float>(part), 200.f + 150 * static_cast<float>(part % 2)}));
    for (const auto& [from, fromPin, to, toPin] : wires) wire(editor, ids[from], fromPin, ids[to], toPin);
    run(editor, 30);  // saved settled: a table starts from the values inside
    saveAs(editor, name);
    clearBoard(editor);
}

const PartWires FULL_ADDER_WIRES = {{0, 0, 1, 0}, {0, 1, 1, 1}, {1, 0, 2, 0}, {0, 2, 2, 1}, {0, 0, 3, 0}, {0, 1, 3, 1},
                                    {1, 0, 4, 0}, {0, 2, 4, 1}, {3, 0, 5, 0}, {4, 0, 5, 1}, {2, 0, 0, 0}, {5, 0, 0, 1}};

void saveFullAdder(Editor& editor, const std::string& name, const PartWires& wires) {
    saveBuilt(editor, "NAND", 2, 1, {"AND", "NOT"}, {{0, 0, 1, 0}, {0, 1, 1, 1}, {1, 0, 2, 0}, {2, 0, 0, 0}});
    saveBuilt(editor, "XOR", 2, 1, {"NAND", "NAND", "NAND", "NAND"},
              {{0, 0, 1, 0}, {0, 1, 1, 1}, {0, 0, 2, 0}, {1, 0, 2, 1}, {0, 1, 3, 0}, {1, 0, 3, 1}, {2, 0, 4, 0}, {3, 0, 4, 1}, {4, 0, 0, 0}});
    saveBuilt(editor, name, 3, 2, {"XOR", "XOR", "NAND", "NAND", "NAND"}, wires);
}
