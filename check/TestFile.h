#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// A plain-text file of test rows for saved chips:
//
//   # comments run from # to the end of the line
//   chip FULLADDER          starts a block for the chip of that name
//   a b cin | sum carry     the header names its inputs and outputs, in order
//   settle 12               the rows after it must rest within 12 calls
//   1 1 0 | 0 1             inputs | expected outputs: 0, 1 or x (don't care;
//                           as an input, every value)
//   sequence                the rows after it, to the block's end or the next
//                           "sequence", each start where the row before left
//                           the chip; they take no input x
//
// A file holds any number of blocks. Other rows start from the chip as saved.
class TestFile {
public:
    static constexpr int64_t ANY_SETTLE = -1;
    // More x inputs in one row than a truth table's inputs are refused.
    static constexpr size_t MOST_X_INPUTS = 24;

    // A line that cannot be read: "LINE: what is wrong".
    class Malformed : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    struct Row {
        int32_t line;
        std::string inputs;   // one of '0', '1', 'x' per input
        std::string outputs;  // and per output
        int64_t settle;       // ANY_SETTLE: whenever the chip comes to rest
        int32_t sequence;     // 0: from the chip as saved; else the block's sequence it continues
    };
    struct Block {
        int32_t line;
        int32_t headerLine;
        std::string chip;
        std::vector<std::string> inputNames, outputNames;
        std::vector<Row> rows;
    };

    static std::vector<Block> parse(const std::string& text);
};
