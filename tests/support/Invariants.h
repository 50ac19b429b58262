#pragma once

#include "app/App.h"

#include <string>

// What must hold after every frame, whatever the user did: the first rule the
// App breaks, described, or "". A frame without an event runs every step, so
// after one every wire must lie on its pins, and, unless the circuit is
// paused or slowed, the values shown must agree with the values carried.
std::string findViolation(const App& app);
