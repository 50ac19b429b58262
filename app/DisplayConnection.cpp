#include "app/DisplayConnection.h"

#if defined(__unix__) && !defined(__APPLE__)
#include <X11/Xlib.h>

DisplayConnection::DisplayConnection() : display(XOpenDisplay(nullptr)) {}

DisplayConnection::~DisplayConnection() {
    if (display) XCloseDisplay(static_cast<Display*>(display));
}
#else
DisplayConnection::DisplayConnection() : display(this) {}  // elsewhere there is nothing to ask
DisplayConnection::~DisplayConnection() = default;
#endif
