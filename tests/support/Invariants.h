#pragma once

#include "app/App.h"

#include <string>

// What must hold after every frame, whatever the user did: the first rule the
// App breaks, described, or "". A frame without an event runs every step, so
// after one the values shown must also agree with the values carried, and
// every wire must lie on its pins.
std::string findViolation(const App& app);
