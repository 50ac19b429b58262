#include "app/CommandLine.h"

#include "app/Keys.h"
#include "check/ChipTrace.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <pwd.h>
#include <unistd.h>

namespace {

// A usage error ends the run with the status such errors usually have.
constexpr int USAGE_ERROR = 2;

bool isNumber(const std::string& text) {
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

// "1280x800" as a width and a height.
std::pair<unsigned, unsigned> windowSizeOf(const std::string& text) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos || !isNumber(text.substr(0, x)) || !isNumber(text.substr(x + 1)))
        throw CLI::ValidationError("--window", text + " is not WIDTHxHEIGHT, such as 1280x800");
    const std::pair<unsigned, unsigned> size(std::stoul(text.substr(0, x)), std::stoul(text.substr(x + 1)));
    constexpr unsigned smallestWidth = CommandLine::SMALLEST_WIDTH, smallestHeight = CommandLine::SMALLEST_HEIGHT,
                       largest = CommandLine::LARGEST_SIDE;
    if (size.first < smallestWidth || size.second < smallestHeight || size.first > largest || size.second > largest)
        throw CLI::ValidationError("--window", text + " is outside " + std::to_string(smallestWidth) + "x" +
                                                   std::to_string(smallestHeight) + " to " + std::to_string(largest) +
                                                   "x" + std::to_string(largest));
    return size;
}

std::string listed(const char* heading, const KeyUse* uses, std::size_t count) {
    std::string help = heading;
    for (const KeyUse* use = uses; use < uses + count; ++use) {
        std::string keys = std::string("  ") + use->keys;
        keys.resize(std::max<std::size_t>(keys.size() + 2, 36), ' ');
        help += keys + use->use + "\n";
    }
    return help;
}

// The presses and keys the editor understands, after the options.
std::string keysHelp() {
    return listed("The mouse in the editor:\n", PRESSES, std::size(PRESSES)) +
           listed("Keys in the editor (while the name box has no focus; while it has, they type, all but Escape):\n",
                  KEYS, std::size(KEYS));
}

// A relative or empty value counts as unset, as the XDG Base Directory rules say.
std::filesystem::path absoluteFolder(const char* value) {
    return value && value[0] == '/' ? std::filesystem::path(value) : std::filesystem::path();
}

}  // namespace

std::string CommandLine::userLibraryPath() {
    std::filesystem::path data = absoluteFolder(std::getenv("XDG_DATA_HOME"));
    if (data.empty()) {
        std::filesystem::path home = absoluteFolder(std::getenv("HOME"));
        const passwd* user = home.empty() ? getpwuid(getuid()) : nullptr;
        if (user) home = absoluteFolder(user->pw_dir);
        data = home / ".local/share";
    }
    return (data / "vorplex/library.json").string();
}

CommandLine::CommandLine(int argc, const char* const* argv) {
    CLI::App cli{"Vorplex: an editor and simulator of small digital logic circuits.", "vorplex"};
    CLI::App* table = cli.add_subcommand("table", "Print the truth table of the saved chip NAME, without a window");
    table->add_option("NAME", subject_, "The chip, as named in the palette")->required();
    table->add_option("--format", format_, "text or csv")->check(CLI::IsMember({"text", "csv"}));
    CLI::App* test = cli.add_subcommand("test", "Run the test file TESTS on the saved chips, without a window");
    test->add_option("TESTS", subject_, "The test file (see the README)")->required();
    CLI::App* trace = cli.add_subcommand(
        "trace", "Run the saved chip NAME a step at a time on rows of inputs and write its pins as a VCD, without a window");
    trace->add_option("NAME", subject_, "The chip, as named in the palette")->required();
    trace->add_option("--inputs", inputsPath_, "The chip's inputs, a row of 0 and 1 per step (see the README)")
        ->type_name("VECTORS")
        ->required();
    trace->add_option("--steps", steps_, "Run N steps, the last row held (one per row if not given)")
        ->type_name("N")
        ->check(CLI::Range(int64_t{1}, ChipTrace::MOST_STEPS));
    trace->add_option("--vcd", vcdPath_, "Write the VCD to OUT, not to standard output")->type_name("OUT");
    std::string size;
    CLI::Option* window =
        cli.add_option("--window", size, "Run in a window of this size, not full-screen")->type_name("WIDTHxHEIGHT");
    // The library is named before or after a check's subcommand.
    for (CLI::App* app : {&cli, table, test, trace}) {
        const bool editing = app == &cli;
        CLI::Option* library =
            app->add_option("--library", libraryPath_,
                            editing ? "Keep the palette's saved chips, the board and the name typed in FILE, "
                                      "in a folder that exists, written after every edit and at the end"
                                    : "Read the chips from FILE, never written")
                ->type_name("FILE");
        app->add_flag("--keep", keep_,
                      editing ? "Keep them in your own library, " + userLibraryPath() +
                                    ", as the desktop menu's Vorplex does; remove that file to start over"
                              : "Read them from your own library, " + userLibraryPath())
            ->excludes(library);
    }
    cli.set_version_flag("--version", "vorplex " VORPLEX_VERSION);
    cli.footer(keysHelp());
    try {
        cli.parse(argc, argv);
        if (window->count() > 0) windowSize_ = windowSizeOf(size);
        if (keep_ && !libraryPath_.empty()) throw CLI::ExcludesError("--keep", "--library");
        if (keep_) libraryPath_ = userLibraryPath();
        for (const auto& [check, command] : {std::pair(table, Command::Table), {test, Command::Test}, {trace, Command::Trace}}) {
            if (!check->parsed()) continue;
            command_ = command;
            if (windowSize_) throw CLI::ValidationError("--window", "table, test and trace open no window");
            if (libraryPath_.empty()) throw CLI::ValidationError(check->get_name(), "needs --library FILE or --keep");
        }
    } catch (const CLI::Success& done) {  // help or version
        exitStatus_ = cli.exit(done);
    } catch (const CLI::ParseError& error) {
        std::cerr << "vorplex: " << error.what() << '\n' << cli.help();
        exitStatus_ = USAGE_ERROR;
    }
}
