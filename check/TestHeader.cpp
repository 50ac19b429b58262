#include "check/TestHeader.h"

#include "storage/Spelling.h"

namespace {

bool fitsAHeader(const std::string& name, bool firstInput) {
    return name.find_first_of(" \t\n\v\f\r|#") == std::string::npos && !(firstInput && name == "chip");
}

void checkSide(const TestFile::Block& block, const std::vector<std::string>& columns, bool inputs, const PinNames& pins) {
    for (size_t pin = 0; pin < columns.size(); ++pin) {
        const std::string& name = inputs ? pins.input(pin) : pins.output(pin);
        if (name.empty() || !fitsAHeader(name, inputs && pin == 0) || Spelling::spells(columns[pin], name)) continue;
        throw TestFile::Malformed(std::to_string(block.headerLine) + ": " + (inputs ? "input " : "output ") +
                                  std::to_string(pin) + " of " + block.chip + " is " + Spelling::utf8(name) + ", not " +
                                  columns[pin]);
    }
}

}  // namespace

void TestHeader::check(const TestFile::Block& block, const PinNames& pins) {
    checkSide(block, block.inputNames, true, pins);
    checkSide(block, block.outputNames, false, pins);
}
