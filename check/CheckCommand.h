#pragma once

#include "check/TruthTable.h"

#include <ostream>
#include <string>

// The commands that check chips without a window: `vorplex table` and
// `vorplex test`. They read the library and never write it. Each returns
// the program's exit status and says what went wrong on `errors`, in a line.
class CheckCommand {
public:
    // 0, or 2 when the library cannot be read, has no such chip, or the
    // chip has too many inputs for a table.
    static int table(const std::string& libraryPath, const std::string& chipName, TruthTable::Format format,
                     std::ostream& out, std::ostream& errors);
    // 0 when every row passes, 1 when any fails, 2 when the test file or the
    // library cannot be read.
    static int test(const std::string& libraryPath, const std::string& testsPath, std::ostream& out,
                    std::ostream& errors);
};
