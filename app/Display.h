#pragma once

// Whether the desktop's display can be reached: without one the graphics
// library cannot even tell the desktop's size.
bool displayIsReachable();
