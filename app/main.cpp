#include "app/App.h"
#include "app/CommandLine.h"
#include "app/DisplayConnection.h"
#include "app/Screen.h"
#include "check/CheckCommand.h"

#include <SFML/System/Err.hpp>

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace {

// A library named in a folder that does not exist could never be written:
// it is refused at once, not at the first edit. --keep makes its own folder.
bool refusesMissingFolder(const CommandLine& commandLine) {
    if (commandLine.libraryPath().empty() || commandLine.keepsUserLibrary()) return false;
    const std::filesystem::path folder = std::filesystem::path(commandLine.libraryPath()).parent_path();
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error)) return false;
    std::cerr << "vorplex: " << commandLine.libraryPath() << ": the folder " << folder.string() << " does not exist\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // The graphics library's own lines ("Setting vertical sync not supported")
    // tell a user nothing: what matters, the editor says itself.
    sf::err().rdbuf(nullptr);
    const CommandLine commandLine(argc, argv);
    if (commandLine.exitStatus()) return *commandLine.exitStatus();
    if (refusesMissingFolder(commandLine)) return 2;
    if (commandLine.command() == CommandLine::Command::Table)
        return CheckCommand::table(commandLine.libraryPath(), commandLine.subject(),
                                   commandLine.csv() ? TruthTable::Format::Csv : TruthTable::Format::Text,
                                   std::cout, std::cerr);
    if (commandLine.command() == CommandLine::Command::Test)
        return CheckCommand::test(commandLine.libraryPath(), commandLine.subject(), std::cout, std::cerr);
    if (commandLine.command() == CommandLine::Command::Trace)
        return CheckCommand::trace({commandLine.libraryPath(), commandLine.subject(), commandLine.inputsPath(),
                                    commandLine.steps(), commandLine.vcdPath()},
                                   std::cout, std::cerr);

    // A library that cannot be read stops the run before any window opens.
    std::optional<LibraryFile> library;
    Library kept;
    if (!commandLine.libraryPath().empty()) {
        try {
            library.emplace(commandLine.libraryPath(), commandLine.keepsUserLibrary()
                                                           ? LibraryFile::Folder::MadeAtFirstWrite
                                                           : LibraryFile::Folder::Existing);
            kept = library->read();
        } catch (const LibraryFile::Refused& refusal) {
            std::cerr << "vorplex: " << refusal.what() << '\n';
            return 2;
        }
    }
    const DisplayConnection display;
    if (!display.isOpen()) {
        const char* name = std::getenv("DISPLAY");
        std::cerr << "vorplex: cannot open the display \"" << (name ? name : "") << "\"\n";
        return 1;
    }

    const auto window = commandLine.windowSize();
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    setScreenSize(window ? window->first : desktop.width, window ? window->second : desktop.height);
    App app(window ? App::WindowMode::Window : App::WindowMode::FullScreen);
    if (library) app.editor().keepIn(std::move(*library), std::move(kept));
    while (app.isOpen()) {
        app.update();
        app.render();
    }
    return 0;
}
