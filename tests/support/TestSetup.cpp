// What every test of the editor starts from.
//
// The scene is laid out for a screen of 1920 x 1080, whatever the display.
//
// One GL context, made before the tests start and never destroyed (it stays
// reachable, so it is no leak), keeps the X display open and the GL driver
// loaded for the whole process. Without it the graphics library closes the
// display each time its last resource goes, with every App, and the GL driver
// unloaded with it leaves allocations that LeakSanitizer reports from a
// library it can no longer name.

#include "app/Screen.h"

#include <SFML/Window/Context.hpp>

namespace {

[[maybe_unused]] const bool screenSet = (setScreenSize(1920, 1080), true);
sf::Context* const processContext = new sf::Context();

}  // namespace
