// Keeps the X display open and the GL driver loaded for the whole test
// process, by one GL context made before the tests start and never destroyed
// (it stays reachable, so it is no leak). Without it the graphics library
// closes the display each time its last resource goes, with every App, and
// the GL driver unloaded with it leaves allocations that LeakSanitizer reports
// from a library it can no longer name.

#include <SFML/Window/Context.hpp>

namespace {

sf::Context* const processContext = new sf::Context();

}  // namespace
