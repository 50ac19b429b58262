#include "storage/Spelling.h"

std::string Spelling::counted(int64_t count, const std::string& what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

std::string Spelling::utf8(const std::string& name) {
    std::string text;
    for (const char byte : name) {
        const auto codePoint = static_cast<unsigned char>(byte);
        if (codePoint < 0x80) {
            text += byte;
        } else {
            text += static_cast<char>(0xC0 | (codePoint >> 6));
            text += static_cast<char>(0x80 | (codePoint & 0x3F));
        }
    }
    return text;
}

// A character up to U+00FF takes one byte, or two beginning with C2 or C3.
std::optional<std::string> Spelling::decode(const std::string& text) {
    std::string name;
    for (size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            name += static_cast<char>(byte);
        } else if ((byte == 0xC2 || byte == 0xC3) && at + 1 < text.size() && (text[at + 1] & 0xC0) == 0x80) {
            name += static_cast<char>(((byte & 0x03) << 6) | (text[++at] & 0x3F));
        } else {
            return std::nullopt;
        }
    }
    return name;
}
