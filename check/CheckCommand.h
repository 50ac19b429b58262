#pragma once

#include "check/TruthTable.h"

#include <cstdint>
#include <ostream>
#include <string>

// The commands that check chips without a window: `vorplex table` and
// `vorplex test`, and `vorplex trace`. They read the library and never write it. Each returns
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

    struct Trace {
        std::string libraryPath, chipName, inputsPath;
        int64_t steps = 0;    // 0: a step per row
        std::string vcdPath;  // "": to `out`
    };
    // 0; 2 when the library or the input rows cannot be read, or the library
    // has no such chip; 1 when the VCD cannot be written, the file left as it was.
    static int trace(const Trace& trace, std::ostream& out, std::ostream& errors);
};
