#include "check/LibraryChips.h"

#include "check/Spelling.h"

#include <filesystem>

LibraryChips::LibraryChips(const std::string& path) : path_(path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) throw LibraryFile::Refused(path + ": no such file");
    chips_ = LibraryFile(path).read().chips;
    chips_.push_back({"NOT", ChipLogic(NOT_CHIP)});
    chips_.push_back({"AND", ChipLogic(AND_CHIP)});
}

const ChipLogic* LibraryChips::find(const std::string& name) const {
    const NamedChip* chip = named(name);
    return chip ? &chip->chip : nullptr;
}

const PinNames& LibraryChips::pinNames(const std::string& name) const {
    static const PinNames unnamed;
    const NamedChip* chip = named(name);
    return chip ? chip->pins : unnamed;
}

// The name exactly as given first: a name of bytes that happen to spell
// UTF-8 is found as itself.
const NamedChip* LibraryChips::named(const std::string& name) const {
    for (const std::string& spelling : {name, Spelling::latin1(name)})
        for (const NamedChip& chip : chips_)
            if (chip.name == spelling) return &chip;
    return nullptr;
}
