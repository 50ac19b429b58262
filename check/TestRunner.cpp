#include "check/TestRunner.h"

#include "check/TestHeader.h"
#include "storage/Spelling.h"

#include <algorithm>

namespace {

// The row's inputs with its x, first to last, taking the bits of
// `combination`, highest to lowest.
std::string inputsOf(const std::string& pattern, uint64_t combination) {
    std::string inputs = pattern;
    auto x = static_cast<int64_t>(std::count(pattern.begin(), pattern.end(), 'x'));
    for (char& value : inputs)
        if (value == 'x') value = (combination >> --x) & 1 ? '1' : '0';
    return inputs;
}

// "a=1 b=0"
std::string named(const std::vector<std::string>& names, const std::string& values) {
    std::string text;
    for (size_t pin = 0; pin < names.size(); ++pin) text += (pin ? " " : "") + names[pin] + "=" + values[pin];
    return text;
}

bool matches(const std::string& expected, const std::string& came) {
    for (size_t pin = 0; pin < expected.size(); ++pin)
        if (expected[pin] != 'x' && expected[pin] != came[pin]) return false;
    return true;
}

}  // namespace

TestRunner::TestRunner(std::vector<TestFile::Block> blocks, const LibraryChips& chips, std::string name)
    : blocks_(std::move(blocks)), name_(std::move(name)) {
    for (const TestFile::Block& block : blocks_) {
        const ChipLogic* chip = chips.find(block.chip);
        if (!chip) throw TestFile::Malformed(std::to_string(block.line) + ": " + chips.unknown(block.chip));
        if (block.inputNames.size() != static_cast<size_t>(chip->inputCount()) ||
            block.outputNames.size() != static_cast<size_t>(chip->outputCount()))
            throw TestFile::Malformed(std::to_string(block.headerLine) + ": " + block.chip + " has " +
                                      Spelling::counted(chip->inputCount(), "input") + " and " +
                                      Spelling::counted(chip->outputCount(), "output") + ", the header names " +
                                      std::to_string(block.inputNames.size()) + " and " +
                                      std::to_string(block.outputNames.size()));
        TestHeader::check(block, chips.pinNames(block.chip));
        chips_.push_back(chip);
    }
}

bool TestRunner::run(std::ostream& out) {
    size_t rows = 0, failures = 0;
    for (size_t index = 0; index < blocks_.size(); ++index) {
        const TestFile::Block& block = blocks_[index];
        std::vector<bool> failed(block.rows.size(), false);
        RowBatch batch(*chips_[index]);
        std::vector<Case> cases;
        for (size_t row = 0; row < failed.size(); ++row) {
            const int32_t sequence = block.rows[row].sequence;
            if (sequence != 0) {  // alone, after the rows before it, from where the row before left the chip
                runCases(block, batch, cases, RowBatch::Start::Saved, failed, out), cases.clear();
                const bool continues = row > 0 && block.rows[row - 1].sequence == sequence;
                runCases(block, batch, {{row, 0}}, continues ? RowBatch::Start::Continued : RowBatch::Start::Saved,
                         failed, out);
                continue;
            }
            const std::string& inputs = block.rows[row].inputs;
            const uint64_t combinations = uint64_t{1} << std::count(inputs.begin(), inputs.end(), 'x');
            for (uint64_t combination = 0; combination < combinations && !failed[row]; ++combination) {
                cases.push_back({row, combination});
                if (cases.size() == RowBatch::ROWS)
                    runCases(block, batch, cases, RowBatch::Start::Saved, failed, out), cases.clear();
            }
        }
        runCases(block, batch, cases, RowBatch::Start::Saved, failed, out);
        rows += failed.size();
        failures += static_cast<size_t>(std::count(failed.begin(), failed.end(), true));
    }
    out << name_ << ": " << Spelling::counted(static_cast<int64_t>(rows - failures), "row") << " passed, " << failures
        << " failed\n";
    return failures == 0;
}

void TestRunner::runCases(const TestFile::Block& block, RowBatch& batch, const std::vector<Case>& cases,
                          RowBatch::Start start, std::vector<bool>& failed, std::ostream& out) const {
    if (cases.empty()) return;
    std::vector<RowBatch::Word> words(block.inputNames.size(), 0);
    for (size_t lane = 0; lane < cases.size(); ++lane) {
        const std::string inputs = inputsOf(block.rows[cases[lane].row].inputs, cases[lane].combination);
        for (size_t pin = 0; pin < inputs.size(); ++pin)
            if (inputs[pin] == '1') words[pin] |= RowBatch::Word(1) << lane;
    }
    // Lanes without a case of their own run the first case again: they rest when it does.
    if (cases.size() < RowBatch::ROWS)
        for (RowBatch::Word& word : words)
            if (word & 1) word |= ~RowBatch::Word(0) << cases.size();
    batch.run(words, start);
    for (size_t lane = 0; lane < cases.size(); ++lane) {
        const TestFile::Row& row = block.rows[cases[lane].row];
        if (failed[cases[lane].row]) continue;
        std::string came;
        for (int32_t pin = 0; pin < batch.outputCount(); ++pin) came += batch.output(static_cast<int32_t>(lane), pin) ? '1' : '0';
        const int64_t settled = batch.settledAt(static_cast<int32_t>(lane));
        const bool late = row.settle != TestFile::ANY_SETTLE && settled > row.settle;
        if (settled != RowBatch::OSCILLATES && !late && matches(row.outputs, came)) continue;
        failed[cases[lane].row] = true;
        out << name_ << ":" << row.line << ": " << block.chip << " "
            << named(block.inputNames, inputsOf(row.inputs, cases[lane].combination)) << ": expected "
            << named(block.outputNames, row.outputs);
        if (row.settle != TestFile::ANY_SETTLE) out << " within " << Spelling::counted(row.settle, "call");
        if (settled == RowBatch::OSCILLATES)
            out << ", came no rest within " << Spelling::counted(batch.restLimit(), "call") << '\n';
        else
            out << ", came " << named(block.outputNames, came) << " after " << Spelling::counted(settled, "call") << '\n';
    }
}
