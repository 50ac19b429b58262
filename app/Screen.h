#pragma once

// The size of the screen the scene is laid out for, in pixels: the desktop's
// for a full-screen run, the window's for a run in a window. Set once, before
// the App is made; all layout that depends on the screen uses these, never
// the size the window reports.
extern float SCREEN_W;
extern float SCREEN_H;

void setScreenSize(unsigned width, unsigned height);
