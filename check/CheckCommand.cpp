#include "check/CheckCommand.h"

#include "check/ChipTrace.h"
#include "check/LibraryChips.h"
#include "check/TestRunner.h"
#include "check/VectorFile.h"
#include "storage/AtomicFile.h"
#include "storage/Vcd.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

constexpr int FAILED = 1, CANNOT_READ = 2;

int refuse(std::ostream& errors, const std::string& what) {
    errors << "vorplex: " << what << '\n';
    return CANNOT_READ;
}

// The whole file; LibraryFile::Refused when it cannot be read.
std::string textOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file.is_open() || file.bad()) throw LibraryFile::Refused(path + ": cannot read");
    return text;
}

// The library's chip of that name; LibraryFile::Refused when there is none.
const ChipLogic& chipOf(const LibraryChips& chips, const std::string& name) {
    const ChipLogic* chip = chips.find(name);
    if (!chip) throw LibraryFile::Refused(chips.unknown(name));
    return *chip;
}

}  // namespace

int CheckCommand::table(const std::string& libraryPath, const std::string& chipName, TruthTable::Format format,
                        std::ostream& out, std::ostream& errors) {
    try {
        const LibraryChips chips(libraryPath);
        const ChipLogic& chip = chipOf(chips, chipName);
        if (chip.inputCount() > TruthTable::LARGEST_INPUT_COUNT)
            return refuse(errors, chipName + " has " + std::to_string(chip.inputCount()) +
                                      " inputs; a truth table takes at most " +
                                      std::to_string(TruthTable::LARGEST_INPUT_COUNT));
        TruthTable::print(chip, format, out, chips.pinNames(chipName));
        return 0;
    } catch (const LibraryFile::Refused& refusal) {
        return refuse(errors, refusal.what());
    }
}

int CheckCommand::test(const std::string& libraryPath, const std::string& testsPath, std::ostream& out,
                       std::ostream& errors) {
    try {
        std::vector<TestFile::Block> blocks = TestFile::parse(textOf(testsPath));
        const LibraryChips chips(libraryPath);
        TestRunner runner(std::move(blocks), chips, testsPath);
        return runner.run(out) ? 0 : FAILED;
    } catch (const LibraryFile::Refused& refusal) {
        return refuse(errors, refusal.what());
    } catch (const TestFile::Malformed& malformed) {
        return refuse(errors, testsPath + ":" + malformed.what());
    }
}

int CheckCommand::trace(const Trace& trace, std::ostream& out, std::ostream& errors) {
    try {
        const std::string text = textOf(trace.inputsPath);
        const LibraryChips chips(trace.libraryPath);
        const ChipLogic& chip = chipOf(chips, trace.chipName);
        const std::vector<std::vector<bool>> rows = VectorFile::parse(text, chip.inputCount());
        const int64_t steps = trace.steps > 0 ? trace.steps : std::max<int64_t>(1, static_cast<int64_t>(rows.size()));
        const SignalRecord record = ChipTrace::run(chip, rows, steps, chips.pinNames(trace.chipName));
        if (trace.vcdPath.empty()) {
            out << Vcd::format(record, trace.chipName);
        } else {
            Vcd::write(trace.vcdPath, record, trace.chipName);
        }
        return 0;
    } catch (const LibraryFile::Refused& refusal) {
        return refuse(errors, refusal.what());
    } catch (const TestFile::Malformed& malformed) {
        return refuse(errors, trace.inputsPath + ":" + malformed.what());
    } catch (const AtomicFile::Failed& failed) {
        errors << "vorplex: " << failed.what() << '\n';
        return FAILED;
    }
}
