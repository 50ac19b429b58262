// Keeps the X display open and the GL driver loaded for the whole test
// process, by one GL context made before the tests start and never
// destroyed (it stays reachable, so it is no leak).
//
// Without it the graphics library closes the display whenever its last
// resource goes, which happens each time an App is destroyed, and opens it
// again for the next one. The GL driver, unloaded with the display each time,
// leaves allocations that LeakSanitizer then reports from a library it can
// no longer name, so no suppression can match them. And a display server
// without -noreset resets whenever its last client leaves, refusing a client
// that connects meanwhile: the program aborts, unable to open the display.

#include <SFML/Window/Context.hpp>

namespace {

sf::Context* const processContext = new sf::Context();

}  // namespace
