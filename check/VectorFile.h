#pragma once

#include <string>
#include <vector>

// A plain-text file of input rows for `vorplex trace`, one row per step:
//
//   # a NAND's inputs a and b
//   0 0
//   1 1      # from the second step on
//
// Each row gives every input of the chip, top to bottom, as 0 or 1 separated
// by spaces, as on the left of a test row. # starts a comment; blank lines
// are no rows.
class VectorFile {
public:
    // Rows of `width` values each; TestFile::Malformed ("LINE: what is
    // wrong") when a line is not one, or when there is no row for a chip
    // that has inputs.
    static std::vector<std::vector<bool>> parse(const std::string& text, int32_t width);
};
