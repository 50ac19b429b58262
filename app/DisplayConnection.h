#pragma once

// A connection to the desktop's display, held for the whole run. It tells
// whether the display can be reached before the graphics library is asked
// anything, which aborts the program when it cannot; and it keeps a display
// server that starts afresh whenever its last client leaves from doing so
// between this check and the library's own connection.
class DisplayConnection {
public:
    DisplayConnection();
    ~DisplayConnection();
    DisplayConnection(const DisplayConnection&) = delete;
    DisplayConnection& operator=(const DisplayConnection&) = delete;

    bool isOpen() const { return display != nullptr; }

private:
    void* display = nullptr;  // X's display, kept opaque: X's headers define macros that clash
};
