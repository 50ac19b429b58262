#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

// What the program is asked on its command line:
//   vorplex [--library FILE | --keep] [--window WIDTHxHEIGHT] [--help] [--version]
//   vorplex table NAME (--library FILE | --keep) [--format text|csv]
//   vorplex test TESTS (--library FILE | --keep)
//   vorplex trace NAME (--library FILE | --keep) --inputs VECTORS [--steps N] [--vcd OUT]
// Nothing here needs a display, so help and version work without one, and
// so do the commands that check chips.
class CommandLine {
public:
    static constexpr unsigned SMALLEST_WIDTH = 640, SMALLEST_HEIGHT = 480, LARGEST_SIDE = 16384;

    // The editor, or a check of chips without a window (check/CheckCommand.h).
    enum class Command { Edit, Table, Test, Trace };

    // Reads the arguments. Help and version are printed here, and so is a
    // refusal of what cannot be read, with the usage.
    CommandLine(int argc, const char* const* argv);

    // Set when the run ends here: 0 after help or version, else not.
    std::optional<int> exitStatus() const { return exitStatus_; }
    Command command() const { return command_; }
    const std::string& libraryPath() const { return libraryPath_; }  // "" for none
    // With --keep the library is the user's own, in a folder made at the first save.
    bool keepsUserLibrary() const { return keep_; }
    std::optional<std::pair<unsigned, unsigned>> windowSize() const { return windowSize_; }
    // The chip of `table` and `trace`, the test file of `test`.
    const std::string& subject() const { return subject_; }
    bool csv() const { return format_ == "csv"; }
    // The input rows of `trace`, its steps (0: one per row), and its VCD file ("": standard output).
    const std::string& inputsPath() const { return inputsPath_; }
    int64_t steps() const { return steps_; }
    const std::string& vcdPath() const { return vcdPath_; }

    // Where --keep keeps the palette: vorplex/library.json in the user's data
    // folder, $XDG_DATA_HOME or else ~/.local/share.
    static std::string userLibraryPath();

private:
    std::optional<int> exitStatus_;
    Command command_ = Command::Edit;
    std::string libraryPath_;
    bool keep_ = false;
    std::optional<std::pair<unsigned, unsigned>> windowSize_;
    std::string subject_;
    std::string format_ = "text";
    std::string inputsPath_;
    int64_t steps_ = 0;
    std::string vcdPath_;
};
