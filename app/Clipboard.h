#pragma once

#include <string>

// Where copied chips go as text: the desktop's clipboard, so that they paste
// into another window or a file; or, for an App without a window, a text of
// its own, so that tests never touch the desktop's.
class Clipboard {
public:
    explicit Clipboard(bool desktop) : desktop_(desktop) {}

    std::string text() const;
    void setText(const std::string& text);

private:
    bool desktop_;
    std::string text_;
};
