#pragma once

#include "check/TestFile.h"
#include "storage/PinNames.h"

// A test block's header held against the names the chip gives its pins. A
// named pin's column must carry its name, in UTF-8 or as the name's own
// bytes; an unnamed pin's column may be called anything. So may a pin whose
// name no header can hold: one with white space, "|" or "#", or a first
// input named "chip", which would start a block.
class TestHeader {
public:
    // Refuses (TestFile::Malformed) the first column that calls a named pin
    // otherwise, on the header's line: "3: input 2 of FULLADDER is cin, not c".
    // The header has a column for each pin.
    static void check(const TestFile::Block& block, const PinNames& pins);
};
