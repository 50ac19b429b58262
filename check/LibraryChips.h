#pragma once

#include "storage/LibraryFile.h"

#include <string>
#include <vector>

// The chips a check can name: those of a library file, read once and never
// written, then NOT and AND.
class LibraryChips {
public:
    // Refused (LibraryFile::Refused) when the file is missing or cannot be read.
    explicit LibraryChips(const std::string& path);

    // The chip of this name, the name as 8-bit bytes or in UTF-8; none if
    // there is no such chip.
    const ChipLogic* find(const std::string& name) const;
    // What to say of a name that finds no chip: `no chip "nand" in
    // chips.json (did you mean NAND?)`, naming the chips whose names are
    // fewest letters away, case aside, if any is nearer than a new name.
    std::string unknown(const std::string& name) const;
    // The names of its pins; none named if there is no such chip.
    const PinNames& pinNames(const std::string& name) const;
    const std::string& path() const { return path_; }

private:
    const NamedChip* named(const std::string& name) const;

    std::string path_;
    std::vector<NamedChip> chips_;
};
