#include "app/Clipboard.h"

#include <SFML/Window/Clipboard.hpp>

// The text is UTF-8 both ways, as the library file is.
std::string Clipboard::text() const {
    if (!desktop_) return text_;
    const auto utf8 = sf::Clipboard::getString().toUtf8();
    return std::string(utf8.begin(), utf8.end());
}

void Clipboard::setText(const std::string& text) {
    if (desktop_)
        sf::Clipboard::setString(sf::String::fromUtf8(text.begin(), text.end()));
    else
        text_ = text;
}
