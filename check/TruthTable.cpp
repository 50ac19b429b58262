#include "check/TruthTable.h"

#include "check/RowBatch.h"
#include "storage/Spelling.h"

#include <charconv>
#include <string>
#include <vector>

namespace {

using Word = RowBatch::Word;

// One line of the table: where each pin's value goes in a row, and a row
// with every value 0 to write them over.
struct Layout {
    std::string header;
    std::string row;
    std::vector<size_t> positions;
};

// A CSV field: quoted, its quotes doubled, when it holds a comma, a quote or
// a line break.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? "\"\"" : std::string(1, c);
    return quoted + '"';
}

// A column is as wide as the name's characters, each a byte.
std::string columnName(const PinNames& names, int32_t column, int32_t inputs) {
    return names.called(column >= inputs, static_cast<size_t>(column < inputs ? column : column - inputs));
}

Layout layOut(int32_t inputs, int32_t outputs, const PinNames& names, TruthTable::Format format) {
    const bool text = format == TruthTable::Format::Text;
    Layout layout;
    for (int32_t column = 0; column < inputs + outputs; ++column) {
        const char* separator = column == 0 ? "" : !text ? "," : column == inputs ? " | " : " ";
        const std::string name = columnName(names, column, inputs);
        layout.header += separator + (text ? Spelling::utf8(name) : csvField(Spelling::utf8(name)));
        layout.row += separator;
        layout.positions.push_back(layout.row.size());
        layout.row += text ? "0" + std::string(name.size() - 1, ' ') : "0";
    }
    const char* last = !text ? "," : outputs == 0 ? " | | " : " | ";
    layout.header += last + std::string("calls\n");
    layout.row += last;
    return layout;
}

// Row r of a block holds the block's first row plus r: the pins whose bit in
// the row number is below 6 take the same pattern in every block.
std::vector<Word> blockInputs(int32_t inputCount, uint64_t block) {
    std::vector<Word> inputs(static_cast<size_t>(inputCount), 0);
    for (int32_t pin = 0; pin < inputCount; ++pin) {
        const int32_t bit = inputCount - 1 - pin;
        for (int32_t row = 0; row < RowBatch::ROWS; ++row) {
            const uint64_t number = block * RowBatch::ROWS + static_cast<uint64_t>(row);
            if ((number >> bit) & 1) inputs[static_cast<size_t>(pin)] |= Word(1) << row;
        }
    }
    return inputs;
}

void appendCalls(std::string& line, int64_t settled) {
    if (settled == RowBatch::OSCILLATES) {
        line += "oscillates\n";
        return;
    }
    char digits[24];
    line.append(digits, std::to_chars(digits, digits + sizeof digits, settled).ptr);
    line += '\n';
}

}  // namespace

int64_t TruthTable::print(const ChipLogic& chip, Format format, std::ostream& out, const PinNames& names) {
    RowBatch batch(chip);
    const int32_t inputCount = batch.inputCount(), outputCount = batch.outputCount();
    const Layout layout = layOut(inputCount, outputCount, names, format);
    out << layout.header;
    const uint64_t rowCount = uint64_t{1} << inputCount;
    int64_t calls = 0;
    std::string lines;
    for (uint64_t block = 0; block * RowBatch::ROWS < rowCount; ++block) {
        calls += batch.run(blockInputs(inputCount, block)) * RowBatch::ROWS;
        lines.clear();
        for (int32_t row = 0; row < RowBatch::ROWS && block * RowBatch::ROWS + static_cast<uint64_t>(row) < rowCount; ++row) {
            const uint64_t number = block * RowBatch::ROWS + static_cast<uint64_t>(row);
            const size_t start = lines.size();
            lines += layout.row;
            for (int32_t pin = 0; pin < inputCount + outputCount; ++pin) {
                const bool one = pin < inputCount ? (number >> (inputCount - 1 - pin)) & 1 : batch.output(row, pin - inputCount);
                lines[start + layout.positions[static_cast<size_t>(pin)]] = one ? '1' : '0';
            }
            appendCalls(lines, batch.settledAt(row));
        }
        out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
    }
    return calls;
}
