#pragma once

#include "check/LibraryChips.h"
#include "check/RowBatch.h"
#include "check/TestFile.h"

#include <ostream>
#include <string>
#include <vector>

// Runs a test file's rows on the chips of a library, 64 at a time, each row
// as a truth table works it out (check/RowBatch.h), a sequence's rows one
// after another, and prints every row that fails, with its line, its inputs,
// what was expected and what came, then how many rows passed and failed.
class TestRunner {
public:
    // `name` stands for the file in what is printed. Refuses
    // (TestFile::Malformed) a block whose chip is unknown or whose header
    // does not fit its chip, before any row runs.
    TestRunner(std::vector<TestFile::Block> blocks, const LibraryChips& chips, std::string name);

    // Whether every row passed.
    bool run(std::ostream& out);

private:
    struct Case {  // one combination of the values of a row's inputs x
        size_t row;
        uint64_t combination;
    };

    // Runs up to 64 cases at once; marks and prints the rows that fail.
    void runCases(const TestFile::Block& block, RowBatch& batch, const std::vector<Case>& cases, RowBatch::Start start,
                  std::vector<bool>& failed, std::ostream& out) const;

    std::vector<TestFile::Block> blocks_;
    std::vector<const ChipLogic*> chips_;  // one per block
    std::string name_;
};
