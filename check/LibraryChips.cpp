#include "check/LibraryChips.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

// The 8-bit name that UTF-8 text spells, for names typed on a terminal;
// the text itself when it spells none.
std::string latin1(const std::string& text) {
    std::string name;
    for (size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            name += static_cast<char>(byte);
        } else if ((byte == 0xC2 || byte == 0xC3) && at + 1 < text.size() && (text[at + 1] & 0xC0) == 0x80) {
            name += static_cast<char>(((byte & 0x03) << 6) | (text[++at] & 0x3F));
        } else {
            return text;
        }
    }
    return name;
}

// The name's bytes in UTF-8, for the terminal.
std::string utf8(const std::string& name) {
    std::string text;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) text += c;
        else text += {static_cast<char>(0xC0 | (byte >> 6)), static_cast<char>(0x80 | (byte & 0x3F))};
    }
    return text;
}

// The letters to add, remove or change to make one name of the other, case aside.
std::size_t distance(const std::string& a, const std::string& b) {
    const auto same = [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    };
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same(a[i - 1], b[j - 1]) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

LibraryChips::LibraryChips(const std::string& path) : path_(path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) throw LibraryFile::Refused(path + ": no such file");
    chips_ = LibraryFile(path).read().chips;
    chips_.push_back({"NOT", ChipLogic(NOT_CHIP)});
    chips_.push_back({"AND", ChipLogic(AND_CHIP)});
}

const ChipLogic* LibraryChips::find(const std::string& name) const {
    for (const std::string& spelling : {name, latin1(name)})
        for (const NamedChip& chip : chips_)
            if (chip.name == spelling) return &chip.chip;
    return nullptr;
}

std::string LibraryChips::unknown(const std::string& name) const {
    constexpr std::size_t MOST_NAMED = 3;
    const std::string typed = latin1(name);
    std::size_t nearest = typed.size();  // a name as far as this is no longer a slip
    std::vector<std::string> closest;
    for (const NamedChip& chip : chips_) {
        const std::size_t away = distance(typed, chip.name);
        if (away >= typed.size() || away > nearest) continue;
        if (away < nearest) nearest = away, closest.clear();
        if (closest.size() < MOST_NAMED) closest.push_back(utf8(chip.name));
    }
    std::string text = "no chip \"" + name + "\" in " + path_;
    for (std::size_t at = 0; at < closest.size(); ++at)
        text += (at == 0 ? " (did you mean " : at + 1 < closest.size() ? ", " : " or ") + closest[at];
    return closest.empty() ? text : text + "?)";
}
