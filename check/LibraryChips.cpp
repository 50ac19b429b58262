#include "check/LibraryChips.h"

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
