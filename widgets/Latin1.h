#pragma once

#include <SFML/System/String.hpp>

#include <string>

// Names are 8-bit strings. Each byte stands for the code point of the same
// value, so every byte survives the trip to the screen and back; the C
// locale's own conversion would turn bytes above 127 into zeros.
inline sf::String toScreenString(const std::string& bytes) {
    std::basic_string<sf::Uint32> codePoints;
    codePoints.reserve(bytes.size());
    for (const char byte : bytes) codePoints.push_back(static_cast<unsigned char>(byte));
    return sf::String(codePoints);
}

inline std::string toByteString(const sf::String& text) {
    std::string bytes;
    bytes.reserve(text.getSize());
    for (const sf::Uint32 codePoint : text) bytes.push_back(static_cast<char>(codePoint & 0xFFu));
    return bytes;
}
