#pragma once

// The desktop's size in pixels, read once before the program starts. All
// layout that depends on the screen uses these, never the window's size.
extern const float SCREEN_W;
extern const float SCREEN_H;
