#include "app/Display.h"

#if defined(__unix__) && !defined(__APPLE__)
#include <X11/Xlib.h>

bool displayIsReachable() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    XCloseDisplay(display);
    return true;
}
#else
bool displayIsReachable() { return true; }
#endif
