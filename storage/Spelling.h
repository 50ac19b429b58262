#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Names are 8-bit, each byte the code point of its value; terminals and test
// files speak UTF-8. These turn one into the other.
class Spelling {
public:
    // The name as UTF-8, for the terminal.
    static std::string utf8(const std::string& name);
    // The 8-bit name that UTF-8 text spells; none when it holds a character
    // above U+00FF or is no UTF-8.
    static std::optional<std::string> decode(const std::string& text);
    // The same, or the text itself when it spells no 8-bit name.
    static std::string latin1(const std::string& text) { return decode(text).value_or(text); }
    // Whether text typed, in UTF-8 or as the name's own bytes, spells the name.
    static bool spells(const std::string& text, const std::string& name) { return text == name || latin1(text) == name; }
    // "1 call", "2 calls": a count and its noun, in the singular or the plural.
    static std::string counted(int64_t count, const std::string& what);
};
