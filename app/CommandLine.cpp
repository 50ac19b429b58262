#include "app/CommandLine.h"

#include <CLI/CLI.hpp>

#include <iostream>

CommandLine::CommandLine(int argc, const char* const* argv) {
    CLI::App cli{"Vorplex: an editor and simulator of small digital logic circuits.", "vorplex"};
    std::pair<unsigned, unsigned> size{0, 0};
    cli.add_option("--library", libraryPath_, "Keep the palette's saved chips in FILE, created at the first save")
        ->type_name("FILE");
    CLI::Option* window = cli.add_option("--window", size, "Run in a window of this size, not full-screen")
                              ->type_name("WIDTHxHEIGHT")
                              ->delimiter('x');
    cli.set_version_flag("--version", "vorplex " VORPLEX_VERSION);
    try {
        cli.parse(argc, argv);
        if (window->count() > 0 && (size.first < SMALLEST_WIDTH || size.second < SMALLEST_HEIGHT ||
                                    size.first > LARGEST_SIDE || size.second > LARGEST_SIDE))
            throw CLI::ValidationError("--window", std::to_string(size.first) + "x" + std::to_string(size.second) +
                                                       " is outside " + std::to_string(SMALLEST_WIDTH) + "x" +
                                                       std::to_string(SMALLEST_HEIGHT) + " to " + std::to_string(LARGEST_SIDE) +
                                                       "x" + std::to_string(LARGEST_SIDE));
    } catch (const CLI::Success& done) {  // help or version
        exitStatus_ = cli.exit(done);
        return;
    } catch (const CLI::ParseError& error) {
        std::cerr << "vorplex: " << error.what() << '\n' << cli.help();
        exitStatus_ = error.get_exit_code();
        return;
    }
    if (window->count() > 0) windowSize_ = size;
}
