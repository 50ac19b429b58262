#include "check/CheckCommand.h"

#include "check/LibraryChips.h"
#include "check/TestRunner.h"

#include <fstream>
#include <iterator>

namespace {

constexpr int FAILED = 1, CANNOT_READ = 2;

int refuse(std::ostream& errors, const std::string& what) {
    errors << "vorplex: " << what << '\n';
    return CANNOT_READ;
}

}  // namespace

int CheckCommand::table(const std::string& libraryPath, const std::string& chipName, TruthTable::Format format,
                        std::ostream& out, std::ostream& errors) {
    try {
        const LibraryChips chips(libraryPath);
        const ChipLogic* chip = chips.find(chipName);
        if (!chip) return refuse(errors, "no chip " + chipName + " in " + libraryPath);
        if (chip->inputCount() > TruthTable::LARGEST_INPUT_COUNT)
            return refuse(errors, chipName + " has " + std::to_string(chip->inputCount()) +
                                      " inputs; a truth table takes at most " +
                                      std::to_string(TruthTable::LARGEST_INPUT_COUNT));
        TruthTable::print(*chip, format, out, chips.pinNames(chipName));
        return 0;
    } catch (const LibraryFile::Refused& refusal) {
        return refuse(errors, refusal.what());
    }
}

int CheckCommand::test(const std::string& libraryPath, const std::string& testsPath, std::ostream& out,
                       std::ostream& errors) {
    std::ifstream file(testsPath, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file.is_open() || file.bad()) return refuse(errors, testsPath + ": cannot read");
    try {
        std::vector<TestFile::Block> blocks = TestFile::parse(text);
        const LibraryChips chips(libraryPath);
        TestRunner runner(std::move(blocks), chips, testsPath);
        return runner.run(out) ? 0 : FAILED;
    } catch (const LibraryFile::Refused& refusal) {
        return refuse(errors, refusal.what());
    } catch (const TestFile::Malformed& malformed) {
        return refuse(errors, testsPath + ":" + malformed.what());
    }
}
