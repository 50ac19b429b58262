#pragma once

#include <optional>
#include <string>
#include <utility>

// What the program is asked on its command line:
//   vorplex [--library FILE | --keep] [--window WIDTHxHEIGHT] [--help] [--version]
// Nothing here needs a display, so help and version work without one.
class CommandLine {
public:
    static constexpr unsigned SMALLEST_WIDTH = 640, SMALLEST_HEIGHT = 480, LARGEST_SIDE = 16384;

    // Reads the arguments. Help and version are printed here, and so is a
    // refusal of what cannot be read, with the usage.
    CommandLine(int argc, const char* const* argv);

    // Set when the run ends here: 0 after help or version, else not.
    std::optional<int> exitStatus() const { return exitStatus_; }
    const std::string& libraryPath() const { return libraryPath_; }  // "" for none
    // With --keep the library is the user's own, in a folder made at the first save.
    bool keepsUserLibrary() const { return keep_; }
    std::optional<std::pair<unsigned, unsigned>> windowSize() const { return windowSize_; }

    // Where --keep keeps the palette: vorplex/library.json in the user's data
    // folder, $XDG_DATA_HOME or else ~/.local/share.
    static std::string userLibraryPath();
private:
    std::optional<int> exitStatus_;
    std::string libraryPath_;
    bool keep_ = false;
    std::optional<std::pair<unsigned, unsigned>> windowSize_;
};
